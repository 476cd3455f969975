#include "view/layerpainter.h"

#include "gerber/gerberlayer.h"
#include "view/apertureshape.h"
#include "view/layerbounds.h"
#include "view/layerorder.h"
#include "view/polygonclip.h"

#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// Pixels beyond the visible area that geometry may reach before it is clipped by hand: keeps
// huge coordinates away from the rasteriser's fixed-point range.
const double clipMargin = 4096.0;

class PaintPass
{
public:
    PaintPass(QPainter& painter, const GerberLayer& layer, double pixelsPerUnit, const QColor& dark,
        const QColor& clear)
        : m_painter(painter)
        , m_layer(layer)
        , m_scale(pixelsPerUnit)
        , m_darkBrush(dark)
        , m_clearBrush(clear.alpha() == 0 ? QColor(Qt::black) : clear)
        , m_clearErases(clear.alpha() == 0)
    {
        QRectF visible;
        if (painter.hasClipping())
            visible = painter.clipBoundingRect();
        else if (const QPaintDevice* device = painter.device())
            visible = painter.transform().inverted().mapRect(QRectF(0, 0, device->width(), device->height()));
        m_visible = visible.adjusted(-2, -2, 2, 2);
        m_safe = m_visible.adjusted(-clipMargin, -clipMargin, clipMargin, clipMargin);
        if (layer.negativeImage)
            m_negativeExtent = LayerBounds::extentMm(layer);
    }

    bool intersectsVisible(const QRectF& r) const { return r.intersects(m_visible); }

    void run(double originX, double originY)
    {
        m_ox = originX;
        m_oy = originY;
        m_havePolarity = false;
        if (m_layer.negativeImage && !m_negativeExtent.isEmpty()) {
            // A negative image is dark over its whole extent; what it draws cuts clear from it.
            const double s = m_scale / m_layer.unitFactor;
            const QRectF& e = m_negativeExtent;
            m_painter.fillRect(QRectF(QPointF(originX + s * e.left(), originY - s * e.bottom()),
                                   QPointF(originX + s * e.right(), originY - s * e.top())),
                m_darkBrush);
        }
        forEachInOrder(
            m_layer, [this](const ImageObject* o, const ImageObject* previous) { object(o, previous); },
            [this](const QPolygonF& polygon, bool dark) { region(polygon, dark); });
        flush();
    }

private:
    const ApertureShape* shapeOf(const Aperture* aperture)
    {
        if (aperture == m_lastAperture)
            return m_lastShape;
        ApertureShape*& slot = m_shapes[aperture];
        if (!slot) {
            m_ownedShapes.emplace_back(new ApertureShape(*aperture, m_scale));
            slot = m_ownedShapes.back().get();
        }
        m_lastAperture = aperture;
        m_lastShape = slot;
        return slot;
    }

    void setPolarity(bool dark)
    {
        if (m_havePolarity && dark == m_dark)
            return;
        flush();
        m_havePolarity = true;
        m_dark = dark;
        m_painter.setCompositionMode(
            !dark && m_clearErases ? QPainter::CompositionMode_Clear : QPainter::CompositionMode_SourceOver);
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(dark ? m_darkBrush : m_clearBrush);
    }

    QColor colour() const { return m_dark ? m_darkBrush.color() : m_clearBrush.color(); }

    QPointF map(double x, double y) const { return QPointF(m_ox + m_scale * x, m_oy - m_scale * y); }

