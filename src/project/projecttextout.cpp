#include "project/projecttextout.h"

void ProjectTextOut::raw(int indent, const QByteArray& latin1)
{
    m_text.append(indent, '\t');
    m_text.append(latin1);
    m_text.append('\n');
}

void ProjectTextOut::fields(int indent, const QStringList& values)
{
    m_text.append(indent, '\t');
    for (int i = 0; i < values.size(); ++i) {
        if (i > 0)
            m_text.append(';');
        m_text.append(ProjectText::escape(
            values.at(i), i == 0 ? ProjectText::Place::FirstField : ProjectText::Place::Field)
                          .toLatin1());
    }
    m_text.append('\n');
}

void ProjectTextOut::wholeLine(int indent, const QString& line)
{
    raw(indent, ProjectText::escape(line, ProjectText::Place::WholeLine).toLatin1());
}

void ProjectTextOut::wholeLine(int indent, std::string_view utf8)
{
    bool plain = utf8.empty() || utf8.front() != '+';
    for (size_t i = 0; plain && i < utf8.size(); ++i) {
        const auto c = uchar(utf8[i]);
        plain = c >= 0x20 && c < 0x7F && c != '\\';
    }
    if (!plain) {
        wholeLine(indent, QString::fromUtf8(utf8.data(), int(utf8.size())));
        return;
    }
    m_text.append(indent, '\t');
    m_text.append(utf8.data(), int(utf8.size()));
    m_text.append('\n');
}

QByteArray ProjectTextOut::take()
{
    if (m_text.endsWith('\n'))
        m_text.chop(1);
    return std::move(m_text);
}
