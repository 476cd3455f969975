#pragma once

#include "gerber/layerset.h"
#include "model/document.h"
#include "view/boardpainter.h"
#include "view/boardscene.h"
#include "view/layercomposer.h"
#include "view/viewstate.h"
#include "view/viewzoom.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <memory>

class GerberLayer;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class RenderThread;

// The board view. It owns the document (both sides, see Document), its layers (LayerSet: the
// seven slots of each side and the Gerber-mode rows) and the view state (ViewState: zoom,
// offsets, grid, filters, colours, tool mode, render progress). The main window reaches the
// document through document().
class Darstellg : public QWidget
{
    Q_OBJECT
public:
    explicit Darstellg(QWidget* parent = nullptr);
    ~Darstellg() override;

    // ---- document
    Document& document() { return *m_document; }
    const Document& document() const { return *m_document; }
    // New document: deletes every placement, record, drawing and layer (fresh layers take
    // the current copper, silk and background colours), and puts the filters, show flags,
    // selection centring and render counters back to their initial values. Zoom, offsets,
    // grid, colours, tool mode and Gerber mode are view settings and stay.
    void resetDocument();

    // Switches the shown side (document and layer lists); a no-op for the side already shown.
    void setSide(bool top);

    // ---- layers (owned by the view; replaced only through the layer set)
    LayerSet& layers() { return *m_layers; }
    const LayerSet& layers() const { return *m_layers; }
    // The list drawn now: the Gerber-mode list in Gerber mode, else the shown side's slots.
    LayerList shownLayerList() const;
    // Puts a freshly read layer into a slot of the shown side; Signal and Silk take the board's
    // colours. The old layer is retired (freed once no render thread reads it).
    void installSideLayer(LayerSlot slot, std::unique_ptr<GerberLayer> layer);
    // Rasterises a layer in the background: marks it busy at once, counts one progress step at
    // the start and one when the thread finishes. False (nothing started) for a null layer or
    // one whose render still runs.
    bool startRendering(GerberLayer* layer);
    // Progress for a layer that is about to render: a fresh bar of two steps, or two more steps
    // on the bar while other layers still render.
    void expectRenders(int count = 1);
    // A layer's image changed in place (a transform): its raster no longer fits and is dropped,
    // the layer is drawn from its objects and rendered again. False while its render still runs.
    bool layerImageChanged(GerberLayer* layer);
    // Waits for every render thread of this view (closing, tests).
    void waitForRenders();

    // ---- drawing
    // The scene the view paints now (document, layers, view state, overlays).
    BoardScene scene() const;
    // Draws the view's picture into an image of the widget's size, as paintEvent does.
    QImage renderImage();
    BoardOverlays& overlays() { return m_overlays; }
    // Extra marker angle per part Name followed by Value.
    void setRotationOffsets(const QHash<QString, double>& offsets) { m_rotationOffsets = offsets; }
    // Fits the whole board (the shown layers, the board size and the shown side's placements)
    // into the view at the largest zoom step.
    void fitToBoard();
    // Fits the board when nothing of it is in view, as after importing a board with negative
    // coordinates. True when it fitted.
    bool fitIfBoardOutOfView();

    // ---- view state
    const ViewState& viewState() const { return m_state; }
    // For settings without side effects on widgets (offsets, filters, colours, progress).
    ViewState& viewState() { return m_state; }
    int zoomLevel() const { return m_state.zoomLevel; }
    // Clamped to 1..maxZoomLevel; moves the zoom combo along.
    void setZoomLevel(int z);
    int viewOffsetX() const { return m_state.offsetX; }
    int viewOffsetY() const { return m_state.offsetY; }
    void setGridSpacing(double g);
    // The four execute filters as the part list takes them.
    PartListFilter partListFilter() const;
    ToolMode toolMode() const { return m_state.tool; }
    void setToolMode(ToolMode mode) { m_state.tool = mode; }
    // Set while a file is read or a board transform runs.
    bool loading() const { return m_loading; }
    void setLoading(bool on) { m_loading = on; }
    bool centreOnSelection() const { return m_centreOnSelection; }
    void setCentreOnSelection(bool on) { m_centreOnSelection = on; }
    void setLastCentredIndex(int v) { m_lastCentredIndex = v; }
    bool interactionBlocked() const { return m_interactionBlocked; }
    void setInteractionBlocked(bool on) { m_interactionBlocked = on; }
    // Ctrl held on the keyboard (the main window sets it; focus loss clears it).
    bool ctrlHeld() const { return m_ctrlHeld; }
    void setCtrlHeld(bool on) { m_ctrlHeld = on; }

    // ---- board and silk colour boxes
    // Entry of BoardColorBox (0 Green, 1 White, 2 Black, 3 Red, 4 Blue): board body and
    // copper colour; marks modified and repaints. An index outside the table only stores it.
    void setBoardColorIndex(int index);
    // Entry of SilkColorBox (0 White, 1 Black, 2 Yellow, 3 Red); marks modified and repaints.
    void setSilkColorIndex(int index);
    // The colour indexes as read from a project file, without marking modified.
    void restoreColorIndexes(int boardIndex, int silkIndex);
    // Colour of slot Signal on both sides.
    void setCopperColor(const QColor& c);
    // Colour of the Silk slot on both sides.
    void setSilkColor(const QColor& c);

    // ---- steps of a long operation, shown in the step label
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
    // After every change of the background (a mode switch, a colour chosen, a project read): the
    // drill layers take it, so that holes never keep an old background's colour.
    void matchDrillsToBackground();
    // One more finished render (queued from a render thread); frees layers retired meanwhile.
    void incrementProgress();
    // Visibility of a slot, shared by both sides, or of the placements (PickAndPlace).
    bool layerVisible(LayerSlot slot) const;
    void setLayerVisible(LayerSlot slot, bool on);

signals:
    // Local files dropped on the view, for the main window's loader.
    void filesDropped(const QStringList& paths);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // The middle button drags the board; other buttons go on to the main window's tools.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    FreshLayerColours freshLayerColours() const;
    void applyBoardColors();
    void applySilkColor();
    void updateStepLabel();
    void centreSelection();
    // One zoom step about a widget point, moving the zoom combo along.
    void zoomStep(bool in, const QPointF& at);

    std::unique_ptr<Document> m_document;
    ViewState m_state;
    std::unique_ptr<LayerSet> m_layers;
    LayerComposer m_composer;
    BoardPainter m_painter { &m_composer };
    BoardOverlays m_overlays;
    QHash<QString, double> m_rotationOffsets;
    WheelSteps m_wheel;
    bool m_panning = false;
    QPoint m_panFrom;
    QList<QPointer<RenderThread>> m_renderThreads;

    bool m_loading = false;
    bool m_centreOnSelection = false;
    int m_selectionCentringCounter = 0;
    int m_lastCentredIndex = -1;
    bool m_interactionBlocked = false;
    bool m_ctrlHeld = false;

    int m_stepTotal = 0;
    int m_currentStep = 0;

    QComboBox* m_zoomBox;
    QDoubleSpinBox* m_gridSpin;
    QPushButton* m_button;
    QProgressBar* m_progressBar;
    QLabel* m_stepLabel;
};
