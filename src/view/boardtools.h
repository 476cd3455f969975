#pragma once

#include "model/drawing.h"
#include "view/boardscene.h"
#include "view/selectionhits.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QSet>
#include <QSizeF>
#include <optional>

class Document;
class PnPEntry;
struct ViewState;

// What the caller of a tool event has to do afterwards.
struct ToolResponse
{
    enum class Cursor
    {
        Keep,
        ClosedHand,
        Normal
    };

    bool repaint = false;
    // Show the selected placements in the tables.
    bool selectionChanged = false;
    // Placement data changed: rebuild the tables.
    bool documentChanged = false;
    // Fiducial positions changed: refill their fields.
    bool fiducialsChanged = false;
    // Placements moved under the mouse (the view's pending-changes flag).
    bool placementsMoved = false;
    // Ask for the text of the text drawing, then call finishText.
    bool askText = false;
    // Pop up the board view's context menu at the cursor.
    bool contextMenu = false;
    // A click of the set-new-origin tool: the snapped board point that becomes the origin.
    std::optional<QPointF> newOrigin;
    Cursor cursor = Cursor::Keep;

    ToolResponse& operator|=(const ToolResponse& o);
};

// The interactive tools of the board view: selecting, moving, band selection, measuring,
// rotating the selection by dragging and drawing. Works on the document, the view state and the
// overlays the painter shows; events arrive as widget positions (pixels) from the main window,
// which carries out what the returned response asks for.
class BoardTools
{
public:
    BoardTools(Document& doc, const ViewState& state, BoardOverlays& overlays);

    ToolResponse press(const QPointF& widgetPos, int widgetHeight, Qt::MouseButton button, bool ctrl,
        const QColor& drawingColour);
    ToolResponse move(const QPointF& widgetPos, int widgetHeight);
    ToolResponse release(const QPointF& widgetPos, int widgetHeight, Qt::MouseButton button);
    // Arrow keys of the movement tool: the selection moves by steps of the grid spacing.
    ToolResponse arrowKey(int stepsX, int stepsY);
    // The answer of the text dialog for the text drawing started by the last press. `extent` is
    // the text's width and height in mm, which give the drawing's opposite corner.
    ToolResponse finishText(
        bool accepted, const QString& text, const QFont& font, int size, const QSizeF& extent);

    // A left-button drag is in progress.
    bool dragging() const { return m_dragTool.has_value(); }
    // Numbers the drawings in the log lines.

private:
    ToolResponse selectAt(const QPointF& world, bool ctrl);
    void startDrawing(int type, const QPointF& at, const QColor& colour);
    ToolResponse finishDrawing();
    ToolResponse startMovement(const QPointF& world);
    ToolResponse moveSelection(const QPointF& delta);
    ToolResponse endMovement();
    void startBand(const QPointF& world, bool ctrl);
    ToolResponse stretchBand(const QPointF& widgetPos, int widgetHeight);
    void startRotation(const QPointF& world);
    ToolResponse rotateTo(const QPointF& world);
    ToolResponse rightClick(const QPointF& world);
    // A corner of a selected drawing under the cursor: the drawing's index and the corner
    // (0 start, 1 end, 2 start X with end Y, 3 end X with start Y).
    struct Corner
    {
        int drawing;
        int corner;
    };
    std::optional<Corner> cornerAt(const QPointF& world) const;
    ToolResponse resizeTo(const QPointF& point);
    void clearSelection();
    void selectDrawings(const QList<int>& hits, bool toggle);

    struct RotationStart
    {
        PnPEntry* entry;
        double x;
        double y;
        double rotation;
    };

    Document& m_doc;
    const ViewState& m_state;
    BoardOverlays& m_overlays;
    int m_drawingCounter = 0;
    std::optional<ToolMode> m_dragTool; // the tool of the left-button drag in progress
    bool m_rightPressed = false;
    bool m_changed = false; // the drag in progress changed the document
    std::optional<Corner> m_resize; // the corner dragged by set new position
    // Movement
    QList<PnPEntry*> m_moving;
    QPointF m_lastSnap;
    // Band selection
    QPointF m_bandAnchor; // board mm
    QSet<PnPEntry*> m_bandBase;
    QList<SelectionHits::FiducialId> m_bandBaseFiducials;
    // Rotation
    QList<RotationStart> m_snapshot;
    QPointF m_pivot;
    std::optional<double> m_startBearing;
    std::optional<double> m_lastBearing;
};
