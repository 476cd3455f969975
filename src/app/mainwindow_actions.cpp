// The tool and view-toggle entries, the board data fields and the colour boxes.
#include "app/mainwindow.h"

#include "app/prompt.h"
#include "ui_mainwindow.h"
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
    if ((mode == ToolMode::MultipleSelection || mode == ToolMode::RotateSelection) && m_view->gerberMode()) {
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

// ---- board fields and colour boxes

void MainWindow::fillBoardInfoFields()
{
    const BoardInfo& info = *m_view->document().boardInfo();
    m_ui->boardName->setText(Document::boardFieldText(info, BoardField::Name));
    m_ui->boardWidth->setText(Document::boardFieldText(info, BoardField::Width));
    m_ui->boardHeight->setText(Document::boardFieldText(info, BoardField::Height));
    m_ui->boardDepth->setText(Document::boardFieldText(info, BoardField::Depth));
    m_ui->boardOriginX->setText(Document::boardFieldText(info, BoardField::OriginX));
    m_ui->boardOriginY->setText(Document::boardFieldText(info, BoardField::OriginY));
    m_ui->boardComment->setText(Document::boardFieldText(info, BoardField::Comment));
}

void MainWindow::fillFiducialFields()
{
    // Filling shows stored values; it is not an edit of them.
    const Fiducials& f = *m_view->document().fiducials();
    const struct
    {
        QDoubleSpinBox* box;
        double value;
    } spins[] = { { m_ui->FiducialBoard1X, f.board1X() }, { m_ui->FiducialBoard1Y, f.board1Y() },
        { m_ui->FiducialBoard2X, f.board2X() }, { m_ui->FiducialBoard2Y, f.board2Y() },
        { m_ui->FiducialBlock1X, f.block1X() }, { m_ui->FiducialBlock1Y, f.block1Y() },
        { m_ui->FiducialBlock2X, f.block2X() }, { m_ui->FiducialBlock2Y, f.block2Y() },
        { m_ui->FiducialGeometryX, f.geometryX() }, { m_ui->FiducialGeometryY, f.geometryY() } };
    for (const auto& s : spins) {
        const bool blocked = s.box->blockSignals(true);
        s.box->setValue(s.value);
        s.box->blockSignals(blocked);
    }
    for (QWidget* w : std::initializer_list<QWidget*> { m_ui->FiducialBoardExec, m_ui->FiducialBlockExec,
             m_ui->FiducialGeometrySquareCircle, m_ui->FiducialGeometryReflect })
        w->blockSignals(true);
    m_ui->FiducialBoardExec->setChecked(f.boardExec());
    m_ui->FiducialBlockExec->setChecked(f.blockExec());
    m_ui->FiducialGeometrySquareCircle->setCurrentIndex(f.geometryIndex());
    m_ui->FiducialGeometryReflect->setCurrentIndex(f.reflectIndex());
    m_ui->FiducialGeometryY->setEnabled(f.geometryIndex() != 0);
    for (QWidget* w : std::initializer_list<QWidget*> { m_ui->FiducialBoardExec, m_ui->FiducialBlockExec,
             m_ui->FiducialGeometrySquareCircle, m_ui->FiducialGeometryReflect })
        w->blockSignals(false);
}

void MainWindow::boardFieldEdited(int fieldIndex)
{
    const auto field = static_cast<BoardField>(fieldIndex);
    QLineEdit* const fields[] = { m_ui->boardName, m_ui->boardWidth, m_ui->boardHeight, m_ui->boardDepth,
        m_ui->boardOriginX, m_ui->boardOriginY, m_ui->boardComment };
    QLineEdit* edit = fields[fieldIndex];
    const BoardFieldEdit result = m_view->document().editBoardField(field, edit->text());
    if (!result.accepted)
        prompt().warning(this, Document::invalidInputTitle(), Document::invalidInputText());
    edit->setText(result.text);
    if (result.accepted && (field == BoardField::OriginX || field == BoardField::OriginY))
        createLists();
    m_view->update();
}

void MainWindow::on_boardName_editingFinished()
{
    boardFieldEdited(int(BoardField::Name));
}
void MainWindow::on_boardWidth_editingFinished()
{
    boardFieldEdited(int(BoardField::Width));
}
void MainWindow::on_boardHeight_editingFinished()
{
    boardFieldEdited(int(BoardField::Height));
}
void MainWindow::on_boardDepth_editingFinished()
{
    boardFieldEdited(int(BoardField::Depth));
}
void MainWindow::on_boardOriginX_editingFinished()
{
    boardFieldEdited(int(BoardField::OriginX));
}
void MainWindow::on_boardOriginY_editingFinished()
{
    boardFieldEdited(int(BoardField::OriginY));
}
void MainWindow::on_boardComment_editingFinished()
{
    boardFieldEdited(int(BoardField::Comment));
}

void MainWindow::on_BoardColorBox_currentIndexChanged(int index)
{
    m_view->setBoardColorIndex(index);
}

void MainWindow::on_SilkColorBox_currentIndexChanged(int index)
{
    m_view->setSilkColorIndex(index);
}
