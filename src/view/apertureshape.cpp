#include "view/apertureshape.h"

#include "gerber/aperture.h"

#include <QLineF>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {

// Parameter values: "x" reads -1; a missing or negative size counts as 0.
double size(const Aperture& a, int i)
{
    const double v = a.parameterValue[i];
    return std::isfinite(v) && v > 0.0 ? v : 0.0;
}

bool given(const Aperture& a, int i)
{
    return a.parameterText[i] != QLatin1String("x") && size(a, i) > 0.0;
}

double signedArea(const QPolygonF& polygon)
{
    double area = 0.0;
    for (int i = 0, n = polygon.size(); i < n; ++i) {
        const QPointF& a = polygon[i];
        const QPointF& b = polygon[(i + 1) % n];
        area += a.x() * b.y() - b.x() * a.y();
    }
    return area / 2.0;
}

// A stroke of thickness `width` from a to b with flat ends, as a closed polygon.
QPolygonF lineOutline(QPointF a, QPointF b, double width)
{
    const QLineF line(a, b);
    const double length = line.length();
    if (!(length > 0.0) || !(width > 0.0))
        return QPolygonF();
    const QPointF n(-(b.y() - a.y()) / length * width / 2.0, (b.x() - a.x()) / length * width / 2.0);
    return QPolygonF({ a + n, b + n, b - n, a - n });
}

QPolygonF regularPolygon(double diameter, int vertices, double rotationDegrees, double scale)
{
    QPolygonF polygon;
    polygon.reserve(vertices);
    for (int i = 0; i < vertices; ++i) {
        const double angle = qDegreesToRadians(rotationDegrees + 360.0 * i / vertices);
        polygon.append(QPointF(std::cos(angle), -std::sin(angle)) * (diameter * scale / 2.0));
    }
    return polygon;
}

int polygonVertices(const Aperture& a)
{
    const double v = a.parameterValue[1];
    return std::isfinite(v) && v >= 3.0 && v <= 12.0 ? int(v) : 0;
}

} // namespace

ApertureShape::ApertureShape(const Aperture& aperture, double scale)
{
    if (aperture.macroImage)
        buildMacro(aperture, scale);
    else
        buildStandard(aperture, scale);
}

void ApertureShape::buildStandard(const Aperture& a, double scale)
{
    const QString& shape = a.shape;
    QPainterPath outline;
    double holeX = 0.0;
    double holeY = 0.0;
    if (shape == QLatin1String("R") || shape == QLatin1String("O")) {
        width = size(a, 0) * scale;
        height = (given(a, 1) ? size(a, 1) : size(a, 0)) * scale;
        holeX = size(a, 2) * scale;
        holeY = given(a, 3) ? size(a, 3) * scale : 0.0;
        kind = width > 0.0 && height > 0.0 ? (shape == QLatin1String("R") ? Rectangle : Obround) : None;
        rectangularStroke = shape == QLatin1String("R");
        strokeWidth = rectangularStroke ? 0.0 : qMin(width, height);
        const QRectF r(-width / 2.0, -height / 2.0, width, height);
        if (kind == Rectangle)
            outline.addRect(r);
        else if (kind == Obround)
            outline.addRoundedRect(r, qMin(width, height) / 2.0, qMin(width, height) / 2.0);
    } else if (shape == QLatin1String("P")) {
        width = height = strokeWidth = size(a, 0) * scale;
        const int n = polygonVertices(a);
        const double rotation = a.parameterText[2] == QLatin1String("x") ? 0.0 : a.parameterValue[2];
        kind = width > 0.0 && n > 0 ? Polygon : None;
        if (kind == Polygon) {
            polygon = regularPolygon(size(a, 0), n, std::isfinite(rotation) ? rotation : 0.0, scale);
            outline.addPolygon(polygon);
            outline.closeSubpath();
        }
        holeX = size(a, 3) * scale;
    } else {
        // Circles, and every letter this program does not know, draw as a circle of parameter 1.
        width = height = strokeWidth = size(a, 0) * scale;
        kind = width > 0.0 ? Circle : None;
        holeX = size(a, 1) * scale;
        holeY = given(a, 2) ? size(a, 2) * scale : 0.0;
        if (kind == Circle)
            outline.addEllipse(QPointF(0, 0), width / 2.0, width / 2.0);
    }
    if (kind == None)
        return;
    extent = QRectF(-width / 2.0, -height / 2.0, width, height);
    if (kind == Polygon)
        extent = polygon.boundingRect();
    if (holeX > 0.0) {
        // A hole lets whatever lies below show through: the pad is drawn as a ring.
        outline.setFillRule(Qt::OddEvenFill);
        if (holeY > 0.0)
            outline.addRect(QRectF(-holeX / 2.0, -holeY / 2.0, holeX, holeY));
        else
            outline.addEllipse(QPointF(0, 0), holeX / 2.0, holeX / 2.0);
        path = outline;
        kind = Path;
    }
}

