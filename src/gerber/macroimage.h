#pragma once

#include "gerber/macroprimitive.h"

#include <QList>
#include <QMap>
#include <QPolygonF>

// The expanded image of a macro aperture: ready-made circles, lines and polygons relative
// to the flash point, drawn in index order with their exposures.
class MacroImage
{
public:
    QList<qint32> indexes; // every image index in creation order
    QMap<qint32, bool> exposures; // true = dark, false = clear
    QMap<qint32, MacroPrimitive> primitives; // circles and lines
    QMap<qint32, QPolygonF> polygons; // outlines and regular polygons
};
