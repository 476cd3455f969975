// The tool and view-toggle entries and the board view's interactive tools.
#include "app/toolactions.h"

#include "app/boardpanel.h"
#include "app/placementtables.h"
#include "board/boardtransform.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "view/ui/darstellg.h"
#include "view/ui/insert_text_dlg.h"

#include <QCursor>
#include <QDebug>
#include <QFontMetricsF>
#include <QIcon>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <cmath>

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

ToolActions::ToolActions(
    Ui::MainWindow& ui, Darstellg& view, PlacementTables& tables, BoardPanel& board, QMainWindow& window)
    : m_ui(ui)
    , m_view(view)
    , m_tables(tables)
    , m_board(board)
    , m_window(window)
    , m_drawingsColor(255, 0, 0)
{ }

ToolActions::~ToolActions() = default;

void ToolActions::connectActions()
{
    for (int i = 0; i < toolModeCount; ++i) {
        const auto mode = ToolMode(i);
        if (QAction* a = m_window.findChild<QAction*>(QLatin1String(tools[i].action)))
            connect(a, &QAction::triggered, this, [this, mode] { chooseTool(mode); });
    }
    for (const LayerToggle& t : layerToggles) {
        const LayerSlot slot = t.slot;
        if (QAction* a = m_window.findChild<QAction*>(QLatin1String(t.action)))
            connect(a, &QAction::triggered, this, [this, slot] {
                m_view.setLayerVisible(slot, !m_view.layerVisible(slot));
                refreshLayerIcons();
                m_view.update();
            });
    }
    // Each switch flips its flag, shows it in the icon and repaints; the execute filters also
    // decide which groups the part list shows.
    ViewState& state = m_view.viewState();
    ViewFilters& f = state.filters;
    const struct
    {
        QAction* action;
        bool& flag;
        bool partListChanges;
    } switches[] = { { m_ui.actionPick_and_Place_view, f.showPickAndPlace, false },
        { m_ui.actionShowHandExec, f.showHandExec, true },
        { m_ui.actionShowMachineExec, f.showMachineExec, true },
        { m_ui.actionShowTHTExec, f.showThtExec, true }, { m_ui.actionShow_Placed, f.showPlaced, true },
        { m_ui.actionShow_RefDes, f.showRefDes, false }, { m_ui.actionShow_Drawings, f.showDrawings, false },
        { m_ui.actionGrid, state.gridShown, false },
        { m_ui.actionFast_Rendering, state.fastRendering, false } };
    for (const auto& s : switches) {
        bool* flag = &s.flag;
        const bool partListChanges = s.partListChanges;
        connect(s.action, &QAction::triggered, this, [this, flag, partListChanges] {
            *flag = !*flag;
            refreshFilterIcons();
            if (partListChanges)
                m_tables.createLists();
            m_view.update();
        });
    }
    connect(m_ui.actionFit, &QAction::triggered, &m_view, &Darstellg::fitToBoard);
    connect(m_ui.actionDrawingsColor, &QAction::triggered, this, [this] {
        const QColor chosen = prompt().color(&m_window, m_drawingsColor, QString());
        if (chosen.isValid())
            m_drawingsColor = chosen;
    });
}

void ToolActions::selectTool(ToolMode mode)
{
    for (int i = 0; i < toolModeCount; ++i) {
        if (QAction* a = m_window.findChild<QAction*>(QLatin1String(tools[i].action)))
            a->setIcon(iconOf(QLatin1String(tools[i].icon), i == int(mode)));
    }
    m_view.setToolMode(mode);
    m_view.update();
}

void ToolActions::chooseTool(ToolMode mode)
{
    if ((mode == ToolMode::MultipleSelection || mode == ToolMode::RotateSelection)
        && m_view.document().gerberMode()) {
        prompt().warning(&m_window, QStringLiteral("not available"),
            QStringLiteral("This tool isn't available in this mode"));
        return;
    }
    selectTool(mode);
}

void ToolActions::toggleMeasure()
{
    selectTool(m_view.toolMode() == ToolMode::Measure ? ToolMode::SetNewPosition : ToolMode::Measure);
}

void ToolActions::setInitialIcons()
{
    m_ui.actionNeu->setIcon(iconOf(QStringLiteral("new"), true));
    m_ui.action_oeffnen->setIcon(iconOf(QStringLiteral("open"), true));
    m_ui.actionSpeicher->setIcon(iconOf(QStringLiteral("save"), true));
    m_ui.actionMirror->setIcon(iconOf(QStringLiteral("mirror"), true));
    m_ui.actionRotate->setIcon(iconOf(QStringLiteral("rotate_board"), true));
    m_ui.actionGenerate_origin->setIcon(iconOf(QStringLiteral("generate_origin"), true));
    m_ui.actionSearch->setIcon(iconOf(QStringLiteral("search"), true));
    m_ui.actionDrawingsColor->setIcon(iconOf(QStringLiteral("drawingscolor"), true));
    selectTool(ToolMode::SetNewPosition);
    refreshFilterIcons();
    refreshLayerIcons();
}

