#pragma once

#include <QList>
#include <QRectF>

class GerberLayer;

// The extent of what a layer draws, in millimetres with Y upwards: flashes with the size of
// their aperture, draws with their stroke, region polygons with their points. Moves draw
// nothing and do not count.
class LayerBounds
{
public:
    // The exact extent; `withRepeat` adds the panel copies. A null rectangle for an empty image.
    static QRectF extentMm(const GerberLayer& layer, bool withRepeat = false);

    // The extent rounded outward to whole millimetres, as the render cache keeps it:
    // bounds[0] max X, bounds[1] min X, bounds[2] max Y, bounds[3] min Y. All 0 when empty.
    // The board the Gerber layers of a list span, drill layers left out: what drill holes are
    // checked against. Null when no Gerber layer holds anything.
    static QRectF copperExtentMm(const QList<GerberLayer*>& layers);

    static void roundedMm(const GerberLayer& layer, qint32 bounds[4], bool withRepeat = false);
};
