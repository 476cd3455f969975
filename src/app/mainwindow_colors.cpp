// The colour settings: colors.cfg read at start-up and written on the life-cycle paths and when
// the Config dialog is confirmed; the dialog itself.
#include "app/mainwindow.h"

#include "line/ui/feeder.h"
#include "settings/ui/einstellg.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "view/ui/darstellg.h"

#include <QDebug>

ColorSettings MainWindow::currentColorSettings() const
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
    s.setColour(ColorSettings::TapeMeasure, m_view->viewState().colours.measure);
    s.leftPanelWidth = m_panels.left;
    s.rightPanelWidth = m_panels.right;
    return s;
}

void MainWindow::applyColorSettings(const ColorSettings& s)
{
    m_colorSettings = s;
    m_ui->feeder->setColours({ s.colour(ColorSettings::FeederBackground),
        s.colour(ColorSettings::FeederDetail), s.colour(ColorSettings::FeederOutline) });
    m_layerColors = { s.colour(ColorSettings::LayerBackground), s.colour(ColorSettings::LayerCross),
        s.colour(ColorSettings::LayerGrid), s.colour(ColorSettings::LayerOrigin) };
    m_placementColors
        = { s.colour(ColorSettings::PlacementBackground), s.colour(ColorSettings::PlacementCross),
              s.colour(ColorSettings::PlacementGrid), s.colour(ColorSettings::PlacementOrigin) };
    m_view->viewState().colours.measure = s.colour(ColorSettings::TapeMeasure);
    (m_layerModeActive ? m_layerColors : m_placementColors).applyTo(m_view->viewState().colours);
    m_view->matchDrillsToBackground();
    m_panels.left = s.leftPanelWidth;
    m_panels.right = s.rightPanelWidth;
    m_view->update();
    update();
}

void MainWindow::readColorSettings()
{
    ColorSettings s = currentColorSettings();
    if (ColorSettingsFile::read(ColorSettingsFile::path(), width(), &s))
        applyColorSettings(s);
    m_storedColorSettings = currentColorSettings();
}

void MainWindow::writeColorSettings()
{
    const ColorSettings s = currentColorSettings();
    QString error;
    if (!ColorSettingsFile::write(ColorSettingsFile::path(), s, &error)) {
        // As before: a settings file that cannot be written is not worth a message box.
        qDebug() << error;
        return;
    }
    m_storedColorSettings = s;
}

bool MainWindow::colorSettingsChanged() const
{
    return currentColorSettings() != m_storedColorSettings;
}

void MainWindow::on_actionConfig_triggered()
{
    Einstellg dialog(currentColorSettings(), this);
    if (prompt().exec(&dialog) != QDialog::Accepted)
        return;
    applyColorSettings(dialog.settings());
    // Kept at once: chosen colours must not depend on whether the document is saved later.
    writeColorSettings();
}
