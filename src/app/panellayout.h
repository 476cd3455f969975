#pragma once

#include "app/windowlayout.h"

#include <functional>

class Darstellg;
class QMainWindow;
class QMouseEvent;

namespace Ui {
class MainWindow;
}

// The main window's central widgets placed for its size and mode, the feeder overview toggle
// and the drags of the side panels' boundaries.
class PanelLayout
{
public:
    PanelLayout(
        Ui::MainWindow& ui, Darstellg& view, QMainWindow& window, std::function<bool()> layerModeActive);

    const PanelState& state() const { return m_panels; }
    PanelState& state() { return m_panels; }

    // Lays out the central widgets for the current size and mode (run by every repaint).
    void apply();
    // Opens or closes the feeder overview.
    void toggleFeeder();
    // Mouse events of the window; true when they belong to a panel drag.
    bool press(QMouseEvent* event);
    bool move(QMouseEvent* event);
    bool release();
    // Timer: near a boundary the cursor shows that a press starts a drag.
    void tickBoundary();

private:
    Ui::MainWindow& m_ui;
    Darstellg& m_view;
    QMainWindow& m_window;
    std::function<bool()> m_layerModeActive;
    PanelState m_panels;
};
