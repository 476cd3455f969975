#pragma once

#include "app/windowlayout.h"
#include "settings/colorsettings.h"
#include "settings/sessionsettings.h"
#include "view/boardtools.h"
#include "view/viewstate.h"

#include <QColor>
#include <QMainWindow>
#include <QPointF>
#include <QString>
#include <memory>

class BoardPanel;
class Darstellg;
class FabricationImport;
struct FeederEntry;
class DocumentSession;
class FeederPanel;
class GerberLayer;
class HoverWatch;
class UndoActions;
class LayerSlots;
class Linie_dlg;
class PartDatabase;
class PlacementTables;
class PnPEntry;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class Search_dlg;

namespace Ui {
class MainWindow;
}

// The application window, a switchboard: menus, toolbar, side buttons, the three modes, the
// interactive tools, the board operations and the 20 ms driver. The work of the tables, the
// layers, the document session and the feeder panel lives in the collaborators it owns; its
// slots of those hand the call on in one line. The document itself lives in the board view.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // startupArgument: the first command-line argument, a project (opened on the first timer
    // tick) or a Gerber/Excellon file (imported into the first layer slot at once).
    explicit MainWindow(const QString& startupArgument = QString(), QWidget* parent = nullptr);
    ~MainWindow() override;

    // Rebuilds the tables from the document; the one entry point after every edit.
    // A call made while a rebuild runs returns at once.
    void createLists();

    void blockInteraction();
    void unblockInteraction();

    // One step of the 20 ms driver; the timer calls it, tests step it directly.
    void tick();

    // Lays out the central widgets for the current size and mode (also run by paintEvent).
    void applyLayout();

    // State read by tests and by the other parts of the window.
    Darstellg* view() const { return m_view; }
    Ui::MainWindow* form() const { return m_ui.get(); }
    QString titleName() const;
    QString currentProjectPath() const;
    QString chosenPath() const;
    QString lastDirectory() const;
    bool layerModeActive() const { return m_layerModeActive; }
    bool pendingOpen() const;
    // Recent projects and the window placement, as read at start and kept up to date.
    const SessionSettings& session() const;

    // Shows the window where it was last closed: maximised when it was then, and on a first start.
    void showAtSavedPlace();
    // Fills "Open Recent" from the list; projects whose files are gone leave it with a note.
    void fillRecentMenu();
    int leftPanelWidth() const { return m_panels.left; }
    int rightPanelWidth() const { return m_panels.right; }
    int feederHeight() const { return m_panels.feederHeight; }
    QLabel* statusLabel() const { return m_statusLabel; }
    QPushButton* topButton() const { return m_topButton; }
    QPushButton* bottomButton() const { return m_bottomButton; }
    QPushButton* gerberButton() const { return m_gerberButton; }
    QMenu* viewContextMenu() const;
    QLineEdit* searchField() const { return m_searchField; }
    Search_dlg* searchDialog() const;
    Linie_dlg* lineDialog() const;
    // The part database look-ups, read at start-up and after the database dialog closed.
    const PartDatabase& partDatabase() const;

public slots:
    void switchBottomTop(); // show top
    void switchTopBottom(); // show bottom
    void switchGerberPnP(); // layer mode
    // Selects an interactive tool.
    void selectTool(ToolMode mode);
    // D: from measure back to set new position, from any other tool to measure.
    void sigDistanceTool();

    // Placement and part tables (PlacementTables).
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

    // Feeder table (FeederPanel).
    void sigFeederCellDoubleClicked(int row, int column);
    void sigFeederCellClicked(int row, int column);
    void sigFeederCurrCellChanged(int row, int column, int previousRow, int previousColumn);
    void sigFeederCellChanged(int row, int column);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private slots:
    // Document life cycle (DocumentSession).
    void on_actionNeu_triggered();
    void on_action_oeffnen_triggered();
    void on_actionSpeicher_triggered();
    void on_actionSpeichern_unter_triggered();

    void on_viewFeederButton_clicked();

    // Placement imports and exports (mainwindow_importexport.cpp).
    void on_actionTessavrant_triggered();
    void on_actionDipTrace_triggered();
    void on_actionEagle_triggered();
    void on_actionEagle_Part_triggered();
    void on_actionTarget_triggered();
    void on_actionAltium_triggered();
    void on_actionAltium_2_triggered();
    void on_actionKiCad_triggered();
    void on_actionPart_Position_CSV_triggered();
    void on_actionPick_And_Place_Data_triggered();
    void on_actionPart_List_triggered();
    // Production line, part database, feeder list and optimizer (FeederPanel).
    void on_actionProduction_Line_Config_import_triggered();
    void on_actionProduction_Line_Config_export_triggered();
    void on_actionLinie_erstellen_triggered();
    void on_actionDatabase_triggered();
    void on_lineselect_currentIndexChanged(int index);
    void on_actionGenerate_Feederlist_triggered();
    void on_actionUpdate_DB_No_in_Feederlist_triggered();
    void on_actionQuantize_triggered();
    void on_actionTOPAZ_OPAL_single_CAM_triggered();
    void on_actionVI3000_triggered();
    void on_actionEinstellungen_triggered();
    void on_actionConfig_triggered();
    void on_actionAbout_triggered();
    // Search (PlacementTables).
    void on_actionSearch_triggered();
    void searchRefDes();

    // Board data fields (BoardPanel) and colour boxes.
    void on_boardName_editingFinished();
    void on_boardWidth_editingFinished();
    void on_boardHeight_editingFinished();
    void on_boardDepth_editingFinished();
    void on_boardOriginX_editingFinished();
    void on_boardOriginY_editingFinished();
    void on_boardComment_editingFinished();
    void on_BoardColorBox_currentIndexChanged(int index);
    void on_SilkColorBox_currentIndexChanged(int index);

    // The layer table (LayerSlots).
    void on_gerber_table_cellDoubleClicked(int row, int column);
    void on_gerber_table_cellChanged(int row, int column);
    // A row's load button: asks Gerber or Excellon, then the file.
    void sigLoadEbene(int row);
    // A row's visibility box.
    void sigHideEbene(int row, bool visible);

    // Origins table (BoardPanel).
    void sigOriginsCellChanged(int row, int column);

