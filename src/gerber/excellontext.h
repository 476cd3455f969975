#pragma once

#include "gerber/excellonformat.h"

#include <QString>
#include <QStringView>

// The pieces of an Excellon line: numbers after a letter, coordinates in a number format, tools.

// The number text after the letter at `letterPos`: up to the first character that cannot
// belong to a number, so "X12Y34G85..." yields "12" and "34".
QStringView numberAfter(QStringView line, int letterPos);

// Excellon coordinate: "+" dropped, a leading "-" kept aside; digits without a point are padded
// with zeros to the format's length (in front when leading zeros are omitted, behind otherwise)
// and get their point before the last decimal digits. Text that already holds a point is read
// as written: CAD tools that write decimal coordinates mean them literally.
double convertCoordinate(QStringView text, const ExcellonFormat& format);

struct ToolLine
{
    QString name; // "T" and the tool number as written
    int number = -1; // -1 when too long to be a tool number
    bool hasDiameter = false;
    QString diameter;
};

// "T<digits>[letters and values]": the tool number and, after "C", the diameter.
bool parseToolLine(QStringView line, ToolLine* tool);
