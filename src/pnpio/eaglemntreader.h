#pragma once

#include "pnpio/importedplacement.h"

class QIODevice;

// Reader of Eagle mount files (.mnt/.mnb of mountsmd.ulp): one placement per line,
// "name x y angle value package" separated by spaces, millimetres, no side.
class EagleMntReader
{
public:
    // Cuts one line. False when the line is not a mount line: fewer than five fields
    // or a position that is not a number.
    static bool parseLine(const QString& line, ImportedPlacement& out);

    // Reads every non-blank line; a line that is not a mount line stops the reading
    // with an error naming the file and line.
    static bool read(QIODevice& device, const QString& fileName, ImportedPlacements& out, QString* error);
};
