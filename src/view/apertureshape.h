#pragma once

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

class Aperture;

// The outline of one aperture prepared for drawing at a given scale: device pixels, centred on
// the flash point, y downwards. Plain shapes keep their kind so the painter can use Qt's fast
// primitives; shapes with holes and macro images become a filled path.
class ApertureShape
{
public:
    enum Kind
    {
        None, // nothing to draw (no positive size)
        Circle,
        Rectangle,
        Obround,
        Polygon,
        Path
    };

    // `scale`: device pixels per file unit.
    ApertureShape(const Aperture& aperture, double scale);

    Kind kind = None;
    double width = 0.0; // pixels: circle diameter, rectangle and obround sizes
    double height = 0.0;
    double strokeWidth = 0.0; // pen width of a draw with a round aperture
    bool rectangularStroke = false; // draws sweep the rectangle
    QPolygonF polygon; // Polygon: vertices about the centre
    QPainterPath path; // Path: the filled outline about the centre
    QRectF extent; // pixels about the centre; empty for None

    // The extent of the aperture in file units about the flash point (y upwards), or an
    // empty rectangle when it draws nothing.
    static QRectF extentInFileUnits(const Aperture& aperture);

private:
    void buildStandard(const Aperture& aperture, double scale);
    void buildMacro(const Aperture& aperture, double scale);
};
