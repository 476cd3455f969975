#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// How values become fields of a project line and back. A line holds fields separated by ";";
// the stored text is Latin-1 (the code table stores one byte per character).
namespace ProjectText {

// The shortest text that reads back to exactly v: six significant digits ("g") when that is
// exact, more digits only when needed. Non-finite values are written as 0.
QString number(double v);
QString number(int v);
inline QString flag(bool v)
{
    return v ? QStringLiteral("1") : QStringLiteral("0");
}

// A text escaped so that it cannot break the line: ";" (inside fields), CR, LF, tab and other
// control characters, a "+" at the start of a line (it would read as a marker), characters
// outside Latin-1, and a backslash that would start an escape are written as "\u{HEX}".
// Any other text comes back unchanged, so files without such characters stay as they were.
enum class Place
{
    Field, // inside a line of ";"-separated fields, not the first
    FirstField, // the first field of a line
    WholeLine // a line of its own that is not split (raw layer lines)
};
QString escape(const QString& text, Place place);
// Reverses escape; other text (also a malformed escape) is returned unchanged.
QString unescape(const QString& text);

// Field reading with the defaults of the records: a missing or unreadable field gives the
// default.
double toDouble(const QStringList& fields, int i, double fallback = 0.0);
int toInt(const QStringList& fields, int i, int fallback = 0);
bool toFlag(const QStringList& fields, int i, bool fallback = false);
QString toText(const QStringList& fields, int i, const QString& fallback = {});

} // namespace ProjectText
