#pragma once

#include <cstddef>
#include <vector>

class PnPEntry;

// The placements of one optimizer quadrant that are still to be placed, grouped by part type,
// with the two picks the optimizer makes: the earliest placement of a type in list order, and the
// nearest one to the previous placement by the larger of the x and y distances (ties to the
// earliest in list order; none when no placement lies at a finite distance). Each group keeps a
// k-d tree with counts of the placements left, so a pick costs about log n instead of a scan.
class QuadrantPicks
{
public:
    void add(PnPEntry* entry, int partType);
    // Builds the look-ups; call once after the last add().
    void index();

    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_left == 0; }
    PnPEntry* entry(int item) const { return m_entries[std::size_t(item)]; }
    int partType(int item) const { return m_types[std::size_t(item)]; }
    // Nothing is taken before index().
    bool taken(int item) const
    {
        return std::size_t(item) < m_taken.size() && m_taken[std::size_t(item)] != 0;
    }

    // The earliest placement of the type still left, or -1.
    int first(int partType);
    // The nearest placement of the type to `from`, or -1; `distance` receives its distance.
    int nearest(int partType, const PnPEntry& from, double& distance) const;
    void take(int item);

private:
    struct Node
    {
        double x, y;
        double minX, maxX, minY, maxY; // box of the node's subtree
        int item;
        int left; // placements of the subtree not yet taken
    };
    struct Group
    {
        std::vector<int> members; // item numbers in list order
        std::size_t cursor = 0; // members before it are taken
        bool finite = true; // every member has finite coordinates: the tree is used
        std::vector<Node> tree; // implicit: the node of range [lo, hi) sits at (lo + hi) / 2
    };

    void build(Group& g, int lo, int hi);
    void search(const Group& g, int lo, int hi, double x, double y, int& best, double& bestDistance) const;
    int scan(const Group& g, const PnPEntry& from, double& distance) const;

    std::vector<PnPEntry*> m_entries;
    std::vector<int> m_types;
    std::vector<char> m_taken;
    std::vector<int> m_position; // item -> its node in the group's tree
    std::vector<Group> m_groups; // by part type
    std::size_t m_left = 0;
};
