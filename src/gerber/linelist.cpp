#include "gerber/linelist.h"

#include <cstring>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// One line's bounds with the white space at both ends cut off.
void trim(const char*& begin, const char*& end)
{
    while (begin < end && isSpace(*begin))
        ++begin;
    while (end > begin && isSpace(end[-1]))
        --end;
}

} // namespace

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

LineList LineList::fromFileBytes(QByteArray data)
{
    LineList lines;
    const qsizetype size = data.size();
    // One pass counts the lines (so the end list is allocated once) and finds out whether any
    // byte needs decoding; the loop is plain enough for the compiler to vectorise.
    int newlines = 0;
    unsigned char high = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    for (qsizetype i = 0; i < size; ++i) {
        newlines += bytes[i] == '\n';
        high |= bytes[i];
    }
    const bool ascii = high < 0x80;
    lines.m_ends.reserve(newlines + 1);

    if (ascii && size <= MaxBytes) {
        // Trimming only ever shortens, so the lines move down within the file's own buffer.
        char* out = data.data();
        const char* p = out;
        const char* const end = p + size;
        qsizetype written = 0;
        while (p < end) {
            const char* nl = static_cast<const char*>(memchr(p, '\n', size_t(end - p)));
            const char* lineEnd = nl ? nl : end;
            const char* b = p;
            const char* e = lineEnd;
            trim(b, e);
            const qsizetype length = e - b;
            if (length > 0 && out + written != b)
                memmove(out + written, b, size_t(length));
            written += length;
            lines.m_ends.append(int(written));
            p = nl ? nl + 1 : end;
        }
        data.truncate(int(written));
        lines.m_text = std::move(data);
        lines.squeeze();
        return lines;
    }

    lines.m_text.reserve(int(qMin<qsizetype>(size, MaxBytes)));
    const char* p = data.constData();
    const char* const end = p + size;
    while (p < end) {
        const char* nl = static_cast<const char*>(memchr(p, '\n', size_t(end - p)));
        const char* b = p;
        const char* e = nl ? nl : end;
        trim(b, e);
        bool plain = true;
        for (const char* c = b; c < e && plain; ++c)
            plain = static_cast<unsigned char>(*c) < 0x80;
        // Decoding and encoding again leaves valid UTF-8 as it is and replaces what is not.
        const bool appended
            = plain ? lines.appendUtf8(b, int(e - b)) : lines.append(QString::fromUtf8(b, int(e - b)));
        if (!appended)
            break;
        p = nl ? nl + 1 : end;
    }
    lines.squeeze();
    return lines;
}

QString LineList::at(int i) const
{
    const std::string_view line = bytes(i);
    return QString::fromUtf8(line.data(), int(line.size()));
}

bool LineList::append(QStringView line)
{
    const QByteArray utf8 = line.toUtf8();
    return appendUtf8(utf8.constData(), utf8.size());
}

bool LineList::appendUtf8(const char* data, int length)
{
    if (length > MaxBytes - m_text.size())
        return false;
    m_text.append(data, length);
    m_ends.append(m_text.size());
    return true;
}

void LineList::reserve(int lines, int bytes)
{
    m_ends.reserve(lines);
    m_text.reserve(qMin(bytes, MaxBytes));
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
        out.append(at(i));
    }
    return out;
}
