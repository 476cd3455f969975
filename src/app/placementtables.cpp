// Building the placement and part tables, their selection, cell edits and sorting.
#include "app/placementtables.h"

#include "app/feederpanel.h"
#include "board/boardtransform.h"
#include "line/feederlist.h"
#include "settings/placementsearch.h"
#include "settings/ui/search_dlg.h"
#include "tables/partgroups.h"
#include "tables/placementedit.h"
#include "tables/placementtext.h"
#include "tables/ui/labelprint.h"
#include "tables/ui/new_pnp_dlg.h"
#include "tables/ui/partlist.h"
#include "tables/ui/pnplist.h"
#include "tables/ui/tablemenus.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "uikit/tablecolumns.h"
#include "uikit/textwidths.h"
#include "view/selectionhits.h"
#include "view/toolgeometry.h"
#include "view/ui/darstellg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QSignalBlocker>
#include <array>
#include <utility>

namespace {

const QColor machineText(Qt::white);
const QColor otherMachineText(96, 96, 96);
// Milliseconds between two progress passes of a table build.
constexpr qint64 progressInterval = 50;

// Makes the placement table's cells. Most columns repeat a few texts (values, names, sides,
// angles, small numbers): their cells are clones of one item per text and colour, which share
// its data until a cell is edited; that saves an allocation and the text per cell. Columns of
// mostly unique texts get plain items, and a column stops sharing once it has met many texts.
class CellItems
{
public:
    // With `coloured`, every cell gets the text colour the machine selector gives it (so that
    // the selector finds it set and leaves the shared data alone); without, only dimmed cells.
    CellItems(const QBrush& dimmedText, const QBrush& machineText, bool coloured)
        : m_dimmedText(dimmedText)
        , m_machineText(machineText)
        , m_coloured(coloured)
    { }
    CellItems(const CellItems&) = delete;
    CellItems& operator=(const CellItems&) = delete;
    ~CellItems()
    {
        for (const auto& column : m_shared)
            qDeleteAll(column);
    }

    QTableWidgetItem* make(int column, const QString& text, bool dimmed)
    {
        if (!sharedColumn(column))
            return plain(text, dimmed);
        auto& prototypes = m_shared[size_t(2 * column + (dimmed ? 1 : 0))];
        auto it = prototypes.constFind(text);
        if (it == prototypes.constEnd()) {
            if (prototypes.size() >= maxShared)
                return plain(text, dimmed);
            it = prototypes.insert(text, plain(text, dimmed));
        }
        return it.value()->clone();
    }

private:
    static constexpr int maxShared = 4096;

    static bool sharedColumn(int column)
    {
        const auto c = PlacementColumn(column);
        return c != PlacementColumn::RefDes && c != PlacementColumn::X && c != PlacementColumn::Y;
    }

    QTableWidgetItem* plain(const QString& text, bool dimmed) const
    {
        auto* item = new QTableWidgetItem(text);
        if (dimmed)
            item->setForeground(m_dimmedText);
        else if (m_coloured)
            item->setForeground(m_machineText);
        return item;
    }

    QBrush m_dimmedText;
    QBrush m_machineText;
    bool m_coloured;
    std::array<QHash<QString, QTableWidgetItem*>, 2 * PlacementText::columnCount> m_shared;
};

} // namespace

PnPEntry* PlacementTables::placementOfRow(int row) const
{
    return row >= 0 && row < m_tableEntries.size() ? m_tableEntries.at(row) : nullptr;
}

// ---- building

void PlacementTables::connectSignals()
{
    if (m_signalsConnected)
        return;
    PNPlist* pnp = m_ui.pickandplacepositionen;
    Partlist* parts = m_ui.teile;
    connect(pnp, &QTableWidget::cellClicked, this, &PlacementTables::selectFromPlacementTable);
    connect(pnp, &QTableWidget::currentCellChanged, this, &PlacementTables::selectFromPlacementTable);
    connect(pnp, &QTableWidget::cellChanged, this, &PlacementTables::placementCellChanged);
    connect(parts, &QTableWidget::cellClicked, this, [this] {
        qDebug() << "Teil clicked";
        selectFromPartTable();
    });
    connect(parts, &QTableWidget::currentCellChanged, this, [this] {
        qDebug() << "Teil changed";
        selectFromPartTable();
    });
    connect(parts, &QTableWidget::cellChanged, this, &PlacementTables::partCellChanged);
    QTableWidget* feeders = m_ui.feeder_config;
    connect(feeders, &QTableWidget::cellDoubleClicked, &m_feeders, &FeederPanel::cellDoubleClicked);
    connect(feeders, &QTableWidget::cellClicked, &m_feeders, &FeederPanel::cellClicked);
    connect(feeders, &QTableWidget::currentCellChanged, &m_feeders,
        [this](int row, int column) { m_feeders.cellClicked(row, column); });
    connect(feeders, &QTableWidget::cellChanged, &m_feeders, &FeederPanel::cellChanged);
    m_signalsConnected = true;
}

