#pragma once

#include "view/viewstate.h"

#include <QHash>
#include <QImage>
#include <QPoint>
#include <functional>

class PnPEntry;
class QPainter;

// Drawn marker bodies kept as small images: a panel of thousands of placements has only a few
// sizes, angles and colours, and drawing an image is much cheaper than stroking wide pens.
class MarkerSprites
{
public:
    // The image for a key, made with `make` on first use; the cache is emptied when it grows
    // past a few thousand images.
    const QImage& get(quint64 key, const std::function<QImage()>& make);

private:
    QHash<quint64, QImage> m_images;
};

// How one placement marker is drawn: zoom, filters and the extra angle for its part.
struct MarkerStyle
{
    int zoomLevel = 10;
    ViewFilters filters;
    double extraAngle = 0.0;
    MarkerSprites* sprites = nullptr; // draws directly when null
};

// The marker of one placement: centre cross, body in the colours of its execute kind rotated to
// its angle, orientation chevron and reference designator.
namespace PlacementMarker {

// Screen angle in degrees (clockwise on screen, as QPainter::rotate takes it): the whole part
// of 360 − rotation − extra, brought into 0..359.
int drawnAngle(double rotation, double extraAngle);

// Pixel size of the reference designator text at a zoom level: the whole part of zoom × 0.8;
// 0 means no text (a font of pixel size 0 is refused by Qt).
int fontPixelSize(int zoomLevel);

void draw(QPainter& painter, const PnPEntry& entry, const QPoint& centre, const MarkerStyle& style);

// The read-out box of a placement being dragged, at the bottom left of a view `height` high.
void drawMovingBox(QPainter& painter, const PnPEntry& entry, int height);

} // namespace PlacementMarker
