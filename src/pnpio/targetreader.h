#pragma once

#include "pnpio/importedplacement.h"

class QIODevice;

// Reader of Target 3001! pick-and-place lists: "*" comment lines, then
// No,Value,X,Y,Rotation,Side,Name per placement (fields may be quoted).
class TargetReader
{
public:
    // False for comment lines and lines with fewer than 7 fields (they are skipped).
    static bool parseLine(const QString& line, ImportedPlacement& out);
    static bool read(QIODevice& device, const QString& fileName, ImportedPlacements& out, QString* error);
};
