#include "gerber/excellonroute.h"

#include <cmath>

namespace {

constexpr double degreesPerRadian = 180.0 / M_PI;
constexpr int maxSteps = 360;

bool finitePoint(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

} // namespace

QVector<QPointF> ExcellonArc::pointsAroundCentre(QPointF centre) const
{
    const double r = std::hypot(start.x() - centre.x(), start.y() - centre.y());
    const double a0 = std::atan2(start.y() - centre.y(), start.x() - centre.x()) * degreesPerRadian;
    const double a1 = std::atan2(end.y() - centre.y(), end.x() - centre.x()) * degreesPerRadian;
    double sweep = clockwise ? a0 - a1 : a1 - a0; // degrees, positive in the direction of travel
    while (sweep <= 0.0 && std::isfinite(sweep))
        sweep += 360.0;
    if (start == end)
        sweep = 360.0; // a closed arc is a full circle
    QVector<QPointF> points;
    // Anything not finite (absurd coordinates) is drawn as the straight move it ends in.
    if (!finitePoint(centre) || !std::isfinite(r) || !std::isfinite(sweep) || r == 0.0) {
        points.append(end);
        return points;
    }
    const int steps = qBound(1, int(std::ceil(sweep)), maxSteps);
    const double step = (clockwise ? -sweep : sweep) / steps;
    points.reserve(steps);
    for (int k = 1; k < steps; ++k) {
        const double a = (a0 + step * k) / degreesPerRadian;
        points.append(QPointF(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a)));
    }
    points.append(end);
    return points;
}

QVector<QPointF> ExcellonArc::pointsWithRadius(double radius) const
{
    const QPointF chord = end - start;
    const double length = std::hypot(chord.x(), chord.y());
    if (length == 0.0 || !std::isfinite(length) || !std::isfinite(radius))
        return { end };
    const double half = length / 2.0;
    const double r = std::max(std::fabs(radius), half);
    const double h = std::sqrt(std::max(0.0, r * r - half * half));
    const QPointF middle = (start + end) / 2.0;
    const QPointF left(-chord.y() / length, chord.x() / length); // unit normal, left of the travel
    // The short clockwise arc bulges to the left, so its centre lies to the right; the long
    // arc and the counter-clockwise ones mirror that.
    const bool centreOnRight = clockwise == (radius >= 0.0);
    const QPointF centre = centreOnRight ? middle - left * h : middle + left * h;
    return pointsAroundCentre(centre);
}
