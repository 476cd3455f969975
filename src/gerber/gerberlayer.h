#pragma once

#include "gerber/aperture.h"
#include "gerber/aperturemacro.h"
#include "gerber/arcrecord.h"
#include "gerber/imageobject.h"
#include "gerber/linelist.h"
#include "gerber/objectarena.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QList>
#include <QPolygonF>
#include <QStringList>
#include <QVector>
#include <atomic>
#include <iterator>
#include <new>

// The layer's object indexes (image objects and region polygons) in ascending order, read like a
// list. Usually they are 0, 1, 2, ... with none missing, and nothing is stored for them; only a
// layer whose stored indexes leave gaps keeps them in a list.
class ObjectOrder
{
public:
    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = qint32;
        using difference_type = std::ptrdiff_t;
        using pointer = const qint32*;
        using reference = qint32;

        const_iterator(const ObjectOrder* order, int k)
            : m_order(order)
            , m_k(k)
        { }
        qint32 operator*() const { return m_order->at(m_k); }
        const_iterator& operator++()
        {
            ++m_k;
            return *this;
        }
        bool operator==(const const_iterator& o) const { return m_k == o.m_k; }
        bool operator!=(const const_iterator& o) const { return m_k != o.m_k; }

    private:
        const ObjectOrder* m_order;
        int m_k;
    };

    // `list` nullptr: the indexes 0 to size - 1.
    ObjectOrder(const QVector<qint32>* list, int size)
        : m_list(list)
        , m_size(list ? list->size() : size)
    { }

    int size() const { return m_size; }
    int count() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    qint32 at(int k) const { return m_list ? m_list->at(k) : qint32(k); }
    qint32 operator[](int k) const { return at(k); }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, m_size); }
    QVector<qint32> toVector() const;

private:
    const QVector<qint32>* m_list;
    int m_size;
};

// Objects from `position` on (up to the next run) have the indexes `index`, `index` + 1, ...
struct ObjectIndexRun
{
    qint32 position;
    qint32 index;
};

// The image of one Gerber or Excellon file, in the file's own unit (unitFactor converts to mm).
//
// Adding to the image: objects and region polygons share one sequence of object indexes. Always
// go through createObject() (or addObject() for an object made with new) and addRegion(): they
// assign the next index from objectCounter, append to the list, enter the index map and the order
// list, and (for objects) move the current point.
// Readers of stored images that carry their own indexes use restoreObject()/restoreRegion().
// Apertures, macros and arc records are added with addAperture(), addMacro() and addArcRecord();
// a stand-in default aperture that is not in the aperture list is handed to adoptAperture() so
// the layer deletes it. The layer owns everything it holds and deletes it in its destructor.
class GerberLayer
{
public:
    // Colour of a new layer from its position in the layer list (index modulo 10).
    static QColor colorForIndex(int listIndex);

    explicit GerberLayer(int listIndex = 0);
    ~GerberLayer();
    GerberLayer(const GerberLayer&) = delete;
    GerberLayer& operator=(const GerberLayer&) = delete;

    // --- image content (owned) ---------------------------------------------------------------
    // The objects in the order they were added.
    const ObjectArena& objects() const { return m_arena; }
    const QList<Aperture*>& apertures() const { return m_apertures; }
    const QList<QPolygonF*>& regionPolygons() const { return m_regionPolygons; }
    const QList<bool>& regionPolarities() const { return m_regionPolarities; }
    const QList<ArcRecord*>& arcRecords() const { return m_arcRecords; }
    const QList<ApertureMacro*>& macros() const { return m_macros; }
    ObjectOrder order() const { return ObjectOrder(m_orderListed ? &m_order : nullptr, objectCounter); }

    // Index maps: nullptr (or true for the polarity) where the index holds no such item.
    ImageObject* objectAt(qint32 index) const;
    // The index of the object at the position in objects(); ObjectIndexWalk gives them in order.
    qint32 objectIndex(int position) const;
    QPolygonF* regionAt(qint32 index) const
    {
        const int at = regionPosition(index);
        return at >= 0 ? m_regionPolygons.at(at) : nullptr;
    }
    bool regionDarkAt(qint32 index) const
    {
        const int at = regionPosition(index);
        return at >= 0 ? m_regionPolarities.at(at) : true;
    }
    bool isRegionIndex(qint32 index) const { return regionPosition(index) >= 0; }

    // Makes an object in the layer's own storage (cheaper than new for millions of objects),
    // gives it the next object index and makes it the last object.
    ImageObject* createObject(Aperture* aperture, double x, double y, ObjectKind kind, bool dark)
    {
        return enterObject(m_arena.create(ObjectWord::pack(aperture, kind, dark), x, y));
    }
    // Takes the polygon (file units), gives it the next object index and stores its polarity.
    qint32 addRegion(QPolygonF* polygon, bool dark);
    // As createObject/addRegion, but keep the index already given (stored images); the counter
    // moves past it. Returns false (and deletes the polygon) when the index is negative or in use.
    bool restoreObject(Aperture* aperture, double x, double y, ObjectKind kind, bool dark, qint32 index);
    bool restoreRegion(QPolygonF* polygon, bool dark, qint32 index);

    // Gives every object the aperture the function returns for its own (see ObjectArena).
    template <typename Map> void mapApertures(Map&& map) { m_arena.mapApertures(std::forward<Map>(map)); }

    Aperture* addAperture(Aperture* aperture);
    Aperture* adoptAperture(Aperture* aperture); // owned, but not in the aperture list
    ApertureMacro* addMacro(ApertureMacro* macro);
    void addArcRecord(ArcRecord* arc);
    // Room for this many more objects (a reader's estimate).
    void reserveObjects(int count);
    // Gives back room the order list reserved but did not use (beyond an eighth), where copying it
    // costs less than the room it gives back.
    void fitObjectLists();

