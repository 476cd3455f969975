#pragma once

#include <QList>

// One board position on a panel; placements are placed once per enabled origin.
struct Origin
{
    double x = 0.0;
    double y = 0.0;
    int exec = 1; // 0 = skip this board, 1 = place it

    bool operator==(const Origin& o) const { return x == o.x && y == o.y && exec == o.exec; }
    bool operator!=(const Origin& o) const { return !(*this == o); }
};

// The panel origins of one side, in table order. Empty means a single board.
using Origins = QList<Origin>;
