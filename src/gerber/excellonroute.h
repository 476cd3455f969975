#pragma once

#include <QPointF>
#include <QVector>

// Geometry of routed drill paths (G02/G03 in route mode): an arc flattened into chords of at
// most one degree, from `start` (not included) to `end` (always the last point).
struct ExcellonArc
{
    QPointF start;
    QPointF end;
    bool clockwise = true;

    // Centre given as offsets from the start (I, J).
    QVector<QPointF> pointsAroundCentre(QPointF centre) const;
    // Centre from the radius (A): a positive radius takes the arc of at most half a turn, a
    // negative one the longer arc; a radius shorter than half the chord is taken as half the chord.
    QVector<QPointF> pointsWithRadius(double radius) const;
};
