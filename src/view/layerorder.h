#pragma once

#include "gerber/gerberlayer.h"

// Walks a layer's image in object-index order, as it was created: image objects together with
// the region polygons that were closed between them. `object(o, previous)` gets each image
// object and the object created before it (a draw starts there; nullptr for the first);
// `region(polygon, dark)` each region polygon.
template <typename ObjectFn, typename RegionFn>
void forEachInOrder(const GerberLayer& layer, ObjectFn&& object, RegionFn&& region)
{
    const QVector<ImageObject*>& objects = layer.objects();
    const QVector<qint32>& order = layer.order();
    const ImageObject* previous = nullptr;
    if (order.isEmpty()) {
        for (const ImageObject* o : objects) {
            object(o, previous);
            previous = o;
        }
        return;
    }
    int next = 0; // objects are stored in index order: most steps need no map lookup
    for (const qint32 index : order) {
        const ImageObject* o = nullptr;
        if (next < objects.size() && objects[next]->index == index) {
            o = objects[next++];
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