void ToolActions::refreshFilterIcons()
{
    const ViewState& state = m_view.viewState();
    const ViewFilters& f = state.filters;
    m_ui.actionShowHandExec->setIcon(iconOf(QStringLiteral("place_hand"), f.showHandExec));
    m_ui.actionShowMachineExec->setIcon(iconOf(QStringLiteral("place_machine"), f.showMachineExec));
    m_ui.actionShowTHTExec->setIcon(iconOf(QStringLiteral("place_tht"), f.showThtExec));
    m_ui.actionShow_Placed->setIcon(iconOf(QStringLiteral("placed"), f.showPlaced));
    m_ui.actionShow_RefDes->setIcon(iconOf(QStringLiteral("showRefDes"), f.showRefDes));
    m_ui.actionShow_Drawings->setIcon(iconOf(QStringLiteral("draw"), f.showDrawings));
    const QIcon check = iconOf(QStringLiteral("check"), true);
    m_ui.actionPick_and_Place_view->setIcon(f.showPickAndPlace ? check : QIcon());
    m_ui.actionGrid->setIcon(state.gridShown ? check : QIcon());
    m_ui.actionFast_Rendering->setIcon(state.fastRendering ? check : QIcon());
}

void ToolActions::refreshLayerIcons()
{
    for (const LayerToggle& t : layerToggles) {
        if (QAction* a = m_window.findChild<QAction*>(QLatin1String(t.action)))
            a->setIcon(iconOf(QLatin1String(t.icon), m_view.layerVisible(t.slot)));
    }
}

BoardTools& ToolActions::boardTools()
{
    if (!m_tools)
        m_tools = std::make_unique<BoardTools>(m_view.document(), m_view.viewState(), m_view.overlays());
    return *m_tools;
}

void ToolActions::reset()
{
    m_tools.reset();
}

bool ToolActions::press(QMouseEvent* event)
{
    const QPoint at = m_view.mapFrom(&m_window, event->pos());
    if (!m_view.rect().contains(at) || m_view.interactionBlocked())
        return false;
    m_view.setCentreOnSelection(false);
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) || m_view.ctrlHeld();
    applyResponse(boardTools().press(at, m_view.height(), event->button(), ctrl, m_drawingsColor), event);
    return true;
}

void ToolActions::move(QMouseEvent* event)
{
    if (toolDragsAcrossView(m_view.toolMode()) && (event->buttons() & Qt::LeftButton))
        m_mouseDragging = true;
    if (!m_tools || !m_tools->dragging())
        return;
    applyResponse(m_tools->move(m_view.mapFrom(&m_window, event->pos()), m_view.height()), event);
}

void ToolActions::release(QMouseEvent* event)
{
    if (!m_tools)
        return;
    applyResponse(
        m_tools->release(m_view.mapFrom(&m_window, event->pos()), m_view.height(), event->button()), event);
}

void ToolActions::followCursor()
{
    if (m_tools && m_tools->dragging())
        applyResponse(m_tools->move(m_view.mapFromGlobal(QCursor::pos()), m_view.height()), nullptr);
}

void ToolActions::applyResponse(const ToolResponse& r, QMouseEvent* event)
{
    if (r.cursor == ToolResponse::Cursor::ClosedHand)
        m_view.setCursor(Qt::ClosedHandCursor);
    else if (r.cursor == ToolResponse::Cursor::Normal)
        m_view.unsetCursor();
    if (r.newOrigin)
        m_board.setOriginAt(*r.newOrigin);
    if (r.documentChanged)
        m_tables.rebuildTables();
    if (r.fiducialsChanged)
        m_board.fillFiducialFields();
    // Rebuilt tables show no selection until they are told it again.
    if (r.selectionChanged || r.documentChanged)
        m_tables.showViewSelection();
    if (r.repaint)
        m_view.update();
    if (r.askText)
        askDrawingText();
    if (r.contextMenu && event)
        m_tables.viewContextMenu()->popup(event->globalPos());
}

void ToolActions::askDrawingText()
{
    insert_text_dlg dialog(&m_window);
    const bool accepted = prompt().exec(&dialog) == QDialog::Accepted;
    const QString text = dialog.text();
    const QFont font = dialog.selectedFont();
    const int size = dialog.textSize();
    // The text's box in mm: it is drawn with a pixel size of size × zoom / 10.
    QFont measured = font;
    measured.setPixelSize(qMax(1, size));
    const QFontMetricsF metrics(measured);
    const QSizeF extent(metrics.horizontalAdvance(text) / 10.0, metrics.ascent() / 10.0);
    applyResponse(boardTools().finishText(accepted, text, font, size, extent), nullptr);
    selectTool(ToolMode::SetNewPosition);
}

bool ToolActions::keyPress(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Control) {
        if (!event->isAutoRepeat())
            qDebug() << "ctrl pressed";
        m_view.setCtrlHeld(true);
        return true;
    }
    if (m_view.toolMode() == ToolMode::Movement && !m_view.interactionBlocked()) {
        const int key = event->key();
        const int dx = key == Qt::Key_Right ? 1 : key == Qt::Key_Left ? -1 : 0;
        const int dy = key == Qt::Key_Up ? 1 : key == Qt::Key_Down ? -1 : 0;
        if (dx != 0 || dy != 0) {
            applyResponse(boardTools().arrowKey(dx, dy), nullptr);
            return true;
        }
    }
    return false;
}

bool ToolActions::keyRelease(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Control) {
        if (!event->isAutoRepeat())
            qDebug() << "ctrl release";
        m_view.setCtrlHeld(false);
        return true;
    }
    return false;
}

void ToolActions::tickEdgeScrolling()
{
    if (!toolDragsAcrossView(m_view.toolMode()) || !m_mouseDragging)
        return;
    const QPoint p = m_view.mapFromGlobal(QCursor::pos());
    if (p.x() >= m_view.width() - 25)
        m_view.viewState().offsetX -= 10;
    else if (p.x() <= 25)
        m_view.viewState().offsetX += 10;
    if (p.y() >= m_view.height() - 25)
        m_view.viewState().offsetY += 10;
    else if (p.y() <= 25)
        m_view.viewState().offsetY -= 10;
    followCursor();
    m_view.update();
}
