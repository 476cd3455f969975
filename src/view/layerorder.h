#pragma once

#include "gerber/gerberlayer.h"

// Walks a layer's image in object-index order, as it was created: image objects together with
// the region polygons that were closed between them. `object(o, previous)` gets each image
// object and the object created before it (a draw starts there; nullptr for the first);
// `region(polygon, dark)` each region polygon.
template <typename ObjectFn, typename RegionFn>
void forEachInOrder(const GerberLayer& layer, ObjectFn&& object, RegionFn&& region)
{
    const ObjectArena& objects = layer.objects();
    const ImageObject* previous = nullptr;
    // Objects are stored in index order: most steps need no map lookup.
    auto next = objects.begin();
    const auto end = objects.end();
    ObjectIndexWalk indexes(layer);
    qint32 nextIndex = next != end ? indexes.next() : -1;
    for (const qint32 index : layer.order()) {
        const ImageObject* o = nullptr;
        if (next != end && nextIndex == index) {
            o = *next;
            if (++next != end)
                nextIndex = indexes.next();
        } else if (const QPolygonF* polygon = layer.regionAt(index)) {
            region(*polygon, layer.regionDarkAt(index));
            continue;
        } else {
            o = layer.objectAt(index);
            if (!o)
                continue;
        }
        object(o, previous);
        previous = o;
    }
}
