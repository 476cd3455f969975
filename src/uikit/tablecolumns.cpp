#include "uikit/tablecolumns.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QSet>
#include <QStyle>
#include <QTableWidget>

TableColumns::TableColumns(QTableWidget* table, const QVector<int>& startWidths)
    : QObject(table)
    , m_table(table)
    , m_start(startWidths)
    , m_dragged(startWidths.size(), -1)
{
    connect(table->horizontalHeader(), &QHeaderView::sectionResized, this, &TableColumns::sectionResized);
    fit();
}

void TableColumns::sectionResized(int column, int, int newWidth)
{
    // Only the user's drags count: the widths this class sets, and the header stretching its
    // last section to the view, are no choice of the user's.
    const QHeaderView* header = m_table->horizontalHeader();
    if (m_applying || column < 0 || column >= m_dragged.size()
        || (header->stretchLastSection() && column == header->logicalIndex(header->count() - 1)))
        return;
    m_dragged[column] = newWidth;
}

int TableColumns::neededWidth(int column) const
{
    int width = m_table->horizontalHeader()->sectionSizeHint(column);
    const QFontMetrics metrics(m_table->font());
    // The item view's text margins on both sides, and the grid line.
    const int padding
        = 2 * (m_table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_table) + 1) + 2;
    // Columns repeat their texts (values, names, sides, small numbers): each is measured once.
    QSet<QString> measured;
    for (int row = 0; row < m_table->rowCount() && width < maxFittedWidth; ++row) {
        const QTableWidgetItem* item = m_table->item(row, column);
        if (!item)
            continue;
        const QString text = item->text();
        if (!measured.contains(text)) {
            measured.insert(text);
            width = qMax(width, metrics.horizontalAdvance(text) + padding);
        }
    }
    return qMin(width, maxFittedWidth);
}

void TableColumns::fit()
{
    m_applying = true;
    for (int c = 0; c < m_start.size() && c < m_table->columnCount(); ++c) {
        if (m_dragged[c] >= 0)
            m_table->setColumnWidth(c, m_dragged[c]);
        else if (m_start[c] == 0)
            m_table->setColumnWidth(c, 0);
        else
            m_table->setColumnWidth(c, qMax(m_start[c], neededWidth(c)));
    }
    m_applying = false;
}
