#pragma once

#include "gerber/layerset.h"
#include "line/partdatabase.h"
#include "settings/colorsettings.h"
#include "settings/sessionsettings.h"
#include "tables/placementsort.h"
#include "view/boardtools.h"
#include "view/viewstate.h"

#include <QColor>
#include <QMainWindow>
#include <QString>
#include <memory>

class HoverWatch;

struct ProjectColours;

class Darstellg;
class FabricationImport;
struct FeederEntry;
class GerberLayer;
class Linie_dlg;
class Machine;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMovie;
class QPushButton;
class QSignalMapper;
class Search_dlg;
class PnPEntry;

namespace Ui {
class MainWindow;
}

// The application window: menus, toolbar, side buttons, the three modes, the document life
// cycle and the 20 ms driver that runs everything child widgets ask for. The document itself
// lives in the board view (drst); this class collects input and calls into it.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // startupArgument: the first command-line argument, a project (opened on the first timer
    // tick) or a Gerber/Excellon file (imported into the first layer slot at once).
    explicit MainWindow(const QString& startupArgument = QString(), QWidget* parent = nullptr);
    ~MainWindow() override;

    // The configuration folder (TESSAVRANT_CONFIG_DIR, else "Tessavrant" in the documents folder).
    static QString configFolder();

    // Rebuilds the tables from the document; the one entry point after every edit.
    // A call made while a rebuild runs returns at once.
    void createLists();

    void updateWindowTitle();
    void blockInteraction();
    void unblockInteraction();

    // One step of the 20 ms driver; the timer calls it, tests step it directly.
    void tick();

    // Lays out the central widgets for the current size and mode (also run by paintEvent).
    void applyLayout();

    // State read by tests and by the other parts of the window.
    Darstellg* view() const { return m_view; }
    Ui::MainWindow* form() const { return m_ui.get(); }
    QString titleName() const { return m_titleName; }
    QString currentProjectPath() const { return m_currentProjectPath; }
    QString chosenPath() const { return m_chosenPath; }
    QString lastDirectory() const { return m_lastDirectory; }
    bool layerModeActive() const { return m_layerModeActive; }
    bool pendingOpen() const { return m_pendingOpen; }
    // Recent projects and the window placement, as read at start and kept up to date.
    const SessionSettings& session() const { return m_session; }

    // Shows the window where it was last closed: maximised when it was then, and on a first start.
    void showAtSavedPlace();
    // Fills "Open Recent" from the list; projects whose files are gone leave it with a note.
    void fillRecentMenu();
    int leftPanelWidth() const { return m_leftPanelWidth; }
    int rightPanelWidth() const { return m_rightPanelWidth; }
    int feederHeight() const { return m_feederHeight; }
    QLabel* statusLabel() const { return m_statusLabel; }
    QLineEdit* searchField() const { return m_searchField; }
    QPushButton* topButton() const { return m_topButton; }
    QPushButton* bottomButton() const { return m_bottomButton; }
    QPushButton* gerberButton() const { return m_gerberButton; }
    QMenu* viewContextMenu() const { return m_viewContextMenu; }
    Search_dlg* searchDialog() const { return m_searchDialog; }
    // The placement shown in a row of the placement table (null out of range).
    PnPEntry* placementOfRow(int row) const;
    Linie_dlg* lineDialog() const { return m_lineDialog; }
    // The part database look-ups, read at start-up and after the database dialog closed.
    const PartDatabase& partDatabase() const { return m_partDatabase; }

