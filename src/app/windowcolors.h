#pragma once

#include "settings/colorsettings.h"
#include "view/viewstate.h"

#include <functional>

class Darstellg;
class QWidget;
struct PanelState;

namespace Ui {
class MainWindow;
}

// The colour settings of the main window: colors.cfg read at start-up and written on the
// life-cycle paths and when the Config dialog is confirmed, the colours of the two view modes
// and the Config dialog itself.
class WindowColors
{
public:
    // layerModeActive: whether the window shows layer mode (its colours go to the view).
    WindowColors(Ui::MainWindow& ui, Darstellg& view, PanelState& panels, QWidget& window,
        std::function<bool()> layerModeActive);

    // The twelve colours and the panel widths as they are now, and handing them to the view.
    ColorSettings current() const;
    void apply(const ColorSettings& settings);
    void read();
    void write();
    // True when colours or panel widths differ from colors.cfg as last read or written.
    bool changed() const;
    // The Config dialog; what it accepts is applied and written at once.
    void configure();
    // Gives the view the colours of placement or layer mode.
    void applyModeColours(bool layerMode);

private:
    Ui::MainWindow& m_ui;
    Darstellg& m_view;
    PanelState& m_panels;
    QWidget& m_window;
    std::function<bool()> m_layerModeActive;
    ModeColours m_placementColors = ModeColours::of(ViewColours());
    ModeColours m_layerColors = ModeColours::of(ViewColours());
    ColorSettings m_colorSettings; // the feeder colours live here until the overview takes them
    ColorSettings m_storedColorSettings;
};
