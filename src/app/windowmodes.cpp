#include "app/windowmodes.h"

#include "app/boardpanel.h"
#include "app/feederpanel.h"
#include "app/layerslots.h"
#include "app/modeactions.h"
#include "app/panellayout.h"
#include "app/placementtables.h"
#include "app/toolactions.h"
#include "app/windowcolors.h"
#include "line/ui/linie_dlg.h"
#include "settings/ui/search_dlg.h"
#include "ui_mainwindow.h"
#include "uikit/tablecolumns.h"
#include "view/ui/darstellg.h"

#include <QComboBox>
#include <QDebug>
#include <QDoubleSpinBox>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QWidgetAction>

namespace {
const char* const activeStyles[3]
    = { "QPushButton { font-weight: bold; color: #000000; background-color: #FF6060; }",
          "QPushButton { font-weight: bold; color: #000000; background-color: #6060FF; }",
          "QPushButton { font-weight: bold; color: #000000; background-color: #60FF60; }" };
const char* const inactiveStyles[3]
    = { "QPushButton { font-weight: bold; color: #7F7F7F; background-color: #FFD1D1; }",
          "QPushButton { font-weight: bold; color: #7F7F7F; background-color: #D1D1FF; }",
          "QPushButton { font-weight: bold; color: #7F7F7F; background-color: #D1FFD1; }" };

// Vertical room the view gains or loses when the side panels are hidden or shown.
int panelOffset(int feederHeight)
{
    return feederHeight > 16 ? 230 : 28;
}
} // namespace

WindowModes::WindowModes(Ui::MainWindow& ui, Darstellg& view, QMainWindow& window, Parts parts)
    : m_ui(ui)
    , m_view(view)
    , m_window(window)
    , m_parts(parts)
{
    m_bottomButton = new QPushButton(QStringLiteral("BOTTOM"), &window);
    m_bottomButton->setObjectName(QStringLiteral("bottomButton"));
    m_topButton = new QPushButton(QStringLiteral("TOP"), &window);
    m_topButton->setObjectName(QStringLiteral("topButton"));
    m_topButton->setMinimumWidth(66);
    m_topButton->setMaximumWidth(66);
    m_gerberButton = new QPushButton(QStringLiteral("GERBER"), &window);
    m_gerberButton->setObjectName(QStringLiteral("gerberButton"));
    for (QPushButton* b : { m_bottomButton, m_topButton, m_gerberButton })
        b->setFocusPolicy(Qt::NoFocus);
    m_ui.toolBar->addWidget(m_topButton);
    m_ui.toolBar->addWidget(m_bottomButton);
    m_ui.toolBar->addWidget(m_gerberButton);
    styleSideButtons(0);
}

void WindowModes::styleSideButtons(int active)
{
    QPushButton* buttons[3] = { m_topButton, m_bottomButton, m_gerberButton };
    for (int i = 0; i < 3; ++i)
        buttons[i]->setStyleSheet(QLatin1String(i == active ? activeStyles[i] : inactiveStyles[i]));
}

void WindowModes::setPlacementWidgetsVisible(bool on)
{
    m_ui.teile->setVisible(on);
    m_ui.pickandplacepositionen->setVisible(on);
    m_ui.feeder_config->setVisible(on);
    m_ui.boardStuff->setVisible(on);
    // The feeder overview and the machine selectors have no place in layer mode either.
    m_ui.feeder->setVisible(on);
    m_ui.frame->setVisible(on);
    m_ui.gerber_table->setVisible(!on);
}

void WindowModes::showSide(bool top)
{
    m_ui.menuImport->menuAction()->setVisible(false);
    m_ui.menuImportieren->menuAction()->setVisible(true);

    const bool wasLayerMode = m_layerModeActive;
    if (wasLayerMode) {
        for (const QString& name : ModeActions::placementOnly())
            setEntryEnabled(name, true);
        m_parts.colors.applyModeColours(false);
        setPlacementWidgetsVisible(true);
        m_view.viewState().offsetY += panelOffset(m_parts.panels.state().feederHeight);
    }

    if (m_view.document().activeSideIsTop() == top && !wasLayerMode) {
        m_view.update();
        return;
    }

    m_parts.tools.selectTool(ToolMode::SetNewPosition);
    m_view.document().setGerberMode(false);
    m_layerModeActive = false;
    if (wasLayerMode)
        m_parts.board.buildOriginsTable(); // layer mode left it empty
    styleSideButtons(top ? 0 : 1);

    for (PnPEntry* entry : m_view.document().currentList())
        entry->setSelected(false);
    m_ui.pickandplacepositionen->clearSelection();
    m_ui.teile->clearSelection();

    if (m_view.document().activeSideIsTop() != top) {
        m_view.setSide(top);
        qDebug() << (top ? "show top" : "show bottom");
        m_parts.board.fillBoardInfoFields();
        m_parts.board.fillFiducialFields();
        m_parts.board.buildOriginsTable();
        m_parts.tables.disconnectSignals();
        m_parts.tables.createLists();
        m_parts.tables.connectSignals();
    }
    m_view.update();
    m_ui.feeder->update();
    m_window.update();
}

