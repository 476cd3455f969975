#include "uikit/tablecolumns.h"

#include "uikit/textwidths.h"

#include <QHeaderView>
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

int TableColumns::padding() const
{
    // The item view's text margins on both sides, and the grid line.
    return 2 * (m_table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_table) + 1) + 2;
}

int TableColumns::neededWidth(int column) const
{
    TextWidths texts(m_table->font(), column + 1);
    texts.setEnough(maxFittedWidth - padding());
    for (int row = 0; row < m_table->rowCount(); ++row)
        if (const QTableWidgetItem* item = m_table->item(row, column))
            texts.add(column, item->text());
    return neededWidth(column, texts);
}

int TableColumns::neededWidth(int column, const TextWidths& texts) const
{
    const int width = qMax(m_table->horizontalHeader()->sectionSizeHint(column),
        texts.widest(column) >= 0 ? texts.widest(column) + padding() : 0);
    return qMin(width, maxFittedWidth);
}

void TableColumns::fit()
{
    apply([this](int column) { return neededWidth(column); });
}

void TableColumns::fit(const TextWidths& texts)
{
    apply([&](int column) { return neededWidth(column, texts); });
}

void TableColumns::apply(const std::function<int(int)>& needed)
{
    m_applying = true;
    for (int c = 0; c < m_start.size() && c < m_table->columnCount(); ++c) {
        if (m_dragged[c] >= 0)
            m_table->setColumnWidth(c, m_dragged[c]);
        else if (m_start[c] == 0)
            m_table->setColumnWidth(c, 0);
        else
            m_table->setColumnWidth(c, qMax(m_start[c], needed(c)));
    }
    m_applying = false;
}
