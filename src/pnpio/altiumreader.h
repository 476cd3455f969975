#pragma once

#include "pnpio/importedplacement.h"

#include <QVector>

class QIODevice;

// Reader of Altium's text pick-and-place report: free lines, then a header starting
// with "Designator" whose column names fix where each field starts, then one placement
// per line (a quoted description may go on over further lines). Centres in mm, or in mil
// when the header has only the (mil) columns; columns without a unit take the unit of the
// "Units used:" line; a cell that carries its own unit ("25.5270mm") is read in that unit.
class AltiumReader
{
public:
    struct Header
    {
        // Designator, Comment, Layer, Footprint, Center-X, Center-Y, Rotation, Description
        QVector<int> starts;
        double unitFactor = 1.0;
    };

    // False when the header has no centre columns ((mm), (mil) or without a unit, which
    // then count in `plainFactor` millimetres).
    static bool parseHeader(const QString& line, Header& header, double plainFactor = 1.0);
    // The millimetres per unit a "Units used: mil" line states, or 0 for any other line.
    static double unitsUsed(const QString& line);
    static void parseLine(const QString& line, const Header& header, ImportedPlacement& out);
    // "toplayer" or "top" (any case) is the top side, everything else the bottom.
    static QString sideOfLayer(const QString& layer);

    // No header line at all reads nothing and succeeds; a header without centre
    // columns is an error naming the file and line.
    static bool read(QIODevice& device, const QString& fileName, ImportedPlacements& out, QString* error);
};
