#include "gerber/linelist.h"

#include <QtAlgorithms>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

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

// Writes line ends into room made for them, four bytes each; stops at a line more than counted.
struct FlatEnds
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

// Packed text: each byte of text takes four bits, the first of two in a byte's low bits. The
// sixteen symbols stand for the characters of nearly all Gerber text; any other byte is kept
// aside as an exception (its position and the byte), and its four bits read 0.
constexpr char packedChars[] = "0123456789XYD*-\n";
constexpr int newlineSymbol = 15;
constexpr quint8 noSymbol = 0xff;

struct SymbolTable
{
    quint8 of[256];
};

constexpr SymbolTable makeSymbols()
{
    SymbolTable table {};
    for (int c = 0; c < 256; ++c)
        table.of[c] = noSymbol;
    for (int s = 0; s < 16; ++s)
        table.of[static_cast<unsigned char>(packedChars[s])] = quint8(s);
    return table;
}

constexpr SymbolTable symbols = makeSymbols();

inline int nibbleAt(const uchar* text, qint64 k)
{
    return (text[k >> 1] >> ((k & 1) << 2)) & 15;
}

// Writes symbols from four-bit position `at` on. A symbol at an even position sets its byte, one
// at an odd position is ORed into the high bits: starting at an odd position needs them clear.
struct NibbleOut
{
    uchar* text;
    qint64 at;

    void put(int symbol)
    {
        uchar& byte = text[at >> 1];
        if (at & 1)
            byte |= uchar(symbol << 4);
        else
            byte = uchar(symbol);
        ++at;
    }
};

// Writes a byte's symbol, or 0 with the byte and its position kept aside when it has none.
// Returns true for such an exception.
inline bool putSymbol(
    NibbleOut& out, char byte, quint8 symbol, QVector<int>& exceptionAt, QByteArray& exceptionBytes)
{
    const bool exception = symbol == noSymbol;
    if (exception) {
        exceptionAt.append(int(out.at));
        exceptionBytes.append(byte);
    }
    out.put(exception ? 0 : symbol);
    return exception;
}

#ifdef __SSE2__
// Packs blocks of sixteen bytes into eight from in[i] on, up to `end` less one byte (each block
// looks one byte past it): a "\r" before "\n" (which lies between two lines) takes the line end's
// symbol. Stops after the first block with bytes without a symbol (packed as 0), with their mask
// in `missing`, and returns where that block starts; or returns where the blocks end, with
// `missing` 0. No call in the loop, so the constants stay in registers.
int packBlocks(const char* in, int i, int end, uchar* out, int& missing)
{
    const __m128i zero = _mm_set1_epi8('0');
    const __m128i nine = _mm_set1_epi8(9);
    const __m128i x = _mm_set1_epi8('X');
    const __m128i y = _mm_set1_epi8('Y');
    const __m128i d = _mm_set1_epi8('D');
    const __m128i star = _mm_set1_epi8('*');
    const __m128i minus = _mm_set1_epi8('-');
    const __m128i newline = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lowBytes = _mm_set1_epi16(0x00ff);
    const __m128i highSymbol = _mm_set1_epi16(0x00f0);
    const auto symbol = [](__m128i is, __m128i& valid, __m128i& code, int s) {
        valid = _mm_or_si128(valid, is);
        code = _mm_or_si128(code, _mm_and_si128(is, _mm_set1_epi8(char(s))));
    };
    for (; i + 17 <= end; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 1));
        const __m128i digit = _mm_sub_epi8(v, zero);
        const __m128i isDigit = _mm_cmpeq_epi8(_mm_min_epu8(digit, nine), digit);
        __m128i valid = isDigit;
        __m128i code = _mm_and_si128(isDigit, digit);
        symbol(_mm_cmpeq_epi8(v, x), valid, code, 10);
        symbol(_mm_cmpeq_epi8(v, y), valid, code, 11);
        symbol(_mm_cmpeq_epi8(v, d), valid, code, 12);
        symbol(_mm_cmpeq_epi8(v, star), valid, code, 13);
        symbol(_mm_cmpeq_epi8(v, minus), valid, code, 14);
        symbol(_mm_or_si128(_mm_cmpeq_epi8(v, newline),
                   _mm_and_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(next, newline))),
            valid, code, newlineSymbol);
        // Each 16-bit lane holds two symbols, s0 | s1 << 8: that becomes s0 | s1 << 4 in its low
        // byte.
        const __m128i pairs
            = _mm_or_si128(_mm_and_si128(code, lowBytes), _mm_and_si128(_mm_srli_epi16(code, 4), highSymbol));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i / 2), _mm_packus_epi16(pairs, pairs));
        missing = ~_mm_movemask_epi8(valid) & 0xffff;
        if (missing)
            return i;
    }
    missing = 0;
    return i;
}
#endif

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
        // The ends are kept flat: a file's lines are mostly read once and dropped (squeeze()
        // groups them for a list that stays).
        const int room = newlines + 1;
        LineEnds& ends = lines.m_ends;
        ends.m_flat = true;
        ends.m_whole.resize(room);
        FlatEnds flat { ends.m_whole.data(), room };
        const bool found = findLineEnds(data.constData(), size, flat);
        ends.m_whole.resize(flat.count);
        ends.m_size = flat.count;
        ends.m_lastEnd = flat.count > 0 ? flat.ends[flat.count - 1] : 0;
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
    std::string scratch;
    const std::string_view line = bytes(i, scratch);
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
    std::string mine;
    std::string theirs;
    for (int i = 0; i < size(); ++i) {
        if (bytes(i, mine) != other.bytes(i, theirs))
            return false;
    }
    return true;
}

