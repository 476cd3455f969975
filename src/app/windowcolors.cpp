#include "app/windowcolors.h"

#include "app/windowlayout.h"
#include "line/ui/feeder.h"
#include "settings/ui/einstellg.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "view/ui/darstellg.h"

#include <QDebug>

WindowColors::WindowColors(Ui::MainWindow& ui, Darstellg& view, PanelState& panels, QWidget& window,
    std::function<bool()> layerModeActive)
    : m_ui(ui)
    , m_view(view)
    , m_panels(panels)
    , m_window(window)
    , m_layerModeActive(std::move(layerModeActive))
{ }

ColorSettings WindowColors::current() const
{
    ColorSettings s = m_colorSettings;
    s.setColour(ColorSettings::LayerBackground, m_layerColors.background);
    s.setColour(ColorSettings::LayerCross, m_layerColors.cross);
    s.setColour(ColorSettings::LayerGrid, m_layerColors.grid);
    s.setColour(ColorSettings::LayerOrigin, m_layerColors.origin);
    s.setColour(ColorSettings::PlacementBackground, m_placementColors.background);
    s.setColour(ColorSettings::PlacementCross, m_placementColors.cross);
    s.setColour(ColorSettings::PlacementGrid, m_placementColors.grid);
    s.setColour(ColorSettings::PlacementOrigin, m_placementColors.origin);
    s.setColour(ColorSettings::TapeMeasure, m_view.viewState().colours.measure);
    s.leftPanelWidth = m_panels.left;
    s.rightPanelWidth = m_panels.right;
    return s;
}

void WindowColors::apply(const ColorSettings& s)
{
    m_colorSettings = s;
    m_ui.feeder->setColours({ s.colour(ColorSettings::FeederBackground),
        s.colour(ColorSettings::FeederDetail), s.colour(ColorSettings::FeederOutline) });
    m_layerColors = { s.colour(ColorSettings::LayerBackground), s.colour(ColorSettings::LayerCross),
        s.colour(ColorSettings::LayerGrid), s.colour(ColorSettings::LayerOrigin) };
    m_placementColors
        = { s.colour(ColorSettings::PlacementBackground), s.colour(ColorSettings::PlacementCross),
              s.colour(ColorSettings::PlacementGrid), s.colour(ColorSettings::PlacementOrigin) };
    m_view.viewState().colours.measure = s.colour(ColorSettings::TapeMeasure);
    applyModeColours(m_layerModeActive());
    m_panels.left = s.leftPanelWidth;
    m_panels.right = s.rightPanelWidth;
    m_view.update();
    m_window.update();
}

void WindowColors::applyModeColours(bool layerMode)
{
    (layerMode ? m_layerColors : m_placementColors).applyTo(m_view.viewState().colours);
    m_view.matchDrillsToBackground();
}

void WindowColors::read()
{
    ColorSettings s = current();
    if (ColorSettingsFile::read(ColorSettingsFile::path(), m_window.width(), &s))
        apply(s);
    m_storedColorSettings = current();
}

void WindowColors::write()
{
    const ColorSettings s = current();
    QString error;
    if (!ColorSettingsFile::write(ColorSettingsFile::path(), s, &error)) {
        // As before: a settings file that cannot be written is not worth a message box.
        qDebug() << error;
        return;
    }
    m_storedColorSettings = s;
}

bool WindowColors::changed() const
{
    return current() != m_storedColorSettings;
}

void WindowColors::configure()
{
    Einstellg dialog(current(), &m_window);
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return;
    apply(dialog.settings());
    // Kept at once: chosen colours must not depend on whether the document is saved later.
    write();
}
