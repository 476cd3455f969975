#pragma once

#include <QList>
#include <QStringList>
#include <QTableWidget>
#include <functional>

class QMenu;
class TableColumns;

// What the placement table's menu and keys ask the main window to do on its next tick.
struct PnPRequests
{
    bool deleteRows = false;
    QList<int> rowsToDelete; // ascending
    bool newEntry = false;
    bool selectAll = false;
    bool shiftX = false;
    bool shiftY = false;
    bool switchSide = false;
    bool assignMachine = false;
    int machineIndex = 0;
    QList<int> rowsToAssign;
    int rotate = 0; // 45, 90, 180, 270; 0 = none
    int exec = -1; // 0..3; -1 = none
    bool placed = false;
    int toFiducial = 0; // 1 board 1, 2 board 2, 3 block 1, 4 block 2; 0 = none

    bool any() const
    {
        return deleteRows || newEntry || selectAll || shiftX || shiftY || switchSide || assignMachine
            || rotate || exec >= 0 || placed || toFiducial;
    }
};

// The placement table: one row per placement of the shown side. It shows what the main window
// puts in and posts requests from its context menu; the main window runs them.
class PNPlist : public QTableWidget
{
    Q_OBJECT
public:
    explicit PNPlist(QWidget* parent = nullptr);

    PnPRequests requests;

    // The machines of the selected line for "assign to Machine..."; entry 0 is "no machine".
    void setMachineNames(std::function<QStringList()> names) { m_machineNames = std::move(names); }
    QMenu* contextMenu() const { return m_menu; }
    // The column widths: the default widths, grown to fit headers and numbers, or as dragged.
    TableColumns* columns() const { return m_columns; }
    // Row numbers of the selection, ascending, each once.
    QList<int> selectedRowNumbers() const;
    // Selects exactly these rows in one selection change.
    void selectRows(const QList<int>& rows);

public slots:
    void sigDelEntry();
    void sigNewEntry();
    void sigShiftX();
    void sigShiftY();
    void sigSideFlag();
    void debugOutput(int machineIndex);
    void rotate45();
    void rotate90();
    void rotate180();
    void rotate270();
    void sigChangeExec0();
    void sigChangeExec1();
    void sigChangeExec2();
    void sigChangeExec3();
    void sigPlaced();
    void sigConvFidBo1();
    void sigConvFidBo2();
    void sigConvFidBl1();
    void sigConvFidBl2();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rotate(int angle) { requests.rotate = angle; }
    QMenu* m_menu = nullptr;
    TableColumns* m_columns = nullptr;
    std::function<QStringList()> m_machineNames;
};

// Shared by both tables: row numbers of a selection model, ascending and unique.
QList<int> selectedRowsOf(const QTableWidget* table);
// Rows of PlacementText::rowHeight pixels, whatever the font.
void useFixedRowHeight(QTableWidget* table);
// One selection change for many rows: contiguous runs become one range each.
void selectRowsOf(QTableWidget* table, const QList<int>& rows);
