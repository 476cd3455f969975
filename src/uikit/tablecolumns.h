#pragma once

#include <QObject>
#include <QVector>
#include <functional>

class QTableWidget;
class TextWidths;

// Column widths of a table that must stay readable on small screens: each column starts at its
// given width and grows to fit its header and its widest cell, so numbers are never cut; a width
// the user drags is kept from then on, through every rebuild of the rows. A start width of 0
// keeps a column hidden.
class TableColumns : public QObject
{
    Q_OBJECT
public:
    TableColumns(QTableWidget* table, const QVector<int>& startWidths);

    // Sets every column's width from its start width, header and cells (after the rows changed).
    void fit();
    // The same from the cell texts collected while the rows were made (TextWidths with the
    // table's font and columns, enough at maxFittedWidth - padding()).
    void fit(const TextWidths& texts);
    // The width a column needs for its header and cells.
    int neededWidth(int column) const;
    // The room a cell needs besides its text.
    int padding() const;
    bool dragged(int column) const { return m_dragged.value(column, -1) >= 0; }

    // No text column grows wider than this; a longer comment is cut, not the table's layout.
    static constexpr int maxFittedWidth = 320;

private:
    void sectionResized(int column, int oldWidth, int newWidth);
    int neededWidth(int column, const TextWidths& texts) const;
    void apply(const std::function<int(int)>& needed);

    QTableWidget* m_table;
    QVector<int> m_start;
    QVector<int> m_dragged; // -1: not dragged
    bool m_applying = false;
};
