// The window's part of a document change: what New, Open and closing do to the widgets. The
// session (paths, title, the files) is DocumentSession's.
#include "app/mainwindow.h"

#include "app/boardpanel.h"
#include "app/documentsession.h"
#include "app/feederpanel.h"
#include "app/layerslots.h"
#include "app/placementtables.h"
#include "app/undoactions.h"
#include "line/ui/linie_dlg.h"
#include "settings/ui/search_dlg.h"
#include "ui_mainwindow.h"
#include "uikit/tablecolumns.h"
#include "view/ui/darstellg.h"

#include <QCloseEvent>
#include <QDebug>

void MainWindow::resetDocument()
{
    const bool blocked = m_view->interactionBlocked();
    // The search dialog holds the placements it found; they are about to be deleted.
    m_tables->searchDialog()->reset();
    // So are the placements a drag of the tools holds; the tools start afresh.
    m_tools.reset();
    m_view->resetDocument();
    m_view->setInteractionBlocked(blocked);
    m_tables->clear();
    m_ui->feeder_config->setRowCount(0);
    m_ui->gerber_table->setRowCount(0);
    m_ui->OriginsTable->setRowCount(0);
    m_feeders->resetLine();
    m_view->viewState().filters.showMachineExec = true;
    m_view->viewState().filters.showThtExec = true;
    refreshFilterIcons();
    refreshLayerIcons();
}

void MainWindow::startNewDocument()
{
    switchGerberPnP();
    m_tables->disconnectSignals();
    // A new project starts from the production line as line.cfg holds it: machines edited
    // in the dialog but never confirmed with "OK" go.
    m_feeders->lineDialog()->reload();
    resetDocument();
    m_layers->buildTable();
    createLists();
    m_ui->OriginsTable->setRowCount(0);
    m_board->fillBoardInfoFields();
    m_board->fillFiducialFields();
    m_tables->connectSignals();
    // Through layer mode and back, as at start-up, so menus and buttons are in a known state.
    switchBottomTop();
    switchGerberPnP();
    switchBottomTop();
    m_view->update();
    m_undo->clear();
}

void MainWindow::prepareForLoad()
{
    m_tables->disconnectSignals();
    switchGerberPnP();
    resetDocument();
    m_feeders->handLineDataToView();
}

void MainWindow::showLoadedDocument(bool read)
{
    if (!read) {
        m_board->fillBoardInfoFields();
        m_board->fillFiducialFields();
        createLists();
        m_tables->connectSignals();
        switchBottomTop();
        m_undo->clear();
        return;
    }
    m_feeders->handOutFeederLists();
    if (m_ui->feeder_config->rowCount() > 0) {
        m_feeders->rebuildFeederList();
        m_view->advanceStep();
    }
    m_layers->renderSideLayers();
    m_board->fillBoardInfoFields();
    m_board->fillFiducialFields();
    m_view->advanceStep();
    m_board->buildOriginsTable();
    m_tables->connectSignals();
    switchBottomTop();
    m_view->update();
    m_view->document().setModified(false);
    m_ui->teile->setColumnCount(3);
    m_ui->teile->columns()->fit();
    createLists();
    m_feeders->selectAssignedMachine();
    m_view->fitIfBoardOutOfView();
    m_undo->clear();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    Search_dlg* search = m_tables->searchDialog();
    if (search->isVisible())
        search->close();
    if (!m_document->confirmClose()) {
        event->ignore();
        return;
    }
    // Where the window stood, for the next start; a window never shown has no place to keep.
    if (isVisible())
        m_document->rememberWindow(normalGeometry(), isMaximized());
    event->accept();
}
