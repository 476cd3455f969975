#include "view/layerbounds.h"

#include "gerber/gerberlayer.h"
#include "view/apertureshape.h"
#include "view/layerorder.h"

#include <QHash>
#include <cmath>
#include <limits>

namespace {

// Running min/max without QRectF arithmetic in the hot loop.
struct Box
{
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();

    void add(double x, double y, const QRectF& around)
    {
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        minX = qMin(minX, x + around.left());
        maxX = qMax(maxX, x + around.right());
        minY = qMin(minY, y + around.top());
        maxY = qMax(maxY, y + around.bottom());
    }
    bool isEmpty() const { return !(minX <= maxX && minY <= maxY); }
};

qint32 clampToInt(double v)
{
    const double lo = std::numeric_limits<qint32>::min();
    const double hi = std::numeric_limits<qint32>::max();
    return qint32(qBound(lo, v, hi));
}

} // namespace

QRectF LayerBounds::extentMm(const GerberLayer& layer, bool withRepeat)
{
    Box box;
    QHash<const Aperture*, QRectF> extents;
    const Aperture* lastAperture = nullptr;
    QRectF lastExtent;
    const auto extentOf = [&](const Aperture* a) -> const QRectF& {
        if (a != lastAperture) {
            auto it = extents.find(a);
            if (it == extents.end())
                it = extents.insert(a, a ? ApertureShape::extentInFileUnits(*a) : QRectF());
            lastAperture = a;
            lastExtent = *it;
        }
        return lastExtent;
    };
    const QRectF point;
    forEachInOrder(
        layer,
        [&](const ImageObject* o, const ImageObject* previous) {
            const quint64 word = o->word();
            const QString& kind = ObjectWord::kind(word);
            if (kind.size() != 2 || kind[0] != QLatin1Char('D'))
                return;
            const QChar k = kind[1];
            if (k == QLatin1Char('3')) {
                box.add(o->x, o->y, extentOf(ObjectWord::aperture(word)));
            } else if (k == QLatin1Char('1')) {
                const QRectF& e = extentOf(ObjectWord::aperture(word));
                box.add(o->x, o->y, e);
                if (previous)
                    box.add(previous->x, previous->y, e);
            }
        },
        [&](const QPolygonF& polygon, bool) {
            for (const QPointF& p : polygon)
                box.add(p.x(), p.y(), point);
        });
    if (box.isEmpty())
        return QRectF();

    const double f = layer.unitFactor;
    QRectF r(QPointF(box.minX * f, box.minY * f), QPointF(box.maxX * f, box.maxY * f));
    r = r.normalized();
    if (withRepeat) {
        const double dx = double(qMax(1, layer.repeatCountX) - 1) * layer.repeatStepX;
        const double dy = double(qMax(1, layer.repeatCountY) - 1) * layer.repeatStepY;
        if (std::isfinite(dx) && std::isfinite(dy))
            r = r.united(r.translated(dx, dy));
    }
    return r;
}

void LayerBounds::roundedMm(const GerberLayer& layer, qint32 bounds[4], bool withRepeat)
{
    const QRectF r = extentMm(layer, withRepeat);
    if (r.isNull()) {
        bounds[0] = bounds[1] = bounds[2] = bounds[3] = 0;
        return;
    }
    bounds[0] = clampToInt(std::ceil(r.right()));
    bounds[1] = clampToInt(std::floor(r.left()));
    bounds[2] = clampToInt(std::ceil(r.bottom()));
    bounds[3] = clampToInt(std::floor(r.top()));
}

QRectF LayerBounds::copperExtentMm(const QList<GerberLayer*>& layers)
{
    QRectF box;
    for (const GerberLayer* layer : layers)
        if (layer && layer->excellonLines.isEmpty())
            box = box.united(extentMm(*layer));
    return box;
}
