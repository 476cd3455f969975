#include "gerber/gerberblockreader.h"

namespace {

const QStringView macroStart = u"%AM";
const QStringView statementEnd = u"*%";

} // namespace

GerberBlockReader::GerberBlockReader(const LineList& lines)
    : m_lines(&lines)
{ }

QStringView GerberBlockReader::decodeLine(int i)
{
    const std::string_view bytes = m_lines->bytes(i, m_scratch);
    const int size = int(bytes.size());
    // Gerber text is ASCII: widening byte by byte is all it takes, and the same pass notes whether
    // the line holds a "%". A line with other bytes is decoded instead.
    if (size > m_lineBuffer.size())
        m_lineBuffer.resize(qMax(size, 2 * m_lineBuffer.size()));
    char16_t* out = reinterpret_cast<char16_t*>(m_lineBuffer.data());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    unsigned char high = 0;
    bool percent = false;
    for (int k = 0; k < size; ++k) {
        const unsigned char c = in[k];
        high |= c;
        percent |= c == '%';
        out[k] = c;
    }
    m_lineHasPercent = percent;
    if (high < 0x80)
        return QStringView(out, size);
    m_decodedLine = QString::fromUtf8(bytes.data(), size);
    m_lineHasPercent = m_decodedLine.contains(QLatin1Char('%'));
    return QStringView(m_decodedLine);
}

bool GerberBlockReader::nextStatement()
{
    while (m_line < m_lines->size()) {
        const QStringView line = decodeLine(m_line++);
        if (!m_accumulating) {
            const QStringView view = line;
            // Most lines hold no "%" at all: test that cheaply before the two searches.
            if (m_lineHasPercent && view.contains(macroStart) && !view.contains(statementEnd)) {
                m_accumulator = line.toString();
                m_accumulating = true;
                continue;
            }
            m_statement = view;
        } else {
            // Only the joint and the new text can bring the end marker: searching the whole
            // accumulator each time would be quadratic for a macro that never closes.
            const qsizetype from = m_accumulator.size() > 0 ? m_accumulator.size() - 1 : 0;
            m_accumulator.append(line.data(), int(line.size()));
            if (QStringView(m_accumulator).indexOf(statementEnd, from) < 0)
                continue;
            m_statementOwner = std::move(m_accumulator);
            m_accumulator = QString();
            m_accumulating = false;
            m_statement = QStringView(m_statementOwner);
        }
        m_pos = 0;
        m_wholeStatement = m_statement.size() > 0 && m_statement.front() == QLatin1Char('%')
            && m_statement.back() == QLatin1Char('%');
        m_haveStatement = true;
        return true;
    }
    return false;
}

bool GerberBlockReader::next(QStringView& block)
{
    for (;;) {
        if (!m_haveStatement && !nextStatement())
            return false;
        if (m_wholeStatement) {
            // "%FSLAX24Y24*%%MOMM*%": each "%...%" of the line is a statement of its own.
            const qsizetype joint = m_statement.indexOf(u"%%", m_pos + 1);
            if (joint >= 0) {
                block = m_statement.mid(m_pos, joint + 1 - m_pos);
                m_pos = joint + 1;
                return true;
            }
            block = m_statement.mid(m_pos);
            m_haveStatement = false;
            return true;
        }
        const qsizetype size = m_statement.size();
        if (m_pos >= size) {
            m_haveStatement = false; // a trailing empty part is dropped
            continue;
        }
        const qsizetype star = findChar(m_statement, u'*', m_pos);
        if (star >= 0) {
            // The part keeps its own "*" as the appended one, unless it ends with "%".
            const bool endsWithPercent = star > m_pos && m_statement.at(star - 1) == QLatin1Char('%');
            block = m_statement.mid(m_pos, star - m_pos + (endsWithPercent ? 0 : 1));
            m_pos = star + 1;
            return true;
        }
        const QStringView part = m_statement.mid(m_pos);
        m_pos = size;
        if (part.back() == QLatin1Char('%')) {
            block = part;
        } else {
            m_lastPart = part.toString();
            m_lastPart += QLatin1Char('*');
            block = QStringView(m_lastPart);
        }
        return true;
    }
}