void PlacementTables::disconnectSignals()
{
    if (!m_signalsConnected)
        return;
    disconnect(m_ui.pickandplacepositionen, nullptr, this, nullptr);
    disconnect(m_ui.teile, nullptr, this, nullptr);
    disconnect(m_ui.feeder_config, nullptr, &m_feeders, nullptr);
    m_signalsConnected = false;
}

void PlacementTables::createLists()
{
    qDebug() << "create lists";
    // The build shows progress and so processes events; a rebuild asked for meanwhile is
    // not dropped but runs once after this one, from the list as it is then.
    if (m_creatingLists) {
        m_listsPending = true;
        return;
    }
    m_creatingLists = true;
    do {
        m_listsPending = false;
        qDebug() << "- PnP";
        buildPlacementTable();
        qDebug() << "- Listen";
        buildPartTable();
        qDebug() << "- PnPsizes";
        m_feeders.updateBodySizes();
    } while (m_listsPending);
    m_creatingLists = false;
}

void PlacementTables::rebuildTables()
{
    const bool wasConnected = m_signalsConnected;
    disconnectSignals();
    createLists();
    if (wasConnected)
        connectSignals();
    m_view.update();
}

void PlacementTables::importPlacements(Import import, QString& lastDirectory)
{
    EditGroup step(m_view.document(), QString(), EditGroup::DocumentOnly);
    if (import(m_parent, m_view.document(), lastDirectory)) {
        disconnectSignals();
        createLists();
        connectSignals();
        m_view.fitIfBoardOutOfView();
    }
    m_view.update();
}

void PlacementTables::clear()
{
    m_ui.pickandplacepositionen->setRowCount(0);
    m_ui.teile->setRowCount(0);
}

void PlacementTables::buildPlacementTable()
{
    PNPlist* table = m_ui.pickandplacepositionen;
    // Rows are built from a copy of the list: whatever runs while events are processed
    // cannot change what is being shown.
    m_tableEntries = m_view.document().currentList();
    const int count = m_tableEntries.size();
    // Clearing moves the current cell; nothing may react to a table that is half built.
    const QSignalBlocker quiet(table);
    table->setUpdatesEnabled(false);
    useFixedRowHeight(table);
    table->clear();
    table->setRowCount(count);
    table->setColumnCount(PlacementText::columnCount);
    QStringList headers;
    for (int c = 0; c < PlacementText::columnCount; ++c)
        headers.append(PlacementText::header(c));
    table->setHorizontalHeaderLabels(headers);

    // The progress passes repaint the view: it shows the layers it has rasters for and paints
    // none from its objects until the rows are in. The first pass is setting the bar (it
    // repaints at once when a render shows it), so this comes before.
    bool& rastersOnly = m_view.viewState().rastersOnly;
    const bool wasRastersOnly = std::exchange(rastersOnly, true);
    QProgressBar* bar = m_view.progressBar();
    bar->setRange(0, 2 * qMax(1, count));
    bar->setValue(count);
    bar->show();
    const int machine = m_ui.comboBox->currentIndex();
    const int line = m_ui.lineselect->currentIndex() + 1;
    CellItems cells { QBrush(otherMachineText), QBrush(machineText), machine >= 0 };
    // Measured while the texts are at hand: read back from 12 items a row, the cells would be
    // fetched from all over the heap again.
    TextWidths widths(table->font(), PlacementText::columnCount);
    widths.setEnough(TableColumns::maxFittedWidth - table->columns()->padding());
    // Item changes are not announced one by one: the view reads the cells once at the end.
    const bool blocked = table->model()->blockSignals(true);
    QElapsedTimer sinceEvents; // started at the first pass
    for (int row = 0; row < count; ++row) {
        const PnPEntry& e = *m_tableEntries.at(row);
        const bool dimmed = machine >= 0 && !(e.machine() == machine && e.line() == line)
            && !(e.machine() == 0 && machine == 0);
        for (int c = 0; c < PlacementText::columnCount; ++c) {
            const QString text = PlacementText::cell(e, c);
            widths.add(c, text);
            table->setItem(row, c, cells.make(c, text, dimmed));
        }
        // Progress every hundred rows, but after the first pass not more often than the eye
        // follows: each pass repaints the bar and the view under it.
        if (row % 100 == 99 && (!sinceEvents.isValid() || sinceEvents.elapsed() >= progressInterval)) {
            bar->setValue(count + row);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            sinceEvents.start();
        }
    }
    table->model()->blockSignals(blocked);
    // Widths the user dragged are kept; the others grow to the widest number now shown.
    table->columns()->fit(widths);
    table->setUpdatesEnabled(true);
    table->viewport()->update();
    bar->hide();
    rastersOnly = wasRastersOnly;
    if (!wasRastersOnly)
        m_view.update();
}

