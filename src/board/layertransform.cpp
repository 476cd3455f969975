#include "board/layertransform.h"

#include "gerber/gerberlayer.h"

#include <QSet>
#include <cmath>

namespace LayerTransform {

namespace {

// Apertures are shared between objects; each is changed once.
template <typename F> void forEachAperture(GerberLayer& layer, F change)
{
    QSet<Aperture*> seen;
    for (Aperture* a : layer.apertures()) {
        if (a && !seen.contains(a)) {
            seen.insert(a);
            change(*a);
        }
    }
    for (ImageObject* o : layer.objects()) {
        if (o && o->aperture() && !seen.contains(o->aperture())) {
            seen.insert(o->aperture());
            change(*o->aperture());
        }
    }
}

void swapParameters(Aperture& a, int i, int j)
{
    const QString t = a.parameterText[i];
    a.setParameterText(i, a.parameterText[j]);
    a.setParameterText(j, t);
}

const int polygonRotation = 2; // diameter, vertices, rotation, hole
const qint64 fullTurnSixteenths = 5760;
const qint64 quarterTurnSixteenths = 1440;

qint32 wrapSixteenths(qint64 angle)
{
    return qint32(((angle % fullTurnSixteenths) + fullTurnSixteenths) % fullTurnSixteenths);
}

double finiteOrZero(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

} // namespace

void mirrorX(GerberLayer& layer, double w)
{
    for (ImageObject* o : layer.objects())
        o->x = w - o->x;
    for (QPolygonF* polygon : layer.regionPolygons())
        for (QPointF& p : *polygon)
            p.setX(w - p.x());
    forEachAperture(layer, [](Aperture& a) {
        if (a.shape == QLatin1String("P") && a.parameterValue[polygonRotation] != -1.0)
            a.setParameterText(polygonRotation,
                QString::number(std::fmod(180.0 - a.parameterValue[polygonRotation], 360.0)));
    });
    // The mirrored arc runs from 180 - (start + sweep) over the same sweep.
    for (ArcRecord* arc : layer.arcRecords())
        arc->startAngle = wrapSixteenths(2880 - qint64(arc->startAngle) - arc->sweepAngle);
}

void mirrorY(GerberLayer& layer)
{
    for (ImageObject* o : layer.objects())
        o->y = -o->y;
    for (QPolygonF* polygon : layer.regionPolygons())
        for (QPointF& p : *polygon)
            p.setY(-p.y());
    forEachAperture(layer, [](Aperture& a) {
        if (a.shape == QLatin1String("P") && a.parameterValue[polygonRotation] != -1.0)
            a.setParameterText(
                polygonRotation, QString::number(std::fmod(-a.parameterValue[polygonRotation], 360.0)));
    });
}

void turnQuarter(GerberLayer& layer, double h)
{
    const auto turn = [h](double& x, double& y) {
        const double nx = h - y;
        y = x;
        x = nx;
    };
    for (ImageObject* o : layer.objects())
        turn(o->x, o->y);
    for (QPolygonF* polygon : layer.regionPolygons()) {
        for (QPointF& p : *polygon) {
            double x = p.x();
            double y = p.y();
            turn(x, y);
            p = QPointF(x, y);
        }
    }
    forEachAperture(layer, [](Aperture& a) {
        if (a.shape == QLatin1String("R") || a.shape == QLatin1String("O")) {
            swapParameters(a, 0, 1);
            if (a.parameterValue[3] != -1.0)
                swapParameters(a, 2, 3);
        } else if (a.shape == QLatin1String("P")) {
            if (a.parameterValue[polygonRotation] == -1.0)
                a.setParameterText(polygonRotation, QStringLiteral("90"));
            else
                // The same way as the coordinates, counter-clockwise.
                a.setParameterText(polygonRotation,
                    QString::number(std::fmod(a.parameterValue[polygonRotation] + 90.0, 360.0)));
        }
    });
    for (ArcRecord* arc : layer.arcRecords())
        arc->startAngle = wrapSixteenths(qint64(arc->startAngle) + quarterTurnSixteenths);
}

void shift(GerberLayer& layer, double dx, double dy)
{
    for (ImageObject* o : layer.objects()) {
        o->x += dx;
        o->y += dy;
    }
    for (QPolygonF* polygon : layer.regionPolygons())
        polygon->translate(dx, dy);
}

double unitOf(const GerberLayer& layer)
{
    return std::isfinite(layer.unitFactor) && layer.unitFactor > 0.0 ? layer.unitFactor : 1.0;
}

void turnLayer(GerberLayer& layer, double boardHeightMm)
{
    const double h = finiteOrZero(boardHeightMm) / unitOf(layer);
    turnQuarter(layer, h);
    layer.quarterTurns = (((layer.quarterTurns % 4) + 4) % 4 + 1) % 4;
    layer.quarterTurnParity = !layer.quarterTurnParity;
    const double ox = layer.offsetX;
    layer.offsetX = h - layer.offsetY;
    layer.offsetY = ox;
}

void mirrorLayer(GerberLayer& layer, double boardWidthMm)
{
    const double w = finiteOrZero(boardWidthMm) / unitOf(layer);
    mirrorX(layer, w);
    layer.mirror1 = !layer.mirror1;
    layer.offsetX = w - layer.offsetX;
    const int q = ((layer.quarterTurns % 4) + 4) % 4;
    layer.quarterTurns = q % 2 == 1 ? (q + 2) % 4 : q;
}

void shiftLayer(GerberLayer& layer, double dxMm, double dyMm)
{
    const double u = unitOf(layer);
    const double dx = finiteOrZero(dxMm) / u;
    const double dy = finiteOrZero(dyMm) / u;
    shift(layer, dx, dy);
    layer.offsetX += dx;
    layer.offsetY += dy;
}

void replay(GerberLayer& layer)
{
    if (layer.mirror1)
        mirrorX(layer, 0.0);
    if (layer.mirror2)
        mirrorY(layer);
    const int turns = ((layer.quarterTurns % 4) + 4) % 4;
    for (int i = 0; i < turns; ++i)
        turnQuarter(layer, 0.0);
    const double ox = finiteOrZero(layer.offsetX);
    const double oy = finiteOrZero(layer.offsetY);
    if (ox != 0.0 || oy != 0.0)
        shift(layer, ox, oy);
}

} // namespace LayerTransform
