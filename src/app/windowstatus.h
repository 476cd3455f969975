#pragma once

#include <QPointF>
#include <memory>

class Darstellg;
class HoverWatch;
class QLabel;
class QMainWindow;

namespace Ui {
class MainWindow;
}

// The main window's status bar and what the 20 ms driver shows in it: the board point under the
// cursor, the placement it hovers, the machine chosen, and the render progress (which also keeps
// the transforms off while layers are drawn).
class WindowStatus
{
public:
    // Puts the status label, the view's progress bar and its step label into the status bar.
    WindowStatus(Ui::MainWindow& ui, Darstellg& view, QMainWindow& window);
    ~WindowStatus();

    QLabel* statusLabel() const { return m_statusLabel; }
    // The board point (mm) under the cursor as of the last tick.
    QPointF cursor() const { return m_cursor; }

    // Timer steps.
    void tickCursorPosition();
    void tickRenderProgress();
    void tickStatusText();

private:
    Ui::MainWindow& m_ui;
    Darstellg& m_view;
    std::unique_ptr<HoverWatch> m_hoverWatch;
    QLabel* m_statusLabel = nullptr;
    QPointF m_cursor; // board position (mm) under the mouse cursor
    bool m_cursorOverView = false;
};
