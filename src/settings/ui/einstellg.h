#pragma once

#include "settings/colorsettings.h"

#include <QDialog>
#include <memory>

namespace Ui {
class Einstellg;
}
class QWidget;

// The Config dialog: one swatch and "..." button per colour. It edits a copy of the settings;
// the caller takes settings() when the dialog was accepted.
class Einstellg : public QDialog
{
    Q_OBJECT

public:
    explicit Einstellg(const ColorSettings& settings, QWidget* parent = nullptr);
    ~Einstellg() override;

    const ColorSettings& settings() const { return m_settings; }
    // Stores a colour and paints its swatch (the layer-view origin colour has none).
    void setColour(ColorSettings::Colour which, const QColor& colour);

private slots:
    void on_BGcolorGerber_button_clicked();
    void on_CCcolorGerber_button_clicked();
    void on_GCcolorGerber_button_clicked();
    void on_Bgcolor_button_clicked();
    void on_CCcolor_button_clicked();
    void on_GRcolor_button_clicked();
    void on_BOcolor_button_clicked();
    void on_BGcolorFeeder_button_clicked();
    void on_DTcolorFeeder_button_clicked();
    void on_FOcolorFeeder_button_clicked();
    void on_TMcolor_button_clicked();
    void on_best_clicked();
    void on_abbr_clicked();

private:
    QWidget* swatch(ColorSettings::Colour which) const;
    void choose(ColorSettings::Colour which);

    std::unique_ptr<Ui::Einstellg> m_ui;
    ColorSettings m_settings;
};
