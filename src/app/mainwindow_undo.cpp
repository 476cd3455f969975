// Undo and redo: the history's actions and what the window does after a step was taken back.
#include "app/mainwindow.h"

#include "app/boardpanel.h"
#include "app/layerslots.h"
#include "app/placementtables.h"
#include "app/undoactions.h"
#include "settings/ui/search_dlg.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"

void MainWindow::installUndo()
{
    UndoActions::Hooks hooks;
    hooks.blocked = [this] { return m_view->interactionBlocked(); };
    hooks.restored = [this] {
        // The entries were made anew: nothing may keep the old ones.
        m_tables->searchDialog()->reset();
        m_tools.reset();
        m_tables->disconnectSignals();
        m_layers->buildTable();
        m_layers->renderSideLayers();
        m_board->fillBoardInfoFields();
        m_board->fillFiducialFields();
        m_board->buildOriginsTable();
        createLists();
        m_tables->connectSignals();
        m_view->update();
    };
    m_undo = std::make_unique<UndoActions>(*m_view, *m_feeders, *m_ui->menuTools, *m_ui->toolBar,
        m_ui->actionSetNewPosition, std::move(hooks), this);
}
