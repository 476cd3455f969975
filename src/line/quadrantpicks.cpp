#include "line/quadrantpicks.h"

#include "model/pnpentry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The optimizer's distance between two placements, computed exactly as its plain scan did.
double distance(double x, double y, double fromX, double fromY)
{
    return std::max(std::abs(x - fromX), std::abs(y - fromY));
}

} // namespace

void QuadrantPicks::add(PnPEntry* entry, int partType)
{
    const int item = int(m_entries.size());
    m_entries.push_back(entry);
    m_types.push_back(partType);
    if (std::size_t(partType) >= m_groups.size())
        m_groups.resize(std::size_t(partType) + 1);
    Group& g = m_groups[std::size_t(partType)];
    g.members.push_back(item);
    g.finite = g.finite && std::isfinite(entry->x()) && std::isfinite(entry->y());
}

void QuadrantPicks::index()
{
    m_taken.assign(m_entries.size(), 0);
    m_position.assign(m_entries.size(), -1);
    m_left = m_entries.size();
    for (Group& g : m_groups) {
        if (!g.finite)
            continue;
        g.tree.reserve(g.members.size());
        for (int item : g.members) {
            const PnPEntry* e = m_entries[std::size_t(item)];
            g.tree.push_back({ e->x(), e->y(), 0, 0, 0, 0, item, 0 });
        }
        build(g, 0, int(g.tree.size()));
        for (std::size_t i = 0; i < g.tree.size(); ++i)
            m_position[std::size_t(g.tree[i].item)] = int(i);
    }
}

void QuadrantPicks::build(Group& g, int lo, int hi)
{
    if (lo >= hi)
        return;
    double minX = g.tree[std::size_t(lo)].x, maxX = minX;
    double minY = g.tree[std::size_t(lo)].y, maxY = minY;
    for (int i = lo + 1; i < hi; ++i) {
        const Node& n = g.tree[std::size_t(i)];
        minX = std::min(minX, n.x);
        maxX = std::max(maxX, n.x);
        minY = std::min(minY, n.y);
        maxY = std::max(maxY, n.y);
    }
    const int mid = lo + (hi - lo) / 2;
    const auto begin = g.tree.begin();
    if (maxX - minX >= maxY - minY)
        std::nth_element(
            begin + lo, begin + mid, begin + hi, [](const Node& a, const Node& b) { return a.x < b.x; });
    else
        std::nth_element(
            begin + lo, begin + mid, begin + hi, [](const Node& a, const Node& b) { return a.y < b.y; });
    Node& n = g.tree[std::size_t(mid)];
    n.minX = minX;
    n.maxX = maxX;
    n.minY = minY;
    n.maxY = maxY;
    n.left = hi - lo;
    build(g, lo, mid);
    build(g, mid + 1, hi);
}

int QuadrantPicks::first(int partType)
{
    if (partType < 0 || std::size_t(partType) >= m_groups.size())
        return -1;
    Group& g = m_groups[std::size_t(partType)];
    while (g.cursor < g.members.size() && m_taken[std::size_t(g.members[g.cursor])])
        ++g.cursor;
    return g.cursor < g.members.size() ? g.members[g.cursor] : -1;
}

int QuadrantPicks::nearest(int partType, const PnPEntry& from, double& distance) const
{
    distance = std::numeric_limits<double>::infinity();
    if (partType < 0 || std::size_t(partType) >= m_groups.size())
        return -1;
    const Group& g = m_groups[std::size_t(partType)];
    // Distances with a coordinate that is not finite compare in ways a box cannot bound.
    if (!g.finite || !std::isfinite(from.x()) || !std::isfinite(from.y()))
        return scan(g, from, distance);
    int best = -1;
    search(g, 0, int(g.tree.size()), from.x(), from.y(), best, distance);
    return best;
}

int QuadrantPicks::scan(const Group& g, const PnPEntry& from, double& bestDistance) const
{
    int best = -1;
    for (std::size_t i = g.cursor; i < g.members.size(); ++i) {
        const int item = g.members[i];
        if (m_taken[std::size_t(item)])
            continue;
        const PnPEntry* e = m_entries[std::size_t(item)];
        const double d = distance(e->x(), e->y(), from.x(), from.y());
        if (d < bestDistance) {
            bestDistance = d;
            best = item;
        }
    }
    return best;
}

void QuadrantPicks::search(
    const Group& g, int lo, int hi, double x, double y, int& best, double& bestDistance) const
{
    if (lo >= hi)
        return;
    const int mid = lo + (hi - lo) / 2;
    const Node& n = g.tree[std::size_t(mid)];
    if (n.left == 0)
        return;
    // No point of the box is nearer than its edge (rounding keeps the order of the differences).
    const double dx = x < n.minX ? n.minX - x : (x > n.maxX ? x - n.maxX : 0.0);
    const double dy = y < n.minY ? n.minY - y : (y > n.maxY ? y - n.maxY : 0.0);
    if (std::max(dx, dy) > bestDistance)
        return;
    if (!m_taken[std::size_t(n.item)]) {
        const double d = distance(n.x, n.y, x, y);
        // A scan in list order keeps the first of equal distances; infinite ones never win.
        if (d < bestDistance || (best >= 0 && d == bestDistance && n.item < best)) {
            bestDistance = d;
            best = n.item;
        }
    }
    const bool lowFirst = (n.maxX - n.minX >= n.maxY - n.minY) ? x <= n.x : y <= n.y;
    if (lowFirst) {
        search(g, lo, mid, x, y, best, bestDistance);
        search(g, mid + 1, hi, x, y, best, bestDistance);
    } else {
        search(g, mid + 1, hi, x, y, best, bestDistance);
        search(g, lo, mid, x, y, best, bestDistance);
    }
}

void QuadrantPicks::take(int item)
{
    m_taken[std::size_t(item)] = 1;
    --m_left;
    const int position = m_position[std::size_t(item)];
    if (position < 0)
        return;
    Group& g = m_groups[std::size_t(m_types[std::size_t(item)])];
    int lo = 0, hi = int(g.tree.size());
    for (;;) {
        const int mid = lo + (hi - lo) / 2;
        --g.tree[std::size_t(mid)].left;
        if (mid == position)
            break;
        if (position < mid)
            hi = mid;
        else
            lo = mid + 1;
    }
}
