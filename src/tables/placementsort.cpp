#include "tables/placementsort.h"

#include "model/document.h"
#include "tables/partgroups.h"
#include "tables/placementtext.h"

#include <QHash>
#include <algorithm>
#include <functional>

namespace PlacementSort {

namespace {

int skipSpace(const QString& s, int i)
{
    while (i < s.size() && s.at(i).isSpace())
        ++i;
    return i;
}

// Compares the digit runs a[i..) and b[j..) as numbers of any length, advancing both.
int compareDigitRuns(const QString& a, int& i, const QString& b, int& j)
{
    while (i < a.size() && a.at(i) == QLatin1Char('0') && i + 1 < a.size() && a.at(i + 1).isDigit())
        ++i;
    while (j < b.size() && b.at(j) == QLatin1Char('0') && j + 1 < b.size() && b.at(j + 1).isDigit())
        ++j;
    int ei = i;
    int ej = j;
    while (ei < a.size() && a.at(ei).isDigit())
        ++ei;
    while (ej < b.size() && b.at(ej).isDigit())
        ++ej;
    int result = (ei - i) - (ej - j);
    for (int k = 0; result == 0 && k < ei - i; ++k)
        result = a.at(i + k).unicode() - b.at(j + k).unicode();
    i = ei;
    j = ej;
    return result;
}

double numberKey(const PnPEntry& e, int column)
{
    switch (PlacementColumn(column)) {
    case PlacementColumn::X:
        return e.x();
    case PlacementColumn::Y:
        return e.y();
    case PlacementColumn::Rotate:
        return e.rotation();
    case PlacementColumn::Exec:
        return e.exec().toInt();
    case PlacementColumn::Head:
        return e.head();
    case PlacementColumn::Machine:
        return e.machine();
    case PlacementColumn::Line:
        return e.line();
    default:
        return 0.0;
    }
}

const QString& textKey(const PnPEntry& e, int column)
{
    switch (PlacementColumn(column)) {
    case PlacementColumn::Value:
        return e.value();
    case PlacementColumn::Name:
        return e.name();
    case PlacementColumn::Comment:
        return e.comment();
    case PlacementColumn::Side:
        return e.side();
    default:
        return e.refDes();
    }
}

template <typename Less> void stableSort(QList<PnPEntry*>& list, SortOrder order, Less less)
{
    std::vector<PnPEntry*> v(list.begin(), list.end());
    if (order == SortOrder::Ascending)
        std::stable_sort(v.begin(), v.end(), less);
    else
        std::stable_sort(v.begin(), v.end(), [&](PnPEntry* a, PnPEntry* b) { return less(b, a); });
    list = QList<PnPEntry*>(v.begin(), v.end());
}

} // namespace

int naturalCompare(const QString& a, const QString& b)
{
    int i = 0;
    int j = 0;
    for (;;) {
        i = skipSpace(a, i);
        j = skipSpace(b, j);
        if (i >= a.size() || j >= b.size())
            return (i >= a.size() ? 0 : 1) - (j >= b.size() ? 0 : 1);
        const bool da = a.at(i).isDigit();
        const bool db = b.at(j).isDigit();
        if (da && db) {
            if (const int r = compareDigitRuns(a, i, b, j))
                return r;
            continue;
        }
        if (da != db)
            return da ? -1 : 1;
        if (a.at(i) != b.at(j))
            return a.at(i).unicode() - b.at(j).unicode();
        ++i;
        ++j;
    }
}

void sort(QList<PnPEntry*>& list, int column, SortOrder order, const PartListFilter& filter)
{
    switch (column) {
    case int(PlacementColumn::RefDes):
    case int(PlacementColumn::Value):
    case int(PlacementColumn::Name):
    case int(PlacementColumn::Comment):
    case int(PlacementColumn::Side):
        stableSort(list, order, [column](const PnPEntry* a, const PnPEntry* b) {
            return naturalCompare(textKey(*a, column), textKey(*b, column)) < 0;
        });
        return;
    case int(PlacementColumn::X):
    case int(PlacementColumn::Y):
    case int(PlacementColumn::Rotate):
    case int(PlacementColumn::Exec):
    case int(PlacementColumn::Head):
    case int(PlacementColumn::Machine):
    case int(PlacementColumn::Line):
        stableSort(list, order, [column](const PnPEntry* a, const PnPEntry* b) {
            return numberKey(*a, column) < numberKey(*b, column);
        });
        return;
    case quantityColumn: {
        // Counted once, as the part table counts them, not per comparison.
        const QHash<const PnPEntry*, int> qty = PartGroups::quantities(list, filter);
        stableSort(list, order,
            [&qty](const PnPEntry* a, const PnPEntry* b) { return qty.value(a) < qty.value(b); });
        return;
    }
    default:
        return;
    }
}

SortOrder toggled(SortOrder order)
{
    return order == SortOrder::Ascending ? SortOrder::Descending : SortOrder::Ascending;
}

} // namespace PlacementSort
