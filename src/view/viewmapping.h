#pragma once

#include "view/viewstate.h"

#include <QPointF>
#include <cmath>

// World millimetres (Y upwards) to board-view pixels (y downwards) and back:
// x = offsetX + z·X, y = h + offsetY − z·Y. Whole-pixel positions truncate the product toward
// zero before the offset is added, as markers, rectangles and cross lines are placed. Products
// saturate at ±pixelLimit, so a corrupt coordinate of 1e9 mm cannot overflow an int.
struct ViewMapping
{
    static constexpr double pixelLimit = 1.0e7;

    int zoom = 10;
    int offsetX = 0;
    int offsetY = 0;
    int height = 0;

    static ViewMapping of(const ViewState& state, int height)
    {
        return { qMax(1, state.zoomLevel), state.offsetX, state.offsetY, height };
    }

    // A pixel count from a product, truncated toward zero and saturated; NaN counts as 0.
    static int pixels(double v)
    {
        if (!(v == v))
            return 0;
        return int(qBound(-pixelLimit, v, pixelLimit));
    }

    int x(double X) const { return offsetX + pixels(zoom * X); }
    int y(double Y) const { return height + offsetY - pixels(zoom * Y); }
    QPoint point(double X, double Y) const { return QPoint(x(X), y(Y)); }
    // The exact positions, for geometry that is not snapped to whole pixels.
    double xf(double X) const { return offsetX + qBound(-pixelLimit, zoom * X, pixelLimit); }
    double yf(double Y) const { return height + offsetY - qBound(-pixelLimit, zoom * Y, pixelLimit); }
    // A length in pixels.
    int length(double mm) const { return pixels(zoom * mm); }

    double worldX(double sx) const { return (sx - offsetX) / zoom; }
    double worldY(double sy) const { return (height + offsetY - sy) / zoom; }
};
