#pragma once

#include "model/document.h"

#include <QColor>
#include <QList>
#include <QWidget>

class GerberLayer;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;

// The board view. It owns the document (both sides, see Document), the seven layer slots of
// each side, the 255 layers of the Gerber mode, and the view state: zoom, offsets, grid,
// filters, colours, tool mode, render progress. The main window reaches the document
// through it: use document() for edits, the forwarding getters for reading.
class Darstellg : public QWidget
{
    Q_OBJECT
public:
    // Fixed layer positions of a side. PickAndPlace (-1) stands for the placements in the
    // visibility switches.
    enum LayerSlot
    {
        PickAndPlace = -1,
        Signal = 0,
        Mask = 1,
        Paste = 2,
        Assy = 3,
        Silk = 4,
        BoardOutline = 5,
        Drill = 6,
        SlotCount = 7
    };
    static constexpr int GerberLayerCount = 255;
    static constexpr int MaxZoomLevel = 1000;

    explicit Darstellg(QWidget* parent = nullptr);
    ~Darstellg() override;

    // Version strings shown by the program and written into project files.
    static QString versionString() { return QStringLiteral("Tessavrant 0.0.80"); }
    static QString buildString() { return QStringLiteral("Build 210503"); }

    // ---- document
    Document& document() { return *m_document; }
    const Document& document() const { return *m_document; }
    // New document: deletes every placement, record, drawing and layer (fresh layers take
    // the current copper, silk and background colours), and puts the filters, show flags,
    // selection centring and render counters back to their initial values. Zoom, offsets,
    // grid, colours, tool mode and Gerber mode are view settings and stay.
    void resetDocument();

    QList<PnPEntry*> currentList() const { return m_document->currentList(); }
    QList<PnPEntry*> topList() const { return m_document->topList(); }
    QList<PnPEntry*> bottomList() const { return m_document->bottomList(); }
    void setCurrentList(const QList<PnPEntry*>& list) { m_document->setCurrentList(list); }
    void setTopList(const QList<PnPEntry*>& list) { m_document->setTopList(list); }
    void setBottomList(const QList<PnPEntry*>& list) { m_document->setBottomList(list); }
    BoardInfo* boardInfo() const { return m_document->boardInfo(); }
    Fiducials* fiducials() const { return m_document->fiducials(); }
    Origins origins() const { return m_document->origins(); }
    bool activeSideIsTop() const { return m_document->activeSideIsTop(); }
    // Switches the shown side (document and layer lists); a no-op for the side already shown.
    void setSide(bool top);
    bool gerberMode() const { return m_document->gerberMode(); }
    void setGerberMode(bool on) { m_document->setGerberMode(on); }
    bool isModified() const { return m_document->isModified(); }
    void setModified(bool on) { m_document->setModified(on); }

    // ---- layers (owned by the view)
    const QList<GerberLayer*>& topLayers() const { return m_topLayers; }
    const QList<GerberLayer*>& bottomLayers() const { return m_bottomLayers; }
    const QList<GerberLayer*>& gerberLayers() const { return m_gerberLayers; }
    // The list drawn now: the Gerber-mode list in Gerber mode, else the shown side's slots.
    const QList<GerberLayer*>& shownLayers() const;
    // Replaces the layer at a position of a list; the new layer is owned by the view, the
    // old one is deleted (once no render thread uses it any more). Returns false, taking
    // nothing, for a null layer or a position outside the list.
    bool replaceSideLayer(bool top, int slot, GerberLayer* layer);
    bool replaceGerberLayer(int index, GerberLayer* layer);

