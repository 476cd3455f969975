#include "tables/ui/partlist.h"

#include "tables/partgroups.h"
#include "tables/placementtext.h"
#include "tables/ui/pnplist.h"
#include "tables/ui/tablemenus.h"
#include "uikit/tablecolumns.h"

#include <QDebug>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

Partlist::Partlist(QWidget* parent)
    : QTableWidget(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    useFixedRowHeight(this);
    m_columns = new TableColumns(this, { 40, 90, 90 });

    m_menu = new QMenu(this);
    m_menu->addAction(QStringLiteral("placed"), this, &Partlist::unplace);
    m_menu->addAction(QStringLiteral("switch side"), this, &Partlist::sigSideFlag);
    TableMenus::addExecuteMenu(m_menu, [this](int kind) { requests.exec = kind; });
    QMenu* split = m_menu->addMenu(QStringLiteral("Split in"));
    void (Partlist::*const splitSlots[])()
        = { &Partlist::sigSplitIn2, &Partlist::sigSplitIn3, &Partlist::sigSplitIn4, &Partlist::sigSplitIn5,
              &Partlist::sigSplitIn6, &Partlist::sigSplitIn7, &Partlist::sigSplitIn8 };
    for (int n = 2; n <= 8; ++n)
        split->addAction(QString::number(n), this, splitSlots[n - 2]);
    TableMenus::addRotateMenu(m_menu, [this](int angle) { requests.rotate = angle; });
    TableMenus::addSubmenu(m_menu, QStringLiteral("Shift"),
        { { QStringLiteral("X"), [this] { sigShiftX(); } },
            { QStringLiteral("Y"), [this] { sigShiftY(); } } });
    TableMenus::addMachineMenu(
        m_menu, [this] { return m_machineNames ? m_machineNames() : QStringList(); },
        [this](int index) { debugOutput(index); });
    m_printMenu = TableMenus::addSubmenu(m_menu, QStringLiteral("Print"),
        { { QStringLiteral("Label"), [this] {
               sigPrintLabel();
           } } })->menuAction();
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("delete"), this, &Partlist::sigDelEntry);
}

void Partlist::showRows(const QList<PartListRow>& rows)
{
    m_rows = rows;
    useFixedRowHeight(this);
    clearContents();
    setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const PartListRow& row = rows.at(r);
        qDebug() << row.qty;
        setItem(r, 0, new QTableWidgetItem(QString::number(row.qty)));
        setItem(r, 1, new QTableWidgetItem(row.value));
        setItem(r, 2, new QTableWidgetItem(row.name));
    }
    m_columns->fit();
}

PartListRow Partlist::rowGroup(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row) : PartListRow();
}

QList<int> Partlist::selectedRowNumbers() const
{
    return selectedRowsOf(this);
}

QSet<QString> Partlist::selectedKeys() const
{
    QSet<QString> keys;
    for (int row : selectedRowNumbers())
        if (row < m_rows.size())
            keys.insert(PartGroups::key(m_rows.at(row).value, m_rows.at(row).name));
    return keys;
}

void Partlist::selectRows(const QList<int>& rows)
{
    selectRowsOf(this, rows);
}

QList<int> Partlist::rowsOfKeys(const QSet<QString>& keys) const
{
    QList<int> rows;
    for (int r = 0; r < m_rows.size(); ++r)
        if (keys.contains(PartGroups::key(m_rows.at(r).value, m_rows.at(r).name)))
            rows.append(r);
    return rows;
}

void Partlist::mouseReleaseEvent(QMouseEvent* event)
{
    QTableWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::RightButton)
        return;
    qDebug() << "right click" << currentRow();
    const int selected = selectedRowNumbers().size();
    if (selected == 0)
        return;
    m_printMenu->setEnabled(selected == 1);
    m_menu->popup(event->globalPos());
}

void Partlist::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::SelectAll)) {
        requests.selectAll = true;
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void Partlist::splitIn(int n)
{
    const QList<int> rows = selectedRowNumbers();
    if (rows.isEmpty())
        return;
    const PartListRow group = rowGroup(rows.first());
    requests.splitKey = PartGroups::key(group.value, group.name);
    requests.split = n;
}

void Partlist::sigDelEntry()
{
    requests.deleteRows = true;
}
void Partlist::sigChangeExec0()
{
    requests.exec = 0;
}
void Partlist::sigChangeExec1()
{
    requests.exec = 1;
}
void Partlist::sigChangeExec2()
{
    requests.exec = 2;
}
void Partlist::sigChangeExec3()
{
    requests.exec = 3;
}
void Partlist::rotate45()
{
    requests.rotate = 45;
}
void Partlist::rotate90()
{
    requests.rotate = 90;
}
void Partlist::rotate180()
{
    requests.rotate = 180;
}
void Partlist::rotate270()
{
    requests.rotate = 270;
}
void Partlist::sigShiftX()
{
    requests.shiftX = true;
}
void Partlist::sigShiftY()
{
    requests.shiftY = true;
}
void Partlist::unplace()
{
    requests.placed = true;
}
void Partlist::sigSideFlag()
{
    requests.switchSide = true;
}
void Partlist::sigSplitIn2()
{
    splitIn(2);
}
void Partlist::sigSplitIn3()
{
    splitIn(3);
}
void Partlist::sigSplitIn4()
{
    splitIn(4);
}
void Partlist::sigSplitIn5()
{
    splitIn(5);
}
void Partlist::sigSplitIn6()
{
    splitIn(6);
}
void Partlist::sigSplitIn7()
{
    splitIn(7);
}
void Partlist::sigSplitIn8()
{
    splitIn(8);
}

void Partlist::sigPrintLabel()
{
    const QList<int> rows = selectedRowNumbers();
    if (rows.size() != 1)
        return;
    const PartListRow group = rowGroup(rows.first());
    requests.labelKey = PartGroups::key(group.value, group.name);
    requests.printLabel = true;
}

void Partlist::debugOutput(int machineIndex)
{
    requests.machineIndex = machineIndex;
    requests.keysToAssign = selectedKeys();
    requests.assignMachine = true;
}
