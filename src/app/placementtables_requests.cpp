// The view's context menu and the tables' requests run by the timer, the operations on the
// selected placements that both share, new entries, labels and the search dialog.
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
    EditGroup step(doc, QString(), EditGroup::DocumentOnly);
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
    EditGroup step(m_view.document(), QString(), EditGroup::DocumentOnly);
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
    EditGroup step(doc, QStringLiteral("Assign Machine"), EditGroup::DocumentOnly);
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
    m_view.document().setModified(true);
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
}

void PlacementTables::markSelectedPlaced()
{
    Document& doc = m_view.document();
    PartGroups::markPlaced(doc, doc.selectedEntries());
    m_ui.pickandplacepositionen->clearSelection();
    m_ui.teile->clearSelection();
    rebuildTables();
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
    EditGroup step(m_view.document(), QStringLiteral("Unplace all"), EditGroup::DocumentOnly);
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
    EditGroup step(doc, QStringLiteral("Assign Machine"), EditGroup::DocumentOnly);
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
    EditGroup step(m_view.document(), QStringLiteral("Delete"), EditGroup::DocumentOnly);
    m_view.document().removeSelectedDrawings();
    // Layer objects are never selected by the view's tools, so only placements and drawings go.
    refreshSearch();
    m_view.document().setModified(true);
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
    m_view.document().setModified(true);
    rebuildTables();
}

// ---- label printing

void PlacementTables::printLabel(const QString& key)
{
    QStringList refDes;
    for (const PnPEntry* e : m_view.document().currentList())
        if (PartGroups::keyOf(*e) == key)
            refDes.append(e->refDes());
    LabelPrint::print(m_parent, key, m_hooks.titleName(), refDes);
}

// ---- search

void PlacementTables::refreshSearch()
{
    if (m_view.document().gerberMode())
        return;
    Document& doc = m_view.document();
    m_searchDialog->setPlacements(doc.side(true).placements, doc.side(false).placements);
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
    const bool onTop = index < m_view.document().side(true).placements.size();
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
