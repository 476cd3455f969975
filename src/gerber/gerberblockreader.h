#pragma once

#include "gerber/linelist.h"

#include <QString>
#include <QStringView>
#include <string>

// A plain forward scan for one character: QStringView::indexOf goes through Qt's general search,
// which costs several times more on the short blocks every coordinate line makes.
inline qsizetype findChar(QStringView text, char16_t c, qsizetype from = 0)
{
    const QChar* data = text.data();
    for (qsizetype i = from < 0 ? 0 : from; i < text.size(); ++i)
        if (data[i].unicode() == c)
            return i;
    return -1;
}

// Equality with a short ASCII literal without going through Qt's general compare.
template <size_t N> inline bool sameAscii(QStringView text, const char (&literal)[N])
{
    if (text.size() != qsizetype(N - 1))
        return false;
    for (size_t i = 0; i + 1 < N; ++i)
        if (text.at(qsizetype(i)).unicode() != char16_t(literal[i]))
            return false;
    return true;
}

// Turns the trimmed lines of a Gerber file into blocks: lines are joined into statements (a macro
// definition may span lines until "*%"), statements are cut at "*", and every block ends with "*"
// or "%". Blocks are views into one reused line buffer wherever possible, so reading allocates
// almost nothing; a view stays valid until the next call of next().
class GerberBlockReader
{
public:
    explicit GerberBlockReader(const LineList& lines);

    // The next block, or false when the lines are exhausted. A macro definition left open at the
    // end of the lines never becomes a statement.
    bool next(QStringView& block);
    // Goes on with the file's next lines once these are exhausted (a file read in pieces): a
    // statement that spans lines continues across.
    void continueWith(const LineList& lines)
    {
        m_lineBase += m_line;
        m_line = 0;
        m_lines = &lines;
    }
    // The number (from 1) of the file line on which the last block returned ends.
    int lineNumber() const { return m_lineBase + m_line; }

    // The next line's bytes when nothing of the lines before is still to be returned, so the
    // caller may take the line whole and skipLine() it; false otherwise or at the end.
    bool peekIdleLine(std::string_view& line) const
    {
        const bool pending
            = m_accumulating || (m_haveStatement && (m_wholeStatement || m_pos < m_statement.size()));
        if (pending || m_line >= m_lines->size())
            return false;
        line = m_lines->bytes(m_line, m_scratch);
        return true;
    }
    void skipLine()
    {
        m_haveStatement = false;
        ++m_line;
    }

private:
    bool nextStatement();
    QStringView decodeLine(int i);

    const LineList* m_lines;
    int m_line = 0; // in m_lines
    int m_lineBase = 0; // lines of the file before m_lines
    mutable std::string m_scratch; // a packed line's bytes
    QString m_lineBuffer; // the current ASCII line as UTF-16; only ever grows
    QString m_decodedLine; // the current line when it held other bytes
    bool m_lineHasPercent = false;
    QString m_accumulator; // lines of a statement that spans lines
    bool m_accumulating = false;
    QString m_statementOwner; // backs m_statement when it was joined from several lines
    QStringView m_statement;
    bool m_haveStatement = false;
    bool m_wholeStatement = false; // begins and ends with "%": one block, not split
    qsizetype m_pos = 0;
    QString m_lastPart; // the final part of a statement with its "*" appended
};
