#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QTableWidget>

class QMenu;
class TableColumns;
struct FeederEntry;

// What the feeder table's menu asks the main window to do on its next tick.
struct FeederRequests
{
    bool rotate = false; // turn the highlighted entries by 90°
    bool database = false; // choose the database entry of `row`
    int row = -1;
};

// The feeder table of the machine being edited: one row per feeder entry, ten columns. Its
// cell texts and edit rules are those of FeederTable; the main window applies the edits.
class Feeder_Config : public QTableWidget
{
    Q_OBJECT
public:
    explicit Feeder_Config(QWidget* parent = nullptr);

    FeederRequests requests;

    // Replaces the rows by `entries` without announcing cell changes; widths are kept.
    void showEntries(const QList<FeederEntry*>& entries);
    // Rewrites the cells of one row from its entry, without announcing cell changes; a column
    // grows when the new text needs it.
    void showRow(int row, const FeederEntry& entry);
    // Selects the rows whose part type (name ";" value) is in `keys`; nothing else.
    void selectPartTypes(const QList<FeederEntry*>& entries, const QSet<QString>& keys);
    QMenu* contextMenu() const { return m_menu; }

public slots:
    void rot90();
    void setDB();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void writeRow(int row, const FeederEntry& entry);

    QMenu* m_menu = nullptr;
    TableColumns* m_columns = nullptr;
};
