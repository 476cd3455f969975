#pragma once

#include "app/hovertracker.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <vector>

class PnPEntry;

// The main window's hover tracking at the cost of what changed, with the results of
// HoverTracker::track and fade: the placements near the cursor come from a grid of the list,
// only lit placements fade, and a tick that finds the cursor, the list and every placement as
// in the last one returns at once, as that tick already settled the highlight. While the list
// or a placement changes from tick to tick (a drag), ticks scan the list and the grid waits.
class HoverWatch
{
public:
    // bases: where the board's copies start (one per drawn panel cell).
    HoverTracker::Result track(
        const QList<PnPEntry*>& entries, double cursorX, double cursorY, const QList<QPointF>& bases);
    bool fade(const QList<PnPEntry*>& entries);

private:
    struct Cell
    {
        quint64 key;
        int index;
        bool operator<(const Cell& o) const { return key < o.key || (key == o.key && index < o.index); }
    };

    // Takes the list when it or any placement changed since the last tick; true when it did.
    bool follow(const QList<PnPEntry*>& entries);
    void buildGrid();
    // List positions of the placements that may lie within the catch distance of the cursor
    // in any copy, ascending and each once.
    std::vector<int> candidates(double cursorX, double cursorY, const QList<QPointF>& bases) const;
    std::vector<int> candidatesAt(double x, double y) const;
    bool fadeLit();
    bool settledAt(double cursorX, double cursorY, const QList<QPointF>& bases) const;

    QList<PnPEntry*> m_list; // a shared copy: any edit of the original list detaches from it
    quint64 m_revision = 0;
    bool m_following = false;
    bool m_gridBuilt = false;
    std::vector<Cell> m_cells; // sorted
    std::vector<int> m_far; // placements beyond the grid, always tested
    std::vector<PnPEntry*> m_lit; // every placement of the list whose hover state is not 0
    bool m_settled = false;
    double m_cursorX = 0, m_cursorY = 0;
    QList<QPointF> m_bases;
    QString m_text;
};
