#include "gerber/ui/gerbertable.h"

#include "gerber/gerberlayer.h"
#include "gerber/layerset.h"
#include "model/fileio.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

namespace {

const char* const rowProperty = "row";

// The local files a drag carries.
QStringList localFiles(const QMimeData* mime)
{
    return mime ? FileIo::localPaths(mime->urls()) : QStringList();
}

} // namespace

GerberTable::GerberTable(QWidget* parent)
    : QTableWidget(parent)
{
    setColumnCount(5);
    setHorizontalHeaderLabels(
        { QStringLiteral("#"), QString(), QStringLiteral("Name"), QString(), QString() });
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setColumnWidth(NumberColumn, 32);
    setColumnWidth(ColourColumn, 20);
    setColumnWidth(NameColumn, 110);
    setColumnWidth(VisibleColumn, 24);
    setColumnWidth(LoadColumn, 36);
    buildMenu();
}

void GerberTable::buildMenu()
{
    m_menu = new QMenu(this);
    m_menu->addAction(QStringLiteral("remove"), this, &GerberTable::removeEntryGerber);
    m_menu->addAction(QStringLiteral("export"), this, &GerberTable::exportGerber);
    QMenu* moveTo = m_menu->addMenu(QStringLiteral("Move to"));
    QMenu* top = moveTo->addMenu(QStringLiteral("top"));
    QMenu* bottom = moveTo->addMenu(QStringLiteral("bottom"));
    using Slot = void (GerberTable::*)();
    const struct
    {
        const char* text;
        Slot topSlot;
        Slot bottomSlot;
    } entries[] = { { "Drill", &GerberTable::topDrill, &GerberTable::bottomDrill },
        { "Outline", &GerberTable::topOutline, &GerberTable::bottomOutline },
        { "Silk", &GerberTable::topSilk, &GerberTable::bottomSilk },
        { "Assy", &GerberTable::topAssy, &GerberTable::bottomAssy },
        { "Paste", &GerberTable::topPaste, &GerberTable::bottomPaste },
        { "Mask", &GerberTable::topMask, &GerberTable::bottomMask },
        { "Signal", &GerberTable::topSignal, &GerberTable::bottomSignal } };
    for (const auto& e : entries) {
        top->addAction(QLatin1String(e.text), this, e.topSlot);
        bottom->addAction(QLatin1String(e.text), this, e.bottomSlot);
    }
}

void GerberTable::buildRows(int count)
{
    setRowCount(count);
    for (int row = 0; row < count; ++row) {
        auto* number = new QTableWidgetItem(QString::number(row + 1));
        number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(row, NumberColumn, number);
        auto* colour = new QLabel;
        // Double clicks reach the table, which opens the colour dialog.
        colour->setAttribute(Qt::WA_TransparentForMouseEvents);
        setCellWidget(row, ColourColumn, colour);
        setItem(row, NameColumn, new QTableWidgetItem);
        auto* visible = new QCheckBox;
        visible->setProperty(rowProperty, row);
        connect(
            visible, &QCheckBox::toggled, this, [this, row](bool on) { emit rowVisibilityToggled(row, on); });
        setCellWidget(row, VisibleColumn, visible);
        auto* load = new QPushButton(QStringLiteral("..."));
        load->setProperty(rowProperty, row);
        connect(load, &QPushButton::clicked, this, [this, row] { emit loadRowPressed(row); });
        setCellWidget(row, LoadColumn, load);
    }
}

void GerberTable::refresh(const QList<GerberLayer*>& rows)
{
    const QSignalBlocker block(this);
    if (rowCount() != rows.size())
        buildRows(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        const GerberLayer* layer = rows.at(row);
        static_cast<QLabel*>(cellWidget(row, ColourColumn))
            ->setStyleSheet(
                QStringLiteral("QLabel { background-color: ") + layer->color.name() + QStringLiteral("; }"));
        item(row, NameColumn)->setText(layer->fileName);
        auto* visible = static_cast<QCheckBox*>(cellWidget(row, VisibleColumn));
        const QSignalBlocker quiet(visible);
        visible->setChecked(layer->visible);
    }
}

// ---- context menu slots

void GerberTable::requestMove(bool top, int slot)
{
    (top ? moveToTopRequested : moveToBottomRequested) = true;
    targetSlot = slot;
    sourceRow = currentRow();
    clearSelection();
}

void GerberTable::topDrill()
{
    requestMove(true, slotIndex(LayerSlot::Drill));
}
void GerberTable::topOutline()
{
    requestMove(true, slotIndex(LayerSlot::BoardOutline));
}
void GerberTable::topSilk()
{
    requestMove(true, slotIndex(LayerSlot::Silk));
}
void GerberTable::topAssy()
{
    requestMove(true, slotIndex(LayerSlot::Assy));
}
void GerberTable::topPaste()
{
    requestMove(true, slotIndex(LayerSlot::Paste));
}
void GerberTable::topMask()
{
    requestMove(true, slotIndex(LayerSlot::Mask));
}
void GerberTable::topSignal()
{
    requestMove(true, slotIndex(LayerSlot::Signal));
}
void GerberTable::bottomDrill()
{
    requestMove(false, slotIndex(LayerSlot::Drill));
}
void GerberTable::bottomOutline()
{
    requestMove(false, slotIndex(LayerSlot::BoardOutline));
}
void GerberTable::bottomSilk()
{
    requestMove(false, slotIndex(LayerSlot::Silk));
}
void GerberTable::bottomAssy()
{
    requestMove(false, slotIndex(LayerSlot::Assy));
}
void GerberTable::bottomPaste()
{
    requestMove(false, slotIndex(LayerSlot::Paste));
}
void GerberTable::bottomMask()
{
    requestMove(false, slotIndex(LayerSlot::Mask));
}
void GerberTable::bottomSignal()
{
    requestMove(false, slotIndex(LayerSlot::Signal));
}

void GerberTable::removeEntryGerber()
{
    removeRequested = true;
    sourceRow = currentRow();
    clearSelection();
}

void GerberTable::exportGerber()
{
    exportRequested = true;
    sourceRow = currentRow();
    clearSelection();
}

void GerberTable::panelizeGerber()
{
    // The main window asks for the panel (its dialog belongs to the panel operations).
    panelizeRequested = true;
    sourceRow = currentRow();
    clearSelection();
}

// ---- mouse and drops

void GerberTable::mouseReleaseEvent(QMouseEvent* event)
{
    QTableWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && !selectedItems().isEmpty())
        m_menu->popup(event->globalPos());
}

void GerberTable::dragEnterEvent(QDragEnterEvent* event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void GerberTable::dragMoveEvent(QDragMoveEvent* event)
{
    dropRow = rowAt(event->pos().y());
    if (dropRow >= 0)
        selectRow(dropRow);
    event->acceptProposedAction();
}

void GerberTable::dragLeaveEvent(QDragLeaveEvent* event)
{
    dropRow = -1;
    clearSelection();
    event->accept();
}

void GerberTable::dropEvent(QDropEvent* event)
{
    const int row = rowAt(event->pos().y());
    if (row >= 0)
        selectRow(row);
    dropRow = row;
    droppedFiles = localFiles(event->mimeData());
    filesDropped = !droppedFiles.isEmpty();
    event->acceptProposedAction();
}
