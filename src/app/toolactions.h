#pragma once

#include "view/boardtools.h"

#include <QColor>
#include <QObject>
#include <memory>

class BoardPanel;
class Darstellg;
class PlacementTables;
class QKeyEvent;
class QMainWindow;
class QMouseEvent;

namespace Ui {
class MainWindow;
}

// The tool and view-toggle entries of the main window and the board view's interactive tools:
// mouse and key events over the view go to BoardTools, and what it asks for afterwards (tables,
// fields, the text dialog, the context menu, a new origin) happens here.
class ToolActions : public QObject
{
    Q_OBJECT
public:
    ToolActions(
        Ui::MainWindow& ui, Darstellg& view, PlacementTables& tables, BoardPanel& board, QMainWindow& window);
    ~ToolActions() override;

    // Connects the tool entries, the layer and filter toggles, Fit and DrawingsColor.
    void connectActions();
    void setInitialIcons();
    void refreshFilterIcons();
    void refreshLayerIcons();

    // Selects an interactive tool.
    void selectTool(ToolMode mode);
    // As selectTool, but the tools that act on placements refuse layer mode with a message.
    void chooseTool(ToolMode mode);
    // D: from measure back to set new position, from any other tool to measure.
    void toggleMeasure();

    // The tools start afresh (a new document deletes the placements a drag holds).
    void reset();

    // Mouse events of the window. press: false when it is not the tools' (outside the view,
    // interaction blocked).
    bool press(QMouseEvent* event);
    void move(QMouseEvent* event);
    void release(QMouseEvent* event);
    // A drag ends (also when it was a panel drag).
    void stopDragging() { m_mouseDragging = false; }
    // Key events of the window; false when the window handles the key itself.
    bool keyPress(QKeyEvent* event);
    bool keyRelease(QKeyEvent* event);
    // Timer: scrolls the view while a drag is near its edge.
    void tickEdgeScrolling();

private:
    BoardTools& boardTools();
    // The timer scrolled the view under a drag: the tool follows the cursor's new board point.
    void followCursor();
    // event: the mouse event behind the response (the context menu opens at its position).
    void applyResponse(const ToolResponse& response, QMouseEvent* event);
    // The text dialog for the text drawing of the last press; back to set new position after.
    void askDrawingText();

    Ui::MainWindow& m_ui;
    Darstellg& m_view;
    PlacementTables& m_tables;
    BoardPanel& m_board;
    QMainWindow& m_window;
    std::unique_ptr<BoardTools> m_tools; // created on first use, over the view's document
    QColor m_drawingsColor;
    bool m_mouseDragging = false; // a tool drag is in progress (drives edge scrolling)
};