private:
    // Construction (mainwindow.cpp).
    void createCollaborators();
    void createToolbarWidgets();
    void createStatusBarWidgets();
    void createShortcuts();
    void fitFiducialFields();
    void fillSelectorBoxes();

    // The window's part of a document change (mainwindow_document.cpp).
    void resetDocument();
    void startNewDocument();
    void prepareForLoad();
    void showLoadedDocument(bool read);

    // Modes (mainwindow_modes.cpp).
    void showSide(bool top);
    void styleSideButtons(int active); // 0 top, 1 bottom, 2 layer mode
    void setPlacementWidgetsVisible(bool on);
    void setInteractionEnabled(bool on);
    // Enables or disables an action, or the entry of a menu, by object name.
    void setEntryEnabled(const QString& name, bool on);

    // Timer steps (mainwindow_timer.cpp).
    void tickCursorPosition();
    void tickRenderProgress();
    void tickEdgeScrolling();
    void tickStatusText();
    void tickPanelBoundary();

    // The fabrication package import: File menu entry and dropped packages (mainwindow_fab.cpp).
    void installFabricationImport();
    void installUndo(); // mainwindow_undo.cpp

    // Colour settings (mainwindow_colors.cpp).
    void writeColorSettings();
    void readColorSettings();
    // The twelve colours and the panel widths as they are now, and handing them to the view.
    ColorSettings currentColorSettings() const;
    void applyColorSettings(const ColorSettings& settings);
    // True when colours or panel widths differ from colors.cfg as last read or written.
    bool colorSettingsChanged() const;

    // Tool and view-toggle entries (mainwindow_actions.cpp).
    void connectViewActions();
    // The tools that act on placements refuse layer mode with a message.
    void chooseTool(ToolMode mode);
    void setInitialIcons();
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
    // The text dialog for the text drawing of the last press; back to set new position after.
    void askDrawingText();

    std::unique_ptr<Ui::MainWindow> m_ui;
    Darstellg* m_view = nullptr;
    FabricationImport* m_fabImport = nullptr;
    std::unique_ptr<DocumentSession> m_document;
    std::unique_ptr<FeederPanel> m_feeders;
    std::unique_ptr<PlacementTables> m_tables;
    std::unique_ptr<LayerSlots> m_layers;
    std::unique_ptr<BoardPanel> m_board;
    std::unique_ptr<BoardTools> m_tools; // created on first use, over the view's document
    std::unique_ptr<HoverWatch> m_hoverWatch;
    std::unique_ptr<UndoActions> m_undo;

    bool m_layerModeActive = false;
    bool m_inTick = false;
    ModeColours m_placementColors = ModeColours::of(ViewColours());
    ModeColours m_layerColors = ModeColours::of(ViewColours());
    QColor m_drawingsColor;
    ColorSettings m_colorSettings; // the feeder colours live here until the overview takes them
    ColorSettings m_storedColorSettings;

    PanelState m_panels;
    bool m_mouseDragging = false; // a tool drag is in progress (drives edge scrolling)
    QPointF m_cursor; // board position (mm) under the mouse cursor
    bool m_cursorOverView = false;

    int m_timerId = 0;
    QLabel* m_statusLabel = nullptr;
    QLineEdit* m_searchField = nullptr;
    QPushButton* m_topButton = nullptr;
    QPushButton* m_bottomButton = nullptr;
    QPushButton* m_gerberButton = nullptr;
};
