#include "line/ui/feeder_config.h"

#include "line/feederedit.h"
#include "line/feederentry.h"
#include "line/feederlist.h"
#include "uikit/tablecolumns.h"

#include <QContextMenuEvent>
#include <QDebug>
#include <QHeaderView>
#include <QMenu>
#include <QSignalBlocker>

Feeder_Config::Feeder_Config(QWidget* parent)
    : QTableWidget(parent)
{
    setColumnCount(FeederTable::columnCount);
    setHorizontalHeaderLabels(FeederTable::headers());
    // Every column shows its content whole; the panel scrolls sideways when they need more room.
    m_columns = new TableColumns(this, FeederTable::columnWidths());
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->setDefaultSectionSize(18);
    m_menu = new QMenu(this);
    m_menu->addAction(QStringLiteral("rotate"), this, &Feeder_Config::rot90);
    m_menu->addAction(QStringLiteral("Database"), this, &Feeder_Config::setDB);
}

void Feeder_Config::showEntries(const QList<FeederEntry*>& entries)
{
    const QSignalBlocker quiet(this);
    setRowCount(entries.size());
    for (int row = 0; row < entries.size(); ++row)
        writeRow(row, *entries.at(row));
    m_columns->fit();
}

void Feeder_Config::showRow(int row, const FeederEntry& entry)
{
    const QSignalBlocker quiet(this);
    writeRow(row, entry);
    m_columns->fit();
}

void Feeder_Config::writeRow(int row, const FeederEntry& entry)
{
    for (int c = 0; c < FeederTable::columnCount; ++c) {
        const QString text = FeederTable::cellText(entry, FeederColumn(c));
        if (QTableWidgetItem* it = item(row, c))
            it->setText(text);
        else
            setItem(row, c, new QTableWidgetItem(text));
    }
}

void Feeder_Config::selectPartTypes(const QList<FeederEntry*>& entries, const QSet<QString>& keys)
{
    const QSignalBlocker quiet(this);
    clearSelection();
    for (int row = 0; row < entries.size() && row < rowCount(); ++row) {
        if (!keys.contains(FeederList::partKey(entries.at(row)->name, entries.at(row)->value)))
            continue;
        for (int c = 0; c < columnCount(); ++c)
            if (QTableWidgetItem* it = item(row, c))
                it->setSelected(true);
    }
}

void Feeder_Config::rot90()
{
    qDebug() << "rotate";
    requests.rotate = true;
}

void Feeder_Config::setDB()
{
    requests.row = currentRow();
    requests.database = requests.row >= 0;
}

void Feeder_Config::contextMenuEvent(QContextMenuEvent* event)
{
    m_menu->popup(event->globalPos());
}
