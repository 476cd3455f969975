// The three modes (placement top, placement bottom, layer mode) and the interaction block.
#include "app/mainwindow.h"

#include "app/boardpanel.h"
#include "app/feederpanel.h"
#include "app/layerslots.h"
#include "app/modeactions.h"
#include "app/placementtables.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"

#include <QComboBox>
#include <QDebug>
#include <QDoubleSpinBox>
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

void MainWindow::styleSideButtons(int active)
{
    QPushButton* buttons[3] = { m_topButton, m_bottomButton, m_gerberButton };
    for (int i = 0; i < 3; ++i)
        buttons[i]->setStyleSheet(QLatin1String(i == active ? activeStyles[i] : inactiveStyles[i]));
}

void MainWindow::setPlacementWidgetsVisible(bool on)
{
    m_ui->teile->setVisible(on);
    m_ui->pickandplacepositionen->setVisible(on);
    m_ui->feeder_config->setVisible(on);
    m_ui->boardStuff->setVisible(on);
    // The feeder overview and the machine selectors have no place in layer mode either.
    m_ui->feeder->setVisible(on);
    m_ui->frame->setVisible(on);
    m_ui->gerber_table->setVisible(!on);
}

void MainWindow::switchBottomTop()
{
    showSide(true);
}

void MainWindow::switchTopBottom()
{
    showSide(false);
}

void MainWindow::showSide(bool top)
{
    m_ui->menuImport->menuAction()->setVisible(false);
    m_ui->menuImportieren->menuAction()->setVisible(true);

    const bool wasLayerMode = m_layerModeActive;
    if (wasLayerMode) {
        for (const QString& name : ModeActions::placementOnly())
            setEntryEnabled(name, true);
        m_placementColors.applyTo(m_view->viewState().colours);
        m_view->matchDrillsToBackground();
        setPlacementWidgetsVisible(true);
        m_view->viewState().offsetY += panelOffset(m_panels.feederHeight);
    }

    if (m_view->document().activeSideIsTop() == top && !wasLayerMode) {
        m_view->update();
        return;
    }

    selectTool(ToolMode::SetNewPosition);
    m_view->document().setGerberMode(false);
    m_layerModeActive = false;
    if (wasLayerMode)
        m_board->buildOriginsTable(); // layer mode left it empty
    styleSideButtons(top ? 0 : 1);

    for (PnPEntry* entry : m_view->document().currentList())
        entry->setSelected(false);
    m_ui->pickandplacepositionen->clearSelection();
    m_ui->teile->clearSelection();

    if (m_view->document().activeSideIsTop() != top) {
        m_view->setSide(top);
        qDebug() << (top ? "show top" : "show bottom");
        m_board->fillBoardInfoFields();
        m_board->fillFiducialFields();
        m_board->buildOriginsTable();
        m_tables->disconnectSignals();
        createLists();
        m_tables->connectSignals();
    }
    m_view->update();
    m_ui->feeder->update();
    update();
}

void MainWindow::switchGerberPnP()
{
    m_ui->menuImport->menuAction()->setVisible(true);
    m_ui->menuImportieren->menuAction()->setVisible(false);
    if (!m_layerModeActive) {
        selectTool(ToolMode::SetNewPosition);
        for (const QString& name : ModeActions::disabledInLayerMode())
            setEntryEnabled(name, false);
        m_view->document().setGerberMode(true);
        m_layerModeActive = true;
        m_layerColors.applyTo(m_view->viewState().colours);
        m_view->matchDrillsToBackground();
        styleSideButtons(2);
        setPlacementWidgetsVisible(false);
        m_view->viewState().offsetY -= panelOffset(m_panels.feederHeight);
        m_layers->buildTable();
        m_view->update();
        update();
    }
    if (m_ui->comboBox->currentIndex() >= 0)
        m_tables->applyMachineSelector(m_ui->comboBox->currentIndex());
}

void MainWindow::setInteractionEnabled(bool on)
{
    for (const QString& name : ModeActions::blockedMenus())
        setEntryEnabled(name, on);
    for (QWidget* w : std::initializer_list<QWidget*> { m_ui->boardStuff, m_ui->feeder_config, m_ui->teile,
             m_ui->pickandplacepositionen, m_ui->gerber_table, m_topButton, m_bottomButton, m_gerberButton,
             m_view->zoomBox(), m_view->gridSpinBox() })
        if (w)
            w->setEnabled(on);
    const bool modified = m_view->document().isModified();
    for (QAction* action : m_ui->toolBar->actions()) {
        if (!action->isSeparator() && !qobject_cast<QWidgetAction*>(action))
            action->setEnabled(
                on && ModeActions::enabledAfterUnblock(action->objectName(), modified, m_layerModeActive));
    }
}

void MainWindow::blockInteraction()
{
    qDebug() << "block interaction";
    m_view->setInteractionBlocked(true);
    setInteractionEnabled(false);
}

void MainWindow::unblockInteraction()
{
    qDebug() << "unblock interaction";
    m_view->setInteractionBlocked(false);
    setInteractionEnabled(true);
}

void MainWindow::setEntryEnabled(const QString& name, bool on)
{
    if (QMenu* menu = findChild<QMenu*>(name))
        menu->menuAction()->setEnabled(on);
    else if (QAction* action = findChild<QAction*>(name))
        action->setEnabled(on);
}
