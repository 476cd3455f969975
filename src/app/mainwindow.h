#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>

class BoardPanel;
class Darstellg;
class DocumentSession;
class FabricationImport;
class FeederPanel;
class UndoActions;
class LayerSlots;
class PanelLayout;
class PlacementTables;
class QLineEdit;
class ToolActions;
class WindowColors;
class WindowModes;
class WindowStatus;

namespace Ui {
class MainWindow;
}

// The application window, a switchboard: it builds the form, owns the collaborators that do the
// work (the document session, the tables, the feeder panel, the layers, the board panel, the
// modes, the tools, the colours, the layout and the status bar) and keeps the slots the form and
// the tables connect to, each handing the call on in one line. The 20 ms driver runs their timer
// steps in a fixed order. The document itself lives in the board view.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // startupArgument: the first command-line argument, a project (opened on the first timer
    // tick) or a Gerber/Excellon file (imported into the first layer slot at once).
    explicit MainWindow(const QString& startupArgument = QString(), QWidget* parent = nullptr);
    ~MainWindow() override;

    void blockInteraction();
    void unblockInteraction();

    // One step of the 20 ms driver; the timer calls it, tests step it directly.
    void tick();

    // The form, the board view and the collaborators, for main() and tests.
    Darstellg* view() const { return m_view; }
    Ui::MainWindow* form() const { return m_ui.get(); }
    DocumentSession& documentSession() const { return *m_document; }
    PlacementTables& tables() const { return *m_tables; }
    FeederPanel& feeders() const { return *m_feeders; }
    WindowModes& modes() const { return *m_modes; }
    ToolActions& tools() const { return *m_tools; }
    PanelLayout& panelLayout() const { return *m_panelLayout; }

public slots:
    void switchBottomTop(); // show top
    void switchTopBottom(); // show bottom
    void switchGerberPnP(); // layer mode
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
    void on_actionVI3000_triggered();
    void on_actionEinstellungen_triggered();
    void on_actionConfig_triggered();
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
    // Creates the collaborators and wires what they ask of each other.
    void createCollaborators();

    std::unique_ptr<Ui::MainWindow> m_ui;
    Darstellg* m_view = nullptr;
    QLineEdit* m_searchField = nullptr;
    FabricationImport* m_fabImport = nullptr;
    std::unique_ptr<DocumentSession> m_document;
    std::unique_ptr<FeederPanel> m_feeders;
    std::unique_ptr<PlacementTables> m_tables;
    std::unique_ptr<LayerSlots> m_layers;
    std::unique_ptr<BoardPanel> m_board;
    std::unique_ptr<ToolActions> m_tools;
    std::unique_ptr<PanelLayout> m_panelLayout;
    std::unique_ptr<WindowColors> m_colors;
    std::unique_ptr<WindowModes> m_modes;
    std::unique_ptr<WindowStatus> m_status;
    std::unique_ptr<UndoActions> m_undo;
    int m_timerId = 0;
    bool m_inTick = false;
};
