#pragma once

#include "pnpio/importedplacement.h"

#include <QVector>

class QIODevice;

// Reader of Eagle part lists exported from a board: a header line
// "Part Value Package [Library] Position (unit) Orientation" somewhere near the top,
// then one placement per line in the header's fixed columns.
class EaglePartReader
{
public:
    // Columns and unit found in a header line.
    struct Header
    {
        QVector<int> starts; // Part, Value, Package, Library, Position, Orientation (-1 absent)
        double unitFactor = 1.0; // to millimetres
        bool truncateToHundredths = true; // positions in mm keep two decimals
    };

    // True when line is a part-list header with a position column of a known unit.
    static bool parseHeader(const QString& line, Header& header);
    // True when the line carries a position "(" [-] digit.
    static bool isDataLine(const QString& line);
    // Cuts one data line at the header's columns.
    static void parseLine(const QString& line, const Header& header, ImportedPlacement& out);
    // Rotation of an orientation text such as "R90" or "MR270": its digits and points.
    static double orientationAngle(const QString& orientation);

    // Reads the whole list. No header with positions (a schematic part list, another
    // layout) is an error naming the file.
    static bool read(QIODevice& device, const QString& fileName, ImportedPlacements& out, QString* error);
};
