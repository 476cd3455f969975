#pragma once

#include <QString>

class PnPEntry;

// Columns of the placement table, in their order.
enum class PlacementColumn
{
    RefDes,
    Value,
    Name,
    X,
    Y,
    Rotate,
    Comment,
    Exec,
    Head,
    Side,
    Machine,
    Line
};

// How the placement table shows an entry.
namespace PlacementText {
constexpr int columnCount = 12;
constexpr int rowHeight = 18;
// Header text and default width of a column (0..11).
QString header(int column);
int defaultWidth(int column);
// X and Y: six significant digits with at least two decimals and a decimal comma
// ("7,00", "12,50", "0,123457").
QString coordinate(double v);
// The text of one cell of an entry's row.
QString cell(const PnPEntry& e, int column);
} // namespace PlacementText