public slots:
    void switchBottomTop(); // show top
    void switchTopBottom(); // show bottom
    void switchGerberPnP(); // layer mode
    // Selects an interactive tool.
    void selectTool(ToolMode mode);
    // D: from measure back to set new position, from any other tool to measure.
    void sigDistanceTool();

    // Placement and part tables (mainwindow_tables.cpp, mainwindow_requests.cpp).
    void setActivePnP();
    void setActiveParts();
    void sigPNPcellClicked(int row, int column);
    void sigPNPcurrCellChanged(int row, int column, int previousRow, int previousColumn);
    void sigPNPcellChanged(int row, int column);
    void sigTeileCellClicked(int row, int column);
    void sigTeileCurrCellChanged(int row, int column, int previousRow, int previousColumn);
    void sigTeileCellDoubleClicked(int row, int column);
    void sigTeileCellChanged(int row, int column);
    void sortParts(int column);
    void sortPartList(int column);
    void sigNewEntry();
    void sigPlaced();
    void sigDelEntry();
    void rotate45();
    void rotate90();
    void rotate180();
    void rotate270();
    void sigChangeExec0();
    void sigChangeExec1();
    void sigChangeExec2();
    void sigChangeExec3();
    void debugOutput(int index);
    void switchPnPside();
    void on_actionUnplace_all_triggered();
    void on_comboBox_currentIndexChanged(int index);

    // Feeder table (mainwindow_feeders.cpp).
    void sigFeederCellDoubleClicked(int row, int column);
    void sigFeederCellClicked(int row, int column);
    void sigFeederCurrCellChanged(int row, int column, int previousRow, int previousColumn);
    void sigFeederCellChanged(int row, int column);

