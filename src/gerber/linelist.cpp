#include "gerber/linelist.h"

#include <QtAlgorithms>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <cstring>
#include <limits>

namespace {

// One line's bounds with the white space at both ends cut off.
void trim(const char*& begin, const char*& end)
{
    while (begin < end && LineList::isBlank(*begin))
        ++begin;
    while (end > begin && LineList::isBlank(end[-1]))
        --end;
}

// Counts the "\n" bytes and tells whether all bytes are ASCII: sixteen bytes at a time where the
// processor has SSE2; elsewhere eight, where in a word XORed with "\n" in every byte a byte is
// zero exactly where the word had "\n", and ((v & 0x7f..) + 0x7f..) | v has the top bit of every
// byte set except in the zero bytes.
bool scanBytes(const char* data, qsizetype size, int& newlines)
{
    quint64 high = 0;
    qint64 count = 0;
    qsizetype i = 0;
#ifdef __SSE2__
    // Each of the sixteen byte counters counts up to 255 newlines before they are summed.
    const __m128i newline = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    __m128i any = zero;
    __m128i counters = zero;
    const auto addCounters = [&]() {
        const __m128i sums = _mm_sad_epu8(counters, zero);
        count += _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
        counters = zero;
    };
    for (int blocks = 0; i + 16 <= size; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        any = _mm_or_si128(any, v);
        counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(v, newline)); // a match is -1
        if (++blocks == 255) {
            addCounters();
            blocks = 0;
        }
    }
    addCounters();
    high |= _mm_movemask_epi8(any) ? 0x80 : 0;
#else
    constexpr quint64 ones = 0x0101010101010101ULL;
    constexpr quint64 low7 = 0x7f * ones;
    constexpr quint64 top = 0x80 * ones;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        memcpy(&word, data + i, 8);
        high |= word;
        const quint64 v = word ^ ('\n' * ones);
        const quint64 zeroTops = ~(((v & low7) + low7) | v) & top;
        // The top bits moved to the bottom of their bytes, summed into the top byte (at most 8).
        count += qint64(((zeroTops >> 7) * ones) >> 56);
    }
#endif
    for (; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        high |= byte;
        count += byte == '\n';
    }
    newlines = int(qMin<qint64>(count, std::numeric_limits<int>::max() - 1));
    return (high & 0x8080808080808080ULL) == 0;
}

// Hands the end of each line of an ASCII text, its trailing white space cut off, to `sink`, which
// returns false to stop: sixteen bytes at a time where the processor has SSE2 (the lines are
// short: a search call per line costs more). Returns false when the sink stopped.
template <typename Sink> bool findLineEnds(const char* base, qsizetype size, Sink& sink)
{
    qsizetype lineStart = 0;
    bool stopped = false;
    const auto endLine = [&](qsizetype at) {
        if (stopped)
            return;
        qsizetype e = at;
        while (e > lineStart && LineList::isBlank(base[e - 1]))
            --e;
        stopped = !sink(int(e));
        lineStart = at + 1;
    };
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i newline = _mm_set1_epi8('\n');
    for (; i + 16 <= size; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + i));
        quint32 mask = quint32(_mm_movemask_epi8(_mm_cmpeq_epi8(v, newline)));
        while (mask) {
            endLine(i + qCountTrailingZeroBits(mask));
            mask &= mask - 1;
        }
    }
#endif
    for (; i < size; ++i) {
        if (base[i] == '\n')
            endLine(i);
    }
    if (lineStart < size)
        endLine(size); // the last line has no line end
    return !stopped;
}

// Writes line ends into room made for them, two bytes each while the lines allow it.
struct CompactEnds
{
    quint16* offsets;
    int* groupStarts;
    int room;
    int count = 0;
    int groupStart = 0;
    int lastEnd = 0;
    bool groupTooLong = false;

    bool operator()(int end)
    {
        if (count == room)
            return false;
        if ((count & ((1 << LineEnds::GroupShift) - 1)) == 0) {
            groupStart = lastEnd;
            groupStarts[count >> LineEnds::GroupShift] = groupStart;
        }
        if (end - groupStart > LineEnds::MaxOffset) {
            groupTooLong = true;
            return false;
        }
        offsets[count++] = quint16(end - groupStart);
        lastEnd = end;
        return true;
    }
};

// The same, four bytes each.
struct WholeEnds
{
    int* ends;
    int room;
    int count = 0;

