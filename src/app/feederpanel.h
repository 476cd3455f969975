#pragma once

#include "line/partdatabase.h"

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class Darstellg;
struct FeederEntry;
class Linie_dlg;
class Machine;
class QWidget;

namespace Ui {
class MainWindow;
}

// The production line and the feeder panel of the main window: the line dialog with the line
// and machine selectors, the selected machine's feeder list (generation, database numbers, cell
// edits, the table's menu), the hand-over of the lists between the machines and the project,
// the optimizer and the part database.
class FeederPanel : public QObject
{
    Q_OBJECT
public:
    // What the panel asks of the rest of the window.
    struct Hooks
    {
        std::function<void(int machine)> applyMachineSelector; // the placement rows follow the selector
        std::function<void()> placementOrderChanged; // the optimizer reordered the working list
        std::function<bool()> layerModeActive;
    };

    FeederPanel(
        Ui::MainWindow& ui, Darstellg& view, QWidget* dialogParent, QString& lastDirectory, Hooks hooks);

    Linie_dlg* lineDialog() const { return m_lineDialog; }
    const PartDatabase& partDatabase() const { return m_partDatabase; }
    // The machine chosen in the selectors; nullptr for "(none)" or no line.
    Machine* selectedMachine() const;
    // The feeder list of the selected machine (empty without one).
    QList<FeederEntry*> shownFeeders() const;
    // The machines of the selected line, as the machine selector lists them.
    QStringList machineNames() const;

    void rebuildFeederList();
    // Every machine's list into the document's feeder rows, and the rows out to the machines.
    void storeFeederLists();
    void handOutFeederLists();
    // Before a save or a load: the lists into the document, the rotation offsets to the view.
    void handLineDataToView();
    // The part bodies of the shown side from the selected machine's feeders and the database.
    void updateBodySizes();
    // A new document: the machines stay, their project feeder lists go.
    void resetLine();
    // After a project is read: the line and machine the shown side's placements are assigned to.
    void selectAssignedMachine();
    // Timer: refreshes the line and machine selectors when the line dialog changed.
    void tickLineChanged();
    // Timer: the feeder table's menu requests.
    void executeRequests();

    // Menu entries and selectors.
    void lineSelected(int index);
    void editLine();
    void exportLineConfig();
    void importLineConfig();
    void editDatabase();
    void generateFeederList();
    void updateDatabaseNumbers();
    void optimize();

    // The feeder table's cells.
    void cellDoubleClicked(int row, int column);
    void cellClicked(int row, int column);
    void cellChanged(int row, int column);

private:
    // Refills the machine selector with "(none)" and the machines of the current line.
    void fillMachineSelector();
    void readPartDatabase();
    // After a feeder edit: body sizes, the view and the overview follow.
    void feederListEdited();
    void rotateHighlightedFeeders();
    void chooseDatabaseEntry(int row);

    Ui::MainWindow& m_ui;
    Darstellg& m_view;
    QWidget* m_parent;
    QString& m_lastDirectory;
    Hooks m_hooks;
    Linie_dlg* m_lineDialog = nullptr;
    PartDatabase m_partDatabase;
    bool m_inFeederEdit = false;
    QString m_feederPreviousText; // the cell text when a feeder cell edit began
};
