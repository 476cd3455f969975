#pragma once

#include "gerber/excellonformat.h"

#include <QRectF>
#include <QString>

class GerberLayer;

// A number format together with the unit the coordinates are taken in.
struct DrillReading
{
    ExcellonFormat format;
    bool metric = false;

    // "Leading, 3, 3 in millimetres": the words of the drill dialog.
    QString text() const;
};

// Whether the holes of a drill layer, as read, lie on the board its copper layers span, and
// which common number format would put them there when they do not. A wrong format moves the
// holes by powers of ten, and holes are painted in the background colour, so the user would
// not see it.
struct DrillFit
{
    int holes = 0;
    int outside = 0; // holes more than the margin outside the copper extent
    bool hasFitting = false;
    DrillReading fitting; // the common reading that puts every hole on the board, if any

    bool fits() const { return outside == 0; }

    // Holes further than this outside the copper still count as on the board: plated holes of
    // edge connectors and mounting holes may sit right at the edge.
    static constexpr double marginMm = 1.0;

    // Checks `drill` (read, with its Excellon lines) against `copperMm` (millimetres, Y up). A null
    // extent (no copper loaded) or a drill layer without holes fits.
    static DrillFit check(const GerberLayer& drill, const QRectF& copperMm);
};
