#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

class PartDatabase;
struct FeederEntry;

// Columns of the feeder table, in display order.
enum class FeederColumn
{
    Index = 0,
    Value,
    Name,
    Db,
    Set,
    Feeder,
    Nozzle,
    Optimize,
    Qty,
    Head
};

// What the feeder table shows of a feeder list and which edits of its cells it takes; the
// table widget calls these and keeps no rules of its own.
namespace FeederTable {

constexpr int columnCount = 10;
// Header texts; the index column has none.
QStringList headers();
QVector<int> columnWidths();
QString cellText(const FeederEntry& entry, FeederColumn column);

// Applies a text typed into a cell of row `row`; false, with the entry unchanged, when the
// column is not editable or the text is refused. A database number that the database knows
// also brings its nozzle and feeder type.
bool applyEdit(
    const QList<FeederEntry*>& entries, int row, int column, const QString& text, const PartDatabase& db);

} // namespace FeederTable
