#pragma once

#include <QColor>

// The interactive tool of the board view. The numbers are the ones the tool actions and the
// keyboard shortcuts use.
enum class ToolMode
{
    SetNewPosition = 0,
    SetNewOrigin = 1,
    DrawLine = 2,
    Movement = 3,
    MultipleSelection = 4,
    DrawRectangle = 5,
    DrawFilledRectangle = 6,
    Measure = 7,
    InsertText = 8,
    RotateSelection = 9
};
constexpr int toolModeCount = 10;

// Tools that drag across the view (lines, rectangles, movement, band selection, measuring):
// while one of them drags, the view scrolls at its edges.
inline bool toolDragsAcrossView(ToolMode mode)
{
    return mode >= ToolMode::DrawLine && mode <= ToolMode::Measure;
}

// Colours of the board view.
struct ViewColours
{
    QColor background { 10, 10, 10 };
    QColor cross { 0, 0, 255 };
    QColor grid { 210, 210, 210 };
    QColor origin { 255, 200, 0 };
    QColor measure { 127, 127, 127 };
    QColor boardBody { 12, 58, 12 };
    QColor copper { 4, 180, 4 };
    QColor silk { 252, 254, 252 };
};

// The colours that placement mode and layer mode each keep for themselves.
struct ModeColours
{
    QColor background;
    QColor cross;
    QColor grid;
    QColor origin;

    static ModeColours of(const ViewColours& c) { return { c.background, c.cross, c.grid, c.origin }; }
    void applyTo(ViewColours& c) const
    {
        c.background = background;
        c.cross = cross;
        c.grid = grid;
        c.origin = origin;
    }
};

// Which placements and overlays the view draws.
struct ViewFilters
{
    bool showHandExec = true;
    bool showMachineExec = true;
    bool showThtExec = true;
    bool showPlaced = false;
    bool showRefDes = true;
    bool showPickAndPlace = true;
    bool showDrawings = true;
};

// Background rendering progress: the render threads' finished signals advance `reached`, the
// main window's timer turns it into the progress bar.
struct RenderProgress
{
    bool rendering = false;
    int reached = 0;
    int total = 0;
};

// Everything that decides what the board view shows, apart from the document and its layers:
// a painter, the widget and the command line draw the same picture from the same state.
struct ViewState
{
    static constexpr int maxZoomLevel = 1000;

    int zoomLevel = 10; // pixels per millimetre, shown as zoomLevel x 10 %
    int offsetX = 15;
    int offsetY = -21;
    double gridSpacing = 1.0;
    bool gridShown = true;
    bool fastRendering = true;
    // Layers without a finished raster are left out instead of painted from their objects: set
    // while a long rebuild processes events, so that its progress repaints stay cheap.
    bool rastersOnly = false;
    ViewFilters filters;
    ViewColours colours;
    ToolMode tool = ToolMode::SetNewPosition;
    int boardColorIndex = 0;
    int silkColorIndex = 0;
    RenderProgress render;
};
