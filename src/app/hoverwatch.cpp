#include "app/hoverwatch.h"

#include "model/pnpentry.h"

#include <algorithm>
#include <cmath>

namespace {

using HoverTracker::catchDistance;

constexpr double cellSize = 2 * catchDistance;
// Coordinates beyond this stay out of the grid (and bases beyond it make ticks scan), so that
// rounding never moves a placement by as much as the grid's one-cell margin.
constexpr double gridLimit = 1e9;

bool within(const PnPEntry& e, double cursorX, double cursorY, const QList<QPointF>& bases)
{
    // The very expression of HoverTracker::track, for any copy.
    for (const QPointF& base : bases) {
        const double ax = e.x() + base.x();
        const double ay = e.y() + base.y();
        if (std::fabs(cursorX - ax) < catchDistance && std::fabs(cursorY - ay) < catchDistance)
            return true;
    }
    return false;
}

bool inGrid(double v)
{
    return std::fabs(v) < gridLimit;
}

qint32 cellOf(double v)
{
    return qint32(std::floor(v / cellSize));
}

quint64 key(qint32 cx, qint32 cy)
{
    return (quint64(quint32(cx)) << 32) | quint32(cy);
}

} // namespace

bool HoverWatch::follow(const QList<PnPEntry*>& entries)
{
    if (m_following && entries.size() == m_list.size() && entries.constBegin() == m_list.constBegin()
        && PnPEntry::revision() == m_revision)
        return false;
    m_list = entries;
    m_revision = PnPEntry::revision();
    m_following = true;
    m_gridBuilt = false;
    m_settled = false;
    return true;
}

void HoverWatch::buildGrid()
{
    m_cells.clear();
    m_far.clear();
    m_cells.reserve(size_t(m_list.size()));
    for (int i = 0; i < m_list.size(); ++i) {
        const PnPEntry* e = m_list.at(i);
        if (inGrid(e->x()) && inGrid(e->y()))
            m_cells.push_back({ key(cellOf(e->x()), cellOf(e->y())), i });
        else if (std::isfinite(e->x()) && std::isfinite(e->y()))
            m_far.push_back(i);
    }
    std::sort(m_cells.begin(), m_cells.end());
    m_gridBuilt = true;
}

std::vector<int> HoverWatch::candidates(double cursorX, double cursorY, const QList<QPointF>& bases) const
{
    std::vector<int> out;
    for (const QPointF& base : bases) {
        const std::vector<int> some = candidatesAt(cursorX - base.x(), cursorY - base.y());
        out.insert(out.end(), some.begin(), some.end());
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

std::vector<int> HoverWatch::candidatesAt(double x, double y) const
{
    std::vector<int> out = m_far;
    if (inGrid(x) && inGrid(y)) {
        // One cell more on each side than the catch square needs.
        for (qint32 cx = cellOf(x - catchDistance) - 1; cx <= cellOf(x + catchDistance) + 1; ++cx) {
            for (qint32 cy = cellOf(y - catchDistance) - 1; cy <= cellOf(y + catchDistance) + 1; ++cy) {
                const quint64 k = key(cx, cy);
                auto it = std::lower_bound(m_cells.begin(), m_cells.end(), Cell { k, -1 });
                for (; it != m_cells.end() && it->key == k; ++it)
                    out.push_back(it->index);
            }
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

HoverTracker::Result HoverWatch::track(
    const QList<PnPEntry*>& entries, double cursorX, double cursorY, const QList<QPointF>& bases)
{
    HoverTracker::Result result;
    const bool changed = follow(entries);
    if (!changed && m_settled && cursorX == m_cursorX && cursorY == m_cursorY && bases == m_bases) {
        result.text = m_text;
        return result;
    }
    const bool gridSafe = std::all_of(bases.begin(), bases.end(), [&](const QPointF& b) {
        return inGrid(b.x()) && inGrid(b.y()) && std::isfinite(cursorX - b.x())
            && std::isfinite(cursorY - b.y());
    });
    if (changed || !gridSafe) {
        result = HoverTracker::track(m_list, cursorX, cursorY, bases);
        m_lit.clear();
        for (PnPEntry* e : qAsConst(m_list))
            if (e->hoverState() != 0)
                m_lit.push_back(e);
    } else {
        if (!m_gridBuilt)
            buildGrid();
        for (int i : candidates(cursorX, cursorY, bases)) {
            PnPEntry* e = m_list.at(i);
            if (!within(*e, cursorX, cursorY, bases))
                continue;
            result.text = e->refDes() + QLatin1Char(' ') + e->name() + QLatin1Char(' ') + e->value();
            if (e->hoverState() == 0)
                m_lit.push_back(e);
            e->setHoverState(e->hoverState() != 0 ? 3 : 2);
        }
        result.repaint = fadeLit();
    }
    m_cursorX = cursorX;
    m_cursorY = cursorY;
    m_bases = bases;
    m_text = result.text;
    m_settled = settledAt(cursorX, cursorY, bases);
    return result;
}

bool HoverWatch::fade(const QList<PnPEntry*>& entries)
{
    m_settled = false;
    if (follow(entries)) {
        const bool repaint = HoverTracker::fade(m_list);
        m_lit.clear();
        for (PnPEntry* e : qAsConst(m_list))
            if (e->hoverState() != 0)
                m_lit.push_back(e);
        return repaint;
    }
    return fadeLit();
}

bool HoverWatch::fadeLit()
{
    bool repaint = false;
    std::vector<PnPEntry*> still;
    for (PnPEntry* e : m_lit) {
        repaint |= HoverTracker::fade({ e });
        if (e->hoverState() != 0)
            still.push_back(e);
    }
    m_lit.swap(still);
    return repaint;
}

// After a tick the placements under the cursor hold state 1 and all others 0, unless some
// state was set elsewhere: then the next tick still has something to change.
bool HoverWatch::settledAt(double cursorX, double cursorY, const QList<QPointF>& bases) const
{
    return std::all_of(m_lit.begin(), m_lit.end(),
        [&](const PnPEntry* e) { return e->hoverState() == 1 && within(*e, cursorX, cursorY, bases); });
}
