#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text helpers shared by the centroid readers: byte decoding, decimal commas,
// quoted CSV fields and fixed-column cutting.
namespace PnPText {

// Decodes one line of a CAD file: UTF-8 when the bytes are valid UTF-8, else
// Windows-1252 (the code page older CAD tools write their µ and Ω in).
QString decode(const QByteArray& bytes);

// Every "," becomes "." (a decimal comma in a number).
QString commaToPoint(QString text);

// Number of a field after commaToPoint; text that does not convert gives 0.
double toNumber(const QString& text);
// As toNumber, but reports whether the text was a number.
double toNumber(const QString& text, bool* ok);

// A length in millimetres: a number with an optional unit written behind it ("25.5270mm",
// "1000mil", "12.7 mm", "0.5in"), read in that unit; a plain number is taken times
// `plainFactor` (millimetres per unit of the column or file). Text that is no number gives 0.
double toLength(const QString& text, double plainFactor);

// Why a placement's position or rotation is refused ("X is inf; ..."), or empty when all three
// are finite and within ±10 m (±10 000 degrees for the rotation): nothing beyond is a board,
// and such numbers must not reach a machine list.
QString valueRefusal(double x, double y, double rotation);

// Millimetres per unit for a unit name ("mm", "mil", "mils", "in", "inch", "inches", any case),
// or 0 when the name is none of these.
double unitFactor(const QString& unit);

// True when the line ends inside a quoted field: a double quote that opens a field (at the line's
// start or after `sep`; after white space when `sep` is null) and is not closed on the line.
// Such a field goes on in the next line.
bool endsInsideQuotes(const QString& line, QChar sep);

// Splits one CSV line at sep. A field that starts with a double quote runs to the
// matching closing quote ("" inside stands for one quote), so separators inside it
// stay text; a quote that neither closes the field nor is doubled is kept as text.
QStringList splitQuoted(const QString& line, QChar sep);

// Splits at runs of white space, dropping empty pieces.
QStringList splitWhiteSpace(const QString& text);

// Removes one pair of enclosing double quotes ("" gives an empty text).
QString unquote(const QString& text);

// The cut of a line at column starts (-1 for an absent column): field i runs from its start
// to the next larger start of a present column, the last one to the end of the line; absent
// columns give an empty text.
QStringList cutColumns(const QString& line, const QVector<int>& starts);

} // namespace PnPText
