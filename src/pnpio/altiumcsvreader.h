#pragma once

#include "pnpio/importedplacement.h"

#include <QVector>

class QIODevice;

// Reader of Altium's CSV pick-and-place report: free lines, a header line starting
// with "Designator", then one quoted CSV line per placement. Columns are found by
// their header names (Altium lets the user reorder and drop them); a header that does
// not name the centre columns falls back to the classic fixed order
// Designator, Footprint, Comment, Description, -, Layer, X, Y, Rotation. Units as in the
// text report: the column's, else the "Units used:" line's, and a cell's own unit first;
// a quoted description may go on over further lines.
class AltiumCsvReader
{
public:
    struct Header
    {
        // Field index of Designator, Footprint, Comment, Description, Layer, X, Y, Rotation (-1 absent)
        QVector<int> index;
        double unitFactor = 1.0;
        int minimumFields = 9; // shorter lines are skipped
    };

    // True when the line, quotes removed, starts with "Designator".
    static bool isHeader(const QString& line);
    static Header parseHeader(const QString& line, double plainFactor = 1.0);
    // False when the line has too few fields and is skipped.
    static bool parseLine(const QString& line, const Header& header, ImportedPlacement& out);

    // No header reads nothing and succeeds.
    static bool read(QIODevice& device, const QString& fileName, ImportedPlacements& out, QString* error);
};