void ApertureShape::buildMacro(const Aperture& a, double scale)
{
    const MacroImage& image = *a.macroImage;
    strokeWidth = size(a, 0) * scale;
    bool anyClear = false;
    for (const qint32 index : image.indexes) {
        if (!image.exposures.value(index, true))
            anyClear = true;
    }

    // Every primitive as a closed outline with the same orientation, so that the dark ones
    // unite under the winding rule; clear ones are cut from what the image has so far.
    QPainterPath result;
    result.setFillRule(Qt::WindingFill);
    const auto map = [scale](double x, double y) { return QPointF(x * scale, -y * scale); };
    const auto outlineOf = [&](qint32 index) {
        QPolygonF polygon;
        if (image.polygons.contains(index)) {
            const QPolygonF& source = image.polygons[index];
            polygon.reserve(source.size());
            for (const QPointF& p : source)
                polygon.append(map(p.x(), p.y()));
        } else if (image.primitives.contains(index)) {
            const MacroPrimitive& prim = image.primitives[index];
            if (prim.shape == QLatin1String("C") && prim.width > 0.0) {
                const QPointF c = map(prim.x, prim.y);
                const double r = prim.width * scale / 2.0;
                const int segments = qBound(16, int(r * 2.0), 256);
                polygon.reserve(segments);
                for (int i = 0; i < segments; ++i) {
                    const double t = 2.0 * M_PI * i / segments;
                    polygon.append(c + QPointF(r * std::cos(t), r * std::sin(t)));
                }
            } else if (prim.shape == QLatin1String("L")) {
                polygon = lineOutline(map(prim.x, prim.y), map(prim.x2, prim.y2), prim.width * scale);
            }
        }
        if (signedArea(polygon) < 0.0)
            std::reverse(polygon.begin(), polygon.end());
        return polygon;
    };

    // Boolean operations are costly; images with hundreds of clear parts are drawn dark only.
    const bool cutClear = anyClear && image.indexes.size() <= 400;
    for (const qint32 index : image.indexes) {
        const QPolygonF polygon = outlineOf(index);
        if (polygon.size() < 3)
            continue;
        const bool dark = image.exposures.value(index, true);
        if (dark) {
            if (cutClear) {
                QPainterPath part;
                part.addPolygon(polygon);
                part.closeSubpath();
                result = result.united(part);
            } else {
                result.addPolygon(polygon);
                result.closeSubpath();
            }
        } else if (cutClear && !result.isEmpty()) {
            QPainterPath part;
            part.addPolygon(polygon);
            part.closeSubpath();
            result = result.subtracted(part);
        }
    }
    if (result.isEmpty()) {
        // An image that covers nothing still marks the flash with the aperture's tiny circle.
        buildStandard(a, scale);
        return;
    }
    path = result;
    kind = Path;
    extent = path.boundingRect();
    width = extent.width();
    height = extent.height();
}

QRectF ApertureShape::extentInFileUnits(const Aperture& aperture)
{
    if (aperture.macroImage) {
        // From the primitives themselves: cheaper than the outline and exact for circles.
        const MacroImage& image = *aperture.macroImage;
        QRectF box;
        const auto add = [&box](const QRectF& r) { box = box.isNull() ? r : box.united(r); };
        for (const qint32 index : image.indexes) {
            if (image.polygons.contains(index)) {
                const QRectF r = image.polygons[index].boundingRect();
                if (r.isValid() || r.width() > 0.0 || r.height() > 0.0)
                    add(r);
            } else if (image.primitives.contains(index)) {
                const MacroPrimitive& p = image.primitives[index];
                const double h = std::abs(p.width) / 2.0;
                if (p.shape == QLatin1String("C"))
                    add(QRectF(p.x - h, p.y - h, 2 * h, 2 * h));
                else if (p.shape == QLatin1String("L"))
                    add(lineOutline(QPointF(p.x, p.y), QPointF(p.x2, p.y2), std::abs(p.width))
                            .boundingRect());
            }
        }
        if (!box.isNull())
            return box;
    }
    const ApertureShape shape(aperture, 1.0);
    if (shape.kind == None)
        return QRectF();
    // Pixels at scale 1 are file units with y downwards: flip back.
    const QRectF& e = shape.extent;
    return QRectF(e.left(), -e.bottom(), e.width(), e.height());
}
