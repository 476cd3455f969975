#pragma once

#include "tables/placementsort.h"

#include <QList>
#include <QObject>
#include <QPointF>
#include <QString>
#include <functional>

class Darstellg;
class Document;
class FeederPanel;
class PnPEntry;
class QLineEdit;
class QMenu;
class QWidget;
class Search_dlg;

namespace Ui {
class MainWindow;
}

// The placement and part tables of the main window: building them from the working list, keeping
// their selection and the entries' selected flags in step, cell edits and sorting, the tables'
// requests (run by the timer in their fixed order), the board view's context menu with its
// immediate actions, and the search dialog.
class PlacementTables : public QObject
{
    Q_OBJECT
public:
    // What the tables ask of the rest of the window.
    struct Hooks
    {
        std::function<void()> blockInteraction;
        std::function<void()> unblockInteraction;
        std::function<void(bool alongX)> shiftSelected;
        std::function<void(int target)> convertToFiducial;
        std::function<void(bool top)> showSide; // as a click on the side button
        std::function<QString()> titleName;
        std::function<QPointF()> cursorPosition; // the board point (mm) under the cursor
    };

    PlacementTables(Ui::MainWindow& ui, Darstellg& view, FeederPanel& feeders, QLineEdit& searchField,
        QWidget* dialogParent, Hooks hooks);

    // The placement shown in a row of the placement table (null out of range).
    PnPEntry* placementOfRow(int row) const;
    QMenu* viewContextMenu() const { return m_viewContextMenu; }
    QLineEdit* searchField() const { return &m_searchField; }
    Search_dlg* searchDialog() const { return m_searchDialog; }
    // True while a rebuild runs (it processes events).
    bool creatingLists() const { return m_creatingLists; }

    // Rebuilds the tables from the document; a call made while a rebuild runs is done after it.
    void createLists();
    // Disconnects the tables' signals, creates the lists, reconnects, repaints.
    void rebuildTables();
    // A placement import of the menus; after a good one the tables show the new placements.
    using Import = bool (*)(QWidget* parent, Document& document, QString& lastDirectory);
    void importPlacements(Import import, QString& lastDirectory);
    void connectSignals();
    void disconnectSignals();
    void buildPlacementTable();
    void buildPartTable();
    // A new document: the rows go before the placements they show are deleted.
    void clear();

    // The machine selector: the placements on the chosen machine are marked and shown bright.
    void applyMachineSelector(int index);
    void machineSelected(int index);

    // Selection.
    void selectPlacementRows();
    void selectFromPlacementTable();
    void selectFromPartTable();
    // The placements selected in the view, shown as selected rows in both tables.
    void showViewSelection();

    // Cell edits and sorting.
    void placementCellChanged(int row, int column);
    void partCellChanged(int row, int column);
    void sortPlacements(int column);
    void sortParts(int column);

    // Operations on the selected placements (the view menu's and the tables' entries).
    void setExecOfSelected(int kind);
    void markSelectedPlaced();
    void rotateSelected(int angle);
    void assignSelectedToMachine(int index);
    void deleteSelected();
    void newEntry();
    void unplaceAll();
    void switchSide();
    // The rows no longer show the entries (they were deleted behind the tables' back).
    void forgetRows() { m_tableEntries.clear(); }

    // Timer steps: a pending rebuild and the tables' requests; the machine assignments.
    void executeRequests();
    void executeMachineRequests();

    // Search.
    void refreshSearch();
    void showSearch();
    void searchRefDes();

private:
    void createViewContextMenu();
    void updateInfoCounters();
    void selectEntriesInTables(const QList<PnPEntry*>& entries);
    void executePartRequests();
    void executePlacementRequests();
    void deletePlacementRows(QList<int> rows);
    void sortWorkingList(int column, SortOrder order);
    void newEntryAt(double x, double y);
    void printLabel(const QString& key);
    void showLocatedSearchHit();

    Ui::MainWindow& m_ui;
    Darstellg& m_view;
    FeederPanel& m_feeders;
    QLineEdit& m_searchField;
    QWidget* m_parent;
    Hooks m_hooks;
    QMenu* m_viewContextMenu = nullptr;
    Search_dlg* m_searchDialog = nullptr;
    // The entries of the placement rows as last built: row i shows m_tableEntries[i].
    QList<PnPEntry*> m_tableEntries;
    bool m_creatingLists = false;
    bool m_listsPending = false; // a rebuild asked for while one runs
    bool m_rebuildPending = false; // a cell edit asks the next tick to rebuild the tables
    bool m_signalsConnected = false;
    SortOrder m_placementOrder = SortOrder::Ascending;
    SortOrder m_partOrder = SortOrder::Ascending;
    QPointF m_contextPoint; // board position (mm) where the view's context menu opened
};