    // Drops the whole image (objects, regions, apertures, macros, arcs) and resets the
    // per-pass reading state; format fields, colour and transform stay.
    void clearImage();

    // --- fields, in the order of the layer record -------------------------------------------
    LineList rawLines; // the Gerber file's trimmed lines
    LineList excellonLines; // the drill file's lines; empty for Gerber

    QString unit = QStringLiteral("IN"); // "IN" or "MM"
    QString polarity = QStringLiteral("D"); // "D" dark, "C" clear
    QString zeroOmission = QStringLiteral("L"); // "L" leading, "T" trailing zeros omitted
    QString coordinateMode = QStringLiteral("A"); // "A" absolute, "I" incremental
    qint32 xIntegerDigits = 0;
    qint32 xDecimalDigits = 0;
    qint32 yIntegerDigits = 0;
    qint32 yDecimalDigits = 0;
    double unitFactor = 25.4; // millimetres per file unit

    qint32 repeatCountX = 1;
    qint32 repeatCountY = 1;
    double repeatStepX = 0.0;
    double repeatStepY = 0.0;

    bool visible = true;
    bool singleQuadrant = false; // G74
    bool multiQuadrant = false; // G75
    bool regionMode = false; // G36
    bool spareFlag = false;
    bool darkPolarity = true; // false after %LPC, or %LPD in a negative image
    bool negativeImage = false; // %IPNEG: dark wherever nothing clear is drawn
    bool quarterTurnParity = false;

    QString currentG; // first three characters of the last G block
    QString previousG;

    // Render cache (written by the render thread, never by the readers).
    QByteArray layerRaster; // one byte per pixel
    bool rendered = false;
    qint32 cachedBounds[4] = { 0, 0, 0, 0 };
    qint32 rasterScale = 100;
    std::atomic_bool busy { false };

    QColor color;
    QString fileName; // without folder

    qint32 objectCounter = 0; // next object index

    QPolygonF* currentRegion = nullptr; // owned while region mode builds it
    Aperture* currentAperture = nullptr; // selected aperture (not owned separately)
    Aperture* arcAperture = nullptr;
    ImageObject* lastObject = nullptr; // the current point

    bool mirror1 = false;
    bool mirror2 = false;
    qint32 quarterTurns = 0; // 0..3
    double offsetX = 0.0;
    double offsetY = 0.0;

    bool arcXMissing = false;
    bool arcYMissing = false;
    bool renderFlag = false;

private:
    friend class ObjectIndexWalk;
    void insertOrder(qint32 index);
    // Gives the object the next index and makes it the last object of the list, the map and the order.
    ImageObject* enterObject(ImageObject* object)
    {
        const qint32 index = objectCounter++;
        mapObject(object, index);
        if (m_orderListed)
            m_order.append(index);
        lastObject = object;
        return object;
    }
    // Notes the index of the object just added to the arena.
    void mapObject(ImageObject* object, qint32 index)
    {
        // What a reader does nearly every time: the next index after the last object's.
        const int position = m_arena.size() - 1;
        if (index == m_runNextIndex && m_sortedObjects == position) {
            ++m_runNextIndex;
            ++m_sortedObjects;
            m_lastSortedIndex = index;
            return;
        }
        mapOtherObject(object, index, position);
    }
    void mapOtherObject(ImageObject* object, qint32 index, int position);
    void enterRegion(QPolygonF* polygon, bool dark, qint32 index);
    // Where the region polygon of the index stands in the region lists; -1 for none.
    int regionPosition(qint32 index) const;
    bool indexInUse(qint32 index) const;

    QList<Aperture*> m_apertures;
    QList<QPolygonF*> m_regionPolygons;
    QList<bool> m_regionPolarities;
    QList<ArcRecord*> m_arcRecords;
    QList<ApertureMacro*> m_macros;
    QList<Aperture*> m_adoptedApertures;
    // The order, listed only while some index below objectCounter is unused; otherwise it is
    // 0 to objectCounter - 1.
    QVector<qint32> m_order;
    bool m_orderListed = false;
    ObjectArena m_arena; // all objects, in the order they were added
    // The objects' indexes, as runs of consecutive indexes at consecutive positions: a reader's
    // layer needs one run, and one more after each region polygon.
    QVector<ObjectIndexRun> m_indexRuns;
    qint64 m_runNextIndex = -1; // the index that continues the last run
    // Index map: objects appended in ascending index order (all the readers make) are found by
    // binary search in the runs, which costs no memory; the rest go to a hash.
    int m_sortedObjects = 0;
    qint32 m_lastSortedIndex = -1;
    QHash<qint32, ImageObject*> m_unsortedObjects;
    // The same for region polygons: the index of each, parallel to the region lists; those in
    // ascending order are found by binary search, the rest through the hash (to their position).
    QVector<qint32> m_regionIndexes;
    int m_sortedRegions = 0;
    QHash<qint32, int> m_unsortedRegions;
};

// The indexes of a layer's objects in the order of objects(), one after another, each without a
// search. The layer must not change while it is walked.
class ObjectIndexWalk
{
public:
    explicit ObjectIndexWalk(const GerberLayer& layer)
        : m_runs(layer.m_indexRuns)
    { }
    // The index of the next object.
    qint32 next()
    {
        if (m_run + 1 < m_runs.size() && m_runs.at(m_run + 1).position == m_position)
            ++m_run;
        const ObjectIndexRun& run = m_runs.at(m_run);
        return run.index + (m_position++ - run.position);
    }

private:
    const QVector<ObjectIndexRun>& m_runs;
    int m_run = 0;
    qint32 m_position = 0;
};
