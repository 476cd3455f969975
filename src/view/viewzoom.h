#pragma once

#include "view/viewstate.h"

#include <QPointF>
#include <QRectF>
#include <QSize>

// Zoom steps of the board view: about a fifth of the level per step (one pixel per millimetre
// below 5), keeping the world point under a reference point where it was.
namespace ViewZoom {

int stepIn(int zoom);
int stepOut(int zoom);

// One step in or out about the widget point `at` (the mouse for the wheel, the centre for the
// keys); widget height `height`. False when the zoom is already at its bound.
bool zoomAbout(ViewState& state, bool in, const QPointF& at, int height);

// The largest zoom level that shows `world` (millimetres, Y upwards) whole in a widget of
// `size`, with offsets that centre it. A null or non-finite box leaves the state as it was.
void fit(ViewState& state, const QRectF& world, const QSize& size);

// Whether any part of `world` (millimetres, Y upwards) lies in a widget of `size` at the state's
// zoom and offsets. False for a null box.
bool showsAny(const ViewState& state, const QRectF& world, const QSize& size);

} // namespace ViewZoom

// Turns wheel angle deltas into zoom steps. A classic wheel notch (120 eighths of a degree) is
// one step; high-resolution wheels and touchpads send small deltas that add up to a step
// instead of zooming a whole step each; a delta of 0 (a horizontal scroll) is no step.
class WheelSteps
{
public:
    static constexpr int notch = 120;
    // Signed number of whole steps now due; the rest is kept for the next delta.
    int add(int angleDelta);

private:
    int m_pending = 0;
};
