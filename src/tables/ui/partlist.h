#pragma once

#include "model/document.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QTableWidget>
#include <functional>

class QMenu;
class TableColumns;

// What the part table's menu and keys ask the main window to do on its next tick.
struct PartRequests
{
    bool deleteRows = false;
    int exec = -1; // 0..3; -1 = none
    int rotate = 0; // 45, 90, 180, 270; 0 = none
    bool shiftX = false;
    bool shiftY = false;
    bool placed = false;
    bool switchSide = false;
    bool selectAll = false;
    int split = 1; // 2..8; 1 = none
    QString splitKey;
    bool printLabel = false;
    QString labelKey; // value + ";" + name
    bool assignMachine = false;
    int machineIndex = 0;
    QSet<QString> keysToAssign;
};

// The part table: one row per group of shown placements with equal value and name. It keeps
// the group of each row, so an edit or a request names the group the row showed, however the
// edit was started.
class Partlist : public QTableWidget
{
    Q_OBJECT
public:
    explicit Partlist(QWidget* parent = nullptr);

    PartRequests requests;

    // Replaces the rows (column widths kept).
    void showRows(const QList<PartListRow>& rows);
    // The group a row showed; an empty row for a row number out of range.
    PartListRow rowGroup(int row) const;
    QList<int> selectedRowNumbers() const;
    // Keys (PartGroups::key) of the selected rows.
    QSet<QString> selectedKeys() const;
    void selectRows(const QList<int>& rows);
    // Rows whose group is among keys.
    QList<int> rowsOfKeys(const QSet<QString>& keys) const;

    void setMachineNames(std::function<QStringList()> names) { m_machineNames = std::move(names); }
    QMenu* contextMenu() const { return m_menu; }
    // The column widths 40, 90, 90, grown to fit headers and numbers, or as dragged.
    TableColumns* columns() const { return m_columns; }

public slots:
    void sigDelEntry();
    void sigChangeExec0();
    void sigChangeExec1();
    void sigChangeExec2();
    void sigChangeExec3();
    void rotate45();
    void rotate90();
    void rotate180();
    void rotate270();
    void sigShiftX();
    void sigShiftY();
    void unplace();
    void sigSideFlag();
    void sigSplitIn2();
    void sigSplitIn3();
    void sigSplitIn4();
    void sigSplitIn5();
    void sigSplitIn6();
    void sigSplitIn7();
    void sigSplitIn8();
    void sigPrintLabel();
    void debugOutput(int machineIndex);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void splitIn(int n);
    QList<PartListRow> m_rows;
    QMenu* m_menu = nullptr;
    TableColumns* m_columns = nullptr;
    QAction* m_printMenu = nullptr;
    std::function<QStringList()> m_machineNames;
};
