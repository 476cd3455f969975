#include "tables/ui/pnplist.h"

#include "tables/placementtext.h"
#include "tables/ui/tablemenus.h"
#include "uikit/tablecolumns.h"

#include <QDebug>
#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>

QList<int> selectedRowsOf(const QTableWidget* table)
{
    QList<int> rows;
    // Rows, not items: a row with several selected cells is one row, and a row is never
    // taken from a neighbour's cell.
    for (const QModelIndex& index : table->selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void selectRowsOf(QTableWidget* table, const QList<int>& rows)
{
    QItemSelection selection;
    QAbstractItemModel* model = table->model();
    const int last = model->columnCount() - 1;
    for (int i = 0; i < rows.size();) {
        int j = i;
        while (j + 1 < rows.size() && rows.at(j + 1) == rows.at(j) + 1)
            ++j;
        if (rows.at(i) >= 0 && rows.at(j) < model->rowCount() && last >= 0)
            selection.select(model->index(rows.at(i), 0), model->index(rows.at(j), last));
        i = j + 1;
    }
    // Replacing a scattered selection by another compares every old range with every new one,
    // and the view unites one repaint region per range: thousands for a part group. Starting
    // from an empty selection and repainting the visible rows once avoids both.
    QItemSelectionModel* selectionModel = table->selectionModel();
    const QModelIndex current = selectionModel->currentIndex();
    const bool blocked = selectionModel->blockSignals(true);
    selectionModel->reset();
    if (current.isValid())
        selectionModel->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    selectionModel->select(selection, QItemSelectionModel::Select);
    selectionModel->blockSignals(blocked);
    table->viewport()->update();
}

void useFixedRowHeight(QTableWidget* table)
{
    // The minimum first: a larger application font raises it above the row height otherwise.
    table->verticalHeader()->setMinimumSectionSize(PlacementText::rowHeight);
    table->verticalHeader()->setDefaultSectionSize(PlacementText::rowHeight);
}

PNPlist::PNPlist(QWidget* parent)
    : QTableWidget(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    useFixedRowHeight(this);
    QVector<int> widths;
    for (int c = 0; c < PlacementText::columnCount; ++c)
        widths.append(PlacementText::defaultWidth(c));
    m_columns = new TableColumns(this, widths);

    m_menu = new QMenu(this);
    m_menu->addAction(QStringLiteral("new"), this, &PNPlist::sigNewEntry);
    m_menu->addAction(QStringLiteral("placed"), this, &PNPlist::sigPlaced);
    m_menu->addAction(QStringLiteral("switch side"), this, &PNPlist::sigSideFlag);
    TableMenus::addSubmenu(m_menu, QStringLiteral("Shift"),
        { { QStringLiteral("X"), [this] { sigShiftX(); } },
            { QStringLiteral("Y"), [this] { sigShiftY(); } } });
    TableMenus::addRotateMenu(m_menu, [this](int angle) { rotate(angle); });
    TableMenus::addExecuteMenu(m_menu, [this](int kind) { requests.exec = kind; });
    TableMenus::addSubmenu(m_menu, QStringLiteral("to Fiducial"),
        { { QStringLiteral("Panel 1"), [this] { sigConvFidBo1(); } },
            { QStringLiteral("Panel 2"), [this] { sigConvFidBo2(); } },
            { QStringLiteral("Block 1"), [this] { sigConvFidBl1(); } },
            { QStringLiteral("Block 2"), [this] { sigConvFidBl2(); } } });
    TableMenus::addMachineMenu(
        m_menu, [this] { return m_machineNames ? m_machineNames() : QStringList(); },
        [this](int index) { debugOutput(index); });
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("delete"), this, &PNPlist::sigDelEntry);
}

QList<int> PNPlist::selectedRowNumbers() const
{
    return selectedRowsOf(this);
}

void PNPlist::selectRows(const QList<int>& rows)
{
    selectRowsOf(this, rows);
}

void PNPlist::mouseReleaseEvent(QMouseEvent* event)
{
    QTableWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton)
        m_menu->popup(event->globalPos());
}

void PNPlist::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::SelectAll)) {
        requests.selectAll = true;
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void PNPlist::sigDelEntry()
{
    requests.rowsToDelete = selectedRowNumbers();
    requests.deleteRows = true;
}

void PNPlist::sigNewEntry()
{
    qDebug() << "new Entry";
    requests.newEntry = true;
}

void PNPlist::sigShiftX()
{
    requests.shiftX = true;
}

void PNPlist::sigShiftY()
{
    requests.shiftY = true;
}

void PNPlist::sigSideFlag()
{
    requests.switchSide = true;
}

void PNPlist::debugOutput(int machineIndex)
{
    requests.machineIndex = machineIndex;
    requests.rowsToAssign = selectedRowNumbers();
    requests.assignMachine = true;
}

void PNPlist::rotate45()
{
    rotate(45);
}
void PNPlist::rotate90()
{
    rotate(90);
}
void PNPlist::rotate180()
{
    rotate(180);
}
void PNPlist::rotate270()
{
    rotate(270);
}
void PNPlist::sigChangeExec0()
{
    requests.exec = 0;
}
void PNPlist::sigChangeExec1()
{
    requests.exec = 1;
}
void PNPlist::sigChangeExec2()
{
    requests.exec = 2;
}
void PNPlist::sigChangeExec3()
{
    requests.exec = 3;
}
void PNPlist::sigPlaced()
{
    requests.placed = true;
}
void PNPlist::sigConvFidBo1()
{
    requests.toFiducial = 1;
}
void PNPlist::sigConvFidBo2()
{
    requests.toFiducial = 2;
}
void PNPlist::sigConvFidBl1()
{
    requests.toFiducial = 3;
}
void PNPlist::sigConvFidBl2()
{
    requests.toFiducial = 4;
}
