#include "view/toolgeometry.h"

#include "board/boardtransform.h"
#include "model/drawing.h"
#include "model/numbertext.h"

#include <QRectF>
#include <cmath>

namespace ToolGeometry {

namespace {
constexpr double degreesPerRadian = 57.29577951308232;

bool usableSpacing(double g)
{
    return std::isfinite(g) && g > 0.0;
}
} // namespace

QPointF worldAt(const ViewState& state, int widgetHeight, const QPointF& widgetPos)
{
    const double z = qMax(1, state.zoomLevel);
    return QPointF((widgetPos.x() - state.offsetX) / z, (widgetHeight - widgetPos.y() + state.offsetY) / z);
}

double snap(double v, double spacing)
{
    if (!usableSpacing(spacing) || !std::isfinite(v))
        return v;
    const double a = std::fabs(v);
    const double r = std::fmod(a, spacing);
    const double snapped = a - r + (r >= spacing / 2 ? spacing : 0.0);
    return v < 0 ? -snapped : snapped;
}

QPointF snap(const QPointF& p, double spacing)
{
    return QPointF(snap(p.x(), spacing), snap(p.y(), spacing));
}

double snapMovement(double v, double spacing)
{
    if (!usableSpacing(spacing) || !std::isfinite(v))
        return v;
    const double r = std::fmod(v, spacing);
    return v - r + (r >= spacing / 2 ? spacing : 0.0);
}

QPointF snapMovement(const QPointF& p, double spacing)
{
    return QPointF(snapMovement(p.x(), spacing), snapMovement(p.y(), spacing));
}

std::optional<double> bearing(const QPointF& point, const QPointF& pivot)
{
    const double x = point.x() - pivot.x();
    const double y = point.y() - pivot.y();
    if (!std::isfinite(x) || !std::isfinite(y) || (x == 0.0 && y == 0.0))
        return std::nullopt;
    // atan2(x, y) measures from +Y toward +X, which is clockwise on the board.
    double b = std::atan2(x, y) * degreesPerRadian;
    if (b < 0.0)
        b += 360.0;
    return b >= 360.0 ? 0.0 : b;
}

QString measureText(double mm)
{
    QString text = NumberText::format(BoardTransform::truncateToHundredth(mm));
    if (!text.contains(QLatin1Char('e'))) {
        const int dot = text.indexOf(QLatin1Char('.'));
        if (dot < 0)
            text += QStringLiteral(".00");
        else if (text.size() - dot == 2)
            text += QLatin1Char('0');
    }
    return text + QStringLiteral("mm");
}

Measurement measure(const QPointF& from, const QPointF& to)
{
    Measurement m;
    m.dx = std::fabs(to.x() - from.x());
    m.dy = std::fabs(to.y() - from.y());
    m.total = m.dx == 0.0 ? m.dy : m.dy == 0.0 ? m.dx : std::hypot(m.dx, m.dy);
    return m;
}

QString measureBoxText(const Measurement& m)
{
    return QStringLiteral("X: ") + measureText(m.dx) + QStringLiteral("   Y: ") + measureText(m.dy)
        + QStringLiteral("   Total: ") + measureText(m.total);
}

double segmentDistance(const QPointF& p, const QPointF& a, const QPointF& b)
{
    const QPointF ab = b - a;
    const double lengthSquared = QPointF::dotProduct(ab, ab);
    if (!(lengthSquared > 0.0))
        return std::hypot(p.x() - a.x(), p.y() - a.y());
    const double t = qBound(0.0, QPointF::dotProduct(p - a, ab) / lengthSquared, 1.0);
    const QPointF nearest = a + t * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

bool hitsDrawing(const Drawing& d, const QPointF& p, double tolerance)
{
    if (d.type == Drawing::NoDrawing || !(tolerance >= 0.0))
        return false;
    // The box between the corners with its minimum first, whatever way the drawing was drawn.
    const QRectF box = QRectF(QPointF(d.startX, d.startY), QPointF(d.endX, d.endY)).normalized();
    const QRectF grown = box.adjusted(-tolerance, -tolerance, tolerance, tolerance);
    if (p.x() < grown.left() || p.x() > grown.right() || p.y() < grown.top() || p.y() > grown.bottom())
        return false;
    switch (d.type) {
    case Drawing::Line:
        return segmentDistance(p, QPointF(d.startX, d.startY), QPointF(d.endX, d.endY)) <= tolerance;
    case Drawing::FilledRectangle:
    case Drawing::Text:
        return true;
    default: {
        // A hollow rectangle: near one of its edges, not deep inside.
        const QRectF inner = box.adjusted(tolerance, tolerance, -tolerance, -tolerance);
        const bool deepInside = inner.width() > 0 && inner.height() > 0 && p.x() > inner.left()
            && p.x() < inner.right() && p.y() > inner.top() && p.y() < inner.bottom();
        return !deepInside;
    }
    }
}

} // namespace ToolGeometry
