#include "gerber/gerberlayer.h"

#include <algorithm>
#include <numeric>

QColor GerberLayer::colorForIndex(int listIndex)
{
    static const int table[10][3] = {
        { 0, 130, 0 },
        { 220, 166, 20 },
        { 150, 80, 0 },
        { 150, 150, 150 },
        { 250, 250, 250 },
        { 87, 0, 127 },
        { 0, 74, 127 },
        { 127, 0, 0 },
        { 255, 106, 0 },
        { 182, 255, 0 },
    };
    int i = listIndex % 10;
    if (i < 0)
        i += 10;
    return QColor(table[i][0], table[i][1], table[i][2], 255);
}

GerberLayer::GerberLayer(int listIndex)
    : color(colorForIndex(listIndex))
{ }

GerberLayer::~GerberLayer()
{
    clearImage();
}

QVector<qint32> ObjectOrder::toVector() const
{
    QVector<qint32> list;
    list.reserve(m_size);
    for (const qint32 index : *this)
        list.append(index);
    return list;
}

void GerberLayer::reserveObjects(int count)
{
    if (count <= 0)
        return;
    const int objects = int(qMin<qint64>(qint64(m_arena.size()) + count, 1 << 26));
    if (m_orderListed)
        m_order.reserve(int(qMin<qint64>(qint64(m_order.size()) + count, 1 << 26)));
    m_arena.expect(std::size_t(objects));
}

void GerberLayer::fitObjectLists()
{
    // Whether the list is worth copying into a buffer that fits it. The copy holds both buffers
    // for a moment, while the unused end of a large reservation was never touched and costs
    // address space only: a large list is copied only when at least half of it is unused.
    constexpr qint64 smallBytes = 1 << 20;
    const qint64 capacity = m_order.capacity();
    const qint64 size = m_order.size();
    if (capacity - size > size / 8
        && (capacity * qint64(sizeof(qint32)) <= smallBytes || size <= capacity / 2))
        m_order.squeeze();
}

void GerberLayer::mapOtherObject(ImageObject* object, qint32 index, int position)
{
    if (index != m_runNextIndex)
        m_indexRuns.append(ObjectIndexRun { position, index });
    m_runNextIndex = qint64(index) + 1;
    if (m_sortedObjects == position && (m_sortedObjects == 0 || m_lastSortedIndex < index)) {
        ++m_sortedObjects;
        m_lastSortedIndex = index;
    } else {
        m_unsortedObjects.insert(index, object);
    }
}

qint32 GerberLayer::objectIndex(int position) const
{
    const auto run = std::upper_bound(m_indexRuns.cbegin(), m_indexRuns.cend(), position,
                         [](int p, const ObjectIndexRun& r) { return p < r.position; })
        - 1;
    return run->index + (position - run->position);
}

ImageObject* GerberLayer::objectAt(qint32 index) const
{
    // Runs that start among the sorted objects ascend in index too.
    const auto begin = m_indexRuns.cbegin();
    const auto within = std::lower_bound(begin, m_indexRuns.cend(), m_sortedObjects,
        [](const ObjectIndexRun& r, int limit) { return r.position < limit; });
    const auto after = std::upper_bound(
        begin, within, index, [](qint32 i, const ObjectIndexRun& r) { return i < r.index; });
    if (after != begin) {
        const ObjectIndexRun& run = *(after - 1);
        const qint64 position = qint64(run.position) + (qint64(index) - run.index);
        const int runEnd = after != m_indexRuns.cend() ? after->position : m_arena.size();
        if (position < qMin(runEnd, m_sortedObjects))
            return m_arena.at(int(position));
    }
    return m_unsortedObjects.value(index, nullptr);
}

bool GerberLayer::indexInUse(qint32 index) const
{
    return objectAt(index) != nullptr || regionPosition(index) >= 0;
}

qint32 GerberLayer::addRegion(QPolygonF* polygon, bool dark)
{
    const qint32 index = objectCounter++;
    enterRegion(polygon, dark, index);
    if (m_orderListed)
        m_order.append(index);
    return index;
}