void WindowModes::showLayerMode()
{
    m_ui.menuImport->menuAction()->setVisible(true);
    m_ui.menuImportieren->menuAction()->setVisible(false);
    if (!m_layerModeActive) {
        m_parts.tools.selectTool(ToolMode::SetNewPosition);
        for (const QString& name : ModeActions::disabledInLayerMode())
            setEntryEnabled(name, false);
        m_view.document().setGerberMode(true);
        m_layerModeActive = true;
        m_parts.colors.applyModeColours(true);
        styleSideButtons(2);
        setPlacementWidgetsVisible(false);
        m_view.viewState().offsetY -= panelOffset(m_parts.panels.state().feederHeight);
        m_parts.layers.buildTable();
        m_view.update();
        m_window.update();
    }
    if (m_ui.comboBox->currentIndex() >= 0)
        m_parts.tables.applyMachineSelector(m_ui.comboBox->currentIndex());
}

void WindowModes::setInteractionEnabled(bool on)
{
    for (const QString& name : ModeActions::blockedMenus())
        setEntryEnabled(name, on);
    for (QWidget* w : std::initializer_list<QWidget*> { m_ui.boardStuff, m_ui.feeder_config, m_ui.teile,
             m_ui.pickandplacepositionen, m_ui.gerber_table, m_topButton, m_bottomButton, m_gerberButton,
             m_view.zoomBox(), m_view.gridSpinBox() })
        if (w)
            w->setEnabled(on);
    const bool modified = m_view.document().isModified();
    for (QAction* action : m_ui.toolBar->actions()) {
        if (!action->isSeparator() && !qobject_cast<QWidgetAction*>(action))
            action->setEnabled(
                on && ModeActions::enabledAfterUnblock(action->objectName(), modified, m_layerModeActive));
    }
}

void WindowModes::blockInteraction()
{
    qDebug() << "block interaction";
    m_view.setInteractionBlocked(true);
    setInteractionEnabled(false);
}

void WindowModes::unblockInteraction()
{
    qDebug() << "unblock interaction";
    m_view.setInteractionBlocked(false);
    setInteractionEnabled(true);
}

void WindowModes::setEntryEnabled(const QString& name, bool on)
{
    if (QMenu* menu = m_window.findChild<QMenu*>(name))
        menu->menuAction()->setEnabled(on);
    else if (QAction* action = m_window.findChild<QAction*>(name))
        action->setEnabled(on);
}

void WindowModes::resetDocument()
{
    const bool blocked = m_view.interactionBlocked();
    // The search dialog holds the placements it found; they are about to be deleted.
    m_parts.tables.searchDialog()->reset();
    // So are the placements a drag of the tools holds; the tools start afresh.
    m_parts.tools.reset();
    m_view.resetDocument();
    m_view.setInteractionBlocked(blocked);
    m_parts.tables.clear();
    m_ui.feeder_config->setRowCount(0);
    m_ui.gerber_table->setRowCount(0);
    m_ui.OriginsTable->setRowCount(0);
    m_parts.feeders.resetLine();
    m_view.viewState().filters.showMachineExec = true;
    m_view.viewState().filters.showThtExec = true;
    m_parts.tools.refreshFilterIcons();
    m_parts.tools.refreshLayerIcons();
}

void WindowModes::startNewDocument()
{
    showLayerMode();
    m_parts.tables.disconnectSignals();
    // A new project starts from the production line as line.cfg holds it: machines edited
    // in the dialog but never confirmed with "OK" go.
    m_parts.feeders.lineDialog()->reload();
    resetDocument();
    m_parts.layers.buildTable();
    m_parts.tables.createLists();
    m_ui.OriginsTable->setRowCount(0);
    m_parts.board.fillBoardInfoFields();
    m_parts.board.fillFiducialFields();
    m_parts.tables.connectSignals();
    // Through layer mode and back, as at start-up, so menus and buttons are in a known state.
    showSide(true);
    showLayerMode();
    showSide(true);
    m_view.update();
}

void WindowModes::prepareForLoad()
{
    m_parts.tables.disconnectSignals();
    showLayerMode();
    resetDocument();
    m_parts.feeders.handLineDataToView();
}

void WindowModes::showLoadedDocument(bool read)
{
    if (!read) {
        m_parts.board.fillBoardInfoFields();
        m_parts.board.fillFiducialFields();
        m_parts.tables.createLists();
        m_parts.tables.connectSignals();
        showSide(true);
        return;
    }
    m_parts.feeders.handOutFeederLists();
    if (m_ui.feeder_config->rowCount() > 0) {
        m_parts.feeders.rebuildFeederList();
        m_view.advanceStep();
    }
    m_parts.layers.renderSideLayers();
    m_parts.board.fillBoardInfoFields();
    m_parts.board.fillFiducialFields();
    m_view.advanceStep();
    m_parts.board.buildOriginsTable();
    m_parts.tables.connectSignals();
    showSide(true);
    m_view.update();
    m_view.document().setModified(false);
    m_ui.teile->setColumnCount(3);
    m_ui.teile->columns()->fit();
    m_parts.tables.createLists();
    m_parts.feeders.selectAssignedMachine();
    m_view.fitIfBoardOutOfView();
}
