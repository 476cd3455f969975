// The placement and part tables: building them from the working list, keeping their selection
// and the entries' selected flags in step, cell edits and sorting.
#include "app/mainwindow.h"

#include "line/feederentry.h"
#include "line/feederlist.h"
#include "line/machine.h"
#include "line/ui/feeder_config.h"
#include "line/ui/linie_dlg.h"
#include "tables/bodysizes.h"
#include "tables/partgroups.h"
#include "tables/placementedit.h"
#include "tables/placementtext.h"
#include "tables/ui/partlist.h"
#include "tables/ui/pnplist.h"
#include "tables/ui/tablemenus.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "uikit/tablecolumns.h"
#include "view/ui/darstellg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDebug>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSignalBlocker>

namespace {
const QColor otherMachineText(96, 96, 96);
}

PnPEntry* MainWindow::placementOfRow(int row) const
{
    return row >= 0 && row < m_tableEntries.size() ? m_tableEntries.at(row) : nullptr;
}

void MainWindow::createViewContextMenu()
{
    // The view's menu acts at once on the selected placements; the tables' menus post requests.
    m_viewContextMenu = new QMenu(this);
    m_viewContextMenu->setObjectName(QStringLiteral("viewContextMenu"));
    connect(m_viewContextMenu, &QMenu::aboutToShow, this, [this] {
        m_contextX = m_cursorX;
        m_contextY = m_cursorY;
    });
    m_viewContextMenu->addAction(QStringLiteral("new"), this, &MainWindow::sigNewEntry);
    m_viewContextMenu->addAction(QStringLiteral("placed"), this, &MainWindow::sigPlaced);
    m_viewContextMenu->addAction(QStringLiteral("switch side"), this, &MainWindow::switchPnPside);
    TableMenus::addRotateMenu(m_viewContextMenu, [this](int angle) { rotateSelected(angle); });
    TableMenus::addExecuteMenu(m_viewContextMenu, [this](int kind) { setExecOfSelected(kind); });
    TableMenus::addSubmenu(m_viewContextMenu, QStringLiteral("to Fiducial"),
        { { QStringLiteral("Panel 1"), [this] { convertToFiducial(1); } },
            { QStringLiteral("Panel 2"), [this] { convertToFiducial(2); } },
            { QStringLiteral("Block 1"), [this] { convertToFiducial(3); } },
            { QStringLiteral("Block 2"), [this] { convertToFiducial(4); } } });
    TableMenus::addMachineMenu(
        m_viewContextMenu, [this] { return machineNames(); }, [this](int index) { debugOutput(index); });
    m_viewContextMenu->addSeparator();
    m_viewContextMenu->addAction(QStringLiteral("delete"), this, &MainWindow::sigDelEntry);

    PNPlist* pnp = m_ui->pickandplacepositionen;
    Partlist* parts = m_ui->teile;
    pnp->setMachineNames([this] { return machineNames(); });
    parts->setMachineNames([this] { return machineNames(); });
    connect(pnp->verticalHeader(), &QHeaderView::sectionClicked, this, &MainWindow::setActivePnP);
    connect(parts->verticalHeader(), &QHeaderView::sectionClicked, this, &MainWindow::setActiveParts);
    connect(pnp->horizontalHeader(), &QHeaderView::sectionClicked, this, &MainWindow::sortParts);
    connect(parts->horizontalHeader(), &QHeaderView::sectionClicked, this, &MainWindow::sortPartList);
}

QStringList MainWindow::machineNames() const
{
    // The machines of the selected line, as the machine selector lists them.
    QStringList names;
    for (int i = 0; i < m_ui->comboBox->count(); ++i)
        names.append(m_ui->comboBox->itemText(i));
    return names;
}

void MainWindow::connectTableSignals()
{
    if (m_tableSignalsConnected)
        return;
    PNPlist* pnp = m_ui->pickandplacepositionen;
    Partlist* parts = m_ui->teile;
    connect(pnp, &QTableWidget::cellClicked, this, &MainWindow::sigPNPcellClicked);
    connect(pnp, &QTableWidget::currentCellChanged, this, &MainWindow::sigPNPcurrCellChanged);
    connect(pnp, &QTableWidget::cellChanged, this, &MainWindow::sigPNPcellChanged);
    connect(parts, &QTableWidget::cellClicked, this, &MainWindow::sigTeileCellClicked);
    connect(parts, &QTableWidget::currentCellChanged, this, &MainWindow::sigTeileCurrCellChanged);
    connect(parts, &QTableWidget::cellDoubleClicked, this, &MainWindow::sigTeileCellDoubleClicked);
    connect(parts, &QTableWidget::cellChanged, this, &MainWindow::sigTeileCellChanged);
    QTableWidget* feeders = m_ui->feeder_config;
    connect(feeders, &QTableWidget::cellDoubleClicked, this, &MainWindow::sigFeederCellDoubleClicked);
    connect(feeders, &QTableWidget::cellClicked, this, &MainWindow::sigFeederCellClicked);
    connect(feeders, &QTableWidget::currentCellChanged, this, &MainWindow::sigFeederCurrCellChanged);
    connect(feeders, &QTableWidget::cellChanged, this, &MainWindow::sigFeederCellChanged);
    m_tableSignalsConnected = true;
}