void PlacementTables::buildPartTable()
{
    const QSignalBlocker quiet(m_ui.teile);
    m_ui.teile->showRows(m_view.document().partList(m_view.partListFilter()));
    updateInfoCounters();
}

void PlacementTables::updateInfoCounters()
{
    const ExecCounts counts = m_view.document().execCounts();
    m_ui.gescnt->setText(QString::number(counts.total()));
    m_ui.exec0cnt->setText(QString::number(counts.notPlaced));
    m_ui.exec1cnt->setText(QString::number(counts.machine));
    m_ui.exec2cnt->setText(QString::number(counts.other));
    m_ui.exec3cnt->setText(QString::number(counts.tht));
}

// ---- machine selector

void PlacementTables::applyMachineSelector(int index)
{
    const int line = m_ui.lineselect->currentIndex() + 1;
    for (PnPEntry* e : m_view.document().currentList())
        e->setOnSelectedMachine(
            (e->machine() == index && e->line() == line) || (e->machine() == 0 && index == 0));
    PNPlist* table = m_ui.pickandplacepositionen;
    const bool blocked = table->blockSignals(true);
    for (int row = 0; row < table->rowCount(); ++row) {
        const PnPEntry* e = placementOfRow(row);
        const QBrush brush = e && e->onSelectedMachine() ? QBrush(machineText) : QBrush(otherMachineText);
        // Setting even the same colour would copy a cell's data that it shares with others.
        for (int c = 0; c < table->columnCount(); ++c)
            if (QTableWidgetItem* item = table->item(row, c); item && item->foreground() != brush)
                item->setForeground(brush);
    }
    table->blockSignals(blocked);
    m_view.update();
    m_feeders.rebuildFeederList();
}

void PlacementTables::machineSelected(int index)
{
    // The machine left behind keeps its list; the project's rows follow every switch.
    m_feeders.storeFeederLists();
    applyMachineSelector(index);
}

// ---- selection

void PlacementTables::selectPlacementRows()
{
    m_view.document().clearSelection();
    for (int row : m_ui.pickandplacepositionen->selectedRowNumbers())
        if (PnPEntry* e = placementOfRow(row))
            e->setSelected(true);
    m_view.update();
}

void PlacementTables::selectFromPlacementTable()
{
    m_view.setCentreOnSelection(true);
    qDebug() << "PnP wählen";
    const QList<int> rows = m_ui.pickandplacepositionen->selectedRowNumbers();
    if (rows.size() == 1)
        m_view.setLastCentredIndex(-1);
    m_ui.feeder_config->clearSelection();
    m_ui.teile->clearSelection();
    m_view.document().clearSelection();
    QSet<QString> keys;
    QSet<QString> feederKeys;
    for (int row : rows) {
        if (PnPEntry* e = placementOfRow(row)) {
            e->setSelected(true);
            keys.insert(PartGroups::keyOf(*e));
            feederKeys.insert(FeederList::partKey(e->name(), e->value()));
        }
    }
    qDebug() << "- Feeder";
    m_ui.feeder_config->selectPartTypes(m_feeders.shownFeeders(), feederKeys);
    qDebug() << "- Liste";
    const QList<int> partRows = m_ui.teile->rowsOfKeys(keys);
    m_ui.teile->selectRows(partRows);
    if (!partRows.isEmpty())
        m_ui.teile->scrollToItem(m_ui.teile->item(partRows.first(), 0));
    m_view.update();
}

