#pragma once

#include "view/viewstate.h"

#include <QPointF>
#include <QString>
#include <optional>

struct Drawing;

// The arithmetic of the board view's interactive tools: cursor to board position, grid
// snapping, the bearing of a dragged point, the measurement read-out and the drawing hit test.
namespace ToolGeometry {

// Board millimetres under a widget pixel (no rounding): X = (px − offsetX)/z,
// Y = (h − py + offsetY)/z.
QPointF worldAt(const ViewState& state, int widgetHeight, const QPointF& widgetPos);

// The nearest multiple of the grid spacing; halves go away from zero (2.5 → 3, −2.5 → −3).
// A spacing that is not positive and finite leaves the value as it is.
double snap(double v, double spacing);
QPointF snap(const QPointF& p, double spacing);
// The movement tool's step: v − (v mod g), plus g when the remainder is at least g/2. The
// remainder keeps the sign of v, so negative coordinates snap toward zero.
double snapMovement(double v, double spacing);
QPointF snapMovement(const QPointF& p, double spacing);

// Clockwise angle from the +Y axis of the point (x, y) seen from the pivot, in [0, 360).
// Nothing for the pivot itself, where no direction exists.
std::optional<double> bearing(const QPointF& point, const QPointF& pivot = QPointF());

// A measured length as the read-out shows it: truncated to hundredths, at least two decimals,
// "mm". A length that is not finite shows "0.00mm".
QString measureText(double mm);

// The three lengths of a measurement from one end to the other.
struct Measurement
{
    double dx = 0.0;
    double dy = 0.0;
    double total = 0.0;
};
Measurement measure(const QPointF& from, const QPointF& to);
// "X: " dx "   Y: " dy "   Total: " total, as the box at the bottom right shows it.
QString measureBoxText(const Measurement& m);

// Distance from p to the segment a–b; a segment of length zero is the point a.
double segmentDistance(const QPointF& p, const QPointF& a, const QPointF& b);
// Whether a click at p (mm) takes the drawing, with a tolerance of `tolerance` mm. Lines are hit
// near their segment, hollow rectangles near their edges, filled rectangles and texts anywhere
// on their area (the user sees them solid). Drawn right to left or top to bottom alike.
bool hitsDrawing(const Drawing& d, const QPointF& p, double tolerance);

} // namespace ToolGeometry
