#pragma once

#include "gerber/layerset.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class Darstellg;
class QWidget;

namespace Ui {
class MainWindow;
}

// The layers of the main window: the fixed slots of each side (their import and delete entries)
// and the Gerber-mode rows with their table (load, visibility, colour, name, move to a slot,
// remove, export, dropped files). Every load goes through one path, which reads into a layer of
// its own, installs it only after a good read and hands it to the view's renderer.
class LayerSlots : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        std::function<void()> blockInteraction;
        std::function<void()> unblockInteraction;
        std::function<void()> panelize; // the layer table's Panelize entry
        // A dropped folder or zip archive: opens it as a fabrication package when it is one.
        std::function<bool(const QString&)> openPackage;
    };
    enum class Load
    {
        Loaded,
        Failed,
        Cancelled
    };

    LayerSlots(
        Ui::MainWindow& ui, Darstellg& view, QWidget* dialogParent, QString& lastDirectory, Hooks hooks);

    // The layer table shows the Gerber-mode rows as they are now.
    void buildTable();
    // Starts the background render of every side layer that holds an image (after a project
    // was read), with one progress bar for all.
    void renderSideLayers();
    // The command-line layer: into the Signal slot, with a warning when it fails.
    bool loadFromCommandLine(const QString& path, bool drill);
    // Timer: the layer table's requests.
    void executeRequests();

    // The layer table and the view.
    void loadRowAsked(int row);
    void setRowVisible(int row, bool visible);
    void rowDoubleClicked(int row, int column);
    void rowNameChanged(int row, int column);
    void loadDroppedFiles(const QStringList& paths);

private:
    // Where a load goes: a fixed slot of the shown side, or a Gerber-mode row (row >= 0).
    struct Target
    {
        LayerSlot slot = LayerSlot::Signal;
        int row = -1;
    };
    // Loads a Gerber or drill file. Only a good read replaces the target's layer; otherwise
    // `error` says why (nothing for a cancelled dialog).
    Load load(const QString& path, const Target& target, bool drill, QString* error);
    void connectActions();
    // The fixed-slot entries of "Import..." > "Gerber": asks for the file, then loads it.
    void loadSlotAsked(LayerSlot slot, const QString& title, bool drill);
    // Asks for a Gerber or drill file and loads it into a Gerber-mode row.
    void askFileForRow(int row, bool drill);
    // actionGerber and actionDrill: the first free row from the selected one on.
    void importIntoFreeRow(bool drill);
    // A slot of the shown side emptied, in the slot's own colour or in white.
    void clearSlot(LayerSlot slot, bool white);
    // Moves a Gerber-mode row into a slot of a side (the layer table's Move to).
    void moveRowToSlot(int row, bool top, int slot);
    // Writes a row's stored lines to a file the user chooses.
    void exportLayer(const QStringList& lines, const QString& proposedName, bool isGerber);
    void warnLoadFailed(const QString& detail);

    Ui::MainWindow& m_ui;
    Darstellg& m_view;
    QWidget* m_parent;
    QString& m_lastDirectory;
    Hooks m_hooks;
};
