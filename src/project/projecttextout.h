#pragma once

#include "project/projecttext.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string_view>

// Builds the project text: lines of escaped fields, indented with tabs, separated by LF (the
// last line has none).
class ProjectTextOut
{
public:
    void marker(int indent, const QString& text) { raw(indent, text.toLatin1()); }
    // Fields joined by ";", each escaped for its place.
    void fields(int indent, const QStringList& values);
    // A stored file line of its own (not split into fields).
    void wholeLine(int indent, const QString& line);
    // The same from UTF-8 bytes; plain ASCII lines are copied without conversion.
    void wholeLine(int indent, std::string_view utf8);

    // The text; the final line feed is left out.
    QByteArray take();

private:
    void raw(int indent, const QByteArray& latin1);

    QByteArray m_text;
};