    // ---- view state
    int zoomLevel() const { return m_zoomLevel; }
    // Clamped to 1..MaxZoomLevel; moves the zoom combo along.
    void setZoomLevel(int z);
    int viewOffsetX() const { return m_viewOffsetX; }
    void setViewOffsetX(int v) { m_viewOffsetX = v; }
    int viewOffsetY() const { return m_viewOffsetY; }
    void setViewOffsetY(int v) { m_viewOffsetY = v; }
    double gridSpacing() const { return m_gridSpacing; }
    void setGridSpacing(double g);
    bool gridShown() const { return m_gridShown; }
    void setGridShown(bool on) { m_gridShown = on; }
    // Same as activeSideIsTop(): the top side is shown.
    bool topView() const { return activeSideIsTop(); }
    bool showHandExec() const { return m_showHandExec; }
    void setShowHandExec(bool on) { m_showHandExec = on; }
    bool showMachineExec() const { return m_showMachineExec; }
    void setShowMachineExec(bool on) { m_showMachineExec = on; }
    bool showThtExec() const { return m_showThtExec; }
    void setShowThtExec(bool on) { m_showThtExec = on; }
    bool showPlaced() const { return m_showPlaced; }
    void setShowPlaced(bool on) { m_showPlaced = on; }
    // The four filters above as the part list takes them.
    PartListFilter partListFilter() const;
    bool showRefDes() const { return m_showRefDes; }
    void setShowRefDes(bool on) { m_showRefDes = on; }
    bool showPickAndPlace() const { return m_showPickAndPlace; }
    void setShowPickAndPlace(bool on) { m_showPickAndPlace = on; }
    bool showDrawings() const { return m_showDrawings; }
    void setShowDrawings(bool on) { m_showDrawings = on; }
    bool fastRendering() const { return m_fastRendering; }
    void setFastRendering(bool on) { m_fastRendering = on; }
    // Set while a file is read or a board transform runs.
    bool loading() const { return m_loading; }
    void setLoading(bool on) { m_loading = on; }
    bool centreOnSelection() const { return m_centreOnSelection; }
    void setCentreOnSelection(bool on) { m_centreOnSelection = on; }
    int selectionCentringCounter() const { return m_selectionCentringCounter; }
    void setSelectionCentringCounter(int v) { m_selectionCentringCounter = v; }
    int lastCentredIndex() const { return m_lastCentredIndex; }
    void setLastCentredIndex(int v) { m_lastCentredIndex = v; }
    // Interactive tool, 0..9 (0 set new position ... 9 rotate selection).
    int toolMode() const { return m_toolMode; }
    void setToolMode(int mode) { m_toolMode = mode; }
    bool interactionBlocked() const { return m_interactionBlocked; }
    void setInteractionBlocked(bool on) { m_interactionBlocked = on; }
    // Changes the main window has not yet pushed through (cleared after a save).
    bool pendingChanges() const { return m_pendingChanges; }
    void setPendingChanges(bool on) { m_pendingChanges = on; }
    // Ctrl held on the keyboard (the main window sets it; focus loss clears it).
    bool ctrlHeld() const { return m_ctrlHeld; }
    void setCtrlHeld(bool on) { m_ctrlHeld = on; }

    // ---- board and silk colour boxes
    int boardColorIndex() const { return m_boardColorIndex; }
    int silkColorIndex() const { return m_silkColorIndex; }
    // Entry of BoardColorBox (0 Green, 1 White, 2 Black, 3 Red, 4 Blue): board body and
    // copper colour; marks modified and repaints. An index outside the table only stores it.
    void setBoardColorIndex(int index);
    // Entry of SilkColorBox (0 White, 1 Black, 2 Yellow, 3 Red); marks modified and repaints.
    void setSilkColorIndex(int index);
    // The colour indexes as read from a project file, without marking modified.
    void restoreColorIndexes(int boardIndex, int silkIndex);

    // ---- colours
    QColor backgroundColor() const { return m_backgroundColor; }
    // Background of the view. The Drill slots take it only when they are created.
    void setBackgroundColor(const QColor& c) { m_backgroundColor = c; }
    QColor crossColor() const { return m_crossColor; }
    void setCrossColor(const QColor& c) { m_crossColor = c; }
    QColor gridColor() const { return m_gridColor; }
    void setGridColor(const QColor& c) { m_gridColor = c; }
    QColor originColor() const { return m_originColor; }
    void setOriginColor(const QColor& c) { m_originColor = c; }
    QColor measureColor() const { return m_measureColor; }
    void setMeasureColor(const QColor& c) { m_measureColor = c; }
    QColor boardBodyColor() const { return m_boardBodyColor; }
    void setBoardBodyColor(const QColor& c) { m_boardBodyColor = c; }
    QColor copperColor() const { return m_copperColor; }
    // Colour of slot 0 (Signal) on both sides.
    void setCopperColor(const QColor& c);
    QColor silkColor() const { return m_silkColor; }
    // Colour of the Silk slot on both sides.
    void setSilkColor(const QColor& c);