void PlacementTables::selectFromPartTable()
{
    m_view.setCentreOnSelection(false);
    qDebug() << "teile wählen";
    m_view.document().clearSelection();
    const QSet<QString> keys = m_ui.teile->selectedKeys();
    qDebug() << (keys.size() == 1 ? "aktiv setzen einzelauswahl" : "aktiv setzen mehrfachauswahl");
    const PartListFilter filter = m_view.partListFilter();
    QList<int> rows;
    for (int row = 0; row < m_tableEntries.size(); ++row) {
        PnPEntry* e = m_tableEntries.at(row);
        if (filter.shows(*e) && keys.contains(PartGroups::keyOf(*e))) {
            e->setSelected(true);
            rows.append(row);
        }
    }
    m_ui.pickandplacepositionen->selectRows(rows);
    if (!rows.isEmpty())
        m_ui.pickandplacepositionen->scrollToItem(m_ui.pickandplacepositionen->item(rows.first(), 0));
    m_view.update();
}

void PlacementTables::selectEntriesInTables(const QList<PnPEntry*>& entries)
{
    QList<int> rows;
    for (PnPEntry* e : entries) {
        const int row = m_tableEntries.indexOf(e);
        if (row >= 0)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    m_ui.pickandplacepositionen->selectRows(rows);
}

void PlacementTables::showViewSelection()
{
    const QList<PnPEntry*> selected = m_view.document().selectedEntries();
    selectEntriesInTables(selected);
    QSet<QString> keys;
    for (const PnPEntry* e : selected)
        keys.insert(PartGroups::keyOf(*e));
    m_ui.teile->selectRows(m_ui.teile->rowsOfKeys(keys));
    const int row = selected.isEmpty() ? -1 : m_tableEntries.indexOf(selected.first());
    if (row >= 0)
        m_ui.pickandplacepositionen->scrollToItem(m_ui.pickandplacepositionen->item(row, 0));
}

// ---- cell edits

void PlacementTables::placementCellChanged(int row, int column)
{
    disconnectSignals();
    EditGroup step(m_view.document(), QStringLiteral("Edit Placement"), EditGroup::DocumentOnly);
    PnPEntry* e = placementOfRow(row);
    QTableWidgetItem* item = m_ui.pickandplacepositionen->item(row, column);
    if (e && item) {
        const CellEditResult r
            = PlacementEdit::editPlacementCell(m_view.document(), *e, column, item->text());
        if (!r.warning.isEmpty())
            prompt().warning(m_parent, PlacementEdit::errorTitle(), r.warning);
        item->setText(r.shown);
        if (r.rebuild == CellRebuild::PartTable)
            buildPartTable();
        // The table whose cell is being committed must not be rebuilt under the editor: the
        // next tick does it.
        else if (r.rebuild == CellRebuild::All)
            m_rebuildPending = true;
    }
    connectSignals();
    m_view.update();
}

void PlacementTables::partCellChanged(int row, int column)
{
    // The part table keeps the group of every row, so an edit renames the group the row showed
    // however it was started (double-click, F2 or typing).
    disconnectSignals();
    EditGroup step(m_view.document(), QStringLiteral("Edit Part"), EditGroup::DocumentOnly);
    QTableWidgetItem* item = m_ui.teile->item(row, column);
    const PartListRow group = m_ui.teile->rowGroup(row);
    if (item && group.qty > 0) {
        const CellEditResult r = PlacementEdit::editPartCell(
            m_view.document(), group.value, group.name, group.qty, column, item->text());
        if (!r.warning.isEmpty())
            prompt().warning(m_parent, PlacementEdit::errorTitle(), r.warning);
        item->setText(r.shown);
        if (r.changed)
            m_rebuildPending = true;
    }
    connectSignals();
    m_view.update();
}

// ---- sorting

void PlacementTables::sortWorkingList(int column, SortOrder order)
{
    EditGroup step(m_view.document(), QStringLiteral("Sort"), EditGroup::DocumentOnly);
    QList<PnPEntry*> list = m_view.document().currentList();
    PlacementSort::sort(list, column, order, m_view.partListFilter());
    m_view.document().setPlacements(list);
    // The order is what the project file and the exports keep.
    m_view.document().setModified(true);
    rebuildTables();
}

void PlacementTables::sortPlacements(int column)
{
    sortWorkingList(column, m_placementOrder);
    m_placementOrder = PlacementSort::toggled(m_placementOrder);
}

void PlacementTables::sortParts(int column)
{
    sortWorkingList(column == 0 ? PlacementSort::quantityColumn : column, m_partOrder);
    m_partOrder = PlacementSort::toggled(m_partOrder);
}