void MainWindow::disconnectTableSignals()
{
    if (!m_tableSignalsConnected)
        return;
    disconnect(m_ui->pickandplacepositionen, nullptr, this, nullptr);
    disconnect(m_ui->teile, nullptr, this, nullptr);
    disconnect(m_ui->feeder_config, nullptr, this, nullptr);
    m_tableSignalsConnected = false;
}

void MainWindow::rebuildTables()
{
    const bool wasConnected = m_tableSignalsConnected;
    disconnectTableSignals();
    createLists();
    if (wasConnected)
        connectTableSignals();
    m_view->update();
}

void MainWindow::buildPlacementTable()
{
    PNPlist* table = m_ui->pickandplacepositionen;
    // Rows are built from a copy of the list: whatever runs while events are processed
    // cannot change what is being shown.
    m_tableEntries = m_view->document().currentList();
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

    QProgressBar* bar = m_view->progressBar();
    bar->setRange(0, 2 * qMax(1, count));
    bar->setValue(count);
    bar->show();
    const int machine = m_ui->comboBox->currentIndex();
    const int line = m_ui->lineselect->currentIndex() + 1;
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

void MainWindow::buildPartTable()
{
    const QSignalBlocker quiet(m_ui->teile);
    m_ui->teile->showRows(m_view->document().partList(m_view->partListFilter()));
    updateInfoCounters();
}

void MainWindow::updateInfoCounters()
{
    const ExecCounts counts = m_view->document().execCounts();
    m_ui->gescnt->setText(QString::number(counts.total()));
    m_ui->exec0cnt->setText(QString::number(counts.notPlaced));
    m_ui->exec1cnt->setText(QString::number(counts.machine));
    m_ui->exec2cnt->setText(QString::number(counts.other));
    m_ui->exec3cnt->setText(QString::number(counts.tht));
}

void MainWindow::updateBodySizes()
{
    // The feeder list is the one the feeder overview shows: that of the machine chosen in the
    // machine selector (entry 0 is no machine).
    QList<FeederPart> feeders;
    const QList<Machine*> machines = m_lineDialog->currentLineMachines();
    const int machine = m_ui->comboBox->currentIndex() - 1;
    if (machine >= 0 && machine < machines.size())
        for (const FeederEntry* f : machines.at(machine)->feeders)
            feeders.append({ f->name, f->value, f->dbNo });
    if (!feeders.isEmpty()) {
        // The first record of a number counts.
        QHash<int, QSizeF> bodies;
        for (const PartDbEntry& entry : m_partDatabase.entries())
            if (!bodies.contains(entry.dbNo()))
                bodies.insert(entry.dbNo(), QSizeF(entry.x.toDouble(), entry.y.toDouble()));
        BodySizes::apply(
            m_view->document().currentList(), feeders, [&bodies](int dbNo) { return bodies.value(dbNo); });
    }
    m_view->update();
}

void MainWindow::applyMachineSelector(int index)
{
    const int line = m_ui->lineselect->currentIndex() + 1;
    for (PnPEntry* e : m_view->document().currentList())
        e->setOnSelectedMachine(
            (e->machine() == index && e->line() == line) || (e->machine() == 0 && index == 0));
    PNPlist* table = m_ui->pickandplacepositionen;
    const bool blocked = table->blockSignals(true);
    for (int row = 0; row < table->rowCount(); ++row) {
        const PnPEntry* e = placementOfRow(row);
        const QBrush brush = e && e->onSelectedMachine() ? QBrush(Qt::white) : QBrush(otherMachineText);
        for (int c = 0; c < table->columnCount(); ++c)
            if (QTableWidgetItem* item = table->item(row, c))
                item->setForeground(brush);
    }
    table->blockSignals(blocked);
    m_view->update();
    rebuildFeederList();
}

void MainWindow::on_comboBox_currentIndexChanged(int index)
{
    // The machine left behind keeps its list; the project's rows follow every switch.
    storeFeederLists();
    applyMachineSelector(index);
}

// ---- selection

void MainWindow::setActivePnP()
{
    m_view->document().clearSelection();
    for (int row : m_ui->pickandplacepositionen->selectedRowNumbers())
        if (PnPEntry* e = placementOfRow(row))
            e->setSelected(true);
    m_view->update();
}

void MainWindow::setActiveParts()
{
    selectFromPartTable();
}

void MainWindow::sigPNPcellClicked(int, int)
{
    selectFromPlacementTable();
}

void MainWindow::sigPNPcurrCellChanged(int, int, int, int)
{
    selectFromPlacementTable();
}

void MainWindow::selectFromPlacementTable()
{
    m_view->setCentreOnSelection(true);
    qDebug() << "PnP wählen";
    const QList<int> rows = m_ui->pickandplacepositionen->selectedRowNumbers();
    if (rows.size() == 1)
        m_view->setLastCentredIndex(-1);
    m_ui->feeder_config->clearSelection();
    m_ui->teile->clearSelection();
    m_view->document().clearSelection();
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
    m_ui->feeder_config->selectPartTypes(shownFeeders(), feederKeys);
    qDebug() << "- Liste";
    const QList<int> partRows = m_ui->teile->rowsOfKeys(keys);
    m_ui->teile->selectRows(partRows);
    if (!partRows.isEmpty())
        m_ui->teile->scrollToItem(m_ui->teile->item(partRows.first(), 0));
    m_view->update();
}

void MainWindow::sigTeileCellClicked(int, int)
{
    qDebug() << "Teil clicked";
    selectFromPartTable();
}

void MainWindow::sigTeileCurrCellChanged(int, int, int, int)
{
    qDebug() << "Teil changed";
    selectFromPartTable();
}

void MainWindow::selectFromPartTable()
{
    m_view->setCentreOnSelection(false);
    qDebug() << "teile wählen";
    m_view->document().clearSelection();
    const QSet<QString> keys = m_ui->teile->selectedKeys();
    qDebug() << (keys.size() == 1 ? "aktiv setzen einzelauswahl" : "aktiv setzen mehrfachauswahl");
    const PartListFilter filter = m_view->partListFilter();
    QList<int> rows;
    for (int row = 0; row < m_tableEntries.size(); ++row) {
        PnPEntry* e = m_tableEntries.at(row);
        if (filter.shows(*e) && keys.contains(PartGroups::keyOf(*e))) {
            e->setSelected(true);
            rows.append(row);
        }
    }
    m_ui->pickandplacepositionen->selectRows(rows);
    if (!rows.isEmpty())
        m_ui->pickandplacepositionen->scrollToItem(m_ui->pickandplacepositionen->item(rows.first(), 0));
    m_view->update();
}

void MainWindow::selectEntriesInTables(const QList<PnPEntry*>& entries)
{
    QList<int> rows;
    for (PnPEntry* e : entries) {
        const int row = m_tableEntries.indexOf(e);
        if (row >= 0)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    m_ui->pickandplacepositionen->selectRows(rows);
}

// ---- cell edits

void MainWindow::sigPNPcellChanged(int row, int column)
{
    disconnectTableSignals();
    PnPEntry* e = placementOfRow(row);
    QTableWidgetItem* item = m_ui->pickandplacepositionen->item(row, column);
    if (e && item) {
        const CellEditResult r
            = PlacementEdit::editPlacementCell(m_view->document(), *e, column, item->text());
        if (!r.warning.isEmpty())
            prompt().warning(this, PlacementEdit::errorTitle(), r.warning);
        item->setText(r.shown);
        if (r.rebuild == CellRebuild::PartTable)
            buildPartTable();
        // The table whose cell is being committed must not be rebuilt under the editor: the
        // next tick does it.
        else if (r.rebuild == CellRebuild::All)
            m_rebuildPending = true;
    }
    connectTableSignals();
    m_view->update();
}

void MainWindow::sigTeileCellDoubleClicked(int, int)
{
    // Nothing to remember: the part table keeps the group of every row, so an edit renames
    // the group the row showed however it was started (double-click, F2 or typing).
}

void MainWindow::sigTeileCellChanged(int row, int column)
{
    disconnectTableSignals();
    QTableWidgetItem* item = m_ui->teile->item(row, column);
    const PartListRow group = m_ui->teile->rowGroup(row);
    if (item && group.qty > 0) {
        const CellEditResult r = PlacementEdit::editPartCell(
            m_view->document(), group.value, group.name, group.qty, column, item->text());
        if (!r.warning.isEmpty())
            prompt().warning(this, PlacementEdit::errorTitle(), r.warning);
        item->setText(r.shown);
        if (r.changed)
            m_rebuildPending = true;
    }
    connectTableSignals();
    m_view->update();
}

// ---- sorting

void MainWindow::sortWorkingList(int column, SortOrder order)
{
    QList<PnPEntry*> list = m_view->document().currentList();
    PlacementSort::sort(list, column, order, m_view->partListFilter());
    m_view->document().setPlacements(list);
    // The order is what the project file and the exports keep.
    m_view->document().setModified(true);
    rebuildTables();
}

void MainWindow::sortParts(int column)
{
    sortWorkingList(column, m_placementOrder);
    m_placementOrder = PlacementSort::toggled(m_placementOrder);
}

void MainWindow::sortPartList(int column)
{
    m_partSortColumn = column;
    sortWorkingList(column == 0 ? PlacementSort::quantityColumn : column, m_partOrder);
    m_partOrder = PlacementSort::toggled(m_partOrder);
}