std::string_view LineList::unpack(int i, std::string& scratch) const
{
    int begin;
    int end;
    m_ends.bounds(i, begin, end);
    if (!m_pieces.isEmpty()) {
        // A line lies in one piece: what lies before the piece's start is between two lines.
        const auto after = std::upper_bound(m_pieces.cbegin(), m_pieces.cend(), i,
            [](int line, const Piece& piece) { return line < piece.firstLine; });
        const Piece& piece = *(after - 1);
        begin = qMax(begin, piece.start);
        if (piece.plain) {
            const char* bytes = m_text.constData();
            const int b = skipBlanks(bytes, begin / 2, end / 2);
            return std::string_view(bytes + b, size_t(end / 2 - b));
        }
    }
    const auto* text = reinterpret_cast<const uchar*>(m_text.constData());
    const int* exceptions = m_exceptionAt.constData();
    const int exceptionCount = m_exceptionAt.size();
    int x = int(std::lower_bound(exceptions, exceptions + exceptionCount, begin) - exceptions);
    int k = begin;
    if (m_gapped) {
        while (k < end) {
            if (x < exceptionCount && exceptions[x] == k) {
                if (!isBlank(m_exceptionBytes.at(x)))
                    break;
                ++x;
            } else if (nibbleAt(text, k) != newlineSymbol) {
                break;
            }
            ++k;
        }
    }
    if (scratch.size() < size_t(end - k))
        scratch.resize(size_t(end - k));
    char* out = scratch.data();
    for (int j = k; j < end; ++j)
        out[j - k] = packedChars[nibbleAt(text, j)];
    for (; x < exceptionCount && exceptions[x] < end; ++x)
        out[exceptions[x] - k] = m_exceptionBytes.at(x);
    return std::string_view(out, size_t(end - k));
}

void LineList::pack()
{
    if (m_packed)
        return;
    LineList plain = std::move(*this);
    *this = LineList();
    m_packed = true;
    appendLines(plain);
    squeeze();
}

int LineList::appendLines(const LineList& other)
{
    if (other.isEmpty())
        return 0;
    if (m_packed && !other.m_packed && other.m_gapped && (isEmpty() || m_gapped) && appendGappedText(other))
        return other.size();
    std::string scratch;
    int taken = 0;
    for (; taken < other.size(); ++taken) {
        const std::string_view line = other.bytes(taken, scratch);
        if (!appendUtf8(line.data(), int(line.size())))
            break;
    }
    return taken;
}

