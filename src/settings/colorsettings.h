#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <array>

// The colours the user chooses in the Config dialog and the two side panel widths of the main
// window, as kept in colors.cfg.
struct ColorSettings
{
    // Positions in the file and in `colours`.
    enum Colour
    {
        FeederBackground,
        FeederDetail,
        FeederOutline,
        LayerBackground,
        LayerCross,
        LayerGrid,
        LayerOrigin,
        PlacementBackground,
        PlacementCross,
        PlacementGrid,
        PlacementOrigin,
        TapeMeasure,
        ColourCount
    };
    static constexpr int minLeftPanelWidth = 240;
    static constexpr int minRightPanelWidth = 200;

    std::array<QColor, ColourCount> colours { QColor(20, 20, 20), QColor(180, 180, 180), QColor(0, 255, 0),
        QColor(10, 10, 10), QColor(0, 0, 255), QColor(210, 210, 210), QColor(255, 200, 0), QColor(10, 10, 10),
        QColor(0, 0, 255), QColor(210, 210, 210), QColor(255, 200, 0), QColor(127, 127, 127) };
    int leftPanelWidth = minLeftPanelWidth;
    int rightPanelWidth = minRightPanelWidth;

    QColor colour(Colour c) const { return colours[size_t(c)]; }
    void setColour(Colour c, const QColor& v) { colours[size_t(c)] = v; }

    bool operator==(const ColorSettings& o) const
    {
        return colours == o.colours && leftPanelWidth == o.leftPanelWidth
            && rightPanelWidth == o.rightPanelWidth;
    }
    bool operator!=(const ColorSettings& o) const { return !(*this == o); }
};

namespace ColorSettingsFile {

// colors.cfg in the configuration folder (see ConfigFolder).
QString path();

// Reads the file's text over `settings`, line by line. The colours are taken only when the whole
// file is valid and holds at least twelve of them; the panel widths when their line comes before
// any invalid one, both are whole numbers of at least the minimum widths and their sum is below
// windowWidth - 10.
void parse(const QByteArray& text, int windowWidth, ColorSettings* settings);
bool read(const QString& path, int windowWidth, ColorSettings* settings);

// Twelve lines "R;G;B", then "left;right" without a line end.
QByteArray text(const ColorSettings& settings);
// Replaces the file atomically; false with the reason when it cannot be written.
bool write(const QString& path, const ColorSettings& settings, QString* error);

} // namespace ColorSettingsFile
