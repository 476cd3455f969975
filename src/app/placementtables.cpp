#include "app/placementtables.h"

#include "app/feederpanel.h"
#include "app/prompt.h"
#include "app/tablecolumns.h"
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
#include "view/selectionhits.h"
#include "view/toolgeometry.h"
#include "view/ui/darstellg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QSignalBlocker>

namespace {

const QColor otherMachineText(96, 96, 96);

// Found placements are drawn in the middle of the view: the dialog goes beside that spot.
void placeBesideViewCentre(QWidget* dialog, const QWidget* view)
{
    const QPoint hit = view->mapToGlobal(QPoint(view->width() / 2, view->height() / 2));
    const QScreen* screen = QGuiApplication::screenAt(hit);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    dialog->move(
        PlacementSearch::dialogBesideHit(screen->availableGeometry(), dialog->frameGeometry().size(), hit));
}

} // namespace

PlacementTables::PlacementTables(Ui::MainWindow& ui, Darstellg& view, FeederPanel& feeders,
    QLineEdit& searchField, QWidget* dialogParent, Hooks hooks)
    : m_ui(ui)
    , m_view(view)
    , m_feeders(feeders)
    , m_searchField(searchField)
    , m_parent(dialogParent)
    , m_hooks(std::move(hooks))
{
    m_searchDialog = new Search_dlg(dialogParent);
    createViewContextMenu();
}

PnPEntry* PlacementTables::placementOfRow(int row) const
{
    return row >= 0 && row < m_tableEntries.size() ? m_tableEntries.at(row) : nullptr;
}

