#include "gerber/linelist.h"

LineList::LineList(const QStringList& lines)
{
    *this = lines;
}

LineList& LineList::operator=(const QStringList& lines)
{
    clear();
    int characters = 0;
    for (const QString& line : lines)
        characters += line.size();
    reserve(lines.size(), characters);
    for (const QString& line : lines)
        append(line);
    return *this;
}

bool LineList::append(QStringView line)
{
    if (line.size() > MaxCharacters - m_text.size())
        return false;
    m_text.append(line.data(), int(line.size()));
    m_ends.append(m_text.size());
    return true;
}

bool LineList::appendLatin1(const char* data, int length)
{
    if (length > MaxCharacters - m_text.size())
        return false;
    m_text.append(QLatin1String(data, length));
    m_ends.append(m_text.size());
    return true;
}

void LineList::reserve(int lines, int characters)
{
    m_ends.reserve(lines);
    m_text.reserve(qMin(characters, MaxCharacters));
}

void LineList::squeeze()
{
    m_text.squeeze();
    m_ends.squeeze();
}

void LineList::clear()
{
    m_text.clear();
    m_ends.clear();
}

QStringList LineList::toStringList() const
{
    QStringList lines;
    lines.reserve(size());
    for (int i = 0; i < size(); ++i)
        lines.append(at(i));
    return lines;
}

QString LineList::join(QStringView separator) const
{
    QString out;
    out.reserve(m_text.size() + int(separator.size()) * size());
    for (int i = 0; i < size(); ++i) {
        if (i > 0)
            out.append(separator.data(), int(separator.size()));
        const QStringView line = view(i);
        out.append(line.data(), int(line.size()));
    }
    return out;
}