bool LineList::appendGappedText(const LineList& other)
{
    const int length = other.m_text.size();
    // A byte takes one symbol (two in a piece kept plain), and a piece may start with one more
    // to align it.
    if (qint64(m_nibbles) + 1 + 2 * qint64(length) > 2 * qint64(MaxBytes))
        return false;
    m_text.resize(int((qint64(m_nibbles) + length + 2) / 2 + 8));
    auto* text = reinterpret_cast<uchar*>(m_text.data());
    NibbleOut out { text, m_nibbles };
    // The piece starts on a whole byte: a line end before it lies between two lines, where
    // reading skips it.
    if (out.at & 1)
        out.put(newlineSymbol);
    const int base = int(out.at);
    const char* in = other.m_text.constData();
    const int exceptionsBefore = m_exceptionAt.size();
    // Text where many bytes have no symbol (decimal points, commas, letters) packs to little
    // gain: such a piece is kept as it is.
    const auto tooMany = [&](int i) { return m_exceptionAt.size() - exceptionsBefore > 32 + i / 16; };
    int i = 0;
    bool plain = false;
#ifdef __SSE2__
    // The blocks are packed up to one with bytes without a symbol, whose bytes are noted.
    while (!plain && i + 17 <= length) {
        int missing;
        i = packBlocks(in, i, length, text + base / 2, missing);
        if (missing) {
            while (missing) {
                const int at = i + int(qCountTrailingZeroBits(quint32(missing)));
                m_exceptionAt.append(base + at);
                m_exceptionBytes.append(in[at]);
                missing &= missing - 1;
            }
            plain = tooMany(i);
            i += 16;
        }
    }
#endif
    out.at = base + i;
    for (; i < length && !plain; ++i) {
        const auto c = static_cast<unsigned char>(in[i]);
        const quint8 symbol
            = c == '\r' && i + 1 < length && in[i + 1] == '\n' ? quint8(newlineSymbol) : symbols.of[c];
        putSymbol(out, in[i], symbol, m_exceptionAt, m_exceptionBytes);
        plain = (i & 255) == 255 && tooMany(i);
    }
    plain = plain || tooMany(length);
    const int firstLine = size();
    if (plain) {
        m_exceptionAt.resize(exceptionsBefore);
        m_exceptionBytes.resize(exceptionsBefore);
        m_text.resize(base / 2 + length);
        memcpy(m_text.data() + base / 2, in, size_t(length));
        m_ends.appendAll(other.m_ends, base, 2);
        m_pieces.append({ firstLine, base, true });
        m_nibbles = base + 2 * length;
    } else {
        m_ends.appendAll(other.m_ends, base, 1);
        m_pieces.append({ firstLine, base, false });
        m_nibbles = base + length;
        m_text.resize((m_nibbles + 1) / 2);
    }
    m_gapped = true;
    return true;
}

bool LineList::appendPacked(const char* data, int length)
{
    if (qint64(m_nibbles) + length > 2 * qint64(MaxBytes))
        return false;
    m_text.resize(int((qint64(m_nibbles) + length + 1) / 2 + 1));
    NibbleOut out { reinterpret_cast<uchar*>(m_text.data()), m_nibbles };
    for (int k = 0; k < length; ++k)
        putSymbol(
            out, data[k], symbols.of[static_cast<unsigned char>(data[k])], m_exceptionAt, m_exceptionBytes);
    m_nibbles = int(out.at);
    m_text.resize((m_nibbles + 1) / 2);
    m_ends.append(m_nibbles);
    return true;
}

