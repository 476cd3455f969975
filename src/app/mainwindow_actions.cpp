// The tool and view-toggle entries, the board data fields and the colour boxes.
#include "app/mainwindow.h"

#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "view/ui/darstellg.h"

#include <QComboBox>
#include <QDebug>
#include <QDoubleSpinBox>
#include <QIcon>

namespace {
QIcon iconOf(const QString& name, bool active)
{
    return QIcon(QStringLiteral(":/ressources/icons/") + name
        + (active ? QString() : QStringLiteral("_inactive")) + QStringLiteral(".png"));
}

struct ToolEntry
{
    const char* action;
    const char* icon;
};
// Indexed by tool mode.
const ToolEntry tools[toolModeCount] = { { "actionSetNewPosition", "move" },
    { "actionSetNewOrigin", "origin" }, { "actionDraw", "line" }, { "actionMovement", "movement" },
    { "actionMultiSelect", "multiselect" }, { "actionDraw_Rectangle", "rect_empty" },
    { "actionDraw_Rectangle_Filled", "rect_fill" }, { "actionMeasure", "measure" },
    { "actionInsert_Text", "insert_text" }, { "actionrotate_selection", "rotate" } };

struct LayerToggle
{
    LayerSlot slot;
    const char* action;
    const char* icon;
};
const LayerToggle layerToggles[layerSlotCount] = { { LayerSlot::Signal, "actionTop_view", "top" },
    { LayerSlot::Mask, "actionMask_view", "mask" }, { LayerSlot::Paste, "actionPaste_view", "paste" },
    { LayerSlot::Assy, "actionAssy_view", "assy" }, { LayerSlot::Silk, "actionSilk_view", "silk" },
    { LayerSlot::BoardOutline, "actionBoard_Outline_view", "board_outline" },
    { LayerSlot::Drill, "actionDrill_view", "drill" } };
} // namespace

// ---- tools and view toggles

void MainWindow::connectViewActions()
{
    for (int i = 0; i < toolModeCount; ++i) {
        const auto mode = ToolMode(i);
        if (QAction* a = findChild<QAction*>(QLatin1String(tools[i].action)))
            connect(a, &QAction::triggered, this, [this, mode] { chooseTool(mode); });
    }
    for (const LayerToggle& t : layerToggles) {
        const LayerSlot slot = t.slot;
        if (QAction* a = findChild<QAction*>(QLatin1String(t.action)))
            connect(a, &QAction::triggered, this, [this, slot] {
                m_view->setLayerVisible(slot, !m_view->layerVisible(slot));
                refreshLayerIcons();
                m_view->update();
            });
    }
    // Each switch flips its flag, shows it in the icon and repaints; the execute filters also
    // decide which groups the part list shows.
    ViewState& state = m_view->viewState();
    ViewFilters& f = state.filters;
    const struct
    {
        QAction* action;
        bool& flag;
        bool partListChanges;
    } switches[] = { { m_ui->actionPick_and_Place_view, f.showPickAndPlace, false },
        { m_ui->actionShowHandExec, f.showHandExec, true },
        { m_ui->actionShowMachineExec, f.showMachineExec, true },
        { m_ui->actionShowTHTExec, f.showThtExec, true }, { m_ui->actionShow_Placed, f.showPlaced, true },
        { m_ui->actionShow_RefDes, f.showRefDes, false },
        { m_ui->actionShow_Drawings, f.showDrawings, false }, { m_ui->actionGrid, state.gridShown, false },
        { m_ui->actionFast_Rendering, state.fastRendering, false } };
    for (const auto& s : switches) {
        bool* flag = &s.flag;
        const bool partListChanges = s.partListChanges;
        connect(s.action, &QAction::triggered, this, [this, flag, partListChanges] {
            *flag = !*flag;
            refreshFilterIcons();
            if (partListChanges)
                createLists();
            m_view->update();
        });
    }
    connect(m_ui->actionFit, &QAction::triggered, m_view, &Darstellg::fitToBoard);
    connect(m_ui->actionDrawingsColor, &QAction::triggered, this, [this] {
        const QColor chosen = prompt().color(this, m_drawingsColor, QString());
        if (chosen.isValid())
            m_drawingsColor = chosen;
    });
}

