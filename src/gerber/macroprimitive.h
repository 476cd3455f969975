#pragma once

#include <QString>

// A circle ("C") or a stroked line ("L") of an expanded aperture macro, in macro coordinates.
class MacroPrimitive
{
public:
    double x = 0.0; // circle centre, line start
    double y = 0.0;
    double x2 = 0.0; // line end (0 for circles)
    double y2 = 0.0;
    double width = 0.0; // circle diameter or line thickness
    double height = 0.0; // circle diameter (0 for lines)
    QString shape = QStringLiteral("X"); // "C", "L", or "X" when not set
};