void LineList::closeGaps()
{
    if (!m_gapped)
        return;
    if (m_packed) {
        // Packed again line by line, without what lies between the lines.
        LineList gapped = std::move(*this);
        *this = LineList();
        m_packed = true;
        m_text.reserve(gapped.m_text.size());
        m_ends.reserve(gapped.size());
        std::string scratch;
        for (int i = 0; i < gapped.size(); ++i) {
            const std::string_view line = gapped.unpack(i, scratch);
            appendPacked(line.data(), int(line.size()));
        }
        return;
    }
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
    if (m_packed)
        return appendPacked(data, length);
    if (length > MaxBytes - m_text.size())
        return false;
    m_text.append(data, length);
    m_ends.append(m_text.size());
    return true;
}

void LineList::reserve(int lines, int bytes)
{
    m_ends.reserve(lines);
    // Packed text takes half a byte a byte, but a byte a byte in pieces kept plain, and a piece
    // may start with a byte of padding.
    m_text.reserve(qMin(m_packed ? bytes + 4096 : bytes, MaxBytes));
}

void LineList::squeeze()
{
    m_pieces.squeeze();
    m_exceptionAt.squeeze();
    m_exceptionBytes.squeeze();
    m_text.squeeze();
    m_ends.squeeze();
}

void LineList::clear()
{
    m_text.clear();
    m_ends.clear();
    m_pieces.clear();
    m_exceptionAt.clear();
    m_exceptionBytes.clear();
    m_gapped = false;
    m_nibbles = 0;
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

void LineEnds::startGroup()
{
    m_starts.append(m_lastEnd);
    m_steps.resize(m_steps.size() + GroupLines);
    m_groupWhole = false;
}

void LineEnds::appendWhole(int end)
{
    if (!m_groupWhole) {
        // The group's start and the ends it has so far move to the whole ends.
        const int group = m_starts.size() - 1;
        const int lines = m_size & (GroupLines - 1);
        const int start = m_starts.at(group);
        m_whole.reserve(m_whole.size() + GroupLines + 1);
        m_whole.append(start);
        for (int line = 0, at = start; line < lines; ++line)
            m_whole.append(at += m_steps.at((group << GroupShift) + line));
        m_starts.last() = -1 - (m_whole.size() - lines - 1) / (GroupLines + 1);
        m_groupWhole = true;
    }
    m_whole.append(end);
}

void LineEnds::appendAll(const LineEnds& from, int base, int factor)
{
    if (m_flat || !from.m_flat) {
        from.forEach([&](int end) { append(base + factor * end); });
        return;
    }
    // A file's block into a grouped list: a group's steps are written in one run, without the
    // checks each append makes.
    const int* in = from.m_whole.constData();
    const int n = from.m_size;
    int i = 0;
    while (i < n) {
        if ((m_size & (GroupLines - 1)) == 0)
            startGroup();
        const int stop = qMin(n, i + GroupLines - (m_size & (GroupLines - 1)));
        if (!m_groupWhole) {
            quint8* steps = m_steps.data();
            int last = m_lastEnd;
            for (; i < stop; ++i) {
                const int end = base + factor * in[i];
                const unsigned step = unsigned(end - last);
                if (step > unsigned(MaxStep))
                    break;
                steps[m_size++] = quint8(step);
                last = end;
            }
            m_lastEnd = last;
        }
        // The rest of a group kept whole (its start is noted already).
        for (; i < stop; ++i) {
            const int end = base + factor * in[i];
            appendWhole(end);
            m_lastEnd = end;
            ++m_size;
        }
    }
}

void LineEnds::reserve(int lines)
{
    if (m_flat) {
        m_whole.reserve(lines);
        return;
    }
    const int groups = lines / GroupLines + 1;
    m_steps.reserve(groups * GroupLines);
    m_starts.reserve(groups);
}

void LineEnds::squeeze()
{
    if (m_flat) {
        const LineEnds flat = std::move(*this);
        clear();
        reserve(flat.size());
        appendAll(flat, 0, 1);
    }
    m_steps.squeeze();
    m_starts.squeeze();
    m_whole.squeeze();
}

void LineEnds::clear()
{
    m_steps.clear();
    m_starts.clear();
    m_whole.clear();
    m_size = 0;
    m_lastEnd = 0;
    m_groupWhole = false;
    m_flat = false;
}