void MainWindow::selectTool(ToolMode mode)
{
    for (int i = 0; i < toolModeCount; ++i) {
        if (QAction* a = findChild<QAction*>(QLatin1String(tools[i].action)))
            a->setIcon(iconOf(QLatin1String(tools[i].icon), i == int(mode)));
    }
    m_view->setToolMode(mode);
    m_view->update();
}

void MainWindow::chooseTool(ToolMode mode)
{
    if ((mode == ToolMode::MultipleSelection || mode == ToolMode::RotateSelection)
        && m_view->document().gerberMode()) {
        prompt().warning(
            this, QStringLiteral("not available"), QStringLiteral("This tool isn't available in this mode"));
        return;
    }
    selectTool(mode);
}

void MainWindow::sigDistanceTool()
{
    selectTool(m_view->toolMode() == ToolMode::Measure ? ToolMode::SetNewPosition : ToolMode::Measure);
}

void MainWindow::setInitialIcons()
{
    m_ui->actionNeu->setIcon(iconOf(QStringLiteral("new"), true));
    m_ui->action_oeffnen->setIcon(iconOf(QStringLiteral("open"), true));
    m_ui->actionSpeicher->setIcon(iconOf(QStringLiteral("save"), true));
    m_ui->actionMirror->setIcon(iconOf(QStringLiteral("mirror"), true));
    m_ui->actionRotate->setIcon(iconOf(QStringLiteral("rotate_board"), true));
    m_ui->actionGenerate_origin->setIcon(iconOf(QStringLiteral("generate_origin"), true));
    m_ui->actionSearch->setIcon(iconOf(QStringLiteral("search"), true));
    m_ui->actionDrawingsColor->setIcon(iconOf(QStringLiteral("drawingscolor"), true));
    selectTool(ToolMode::SetNewPosition);
    refreshFilterIcons();
    refreshLayerIcons();
}

void MainWindow::refreshFilterIcons()
{
    const ViewState& state = m_view->viewState();
    const ViewFilters& f = state.filters;
    m_ui->actionShowHandExec->setIcon(iconOf(QStringLiteral("place_hand"), f.showHandExec));
    m_ui->actionShowMachineExec->setIcon(iconOf(QStringLiteral("place_machine"), f.showMachineExec));
    m_ui->actionShowTHTExec->setIcon(iconOf(QStringLiteral("place_tht"), f.showThtExec));
    m_ui->actionShow_Placed->setIcon(iconOf(QStringLiteral("placed"), f.showPlaced));
    m_ui->actionShow_RefDes->setIcon(iconOf(QStringLiteral("showRefDes"), f.showRefDes));
    m_ui->actionShow_Drawings->setIcon(iconOf(QStringLiteral("draw"), f.showDrawings));
    const QIcon check = iconOf(QStringLiteral("check"), true);
    m_ui->actionPick_and_Place_view->setIcon(f.showPickAndPlace ? check : QIcon());
    m_ui->actionGrid->setIcon(state.gridShown ? check : QIcon());
    m_ui->actionFast_Rendering->setIcon(state.fastRendering ? check : QIcon());
}

void MainWindow::refreshLayerIcons()
{
    for (const LayerToggle& t : layerToggles) {
        if (QAction* a = findChild<QAction*>(QLatin1String(t.action)))
            a->setIcon(iconOf(QLatin1String(t.icon), m_view->layerVisible(t.slot)));
    }
}

// ---- colour boxes

void MainWindow::on_BoardColorBox_currentIndexChanged(int index)
{
    m_view->setBoardColorIndex(index);
}

void MainWindow::on_SilkColorBox_currentIndexChanged(int index)
{
    m_view->setSilkColorIndex(index);
}
