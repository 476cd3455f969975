#pragma once

#include <QString>

// Texts the main window shows in its title and status line, built without widgets.
namespace StatusText {

// titleName + " - " + version.
QString windowTitle(const QString& titleName);

// Base name of a chosen file: the file name up to its last ".".
QString titleFromPath(const QString& path);

// Cursor coordinate for the status line: the number printed with six significant digits,
// then padded or cut to two decimals (12.5 -> "12.50", 3 -> "3.00", 1.23456 -> "1.23").
QString formatCoordinate(double value);

// Applies the two-decimal rule to an already printed number.
QString fixTwoDecimals(const QString& text);

// " | current machine: line L - M" when a machine is chosen, else " | no machine selected".
QString machineSuffix(
    int machineCount, int machineIndex, const QString& lineText, const QString& machineText);

// The status line text without its leading blank. hoverText is "RefDes Name Value" of the
// placement under the cursor, empty when none.
QString statusLine(bool cursorOverView, double x, double y, const QString& hoverText, const QString& suffix);

} // namespace StatusText