protected:
    void closeEvent(QCloseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private slots:
    // Document life cycle.
    void on_actionNeu_triggered();
    void on_action_oeffnen_triggered();
    void on_actionSpeicher_triggered();
    void on_actionSpeichern_unter_triggered();

    void on_viewFeederButton_clicked();

    // Imports and exports (the readers and writers plug in here).
    void on_actionTessavrant_triggered();
    void on_actionDipTrace_triggered();
    void on_actionEagle_triggered();
    void on_actionEagle_Part_triggered();
    void on_actionTarget_triggered();
    void on_actionAltium_triggered();
    void on_actionAltium_2_triggered();
    void on_actionKiCad_triggered();
    void on_actionPart_Position_CSV_triggered();
    void on_actionTop_triggered();
    void on_actionTop_Paste_triggered();
    void on_actionPaste_triggered();
    void on_actionAssy_triggered();
    void on_actionTop_Silk_triggered();
    void on_actionBoard_Outline_triggered();
    void on_actionDrill_Excellon_triggered();
    void on_actionGerber_triggered();
    void on_actionDrill_triggered();
    void on_actionPick_And_Place_Data_triggered();
    void on_actionPart_List_triggered();
    void on_actionProduction_Line_Config_import_triggered();
    void on_actionProduction_Line_Config_export_triggered();
    void on_actionVI3000_triggered();
    void on_actionLinie_erstellen_triggered();
    void on_actionDatabase_triggered();
    void on_lineselect_currentIndexChanged(int index);
    void on_actionEinstellungen_triggered();
    void on_actionConfig_triggered();
    void on_actionAbout_triggered();
    void on_actionSearch_triggered();
    void on_actionGenerate_Feederlist_triggered();
    void on_actionUpdate_DB_No_in_Feederlist_triggered();
    void on_actionQuantize_triggered();
    void on_actionTOPAZ_OPAL_single_CAM_triggered();
    void searchRefDes();

    // Tools.
    void on_actionSetNewPosition_triggered();
    void on_actionSetNewOrigin_triggered();
    void on_actionDraw_triggered();
    void on_actionMovement_triggered();
    void on_actionMultiSelect_triggered();
    void on_actionDraw_Rectangle_triggered();
    void on_actionDraw_Rectangle_Filled_triggered();
    void on_actionMeasure_triggered();
    void on_actionInsert_Text_triggered();
    void on_actionrotate_selection_triggered();
    void on_actionDrawingsColor_triggered();

    // View toggles.
    void on_actionTop_view_triggered();
    void on_actionMask_view_triggered();
    void on_actionPaste_view_triggered();
    void on_actionAssy_view_triggered();
    void on_actionSilk_view_triggered();
    void on_actionBoard_Outline_view_triggered();
    void on_actionDrill_view_triggered();
    void on_actionPick_and_Place_view_triggered();
    void on_actionShowHandExec_triggered();
    void on_actionShowMachineExec_triggered();
    void on_actionShowTHTExec_triggered();
    void on_actionShow_Placed_triggered();
    void on_actionShow_RefDes_triggered();
    void on_actionShow_Drawings_triggered();
    void on_actionGrid_triggered();
    // Shows the whole board.
    void on_actionFit_triggered();
    void on_actionFast_Rendering_triggered();

    // Board data fields and colour boxes.
    void on_boardName_editingFinished();
    void on_boardWidth_editingFinished();
    void on_boardHeight_editingFinished();
    void on_boardDepth_editingFinished();
    void on_boardOriginX_editingFinished();
    void on_boardOriginY_editingFinished();
    void on_boardComment_editingFinished();
    void on_BoardColorBox_currentIndexChanged(int index);
    void on_SilkColorBox_currentIndexChanged(int index);

    // Layer slots and the layer table (mainwindow_layers.cpp).
    void on_actionDelSignal_triggered();
    void on_actionDelMask_triggered();
    void on_actionDelPaste_triggered();
    void on_actionDelAssy_triggered();
    void on_actionDelSilk_triggered();
    void on_actionDelOutline_triggered();
    void on_actionDelDrill_triggered();
    void on_actionDelete_Signal_triggered();
    void on_actionDelete_Mask_triggered();
    void on_actionDelete_Paste_triggered();
    void on_actionDelete_Assy_triggered();
    void on_actionDelete_Silk_triggered();
    void on_actionDelete_Board_Outline_triggered();
    void on_actionDelete_Drill_triggered();
    void on_gerber_table_cellDoubleClicked(int row, int column);
    void on_gerber_table_cellChanged(int row, int column);
    // A row's load button: asks Gerber or Excellon, then the file.
    void sigLoadEbene(int row);
    // A row's visibility box.
    void sigHideEbene(int row, bool visible);
    // Files dropped on the board view.
    void loadDroppedFiles(const QStringList& paths);

    // Origins table (mainwindow_transforms.cpp).
    void sigOriginsCellChanged(int row, int column);

private:
    // Construction (mainwindow.cpp).
    void createToolbarWidgets();
    void createStatusBarWidgets();
    void createShortcuts();
    void fitFiducialFields();
    void createViewContextMenu();
    void fillSelectorBoxes();
    void setInitialIcons();
    void createConfigFolder();
    // Recent projects and window placement (mainwindow_session.cpp).
    void rememberProject(const QString& path);
    void writeSession();
    void openRecentProject(const QString& path);
    void applyStartupArgument(const QString& argument);
    QAction* actionNamed(const QString& name) const;
    QMenu* menuNamed(const QString& name) const;
    // Enables or disables an action, or the entry of a menu, by object name.
    void setEntryEnabled(const QString& name, bool on);

    // Modes (mainwindow_modes.cpp).
    void showSide(bool top);
    void styleSideButtons(int active); // 0 top, 1 bottom, 2 layer mode
    void setPlacementWidgetsVisible(bool on);
    void setInteractionEnabled(bool on);
    QList<QAction*> toolbarAndToolActions() const;

    // Document life cycle (mainwindow_lifecycle.cpp).
    enum class SaveAnswer
    {
        Proceed,
        Stop
    };
    // The unsaved-changes question of New and Open; Proceed when the caller may go on.
    SaveAnswer askToSaveChanges();
    bool saveDocument(); // Save; returns saveSucceeded
    bool saveDocumentAs(); // Save as without the slot's own title update
    void loadProject(const QString& path);
    // The view's board and silk colour entries, as a project keeps them.
    ProjectColours projectColours() const;
    void restoreProjectColours(const ProjectColours& colours);
    void resetDocument();
    // The command-line layer: into the Signal slot, with a warning when it fails.
    bool importLayerFile(const QString& path, bool drill);
    enum class LayerLoad
    {
        Loaded,
        Failed,
        Cancelled
    };
    // Loads a Gerber or drill file into a layer slot of the shown side. Only a good read
    // replaces the slot's layer; otherwise `error` says why (nothing for a cancelled dialog).
    LayerLoad loadIntoSlot(const QString& path, LayerSlot slot, bool drill, QString* error);
    // The fixed-slot entries of "Import..." > "Gerber": asks for the file, then loads it.
    void loadLayerSlot(LayerSlot slot, const QString& title, bool drill);

    // Timer steps (mainwindow_timer.cpp).
    void tickCursorPosition();
    void tickPendingOpen();
    void tickRenderProgress();
    void tickEdgeScrolling();
    void tickStatusText();
    void tickPanelBoundary();
    void tickSaveAction();
    void tickSearchRefresh();
    void tickAfterLoad();

    // Layer table and layer slots (mainwindow_layers.cpp).
    void connectLayerWidgets();
    void installFabricationImport();
    void executeLayerRequests();
    // Starts the background render of every side layer that holds an image (after a project
    // was read), with one progress bar for all.
    void renderSideLayers();
    // Loads a Gerber or drill file into a Gerber-mode row; only a good read replaces the row.
    LayerLoad loadIntoRow(const QString& path, int row, bool drill, QString* error);
    // actionGerber and actionDrill: the first free row from the selected one on.
    // Asks for a Gerber or drill file and loads it into a Gerber-mode row.
    void askAndLoadIntoRow(int row, bool drill);
    void importIntoFreeRow(bool drill);
    // A slot of the shown side emptied, in the slot's own colour or in white.
    void clearSlot(LayerSlot slot, bool white);
    // Moves a Gerber-mode row into a slot of a side (the layer table's Move to).
    void moveRowToSlot(int row, bool top, int slot);
    // Writes a row's stored lines to a file the user chooses.
    void exportLayer(const QStringList& lines, const QString& proposedName, bool isGerber);
    void warnLoadFailed(const QString& detail);

    // Calls into parts that fill the window's other widgets.
    void executeTableRequests();
    void executeLayerAndFeederRequests();
    void connectTableSignals();
    void disconnectTableSignals();
    void buildPlacementTable();
    void buildPartTable();
    void updateBodySizes();
    void updateInfoCounters();
    void fillBoardInfoFields();
    void fillFiducialFields();
    void buildOriginsTable();
    void buildLayerTable();
    void rebuildFeederList();
    // The machine chosen in the selectors; nullptr for "(none)" or no line.
    Machine* selectedMachine() const;
    void applyMachineSelector(int index);
    void handLineDataToView();
    // Feeder lists (mainwindow_feeders.cpp): the list of the selected machine; every machine's
    // list into the document's feeder rows, and the rows out to the machines.
    QList<FeederEntry*> shownFeeders() const;
    void storeFeederLists();
    void handOutFeederLists();
    void executeFeederRequests();
    void rotateHighlightedFeeders();
    void chooseFeederDatabaseEntry(int row);
    // After a feeder edit: body sizes, the view and the overview follow.
    void feederListEdited();
    void writeColorSettings();
    void readColorSettings();
    // The twelve colours and the panel widths as they are now, and handing them to the view.
    ColorSettings currentColorSettings() const;
    void applyColorSettings(const ColorSettings& settings);
    // True when colours or panel widths differ from colors.cfg as last read or written.
    bool colorSettingsChanged() const;
    void boardFieldEdited(int field);

    // Tables (mainwindow_tables.cpp, mainwindow_requests.cpp).
    void rebuildTables(); // disconnect, create lists, reconnect
    void selectFromPlacementTable();
    void selectFromPartTable();
    void selectEntriesInTables(const QList<PnPEntry*>& entries);
    void setExecOfSelected(int kind);
    void markSelectedPlaced();
    void rotateSelected(int angle);
    void deletePlacementRows(QList<int> rows);
    void shiftSelected(bool alongX);
    void convertToFiducial(int target);

    // Board and panel operations (mainwindow_transforms.cpp).
    void connectPanelWidgets();
    void boardTransform(bool rotate); // rotate (asks first) or mirror
    void rotateBoardAsked();
    void mirrorBoardAsked();
    void shiftAsked(bool alongX, bool selectedOnly);
    void rotationAsked();
    void turnSelection(double degrees);
    void generateOriginsAsked();
    void panelizeAsked();
    // Re-renders the changed layers, refills fields and tables, marks modified.
    void transformDone(const QList<GerberLayer*>& changed);
    void fiducialsEdited();
    void newEntryAt(double x, double y);
    void executePartRequests();
    void executePlacementRequests();
    void executeMachineRequests();
    void showLocatedSearchHit();
    void printLabel(const QString& key);
    QStringList machineNames() const;
    void sortWorkingList(int column, SortOrder order);
    // Production line and part database (mainwindow_line.cpp).
    void createLineDialog();
    void resetLineDialog();
    // Refills the machine selector with "(none)" and the machines of the current line.
    void fillMachineSelector();
    // After a project is read: the line and machine the shown side's placements are assigned to.
    void selectAssignedMachine();
    // Timer: refreshes the line and machine selectors when the line dialog changed.
    void tickLineChanged();

    // View toggles and tools (mainwindow_actions.cpp).
    void toggleLayer(LayerSlot slot);
    // Flips a view switch, shows it in its icon and repaints (rebuilding the lists for the
    // execute filters).
    void flipViewFlag(bool& flag, bool partListChanges);
    void refreshFilterIcons();
    void refreshLayerIcons();

    // Interactive tools of the board view (mainwindow_tools.cpp).
    BoardTools& boardTools();
    // False when the press is not the tools' (outside the view, interaction blocked).
    bool toolPress(QMouseEvent* event);
    void toolMove(QMouseEvent* event);
    void toolRelease(QMouseEvent* event);
    // The timer scrolled the view under a drag: the tool follows the cursor's new board point.
    void followCursorWithTool();
    // event: the mouse event behind the response (the context menu opens at its position).
    void applyToolResponse(const ToolResponse& response, QMouseEvent* event);
    void showViewSelectionInTables();
    // Makes the board point the coordinate origin of the shown side.
    void setOriginAt(const QPointF& point);
    // The text dialog for the text drawing of the last press; back to set new position after.
    void askDrawingText();

    std::unique_ptr<Ui::MainWindow> m_ui;
    Darstellg* m_view = nullptr;
    FabricationImport* m_fabImport = nullptr;

    QString m_currentProjectPath;
    QString m_chosenPath;
    QString m_lastDirectory;
    QString m_titleName;
    bool m_layerModeActive = false;
    bool m_saveSucceeded = false;
    bool m_pendingOpen = false;
    SessionSettings m_session;
    bool m_justLoaded = false;
    bool m_creatingLists = false;
    bool m_inTick = false;
    bool m_tableSignalsConnected = false;
    bool m_inFeederEdit = false;
    QString m_feederPreviousText; // the cell text when a feeder cell edit began
    ModeColours m_placementColors = ModeColours::of(ViewColours());
    ModeColours m_layerColors = ModeColours::of(ViewColours());
    QColor m_drawingsColor;
    ColorSettings m_colorSettings; // the feeder colours live here until the overview takes them
    ColorSettings m_storedColorSettings;

    int m_leftPanelWidth = 240;
    int m_rightPanelWidth = 200;
    int m_feederHeight = 16;
    bool m_nearPanelBoundary = false;
    bool m_panelDragging = false;
    int m_panelDragX = 0;
    bool m_mouseDragging = false; // a tool drag is in progress (drives edge scrolling)

    double m_cursorX = 0.0;
    double m_cursorY = 0.0;
    QString m_cursorXText;
    QString m_cursorYText;
    bool m_cursorOverView = false;
    std::unique_ptr<HoverWatch> m_hoverWatch;

    int m_timerId = 0;
    QLabel* m_statusLabel = nullptr;
    QLineEdit* m_searchField = nullptr;
    QPushButton* m_findNowButton = nullptr;
    QPushButton* m_topButton = nullptr;
    QPushButton* m_bottomButton = nullptr;
    QPushButton* m_gerberButton = nullptr;
    QMenu* m_viewContextMenu = nullptr;
    QSignalMapper* m_machineMapper = nullptr;
    Search_dlg* m_searchDialog = nullptr;
    // The entries of the placement rows as last built: row i shows m_tableEntries[i].
    QList<PnPEntry*> m_tableEntries;
    bool m_listsPending = false; // a rebuild asked for while one runs
    bool m_rebuildPending = false; // a cell edit asks the next tick to rebuild the tables
    SortOrder m_placementOrder = SortOrder::Ascending;
    SortOrder m_partOrder = SortOrder::Ascending;
    int m_partSortColumn = 0;
    double m_contextX = 0.0; // board position (mm) where the view's context menu opened
    double m_contextY = 0.0;
    QMovie* m_movie = nullptr;
    Linie_dlg* m_lineDialog = nullptr;
    PartDatabase m_partDatabase;
    std::unique_ptr<BoardTools> m_tools; // created on first use, over the view's document
};
