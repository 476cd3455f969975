#include "uikit/textwidths.h"

#include <QFont>

TextWidths::TextWidths(const QFont& font, int columns)
    : m_metrics(font)
    , m_exact(font)
    , m_columns(columns)
    , m_advance(256, -1.0)
{ }

void TextWidths::add(int column, const QString& text)
{
    if (column < 0 || column >= m_columns.size())
        return;
    Column& c = m_columns[column];
    if (c.pixels >= m_enough)
        return;
    if (c.widest >= 0) {
        // Ligatures and kerning that tightens only make a text narrower than its bound.
        const qreal upper = bound(text);
        if (upper >= 0 && upper <= c.widest)
            return;
    }
    if (c.measured.contains(text))
        return;
    c.measured.insert(text);
    c.pixels = qMax(c.pixels, m_metrics.horizontalAdvance(text));
    c.widest = qMax(c.widest, m_exact.horizontalAdvance(text));
}

qreal TextWidths::bound(const QString& text)
{
    qreal width = 0;
    int previous = -1;
    for (const QChar ch : text) {
        const int c = ch.unicode();
        if (c < 0x20 || (c >= 0x7f && c <= 0xa0) || c == 0xad || c > 0xff)
            return -1;
        qreal& advance = m_advance[c];
        if (advance < 0)
            advance = m_exact.horizontalAdvance(ch);
        width += advance;
        if (previous >= 0) {
            if (m_widening.isEmpty())
                m_widening.fill(-1.0, 256 * 256);
            qreal& widening = m_widening[previous * 256 + c];
            if (widening < 0) {
                const QChar pair[] = { QChar(previous), ch };
                widening = qMax<qreal>(
                    0, m_exact.horizontalAdvance(QString(pair, 2)) - m_advance[previous] - advance);
            }
            width += widening;
        }
        previous = c;
    }
    // Advances are whole 64ths of a pixel: their sums are exact.
    return width;
}
