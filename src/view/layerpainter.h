#pragma once

#include <QColor>

class GerberLayer;
class QPainter;

// Where a layer lands on the paint device: world millimetres (Y upwards) to the painter's
// coordinates (y downwards): x = originX + scale * X, y = originY - scale * Y.
struct LayerPaintTransform
{
    double scale = 1.0; // pixels per millimetre
    double originX = 0.0; // painter x of X = 0
    double originY = 0.0; // painter y of Y = 0
    bool repeat = true; // draw every copy of the layer's panel repeat
};

// Draws the image of one layer: flashes of every aperture shape (with holes and macro images),
// draws with round and rectangular apertures, region polygons, each in its polarity. Dark parts
// are painted in `dark`; clear parts in `clear`, or erased to transparency when `clear` has
// alpha 0. Objects outside the painter's visible area are skipped. Shared by the board view
// and the render thread; used from any thread (it keeps no state between calls).
class LayerPainter
{
public:
    static void paint(QPainter& painter, const GerberLayer& layer, const LayerPaintTransform& transform,
        const QColor& dark, const QColor& clear);

    // Upper bound of panel copies drawn per axis, so that a corrupt repeat count cannot stall a
    // repaint.
    static constexpr int maxRepeatPerAxis = 100;
};
