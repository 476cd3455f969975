#pragma once

#include <QByteArray>
#include <QString>

// The outside of a project file: a header line naming the program and its version, then the
// compressed text. A file whose first line lacks the header mark is taken as the text itself.
namespace ProjectContainer {

// "Tessavrant v0.0.80\n": the program text with "v" before the version number.
QByteArray headerLine();
// What the reader looks for in the first line; the version after it is not examined.
inline const char* headerMark()
{
    return "Tessavrant v";
}

// Header and compressed text (Latin-1).
QByteArray pack(const QByteArray& text);

// The text of a file as Latin-1 bytes: decompressed, or, for a plain file, its bytes (UTF-8
// text has characters beyond Latin-1 written as escapes). False with `reason` for a malformed
// code table.
bool unpack(const QByteArray& file, QByteArray* text, bool* compressed, QString* reason);

} // namespace ProjectContainer