    bool operator()(int end)
    {
        if (count == room)
            return false;
        ends[count++] = end;
        return true;
    }
};

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
    // byte needs decoding.
    int newlines = 0;
    const bool ascii = scanBytes(data.constData(), size, newlines);

    if (ascii && size <= MaxBytes) {
        // The lines stay where they are in the file's own buffer: only their trimmed ends are
        // noted, and bytes() skips what lies between one line's end and the next line.
        const int room = newlines + 1;
        LineEnds& ends = lines.m_ends;
        ends.m_offsets.resize(room);
        ends.m_groupStarts.resize((room >> LineEnds::GroupShift) + 1);
        CompactEnds compact { ends.m_offsets.data(), ends.m_groupStarts.data(), room };
        bool found = findLineEnds(data.constData(), size, compact);
        if (found) {
            ends.m_size = compact.count;
            ends.m_offsets.resize(compact.count);
            ends.m_groupStarts.resize(((compact.count - 1) >> LineEnds::GroupShift) + 1);
        } else {
            ends.clear();
            if (compact.groupTooLong) {
                ends.m_whole.resize(room);
                WholeEnds whole { ends.m_whole.data(), room };
                found = findLineEnds(data.constData(), size, whole);
                ends.m_whole.resize(whole.count);
                ends.m_size = whole.count;
                ends.m_wide = true;
            }
        }
        if (found) {
            lines.m_text = std::move(data);
            lines.m_gapped = true;
            return lines;
        }
        ends.clear(); // miscounted: the lines are copied one by one below
    }
    lines.m_ends.reserve(newlines + 1);

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

bool LineList::appendLatin1(const char* data, int length)
{
    for (int i = 0; i < length; ++i) {
        if (uchar(data[i]) >= 0x80)
            return append(QString::fromLatin1(data, length));
    }
    return appendUtf8(data, length);
}

bool LineList::operator==(const LineList& other) const
{
    if (size() != other.size())
        return false;
    for (int i = 0; i < size(); ++i) {
        if (bytes(i) != other.bytes(i))
            return false;
    }
    return true;
}

void LineList::closeGaps()
{
    if (!m_gapped)
        return;
    // Trimming only ever shortens, so the lines move down within the buffer, never over a byte
    // still to be read.
    char* text = m_text.data();
    LineEnds closed;
    closed.reserve(size());
    int written = 0;
    int previousEnd = 0;
    for (int i = 0; i < size(); ++i) {
        const int end = m_ends.at(i);
        int begin = previousEnd;
        while (begin < end && isBlank(text[begin]))
            ++begin;
        if (begin > written)
            memmove(text + written, text + begin, size_t(end - begin));
        written += end - begin;
        previousEnd = end;
        closed.append(written);
    }
    m_ends = std::move(closed);
    m_text.truncate(written);
    m_gapped = false;
}

bool LineList::appendUtf8(const char* data, int length)
{
    closeGaps();
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
    m_gapped = false;
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

void LineEnds::append(int end)
{
    if (!m_wide) {
        if ((m_size & ((1 << GroupShift) - 1)) == 0)
            m_groupStarts.append(m_size > 0 ? at(m_size - 1) : 0);
        const int offset = end - m_groupStarts.constLast();
        if (offset >= 0 && offset <= MaxOffset) {
            m_offsets.append(quint16(offset));
            ++m_size;
            return;
        }
        widen();
    }
    m_whole.append(end);
    ++m_size;
}

void LineEnds::widen()
{
    QVector<int> whole;
    whole.reserve(qMax(m_offsets.capacity(), m_size + 1));
    for (int i = 0; i < m_size; ++i)
        whole.append(at(i));
    m_whole = std::move(whole);
    m_offsets = QVector<quint16>();
    m_groupStarts = QVector<int>();
    m_wide = true;
}

void LineEnds::reserve(int lines)
{
    if (m_wide) {
        m_whole.reserve(lines);
    } else {
        m_offsets.reserve(lines);
        m_groupStarts.reserve((lines >> GroupShift) + 1);
    }
}

void LineEnds::squeeze()
{
    m_offsets.squeeze();
    m_groupStarts.squeeze();
    m_whole.squeeze();
}

void LineEnds::clear()
{
    m_offsets.clear();
    m_groupStarts.clear();
    m_whole.clear();
    m_size = 0;
    m_wide = false;
}
