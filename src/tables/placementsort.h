#pragma once

#include <QList>
#include <QString>

class PnPEntry;
struct PartListFilter;

enum class SortOrder
{
    Ascending, // "ASC"
    Descending // "DESC"
};

// Sorting the working list by a table column.
namespace PlacementSort {
// The part table's Qty column sorts the placements by the quantity of their group.
constexpr int quantityColumn = 999;

// Natural order: white space is skipped, a run of digits compares as a number and sorts
// before any other character, other characters compare by code; a text that runs out first
// sorts first. Returns <0, 0 or >0.
int naturalCompare(const QString& a, const QString& b);

// Stable sort of list by a placement column (0..11) or quantityColumn; equal entries keep
// their order. The quantity is the part list's Qty of the entry's group under filter.
// Unknown columns leave the list as it is.
void sort(QList<PnPEntry*>& list, int column, SortOrder order, const PartListFilter& filter);

// The other order, which a second click on the same header chooses.
SortOrder toggled(SortOrder order);
} // namespace PlacementSort
