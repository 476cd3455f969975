#include "app/boardpanel.h"

#include "app/placementtables.h"
#include "board/boardtransform.h"
#include "board/fiducialedit.h"
#include "board/originstable.h"
#include "board/panel.h"
#include "board/ui/convert_pnp_to_fid_dlg.h"
#include "board/ui/origingenerator.h"
#include "board/ui/panelize_dlg.h"
#include "board/ui/rotate_dlg.h"
#include "board/ui/rotate_doc_dlg.h"
#include "board/ui/shiftpnp.h"
#include "gerber/gerberlayer.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "view/ui/darstellg.h"

#include <QDebug>
#include <QHeaderView>
#include <cmath>

namespace {

const QString errorTitle = QStringLiteral("Error");

} // namespace

BoardPanel::BoardPanel(Ui::MainWindow& ui, Darstellg& view, PlacementTables& tables, QWidget& window)
    : m_ui(ui)
    , m_view(view)
    , m_tables(tables)
    , m_window(window)
{
    connectWidgets();
}

void BoardPanel::connectWidgets()
{
    connect(m_ui.actionRotate, &QAction::triggered, this, [this] { boardTransform(true); });
    connect(m_ui.actionMirror, &QAction::triggered, this, [this] { boardTransform(false); });
    connect(m_ui.actionShiftX, &QAction::triggered, this, [this] { shiftAsked(true, false); });
    connect(m_ui.actionShiftY, &QAction::triggered, this, [this] { shiftAsked(false, false); });
    connect(m_ui.actionRotation, &QAction::triggered, this, &BoardPanel::rotationAsked);
    connect(m_ui.actionGenerate_origin, &QAction::triggered, this, &BoardPanel::generateOriginsAsked);
    connect(m_ui.actionPanelize, &QAction::triggered, this, &BoardPanel::panelizeAsked);

    QTableWidget* origins = m_ui.OriginsTable;
    origins->setHorizontalHeaderLabels({ QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Exec") });
    connect(origins, &QTableWidget::cellChanged, this, &BoardPanel::originsCellChanged);

    // Filling the fields blocks their signals, so only the user's edits arrive here.
    using FiducialEdit::Field;
    const std::pair<QDoubleSpinBox*, Field> spins[]
        = { { m_ui.FiducialBoard1X, Field::Board1X }, { m_ui.FiducialBoard1Y, Field::Board1Y },
              { m_ui.FiducialBoard2X, Field::Board2X }, { m_ui.FiducialBoard2Y, Field::Board2Y },
              { m_ui.FiducialBlock1X, Field::Block1X }, { m_ui.FiducialBlock1Y, Field::Block1Y },
              { m_ui.FiducialBlock2X, Field::Block2X }, { m_ui.FiducialBlock2Y, Field::Block2Y },
              { m_ui.FiducialGeometryX, Field::GeometryX }, { m_ui.FiducialGeometryY, Field::GeometryY } };
    for (const auto& [box, field] : spins) {
        const Field f = field;
        connect(box, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, [this, f](double v) {
            FiducialEdit::setValue(m_view.document(), f, v);
            fiducialsEdited();
        });
    }
    connect(m_ui.FiducialBoardExec, &QCheckBox::clicked, this, [this](bool on) {
        FiducialEdit::setBoardExec(m_view.document(), on);
        fiducialsEdited();
    });
    connect(m_ui.FiducialBlockExec, &QCheckBox::clicked, this, [this](bool on) {
        FiducialEdit::setBlockExec(m_view.document(), on);
        fiducialsEdited();
    });
    connect(m_ui.FiducialGeometrySquareCircle, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        [this](int index) {
            FiducialEdit::setGeometryIndex(m_view.document(), index);
            m_ui.FiducialGeometryY->setEnabled(index != Fiducials::Circle);
            fiducialsEdited();
        });
    connect(m_ui.FiducialGeometryReflect, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        [this](int index) {
            FiducialEdit::setReflectIndex(m_view.document(), index);
            fiducialsEdited();
        });
}

void BoardPanel::fiducialsEdited()
{
    m_window.update();
    m_view.update();
}

// ---- the end of every transform

void BoardPanel::transformDone(const QList<GerberLayer*>& changed)
{
    // Only layers whose image moved are rendered again.
    for (GerberLayer* layer : changed)
        m_view.layerImageChanged(layer);
    m_view.document().setModified(true);
    fillBoardInfoFields();
    fillFiducialFields();
    buildOriginsTable();
    m_tables.rebuildTables();
}

void BoardPanel::boardTransform(bool rotate)
{
    BoardTransform::RotateOptions options;
    if (rotate) {
        Rotate_doc_dlg dialog(&m_window);
        if (prompt().exec(&dialog) != QDialog::Accepted)
            return;
        options = dialog.options();
    }
    // A render thread still reading a layer must finish before its image changes.
    m_view.waitForRenders();
    EditGroup step(
        m_view.document(), rotate ? QStringLiteral("Rotate Board") : QStringLiteral("Mirror Board"));
    m_view.setLoading(true);
    m_view.showSteps(1);
    Document& doc = m_view.document();
    const BoardTransform::ChangedLayers changed = rotate
        ? BoardTransform::rotateBoard(doc, m_view.layers(), options)
        : BoardTransform::mirrorBoard(doc, m_view.layers());
    if (!doc.gerberMode() && !changed.isEmpty())
        qDebug() << (doc.activeSideIsTop() ? "interpret Top" : "interpret Bottom");
    m_view.hideSteps();
    m_view.setLoading(false);
    transformDone(changed);
}

void BoardPanel::shiftAsked(bool alongX, bool selectedOnly)
{
    const BoardTransform::Axis axis = alongX ? BoardTransform::Axis::X : BoardTransform::Axis::Y;
    ShiftPnP dialog(axis, &m_window);
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return;
    Document& doc = m_view.document();
    EditGroup step(doc, QStringLiteral("Pick-and-Place Shift"));
    const QList<PnPEntry*> entries = selectedOnly ? doc.selectedEntries() : doc.currentList();
    if (BoardTransform::shiftEntries(doc, entries, axis, dialog.value()))
        m_tables.rebuildTables();
}

void BoardPanel::rotationAsked()
{
    Rotate_dlg dialog(&m_window);
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return;
    EditGroup step(m_view.document(), QStringLiteral("Rotation"));
    if (BoardTransform::rotatePlacements(m_view.document(), dialog.angle()))
        m_tables.rebuildTables();
}

void BoardPanel::turnSelection(double degrees)
{
    EditGroup step(m_view.document(), QStringLiteral("Rotate %n placements"));
    BoardTransform::turnSelected(m_view.document(), degrees);
    m_tables.rebuildTables();
}

// ---- panels

void BoardPanel::generateOriginsAsked()
{
    Document& doc = m_view.document();
    OriginGenerator dialog(Panel::generatorPreset(doc), doc.activeSideIsTop(), &m_window);
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return;
    EditGroup step(doc, QStringLiteral("Generate Origin"));
    const Panel::Outcome outcome
        = Panel::applyGenerator(doc, dialog.values(), dialog.side(), dialog.generateBoardSize());
    if (!outcome.ok) {
        prompt().warning(&m_window, errorTitle, outcome.message);
        return;
    }
    fillBoardInfoFields();
    buildOriginsTable();
    m_view.update();
}

void BoardPanel::panelizeAsked()
{
    Document& doc = m_view.document();
    Panelize_dlg dialog(Panel::panelizePreset(doc), &m_window);
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return;
    m_view.waitForRenders();
    EditGroup step(doc, QStringLiteral("Panelize"));
    const Panel::Outcome outcome = Panel::panelize(doc, m_view.layers(), dialog.request());
    if (!outcome.ok) {
        prompt().warning(&m_window, errorTitle, outcome.message);
        return;
    }
    // In Gerber mode the layers now repeat: their rasters are drawn again.
    BoardTransform::ChangedLayers changed;
    if (doc.gerberMode())
        for (GerberLayer* layer : m_view.layers().list(LayerList::GerberMode))
            if (layer && (!layer->objects().isEmpty() || !layer->regionPolygons().isEmpty()))
                changed.append(layer);
    transformDone(changed);
}

// ---- origins table

void BoardPanel::buildOriginsTable()
{
    QTableWidget* table = m_ui.OriginsTable;
    const bool blocked = table->blockSignals(true);
    table->clearContents();
    // X and Y share the narrow panel; Exec takes what its digit needs, so all three stay in view.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    const Origins origins = m_view.document().origins();
    // One empty row more: typing a position there adds an origin.
    table->setRowCount(origins.size() + 1);
    for (int row = 0; row < origins.size(); ++row) {
        const QStringList texts = OriginsTable::rowTexts(origins.at(row));
        for (int column = 0; column < texts.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(texts.at(column)));
    }
    table->blockSignals(blocked);
}

void BoardPanel::originsCellChanged(int row, int column)
{
    const QTableWidgetItem* item = m_ui.OriginsTable->item(row, column);
    EditGroup step(m_view.document(), QStringLiteral("Edit Origins"));
    const OriginsTable::CellEdit edit
        = OriginsTable::editCell(m_view.document(), row, column, item ? item->text() : QString());
    if (!edit.title.isEmpty())
        prompt().warning(&m_window, edit.title, edit.message);
    // Rebuilt from the document: a refused text gives way to the stored value (also when the
    // cell was typed into without a double click first).
    buildOriginsTable();
    m_view.update();
}

// ---- fiducials

void BoardPanel::convertToFiducial(int target)
{
    if (target < 1 || target > 4)
        return;
    const auto kind = FiducialEdit::Kind(target);
    Document& doc = m_view.document();
    if (doc.selectedEntries().isEmpty())
        return;
    QPointF offset;
    if (FiducialEdit::isBoardKind(kind)) {
        const Origins origins = doc.origins();
        convert_pnp_to_fid_dlg dialog(origins, &m_window);
        if (prompt().exec(&dialog) != QDialog::Accepted)
            return;
        offset = FiducialEdit::offsetOfChoice(origins, dialog.choice());
    }
    EditGroup step(doc, QStringLiteral("Convert to Fiducial"));
    if (!FiducialEdit::convertSelected(doc, kind, offset))
        return;
    m_tables.forgetRows();
    fillFiducialFields();
    m_tables.rebuildTables();
}

void BoardPanel::fillBoardInfoFields()
{
    const BoardInfo& info = *m_view.document().boardInfo();
    m_ui.boardName->setText(Document::boardFieldText(info, BoardField::Name));
    m_ui.boardWidth->setText(Document::boardFieldText(info, BoardField::Width));
    m_ui.boardHeight->setText(Document::boardFieldText(info, BoardField::Height));
    m_ui.boardDepth->setText(Document::boardFieldText(info, BoardField::Depth));
    m_ui.boardOriginX->setText(Document::boardFieldText(info, BoardField::OriginX));
    m_ui.boardOriginY->setText(Document::boardFieldText(info, BoardField::OriginY));
    m_ui.boardComment->setText(Document::boardFieldText(info, BoardField::Comment));
}

void BoardPanel::fillFiducialFields()
{
    // Filling shows stored values; it is not an edit of them.
    const Fiducials& f = *m_view.document().fiducials();
    const struct
    {
        QDoubleSpinBox* box;
        double value;
    } spins[] = { { m_ui.FiducialBoard1X, f.board1X() }, { m_ui.FiducialBoard1Y, f.board1Y() },
        { m_ui.FiducialBoard2X, f.board2X() }, { m_ui.FiducialBoard2Y, f.board2Y() },
        { m_ui.FiducialBlock1X, f.block1X() }, { m_ui.FiducialBlock1Y, f.block1Y() },
        { m_ui.FiducialBlock2X, f.block2X() }, { m_ui.FiducialBlock2Y, f.block2Y() },
        { m_ui.FiducialGeometryX, f.geometryX() }, { m_ui.FiducialGeometryY, f.geometryY() } };
    for (const auto& s : spins) {
        const bool blocked = s.box->blockSignals(true);
        s.box->setValue(s.value);
        s.box->blockSignals(blocked);
    }
    for (QWidget* w : std::initializer_list<QWidget*> { m_ui.FiducialBoardExec, m_ui.FiducialBlockExec,
             m_ui.FiducialGeometrySquareCircle, m_ui.FiducialGeometryReflect })
        w->blockSignals(true);
    m_ui.FiducialBoardExec->setChecked(f.boardExec());
    m_ui.FiducialBlockExec->setChecked(f.blockExec());
    m_ui.FiducialGeometrySquareCircle->setCurrentIndex(f.geometryIndex());
    m_ui.FiducialGeometryReflect->setCurrentIndex(f.reflectIndex());
    m_ui.FiducialGeometryY->setEnabled(f.geometryIndex() != 0);
    for (QWidget* w : std::initializer_list<QWidget*> { m_ui.FiducialBoardExec, m_ui.FiducialBlockExec,
             m_ui.FiducialGeometrySquareCircle, m_ui.FiducialGeometryReflect })
        w->blockSignals(false);
}

void BoardPanel::boardFieldEdited(int fieldIndex)
{
    const auto field = static_cast<BoardField>(fieldIndex);
    QLineEdit* const fields[] = { m_ui.boardName, m_ui.boardWidth, m_ui.boardHeight, m_ui.boardDepth,
        m_ui.boardOriginX, m_ui.boardOriginY, m_ui.boardComment };
    QLineEdit* edit = fields[fieldIndex];
    EditGroup step(m_view.document(), QStringLiteral("Edit Board Data"));
    const BoardFieldEdit result = m_view.document().editBoardField(field, edit->text());
    if (!result.accepted)
        prompt().warning(&m_window, Document::invalidInputTitle(), Document::invalidInputText());
    edit->setText(result.text);
    if (result.accepted && (field == BoardField::OriginX || field == BoardField::OriginY))
        m_tables.createLists();
    m_view.update();
}

void BoardPanel::setOriginAt(const QPointF& point)
{
    // A layer that a render thread still reads must not change under it: the click waits for
    // the renders, as rotating and mirroring do, rather than being dropped.
    m_view.waitForRenders();
    Document& doc = m_view.document();
    EditGroup step(doc, QStringLiteral("Set New Origin"));
    const std::optional<BoardTransform::ChangedLayers> changed
        = BoardTransform::setNewOrigin(doc, m_view.layers(), point.x(), point.y());
    if (!changed)
        return;
    // The board stays where it is on screen; the coordinate cross moves to the clicked point.
    ViewState& state = m_view.viewState();
    state.offsetX += int(std::lround(state.zoomLevel * BoardTransform::truncateToHundredth(point.x())));
    state.offsetY -= int(std::lround(state.zoomLevel * BoardTransform::truncateToHundredth(point.y())));
    qDebug() << (m_view.document().activeSideIsTop() ? "interpret Top" : "interpret Bottom");
    for (GerberLayer* layer : *changed)
        m_view.layerImageChanged(layer);
    m_tables.rebuildTables();
    fillFiducialFields();
    m_view.update();
}
