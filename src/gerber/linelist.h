#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Where each line of a LineList ends in its text, in about one byte a line: the lines come in
// groups of 32, each group keeps where the line before it ends, and each line the step from the
// end before it to its own. A group with a step past 255 keeps its ends whole instead (four bytes
// a line), before them the end it starts from. A flat list, made for a file's lines read once and
// dropped, keeps every end whole, the quickest to note and to read.
class LineEnds
{
public:
    static constexpr int GroupShift = 5;
    static constexpr int GroupLines = 1 << GroupShift;
    static constexpr int MaxStep = 0xff;

    int size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    int at(int i) const
    {
        int begin;
        int end;
        bounds(i, begin, end);
        return end;
    }
    // Where line i begins (the previous line's end) and ends.
    void bounds(int i, int& begin, int& end) const
    {
        if (m_flat) {
            const int* whole = m_whole.constData();
            end = whole[i];
            begin = i > 0 ? whole[i - 1] : 0;
            return;
        }
        const int group = i >> GroupShift;
        const int line = i & (GroupLines - 1);
        const int start = m_starts.constData()[group];
        if (start >= 0) {
            const quint8* steps = m_steps.constData() + (group << GroupShift);
            end = start + stepSum(steps, line + 1);
            begin = end - steps[line];
        } else {
            const int* whole = m_whole.constData() + wholeAt(start);
            begin = whole[line];
            end = whole[line + 1];
        }
    }
    // Ends never decrease.
    void append(int end)
    {
        if (m_flat) {
            m_whole.append(end);
            m_lastEnd = end;
            ++m_size;
            return;
        }
        if ((m_size & (GroupLines - 1)) == 0)
            startGroup();
        const unsigned step = unsigned(end - m_lastEnd);
        if (!m_groupWhole && step <= unsigned(MaxStep))
            m_steps.data()[m_size] = quint8(step);
        else
            appendWhole(end);
        m_lastEnd = end;
        ++m_size;
    }
    // Hands every end to f, in order.
    template <typename F> void forEach(F f) const
    {
        if (m_flat) {
            for (int end : m_whole)
                f(end);
            return;
        }
        for (int group = 0; group << GroupShift < m_size; ++group) {
            const int lines = qMin(GroupLines, m_size - (group << GroupShift));
            const int start = m_starts.at(group);
            if (start >= 0) {
                const quint8* steps = m_steps.constData() + (group << GroupShift);
                int end = start;
                for (int line = 0; line < lines; ++line)
                    f(end += steps[line]);
            } else {
                const int* whole = m_whole.constData() + wholeAt(start) + 1;
                for (int line = 0; line < lines; ++line)
                    f(whole[line]);
            }
        }
    }
    // Appends base + factor * end for every end of `from`, in order.
    void appendAll(const LineEnds& from, int base, int factor);
    void reserve(int lines);
    // Gives back unused room; a flat list becomes a grouped one.
    void squeeze();
    void clear();

private:
    friend class LineList;
    // The sum of the first `count` steps of a group (1 to 32).
    static int stepSum(const quint8* steps, int count)
    {
#ifdef __SSE2__
        // Masks that keep the first `count` bytes of two 16-byte loads.
        alignas(16) static constexpr quint8 keep[2 * GroupLines] = { 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
            0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
            0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff };
        const auto load
            = [](const quint8* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
        const __m128i low = _mm_and_si128(load(steps), load(keep + GroupLines - count));
        const __m128i high = _mm_and_si128(load(steps + 16), load(keep + GroupLines + 16 - count));
        const __m128i zero = _mm_setzero_si128();
        const __m128i sums = _mm_add_epi64(_mm_sad_epu8(low, zero), _mm_sad_epu8(high, zero));
        return _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums));
#else
        int sum = 0;
        for (int i = 0; i < count; ++i)
            sum += steps[i];
        return sum;
#endif
    }
    // Where a group kept whole has its ends in m_whole.
    static int wholeAt(int start)
    {
        return (-1 - start) * (GroupLines + 1);
    }
    void startGroup();
    void appendWhole(int end);

    QVector<quint8> m_steps; // room for whole groups, in steps of 32
    QVector<int> m_starts; // each group's start, the end of the line before it; for a group kept
                           // whole -1 - its number among those
    QVector<int> m_whole; // for each group kept whole: its start, then its ends (flat: every end)
    int m_size = 0;
    int m_lastEnd = 0;
    bool m_groupWhole = false; // the last group is kept whole
    bool m_flat = false; // every end is kept whole, in m_whole
};

// A list of text lines kept as UTF-8 in one buffer: a file of millions of short lines costs one
// byte a character (Gerber text is ASCII) and about one a line, instead of a separate string per
// line. A packed list (see pack()) costs about half a byte a character of Gerber text.
// Reads like a QStringList (size, at, iteration by value, join) and converts to and from one.
class LineList
{
public:
    // The buffer holds at most this many bytes; appending beyond it is refused.
    static constexpr int MaxBytes = (1 << 30) - (1 << 20);