    static bool finite(const QPointF& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

    void object(const ImageObject* o, const ImageObject* previous)
    {
        const quint64 word = o->word(); // one look-up for kind, aperture and polarity
        const QString& kind = ObjectWord::kind(word);
        const Aperture* aperture = ObjectWord::aperture(word);
        if (kind.size() != 2 || kind[0] != QLatin1Char('D') || !aperture)
            return;
        const QChar k = kind[1];
        if (k != QLatin1Char('1') && k != QLatin1Char('3'))
            return;
        const ApertureShape* shape = shapeOf(aperture);
        const QPointF at = map(o->x, o->y);
        if (!finite(at))
            return;
        setPolarity(ObjectWord::dark(word));
        if (k == QLatin1Char('3')) {
            flash(*shape, at);
            return;
        }
        const QPointF from = previous ? map(previous->x, previous->y) : at;
        if (finite(from))
            stroke(*shape, from, at);
    }

    void flash(const ApertureShape& shape, const QPointF& at)
    {
        if (shape.kind == ApertureShape::None || !intersectsVisible(shape.extent.translated(at)))
            return;
        switch (shape.kind) {
        case ApertureShape::Circle: {
            const double r = qMax(0.5, shape.width / 2.0);
            m_painter.drawEllipse(at, r, r);
            break;
        }
        case ApertureShape::Rectangle:
            m_rects.push_back(QRectF(at.x() - shape.width / 2.0, at.y() - shape.height / 2.0,
                qMax(1.0, shape.width), qMax(1.0, shape.height)));
            break;
        case ApertureShape::Obround: {
            const double r = qMin(shape.width, shape.height) / 2.0;
            m_painter.drawRoundedRect(shape.extent.translated(at), r, r);
            break;
        }
        case ApertureShape::Polygon:
            m_points.resize(shape.polygon.size());
            for (int i = 0; i < shape.polygon.size(); ++i)
                m_points[i] = shape.polygon[i] + at;
            m_painter.drawConvexPolygon(m_points.data(), int(m_points.size()));
            break;
        case ApertureShape::Path:
            m_painter.translate(at);
            m_painter.drawPath(shape.path);
            m_painter.translate(-at);
            break;
        case ApertureShape::None:
            break;
        }
        // A pad narrower than a pixel covers no pixel centre: it is drawn a pixel wide instead.
        const QRectF& e = shape.extent;
        if (e.width() < 1.0 && e.height() < 1.0) {
            m_painter.drawRect(QRectF(std::floor(at.x()), std::floor(at.y()), 1.0, 1.0)); // its pixel
        } else if (e.width() < 1.0 || e.height() < 1.0) {
            withHairlinePen([&] {
                if (e.height() < 1.0)
                    m_painter.drawLine(at + QPointF(e.left(), 0.0), at + QPointF(e.right(), 0.0));
                else
                    m_painter.drawLine(at + QPointF(0.0, e.top()), at + QPointF(0.0, e.bottom()));
            });
        }
    }

    // Runs `draw` with a one-pixel pen in the current polarity's colour.
    template <typename Draw> void withHairlinePen(Draw draw)
    {
        m_painter.setPen(QPen(colour(), 0.0));
        draw();
        m_painter.setPen(Qt::NoPen);
    }

    void stroke(const ApertureShape& shape, QPointF a, QPointF b)
    {
        const bool rectangular = shape.rectangularStroke && shape.kind != ApertureShape::None;
        // At least a pixel: a thin horizontal or vertical draw must not make an empty box.
        const double reach = qMax(1.0, rectangular ? qMax(shape.width, shape.height) : shape.strokeWidth);
        const QRectF box = QRectF(a, b).normalized().adjusted(-reach, -reach, reach, reach);
        if (!intersectsVisible(box))
            return;
        if (!m_safe.contains(box) && !clipSegment(m_safe, &a, &b))
            return;
        if (rectangular) {
            rectangleStroke(shape, a, b);
            return;
        }
        if (a == b) {
            // A draw of length 0 leaves the aperture's dot.
            const double r = qMax(0.5, shape.strokeWidth / 2.0);
            m_painter.drawEllipse(a, r, r);
            return;
        }
        lineBucket(shape.strokeWidth).push_back(QLineF(a, b));
    }

    // The area a rectangle sweeps along a straight line: the convex hull of its two end positions.
    void rectangleStroke(const ApertureShape& shape, const QPointF& a, const QPointF& b)
    {
        const double w = qMax(1.0, shape.width) / 2.0;
        const double h = qMax(1.0, shape.height) / 2.0;
        std::array<QPointF, 8> p
            = { a + QPointF(-w, -h), a + QPointF(w, -h), a + QPointF(w, h), a + QPointF(-w, h),
                  b + QPointF(-w, -h), b + QPointF(w, -h), b + QPointF(w, h), b + QPointF(-w, h) };
        std::sort(p.begin(), p.end(), [](const QPointF& l, const QPointF& r) {
            return l.x() < r.x() || (l.x() == r.x() && l.y() < r.y());
        });
        const auto cross = [](const QPointF& o, const QPointF& u, const QPointF& v) {
            return (u.x() - o.x()) * (v.y() - o.y()) - (u.y() - o.y()) * (v.x() - o.x());
        };
        std::array<QPointF, 16> hull;
        int k = 0;
        for (int i = 0; i < 8; ++i) {
            while (k >= 2 && cross(hull[k - 2], hull[k - 1], p[i]) <= 0)
                --k;
            hull[k++] = p[i];
        }
        for (int i = 6, lower = k + 1; i >= 0; --i) {
            while (k >= lower && cross(hull[k - 2], hull[k - 1], p[i]) <= 0)
                --k;
            hull[k++] = p[i];
        }
        m_painter.drawConvexPolygon(hull.data(), k - 1);
        if (shape.width < 1.0 || shape.height < 1.0)
            withHairlinePen([&] { m_painter.drawLine(a, b); });
    }

    std::vector<QLineF>& lineBucket(double width)
    {
        for (Bucket& bucket : m_buckets) {
            if (bucket.width == width)
                return bucket.lines;
        }
        if (m_buckets.size() >= 64)
            flush();
        m_buckets.push_back(Bucket { width, {} });
        return m_buckets.back().lines;
    }

    void region(const QPolygonF& polygon, bool dark)
    {
        if (polygon.size() < 3)
            return;
        m_points.clear();
        m_points.reserve(polygon.size());
        double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
        for (const QPointF& p : polygon) {
            const QPointF q = map(p.x(), p.y());
            if (!finite(q))
                return;
            minX = qMin(minX, q.x());
            maxX = qMax(maxX, q.x());
            minY = qMin(minY, q.y());
            maxY = qMax(maxY, q.y());
            m_points.push_back(q);
        }
        const QRectF box(QPointF(minX, minY), QPointF(maxX, maxY));
        if (!intersectsVisible(box))
            return;
        if (!m_safe.contains(box)) {
            clipPolygon(m_safe, &m_points);
            if (m_points.size() < 3)
                return;
        }
        setPolarity(dark);
        m_painter.drawPolygon(m_points.data(), int(m_points.size()), Qt::WindingFill);
        // A region thinner than a pixel (twice its area over its perimeter, its mean width: a
        // hairline outline drawn as a region) covers few pixel centres: its edges are drawn too.
        double area = 0.0, perimeter = 0.0;
        for (size_t i = 0, n = m_points.size(); i < n; ++i) {
            const QPointF& a = m_points[i];
            const QPointF& b = m_points[(i + 1) % n];
            area += a.x() * b.y() - b.x() * a.y();
            perimeter += std::hypot(b.x() - a.x(), b.y() - a.y());
        }
        if (std::fabs(area) < perimeter) // mean width |area| / (perimeter / 2) below 2 half-pixels
            withHairlinePen(
                [&] { m_painter.drawPolygon(m_points.data(), int(m_points.size()), Qt::WindingFill); });
    }

    void flush()
    {
        if (!m_havePolarity)
            return;
        if (!m_rects.empty()) {
            m_painter.drawRects(m_rects.data(), int(m_rects.size()));
            m_rects.clear();
        }
        bool penSet = false;
        for (Bucket& bucket : m_buckets) {
            if (bucket.lines.empty())
                continue;
            // Thinner than a pixel: a one-pixel line, so that fine tracks stay visible.
            const double w = bucket.width < 1.0 ? 0.0 : bucket.width;
            m_painter.setPen(QPen(colour(), w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            penSet = true;
            m_painter.drawLines(bucket.lines.data(), int(bucket.lines.size()));
            bucket.lines.clear();
        }
        m_buckets.clear();
        if (penSet)
            m_painter.setPen(Qt::NoPen);
    }

    struct Bucket
    {
        double width;
        std::vector<QLineF> lines;
    };

    QPainter& m_painter;
    const GerberLayer& m_layer;
    const double m_scale;
    const QBrush m_darkBrush;
    const QBrush m_clearBrush;
    const bool m_clearErases;
    QRectF m_visible;
    QRectF m_safe;
    QRectF m_negativeExtent; // millimetres; only for a negative image
    double m_ox = 0.0;
    double m_oy = 0.0;
    bool m_havePolarity = false;
    bool m_dark = true;

    QHash<const Aperture*, ApertureShape*> m_shapes;
    std::vector<std::unique_ptr<ApertureShape>> m_ownedShapes;
    const Aperture* m_lastAperture = nullptr;
    const ApertureShape* m_lastShape = nullptr;

    std::vector<QRectF> m_rects;
    std::vector<Bucket> m_buckets;
    std::vector<QPointF> m_points;
};

} // namespace

void LayerPainter::paint(QPainter& painter, const GerberLayer& layer, const LayerPaintTransform& transform,
    const QColor& dark, const QColor& clear)
{
    const double pixelsPerUnit = transform.scale * layer.unitFactor;
    if (!std::isfinite(pixelsPerUnit) || !(pixelsPerUnit > 0.0) || !std::isfinite(transform.originX)
        || !std::isfinite(transform.originY))
        return;

    painter.save();
    PaintPass pass(painter, layer, pixelsPerUnit, dark, clear);
    const int countX = transform.repeat ? qBound(1, layer.repeatCountX, maxRepeatPerAxis) : 1;
    const int countY = transform.repeat ? qBound(1, layer.repeatCountY, maxRepeatPerAxis) : 1;
    // With copies, skip those that lie wholly outside the visible area.
    const QRectF extent = countX * countY > 1 ? LayerBounds::extentMm(layer) : QRectF();
    for (int j = 0; j < countY; ++j) {
        for (int i = 0; i < countX; ++i) {
            const double ox = transform.originX + transform.scale * i * layer.repeatStepX;
            const double oy = transform.originY - transform.scale * j * layer.repeatStepY;
            if (!std::isfinite(ox) || !std::isfinite(oy))
                continue;
            if (!extent.isNull()) {
                const QRectF onDevice(
                    QPointF(ox + transform.scale * extent.left(), oy - transform.scale * extent.bottom()),
                    QPointF(ox + transform.scale * extent.right(), oy - transform.scale * extent.top()));
                if (!pass.intersectsVisible(onDevice.normalized()))
                    continue;
            }
            pass.run(ox, oy);
        }
    }
    painter.restore();
}
