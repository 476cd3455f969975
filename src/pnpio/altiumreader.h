#pragma once

#include "pnpio/importedplacement.h"

#include <QVector>

class QIODevice;

// Reader of Altium's text pick-and-place report: free lines, then a header starting
// with "Designator" whose column names fix where each field starts, then one placement
// per line. Centres in mm, or in mil when the header has only the (mil) columns.
class AltiumReader
{
public:
    struct Header
    {
        // Designator, Comment, Layer, Footprint, Center-X, Center-Y, Rotation, Description
        QVector<int> starts;
        double unitFactor = 1.0;
    };

    // False when the header has neither the (mm) nor the (mil) centre columns.
    static bool parseHeader(const QString& line, Header& header);
    static void parseLine(const QString& line, const Header& header, ImportedPlacement& out);
    // "toplayer" or "top" (any case) is the top side, everything else the bottom.
    static QString sideOfLayer(const QString& layer);

    // No header line at all reads nothing and succeeds; a header without centre
    // columns is an error naming the file and line.
    static bool read(QIODevice& device, const QString& fileName, ImportedPlacements& out, QString* error);
};
