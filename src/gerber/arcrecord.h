#pragma once

#include <QString>

// A stored arc of a layer read from an old (version 7) project file. The Gerber reader never
// creates these: it flattens arcs into straight draws.
class ArcRecord
{
public:
    double value1 = 0.0;
    double value2 = 0.0;
    double value3 = 0.0;
    qint32 startAngle = 0; // sixteenths of a degree
    qint32 sweepAngle = 0; // sixteenths of a degree
    double value4 = 0.0;
    QString text;
    bool dark = true;
    qint32 index = -1;
};
