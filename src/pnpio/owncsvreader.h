#pragma once

#include "pnpio/importedplacement.h"

class QIODevice;

// Reader of the program's own placement CSV (the pick-and-place list export, also
// offered as "DipTrace"): a header line, then
// RefDes;Name;X;Y;Side;Rotation;Value[;Comment[;Execute]] per placement.
class OwnCsvReader
{
public:
    // Cuts one data line; false when it has fewer than 7 fields.
    static bool parseLine(const QString& line, ImportedPlacement& out);

    // Reads every data line after the header. A line with fewer than 7 fields stops
    // the reading with an error naming the file and line; blank lines are skipped.
    static bool read(QIODevice& device, const QString& fileName, ImportedPlacements& out, QString* error);
};
