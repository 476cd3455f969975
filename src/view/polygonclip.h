#pragma once

#include <QPointF>
#include <QRectF>
#include <vector>

// Clipping against an axis-parallel rectangle, used to keep far-away geometry out of the
// rasteriser while leaving everything inside the rectangle unchanged.

// Cuts the segment a-b to the part inside `rect`. False when nothing of it lies inside.
bool clipSegment(const QRectF& rect, QPointF* a, QPointF* b);

// Cuts a closed polygon to `rect` (the filled area inside the rectangle stays the same).
void clipPolygon(const QRectF& rect, std::vector<QPointF>* polygon);