void PlacementTables::createViewContextMenu()
{
    // The view's menu acts at once on the selected placements; the tables' menus post requests.
    m_viewContextMenu = new QMenu(m_parent);
    m_viewContextMenu->setObjectName(QStringLiteral("viewContextMenu"));
    connect(
        m_viewContextMenu, &QMenu::aboutToShow, this, [this] { m_contextPoint = m_hooks.cursorPosition(); });
    m_viewContextMenu->addAction(QStringLiteral("new"), this, &PlacementTables::newEntry);
    m_viewContextMenu->addAction(QStringLiteral("placed"), this, &PlacementTables::markSelectedPlaced);
    m_viewContextMenu->addAction(QStringLiteral("switch side"), this, &PlacementTables::switchSide);
    TableMenus::addRotateMenu(m_viewContextMenu, [this](int angle) { rotateSelected(angle); });
    TableMenus::addExecuteMenu(m_viewContextMenu, [this](int kind) { setExecOfSelected(kind); });
    TableMenus::addSubmenu(m_viewContextMenu, QStringLiteral("to Fiducial"),
        { { QStringLiteral("Panel 1"), [this] { m_hooks.convertToFiducial(1); } },
            { QStringLiteral("Panel 2"), [this] { m_hooks.convertToFiducial(2); } },
            { QStringLiteral("Block 1"), [this] { m_hooks.convertToFiducial(3); } },
            { QStringLiteral("Block 2"), [this] { m_hooks.convertToFiducial(4); } } });
    TableMenus::addMachineMenu(
        m_viewContextMenu, [this] { return m_feeders.machineNames(); },
        [this](int index) { assignSelectedToMachine(index); });
    m_viewContextMenu->addSeparator();
    m_viewContextMenu->addAction(QStringLiteral("delete"), this, &PlacementTables::deleteSelected);

    PNPlist* pnp = m_ui.pickandplacepositionen;
    Partlist* parts = m_ui.teile;
    pnp->setMachineNames([this] { return m_feeders.machineNames(); });
    parts->setMachineNames([this] { return m_feeders.machineNames(); });
    connect(pnp->verticalHeader(), &QHeaderView::sectionClicked, this, &PlacementTables::selectPlacementRows);
    connect(
        parts->verticalHeader(), &QHeaderView::sectionClicked, this, &PlacementTables::selectFromPartTable);
    connect(pnp->horizontalHeader(), &QHeaderView::sectionClicked, this, &PlacementTables::sortPlacements);
    connect(parts->horizontalHeader(), &QHeaderView::sectionClicked, this, &PlacementTables::sortParts);
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
    m_tableEntries = m_view.currentList();
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

    QProgressBar* bar = m_view.progressBar();
    bar->setRange(0, 2 * qMax(1, count));
    bar->setValue(count);
    bar->show();
    const int machine = m_ui.comboBox->currentIndex();
    const int line = m_ui.lineselect->currentIndex() + 1;
    // Item changes are not announced one by one: the view reads the cells once at the end.
    const bool blocked = table->model()->blockSignals(true);
    for (int row = 0; row < count; ++row) {
        const PnPEntry& e = *m_tableEntries.at(row);
        const bool dimmed = machine >= 0 && !(e.machine() == machine && e.line() == line)
            && !(e.machine() == 0 && machine == 0);
        for (int c = 0; c < PlacementText::columnCount; ++c) {
            auto* item = new QTableWidgetItem(PlacementText::cell(e, c));
            if (dimmed)
                item->setForeground(otherMachineText);
            table->setItem(row, c, item);
        }
        if (row % 100 == 99) {
            bar->setValue(count + row);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    }
    table->model()->blockSignals(blocked);
    // Widths the user dragged are kept; the others grow to the widest number now shown.
    table->columns()->fit();
    table->setUpdatesEnabled(true);
    table->viewport()->update();
    bar->hide();
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
    for (PnPEntry* e : m_view.currentList())
        e->setOnSelectedMachine(
            (e->machine() == index && e->line() == line) || (e->machine() == 0 && index == 0));
    PNPlist* table = m_ui.pickandplacepositionen;
    const bool blocked = table->blockSignals(true);
    for (int row = 0; row < table->rowCount(); ++row) {
        const PnPEntry* e = placementOfRow(row);
        const QBrush brush = e && e->onSelectedMachine() ? QBrush(Qt::white) : QBrush(otherMachineText);
        for (int c = 0; c < table->columnCount(); ++c)
            if (QTableWidgetItem* item = table->item(row, c))
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
    QList<PnPEntry*> list = m_view.currentList();
    PlacementSort::sort(list, column, order, m_view.partListFilter());
    m_view.document().setCurrentList(list);
    // The order is what the project file and the exports keep.
    m_view.setModified(true);
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

// ---- requests of the tables, run by the timer

void PlacementTables::executeRequests()
{
    if (m_rebuildPending) {
        m_rebuildPending = false;
        rebuildTables();
    }
    executePartRequests();
    executePlacementRequests();
}

void PlacementTables::executePartRequests()
{
    PartRequests& part = m_ui.teile->requests;
    PnPRequests& pnp = m_ui.pickandplacepositionen->requests;
    Document& doc = m_view.document();
    if (part.placed) {
        part.placed = false;
        markSelectedPlaced();
    }
    if (part.printLabel) {
        part.printLabel = false;
        printLabel(part.labelKey);
    }
    if (part.exec >= 0) {
        const int kind = part.exec;
        part.exec = -1;
        QList<PnPEntry*> entries;
        for (int row : m_ui.pickandplacepositionen->selectedRowNumbers())
            if (PnPEntry* e = placementOfRow(row))
                entries.append(e);
        PartGroups::setExec(doc, entries, QString::number(kind));
        rebuildTables();
        m_ui.teile->clearSelection();
    }
    if (pnp.newEntry) {
        pnp.newEntry = false;
        newEntry();
    }
    if (part.deleteRows) {
        part.deleteRows = false;
        // The part selection is mirrored in the placement table.
        pnp.rowsToDelete = m_ui.pickandplacepositionen->selectedRowNumbers();
        pnp.deleteRows = true;
    }
    if (pnp.deleteRows) {
        pnp.deleteRows = false;
        deletePlacementRows(pnp.rowsToDelete);
        pnp.rowsToDelete.clear();
    }
    if (part.split > 1) {
        const int n = part.split;
        part.split = 1;
        if (PartGroups::split(doc, part.splitKey, n) > 0)
            rebuildTables();
    }
    if (part.rotate) {
        const int angle = part.rotate;
        part.rotate = 0;
        PartGroups::rotate(doc, m_ui.teile->selectedKeys(), angle);
        rebuildTables();
    }
    showLocatedSearchHit();
}

void PlacementTables::executePlacementRequests()
{
    PartRequests& part = m_ui.teile->requests;
    PnPRequests& pnp = m_ui.pickandplacepositionen->requests;
    if (pnp.selectAll) {
        pnp.selectAll = false;
        m_ui.pickandplacepositionen->selectAll();
        selectFromPlacementTable();
    }
    if (part.selectAll) {
        part.selectAll = false;
        m_ui.teile->selectAll();
        selectFromPartTable();
    }
    if (part.shiftX || part.shiftY) {
        pnp.shiftX |= part.shiftX;
        pnp.shiftY |= part.shiftY;
        part.shiftX = part.shiftY = false;
    }
    if (pnp.shiftX || pnp.shiftY) {
        const bool alongX = pnp.shiftX;
        pnp.shiftX = pnp.shiftY = false;
        m_hooks.shiftSelected(alongX);
    }
    if (pnp.rotate) {
        const int angle = pnp.rotate;
        pnp.rotate = 0;
        rotateSelected(angle);
    }
    if (pnp.exec >= 0) {
        const int kind = pnp.exec;
        pnp.exec = -1;
        setExecOfSelected(kind);
    }
    if (pnp.placed) {
        pnp.placed = false;
        markSelectedPlaced();
    }
    if (pnp.toFiducial) {
        const int target = pnp.toFiducial;
        pnp.toFiducial = 0;
        m_hooks.convertToFiducial(target);
    }
    if (part.switchSide || pnp.switchSide) {
        part.switchSide = pnp.switchSide = false;
        switchSide();
    }
}

void PlacementTables::executeMachineRequests()
{
    PartRequests& part = m_ui.teile->requests;
    PnPRequests& pnp = m_ui.pickandplacepositionen->requests;
    Document& doc = m_view.document();
    const int lineIndex = m_ui.lineselect->currentIndex();
    if (part.assignMachine) {
        part.assignMachine = false;
        PartGroups::assignMachine(
            doc, PartGroups::members(doc.currentList(), part.keysToAssign), part.machineIndex, lineIndex);
        rebuildTables();
        applyMachineSelector(m_ui.comboBox->currentIndex());
    }
    if (pnp.assignMachine) {
        pnp.assignMachine = false;
        QList<PnPEntry*> entries;
        for (int row : pnp.rowsToAssign)
            if (PnPEntry* e = placementOfRow(row))
                entries.append(e);
        PartGroups::assignMachine(doc, entries, pnp.machineIndex, lineIndex);
        rebuildTables();
        applyMachineSelector(m_ui.comboBox->currentIndex());
    }
}

void PlacementTables::deletePlacementRows(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // Rows are turned into entries first, so no removal can shift the rows still to come.
    QList<PnPEntry*> gone;
    for (int i = rows.size() - 1; i >= 0; --i) {
        if (PnPEntry* e = placementOfRow(rows.at(i))) {
            qDebug() << "delete Entry: " << rows.at(i);
            gone.append(e);
        }
    }
    if (gone.isEmpty())
        return;
    m_view.document().removeEntries(gone);
    m_view.setModified(true);
    m_tableEntries.clear();
    rebuildTables();
    m_ui.pickandplacepositionen->clearSelection();
    refreshSearch();
}

// ---- operations on the selected placements

void PlacementTables::setExecOfSelected(int kind)
{
    Document& doc = m_view.document();
    PartGroups::setExec(doc, doc.selectedEntries(), QString::number(kind));
    // The Exec cells and the part groups both change.
    rebuildTables();
    m_ui.pickandplacepositionen->clearSelection();
    m_ui.teile->clearSelection();
    m_view.setPendingChanges(true);
}

void PlacementTables::markSelectedPlaced()
{
    Document& doc = m_view.document();
    PartGroups::markPlaced(doc, doc.selectedEntries());
    m_ui.pickandplacepositionen->clearSelection();
    m_ui.teile->clearSelection();
    rebuildTables();
    m_view.setPendingChanges(true);
}

void PlacementTables::rotateSelected(int angle)
{
    Document& doc = m_view.document();
    const QList<PnPEntry*> selected = doc.selectedEntries();
    if (selected.isEmpty())
        return;
    PartGroups::rotate(doc, selected, angle);
    rebuildTables();
    selectEntriesInTables(selected);
}

void PlacementTables::unplaceAll()
{
    BoardTransform::unplaceAll(m_view.document());
    rebuildTables();
}

void PlacementTables::switchSide()
{
    BoardTransform::switchSide(m_view.document());
    rebuildTables();
}

void PlacementTables::assignSelectedToMachine(int index)
{
    m_hooks.blockInteraction();
    Document& doc = m_view.document();
    PartGroups::assignMachine(doc, doc.selectedEntries(), index, m_ui.lineselect->currentIndex());
    rebuildTables();
    applyMachineSelector(m_ui.comboBox->currentIndex());
    m_hooks.unblockInteraction();
}

void PlacementTables::deleteSelected()
{
    // The placements selected in the view or the tables, by their rows.
    QList<int> rows;
    for (int row = 0; row < m_tableEntries.size(); ++row)
        if (m_tableEntries.at(row)->selected())
            rows.append(row);
    PnPRequests& pnp = m_ui.pickandplacepositionen->requests;
    pnp.rowsToDelete = rows;
    pnp.deleteRows = !rows.isEmpty();
    m_view.document().removeSelectedDrawings();
    // Layer objects are never selected by the view's tools, so only placements and drawings go.
    refreshSearch();
    m_view.setModified(true);
    m_view.update();
}

// ---- new entry

void PlacementTables::newEntry()
{
    newEntryAt(m_contextPoint.x(), m_contextPoint.y());
}

void PlacementTables::newEntryAt(double x, double y)
{
    qDebug().nospace() << "New Entry X: " << x << " Y: " << y;
    Document& doc = m_view.document();
    const OriginGen gen = doc.originGen();
    const double g = m_view.viewState().gridSpacing;
    x = ToolGeometry::snap(x - gen.borderLeft, g) - doc.boardInfo()->originX();
    y = ToolGeometry::snap(y - gen.borderBottom, g) - doc.boardInfo()->originY();

    New_PnP_dlg dialog(m_parent);
    // A cancelled dialog adds nothing: the placement exists only once the user said OK.
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return;
    const QString side = doc.activeSideIsTop() ? QStringLiteral("top") : QStringLiteral("bottom");
    auto* entry = new PnPEntry(
        dialog.refDes(), dialog.name(), x, y, side, 0.0, dialog.value(), QStringLiteral("1"), QString(), 1);
    entry->setRotation(dialog.rotation());
    doc.appendEntry(entry);
    m_view.setModified(true);
    rebuildTables();
}

// ---- label printing

void PlacementTables::printLabel(const QString& key)
{
    QStringList refDes;
    for (const PnPEntry* e : m_view.currentList())
        if (PartGroups::keyOf(*e) == key)
            refDes.append(e->refDes());
    LabelPrint::print(m_parent, key, m_hooks.titleName(), refDes);
}

// ---- search

void PlacementTables::refreshSearch()
{
    if (m_view.gerberMode())
        return;
    Document& doc = m_view.document();
    doc.writeBackWorkingList();
    m_searchDialog->setPlacements(doc.topList(), doc.bottomList());
}

void PlacementTables::showSearch()
{
    refreshSearch();
    m_searchDialog->show();
    placeBesideViewCentre(m_searchDialog, &m_view);
    m_searchDialog->raise();
}

void PlacementTables::searchRefDes()
{
    // The toolbar field and Find Now search for the field's text at once.
    refreshSearch();
    if (!m_searchField.text().trimmed().isEmpty()) {
        m_searchDialog->setTerm(m_searchField.text());
        m_searchDialog->on_searchBtn_clicked();
    }
    m_searchDialog->show();
    placeBesideViewCentre(m_searchDialog, &m_view);
    m_searchDialog->raise();
}

void PlacementTables::showLocatedSearchHit()
{
    PnPEntry* entry = m_searchDialog->locatedEntry();
    const int index = m_searchDialog->locatedIndex();
    if (!entry || index < 0)
        return;
    const bool onTop = index < m_view.document().topList().size();
    m_hooks.showSide(onTop);
    disconnectSignals();
    m_ui.feeder_config->clearSelection();
    m_ui.pickandplacepositionen->clearSelection();
    m_ui.teile->clearSelection();
    m_view.setCentreOnSelection(true);
    m_view.document().clearSelection();
    const int row = m_tableEntries.indexOf(entry);
    if (row >= 0) {
        m_ui.pickandplacepositionen->selectRows({ row });
        m_ui.pickandplacepositionen->scrollToItem(m_ui.pickandplacepositionen->item(row, 0));
        selectFromPlacementTable();
        entry->setSelected(true);
        // Centre the view on the placement's first drawn copy.
        const QList<QPointF> bases = SelectionHits::placementBases(m_view.document());
        const QPointF base = bases.isEmpty() ? QPointF() : bases.first();
        const double absX = base.x() + entry->x();
        const double absY = base.y() + entry->y();
        const int z = qMax(1, m_view.zoomLevel());
        m_view.viewState().offsetX = int(m_view.width() / 2 - absX * z);
        m_view.viewState().offsetY = int(absY * z - m_view.height() / 2);
    }
    m_searchDialog->clearLocated();
    placeBesideViewCentre(m_searchDialog, &m_view);
    connectSignals();
    m_view.update();
}
