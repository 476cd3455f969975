#include "view/polygonclip.h"

bool clipSegment(const QRectF& rect, QPointF* a, QPointF* b)
{
    const double dx = b->x() - a->x();
    const double dy = b->y() - a->y();
    double t0 = 0.0;
    double t1 = 1.0;
    // Liang-Barsky: each edge limits the parameter range of the segment.
    const double p[4] = { -dx, dx, -dy, dy };
    const double q[4]
        = { a->x() - rect.left(), rect.right() - a->x(), a->y() - rect.top(), rect.bottom() - a->y() };
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1)
                return false;
            t0 = qMax(t0, t);
        } else {
            if (t < t0)
                return false;
            t1 = qMin(t1, t);
        }
    }
    const QPointF start = *a;
    *a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    *b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

namespace {

enum Edge
{
    Left,
    Right,
    Top,
    Bottom
};

bool inside(const QPointF& p, Edge edge, const QRectF& r)
{
    switch (edge) {
    case Left:
        return p.x() >= r.left();
    case Right:
        return p.x() <= r.right();
    case Top:
        return p.y() >= r.top();
    case Bottom:
        return p.y() <= r.bottom();
    }
    return true;
}

QPointF crossing(const QPointF& a, const QPointF& b, Edge edge, const QRectF& r)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    switch (edge) {
    case Left:
    case Right: {
        const double x = edge == Left ? r.left() : r.right();
        const double t = dx != 0.0 ? (x - a.x()) / dx : 0.0;
        return QPointF(x, a.y() + t * dy);
    }
    case Top:
    case Bottom: {
        const double y = edge == Top ? r.top() : r.bottom();
        const double t = dy != 0.0 ? (y - a.y()) / dy : 0.0;
        return QPointF(a.x() + t * dx, y);
    }
    }
    return a;
}

} // namespace

void clipPolygon(const QRectF& rect, std::vector<QPointF>* polygon)
{
    // Sutherland-Hodgman, one rectangle edge at a time.
    std::vector<QPointF> input;
    for (Edge edge : { Left, Right, Top, Bottom }) {
        input.swap(*polygon);
        polygon->clear();
        const size_t n = input.size();
        for (size_t i = 0; i < n; ++i) {
            const QPointF& current = input[i];
            const QPointF& previous = input[(i + n - 1) % n];
            const bool currentIn = inside(current, edge, rect);
            const bool previousIn = inside(previous, edge, rect);
            if (currentIn) {
                if (!previousIn)
                    polygon->push_back(crossing(previous, current, edge, rect));
                polygon->push_back(current);
            } else if (previousIn) {
                polygon->push_back(crossing(previous, current, edge, rect));
            }
        }
    }
}
