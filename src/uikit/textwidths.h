#pragma once

#include <QFontMetrics>
#include <QSet>
#include <QString>
#include <QVector>
#include <climits>

class QFont;

// The widest text of each column of a table, in whole pixels as QFontMetrics::horizontalAdvance
// gives it. Texts are shaped once each, and a text is not shaped at all when an upper bound of
// its width (its characters' advances plus whatever kerning widens their pairs by) shows it is
// no wider than one measured before: of many designators or coordinates, few are shaped.
class TextWidths
{
public:
    TextWidths(const QFont& font, int columns);

    void add(int column, const QString& text);
    // The widest text added to the column, -1 when none was.
    int widest(int column) const { return m_columns.value(column).pixels; }
    // Texts that need no more than this do not change widest().
    void setEnough(int pixels) { m_enough = pixels; }

private:
    // An upper bound of the text's width, or -1 for texts beyond printable Latin-1.
    qreal bound(const QString& text);

    struct Column
    {
        QSet<QString> measured;
        qreal widest = -1;
        int pixels = -1;
    };
    QFontMetrics m_metrics;
    QFontMetricsF m_exact;
    QVector<Column> m_columns;
    QVector<qreal> m_advance; // per Latin-1 character; -1 until measured
    QVector<qreal> m_widening; // per pair of Latin-1 characters; -1 until measured, made when needed
    int m_enough = INT_MAX;
};