    // ---- render progress: counters the render threads advance and the timer reads
    bool rendering() const { return m_rendering; }
    void setRendering(bool on) { m_rendering = on; }
    int renderReached() const { return m_renderReached; }
    void setRenderReached(int v) { m_renderReached = v; }
    int renderTotal() const { return m_renderTotal; }
    void setRenderTotal(int v) { m_renderTotal = v; }

    // ---- steps of a long operation, shown in the step label
    int stepTotal() const { return m_stepTotal; }
    int currentStep() const { return m_currentStep; }
    // Sets total and current step and shows the label.
    void showSteps(int total, int current = 0);
    void advanceStep();
    void hideSteps();

    // ---- owned widgets
    QComboBox* zoomBox() const { return m_zoomBox; }
    QDoubleSpinBox* gridSpinBox() const { return m_gridSpin; }
    QPushButton* button() const { return m_button; }
    QProgressBar* progressBar() const { return m_progressBar; }
    QLabel* stepLabel() const { return m_stepLabel; }

public slots:
    // zoomLevel = zoom combo index + 1; repaint.
    void setNewZoom();
    // gridSpacing from the grid spin box; repaint.
    void setNewGridAbst();
    // Asks for a new background colour (preset with the current one); repaint.
    void setNewBgColor();
    // One more finished render (queued from a render thread).
    void incrementProgress();
    // Visibility of a slot (0..6), shared by both sides, or of the placements (-1).
    bool layerVisible(int slot) const;
    void setLayerVisible(int slot, bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void createLayers();
    void deleteLayers();
    // Deletes a layer now, or once its render thread has finished with it.
    void retireLayer(GerberLayer* layer);
    void applyBoardColors();
    void applySilkColor();
    void updateStepLabel();

    Document* m_document;
    QList<GerberLayer*> m_topLayers;
    QList<GerberLayer*> m_bottomLayers;
    QList<GerberLayer*> m_gerberLayers;
    QList<GerberLayer*> m_retiredLayers; // still busy in a render thread when replaced

    int m_zoomLevel = 10;
    int m_viewOffsetX = 15;
    int m_viewOffsetY = -21;
    double m_gridSpacing = 1.0;
    bool m_gridShown = true;
    bool m_showHandExec = true;
    bool m_showMachineExec = true;
    bool m_showThtExec = true;
    bool m_showPlaced = false;
    bool m_showRefDes = true;
    bool m_showPickAndPlace = true;
    bool m_showDrawings = true;
    bool m_fastRendering = true;
    bool m_loading = false;
    bool m_centreOnSelection = false;
    int m_selectionCentringCounter = 0;
    int m_lastCentredIndex = -1;
    int m_toolMode = 0;
    bool m_interactionBlocked = false;
    bool m_pendingChanges = false;
    bool m_ctrlHeld = false;
    int m_boardColorIndex = 0;
    int m_silkColorIndex = 0;

    QColor m_backgroundColor;
    QColor m_crossColor;
    QColor m_gridColor;
    QColor m_originColor;
    QColor m_measureColor;
    QColor m_boardBodyColor;
    QColor m_copperColor;
    QColor m_silkColor;

    bool m_rendering = false;
    int m_renderReached = 0;
    int m_renderTotal = 0;
    int m_stepTotal = 0;
    int m_currentStep = 0;

    QComboBox* m_zoomBox;
    QDoubleSpinBox* m_gridSpin;
    QPushButton* m_button;
    QProgressBar* m_progressBar;
    QLabel* m_stepLabel;
};
