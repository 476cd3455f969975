#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>
#include <string_view>

// Where each line of a LineList ends in its text, in two bytes a line: the lines come in groups of
// 256, and an end is kept as its distance from the end of the group before. Should a group span
// more than 64 KiB of text, every end is kept whole instead (four bytes a line).
class LineEnds
{
public:
    static constexpr int GroupShift = 8;
    static constexpr int MaxOffset = 0xffff;

    int size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    int at(int i) const
    {
        return m_wide ? m_whole.constData()[i]
                      : m_groupStarts.constData()[i >> GroupShift] + m_offsets.constData()[i];
    }
    // Where line i begins (the previous line's end) and ends.
    void bounds(int i, int& begin, int& end) const
    {
        if (m_wide) {
            const int* whole = m_whole.constData();
            end = whole[i];
            begin = i > 0 ? whole[i - 1] : 0;
            return;
        }
        // A group starts where the line before it ends.
        const int start = m_groupStarts.constData()[i >> GroupShift];
        const quint16* offsets = m_offsets.constData();
        end = start + offsets[i];
        begin = start + ((i & ((1 << GroupShift) - 1)) ? offsets[i - 1] : 0);
    }
    // Ends never decrease.
    void append(int end);
    // Appends map(end) for every end of `from`, in order (used by LineList only, defined there).
    template <typename Map> void appendAll(const LineEnds& from, Map map);
    void reserve(int lines);
    void squeeze();
    void clear();

private:
    friend class LineList;
    void widen();

    QVector<quint16> m_offsets;
    QVector<int> m_groupStarts; // the end of the line before each group; 0 for the first
    QVector<int> m_whole; // every end, once some group is too long
    int m_size = 0;
    bool m_wide = false;
};

// A list of text lines kept as UTF-8 in one buffer: a file of millions of short lines costs one
// byte a character (Gerber text is ASCII) and about two a line, instead of a separate string per
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
