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
        if (o && o->aperture && !seen.contains(o->aperture)) {
            seen.insert(o->aperture);
            change(*o->aperture);
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
    for (ArcRecord* arc : layer.arcRecords())
        arc->startAngle = ((2880 - arc->startAngle) % 5760 + 5760) % 5760;
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
                a.setParameterText(polygonRotation,
                    QString::number(std::fmod(a.parameterValue[polygonRotation] - 90.0, 360.0)));
        }
    });
}

void replay(GerberLayer& layer, double boardHeightMm)
{
    const double unit = std::isfinite(layer.unitFactor) && layer.unitFactor > 0.0 ? layer.unitFactor : 1.0;
    const double h = std::isfinite(boardHeightMm) ? boardHeightMm / unit : 0.0;
    if (layer.mirror1)
        mirrorX(layer, 0.0);
    if (layer.mirror2)
        mirrorY(layer);
    const int turns = ((layer.quarterTurns % 4) + 4) % 4;
    for (int i = 0; i < turns; ++i)
        turnQuarter(layer, h);
}

} // namespace LayerTransform
