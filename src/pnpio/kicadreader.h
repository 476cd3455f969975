#pragma once

#include "pnpio/importedplacement.h"

#include <QString>
#include <QVector>

class QIODevice;

// Reader of KiCad's footprint position files, both layouts KiCad writes: the plain text
// (.pos: "##" and "#" comment lines, "## Unit = mm" or "inches", then
// "Ref Val Package PosX PosY Rot Side" separated by spaces) and the CSV (a header
// "Ref,Val,Package,PosX,PosY,Rot,Side", quoted texts). One file holds the top, the bottom
// or both sides; each line names its side.
class KiCadReader
{
public:
    // Millimetres per unit of a "## Unit = inches, Angle = deg." line, or 0 for other lines.
    static double unitLine(const QString& line);
    // A data line of the text layout; false when it has fewer than six fields (an empty value
    // leaves six) or its position or rotation is not a number.
    static bool parseTextLine(const QString& line, double unitFactor, ImportedPlacement& out);

    // Fails naming the file and line when a data line does not read.
    static bool read(QIODevice& device, const QString& fileName, ImportedPlacements& out, QString* error);

private:
    struct CsvColumns
    {
        int ref = -1, value = -1, package = -1, x = -1, y = -1, rotation = -1, side = -1;
        bool complete() const { return ref >= 0 && x >= 0 && y >= 0; }
        int minimumFields() const;
    };
    static CsvColumns csvColumns(const QString& header);
    static bool parseCsvLine(
        const QString& line, const CsvColumns& columns, double unitFactor, ImportedPlacement& out);
};
