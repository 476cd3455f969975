#pragma once

#include "model/origin.h"

#include <QString>
#include <QStringList>

class Document;

// The rules of the origins table: what its cells show and what a typed cell does to the shown
// side's origins. The table shows one row per origin and one empty row at the end for a new one.
namespace OriginsTable {

enum Column
{
    XColumn = 0,
    YColumn = 1,
    ExecColumn = 2
};

// X and Y with six significant digits and a decimal comma, then the enable value.
QStringList rowTexts(const Origin& origin);

// What the table shows after an edit, and the warning to show when the text was refused.
struct CellEdit
{
    bool accepted = false;
    QString title; // empty: no warning
    QString message;
};

// A typed cell of the shown side's origins. X and Y take a decimal number (point or comma);
// an empty X or Y removes the origin. The enable column takes only 0 or 1. Typing X or Y into
// the empty last row appends an enabled origin (the other coordinate 0). An accepted edit marks
// the document modified; a refused one changes nothing.
CellEdit editCell(Document& doc, int row, int column, const QString& text);

QString onlyZeroOrOneText();

} // namespace OriginsTable