void GerberLayer::enterRegion(QPolygonF* polygon, bool dark, qint32 index)
{
    const int position = m_regionIndexes.size();
    m_regionPolygons.append(polygon);
    m_regionPolarities.append(dark);
    m_regionIndexes.append(index);
    if (m_sortedRegions == position && (position == 0 || m_regionIndexes.at(position - 1) < index))
        ++m_sortedRegions;
    else
        m_unsortedRegions.insert(index, position);
}

int GerberLayer::regionPosition(qint32 index) const
{
    const auto begin = m_regionIndexes.cbegin();
    const auto end = begin + m_sortedRegions;
    const auto it = std::lower_bound(begin, end, index);
    if (it != end && *it == index)
        return int(it - begin);
    return m_unsortedRegions.value(index, -1);
}

void GerberLayer::insertOrder(qint32 index)
{
    // The index is not in use yet: below objectCounter that means the order is listed.
    if (!m_orderListed && index == objectCounter) {
        objectCounter = index + 1;
        return;
    }
    if (!m_orderListed) {
        m_order.resize(objectCounter);
        std::iota(m_order.begin(), m_order.end(), 0);
        m_orderListed = true;
    }
    if (m_order.isEmpty() || m_order.last() < index)
        m_order.append(index);
    else
        m_order.insert(std::lower_bound(m_order.begin(), m_order.end(), index), index);
    if (index >= objectCounter)
        objectCounter = index + 1;
    if (m_order.size() == objectCounter) {
        // The gaps are filled: the order is 0 to objectCounter - 1 again.
        m_order = QVector<qint32>();
        m_orderListed = false;
    }
}

bool GerberLayer::restoreObject(
    Aperture* aperture, double x, double y, ObjectKind kind, bool dark, qint32 index)
{
    if (index < 0 || index == INT32_MAX || indexInUse(index))
        return false;
    ImageObject* kept = m_arena.create(ObjectWord::pack(aperture, kind, dark), x, y);
    mapObject(kept, index);
    insertOrder(index);
    lastObject = kept;
    return true;
}

bool GerberLayer::restoreRegion(QPolygonF* polygon, bool dark, qint32 index)
{
    if (index < 0 || index == INT32_MAX || indexInUse(index)) {
        delete polygon;
        return false;
    }
    enterRegion(polygon, dark, index);
    insertOrder(index);
    return true;
}

Aperture* GerberLayer::addAperture(Aperture* aperture)
{
    m_apertures.append(aperture);
    return aperture;
}

Aperture* GerberLayer::adoptAperture(Aperture* aperture)
{
    m_adoptedApertures.append(aperture);
    return aperture;
}

ApertureMacro* GerberLayer::addMacro(ApertureMacro* macro)
{
    m_macros.append(macro);
    return macro;
}

void GerberLayer::addArcRecord(ArcRecord* arc)
{
    m_arcRecords.append(arc);
}

void GerberLayer::clearImage()
{
    m_arena.clear();
    qDeleteAll(m_apertures);
    qDeleteAll(m_adoptedApertures);
    qDeleteAll(m_regionPolygons);
    qDeleteAll(m_arcRecords);
    qDeleteAll(m_macros);
    delete currentRegion;
    m_apertures.clear();
    m_adoptedApertures.clear();
    m_regionPolygons.clear();
    m_regionPolarities.clear();
    m_arcRecords.clear();
    m_macros.clear();
    m_order = QVector<qint32>();
    m_orderListed = false;
    m_indexRuns.clear();
    m_runNextIndex = -1;
    m_sortedObjects = 0;
    m_lastSortedIndex = -1;
    m_unsortedObjects.clear();
    m_regionIndexes.clear();
    m_sortedRegions = 0;
    m_unsortedRegions.clear();
    currentRegion = nullptr;
    currentAperture = nullptr;
    arcAperture = nullptr;
    lastObject = nullptr;
    objectCounter = 0;
}