    class const_iterator
    {
    public:
        const_iterator(const LineList* list, int i)
            : m_list(list)
            , m_i(i)
        { }
        QString operator*() const { return m_list->at(m_i); }
        const_iterator& operator++()
        {
            ++m_i;
            return *this;
        }
        bool operator==(const const_iterator& o) const { return m_i == o.m_i; }
        bool operator!=(const const_iterator& o) const { return m_i != o.m_i; }

    private:
        const LineList* m_list;
        int m_i;
    };

    LineList() = default;
    LineList(const QStringList& lines); // NOLINT: converts like the list it stands for
    LineList& operator=(const QStringList& lines);

    // The lines of a file: cut at "\n", white space trimmed at both ends of each line; a final
    // line end adds no empty line. Takes the bytes over and trims them in place when they are
    // ASCII or valid UTF-8 (invalid sequences become U+FFFD). Lines beyond MaxBytes are dropped.
    static LineList fromFileBytes(QByteArray data);

    int size() const { return m_ends.size(); }
    int count() const { return m_ends.size(); }
    bool isEmpty() const { return m_ends.isEmpty(); }

    // The line's UTF-8 bytes: a view into the list, or for a packed list into `scratch`, which
    // the line is decoded into. Valid until the list or the scratch is changed.
    std::string_view bytes(int i, std::string& scratch) const
    {
        return m_packed ? unpack(i, scratch) : plainBytes(i);
    }
    QString at(int i) const;
    QString operator[](int i) const { return at(i); }
    QString first() const { return at(0); }
    QString last() const { return at(size() - 1); }

    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size()); }

    // False (and nothing appended) when the buffer would pass MaxBytes.
    bool append(QStringView line);
    // The same for a line of Latin-1 text; ASCII, which reads the same in UTF-8, is copied as it is.
    bool appendLatin1(const char* data, int length);
    // Appends the lines of another list, in order, up to MaxBytes; returns how many were taken.
    // The lines of a file's piece (fromFileBytes) are packed in one pass over their bytes.
    int appendLines(const LineList& other);
    void reserve(int lines, int bytes);
    void squeeze();
    void clear();

    // Keeps the text packed from now on, in four bits a character: the digits, "X", "Y", "D", "*",
    // "-" and line ends (nearly all of Gerber text) are packed, any other byte is also kept aside
    // with its position. Lines are then read through a scratch buffer. Packs the lines the list
    // holds already.
    void pack();

    QStringList toStringList() const;
    operator QStringList() const { return toStringList(); } // NOLINT
    QString join(QStringView separator) const;

    bool operator==(const LineList& other) const;
    bool operator!=(const LineList& other) const { return !(*this == other); }

    static bool isBlank(char c)
    {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    }

private:
    std::string_view plainBytes(int i) const
    {
        int begin;
        int end;
        m_ends.bounds(i, begin, end);
        const char* text = m_text.constData();
        // In gapped text the line's leading white space and the previous line's end lie before it.
        if (m_gapped)
            begin = skipBlanks(text, begin, end);
        return std::string_view(text + begin, size_t(end - begin));
    }
    static int skipBlanks(const char* text, int begin, int end)
    {
        while (begin < end && isBlank(text[begin]))
            ++begin;
        return begin;
    }
    std::string_view unpack(int i, std::string& scratch) const;
    bool appendUtf8(const char* data, int length);
    bool appendPacked(const char* data, int length);
    // Packs the bytes of a gapped plain list whole; false when they would pass MaxBytes.
    bool appendGappedText(const LineList& other);
    // Moves the lines together, dropping what lies between them (see m_gapped).
    void closeGaps();

    QByteArray m_text;
    LineEnds m_ends; // end of each line in m_text, in bytes (or in four-bit units when packed)
    // The text is a whole ASCII file as read: each line starts after the end of the one before
    // and the white space that follows it (its line end, the next line's indent), which bytes()
    // skips. Reading a file so costs no copy of its lines.
    bool m_gapped = false;
    bool m_packed = false;
    int m_nibbles = 0; // four-bit units used in m_text when packed
    // The pieces of a file packed whole by appendLines, in order: their first line, where they
    // start (in four-bit units, on a whole byte), and whether they were kept as plain bytes
    // (two units a byte) because too few of their bytes have a symbol of their own.
    struct Piece
    {
        int firstLine;
        int start;
        bool plain;
    };
    QVector<Piece> m_pieces;
    // The bytes of a packed text that have no symbol: their positions, in order, and the bytes.
    QVector<int> m_exceptionAt;
    QByteArray m_exceptionBytes;
};
