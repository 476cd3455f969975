#include "settings/ui/einstellg.h"

#include "ui_einstellg.h"
#include "uikit/prompt.h"

Einstellg::Einstellg(const ColorSettings& settings, QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::Einstellg)
    , m_settings(settings)
{
    m_ui->setupUi(this);
    for (int i = 0; i < ColorSettings::ColourCount; ++i)
        setColour(ColorSettings::Colour(i), settings.colours[size_t(i)]);
}

Einstellg::~Einstellg() = default;

QWidget* Einstellg::swatch(ColorSettings::Colour which) const
{
    switch (which) {
    case ColorSettings::FeederBackground:
        return m_ui->BGcolorFeeder;
    case ColorSettings::FeederDetail:
        return m_ui->DTcolorFeeder;
    case ColorSettings::FeederOutline:
        return m_ui->FOcolorFeeder;
    case ColorSettings::LayerBackground:
        return m_ui->BGcolorGerber;
    case ColorSettings::LayerCross:
        return m_ui->CCcolorGerber;
    case ColorSettings::LayerGrid:
        return m_ui->GCcolorGerber;
    case ColorSettings::PlacementBackground:
        return m_ui->BGcolor;
    case ColorSettings::PlacementCross:
        return m_ui->CCcolor;
    case ColorSettings::PlacementGrid:
        return m_ui->GRcolor;
    case ColorSettings::PlacementOrigin:
        return m_ui->BOcolor;
    case ColorSettings::TapeMeasure:
        return m_ui->TMcolor;
    default:
        return nullptr;
    }
}

void Einstellg::setColour(ColorSettings::Colour which, const QColor& colour)
{
    m_settings.setColour(which, colour);
    QWidget* w = swatch(which);
    if (!w)
        return;
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, colour);
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

void Einstellg::choose(ColorSettings::Colour which)
{
    const QColor chosen = prompt().color(this, m_settings.colour(which), QString());
    if (chosen.isValid())
        setColour(which, chosen);
}

void Einstellg::on_BGcolorGerber_button_clicked()
{
    choose(ColorSettings::LayerBackground);
}
void Einstellg::on_CCcolorGerber_button_clicked()
{
    choose(ColorSettings::LayerCross);
}
void Einstellg::on_GCcolorGerber_button_clicked()
{
    choose(ColorSettings::LayerGrid);
}
void Einstellg::on_Bgcolor_button_clicked()
{
    choose(ColorSettings::PlacementBackground);
}
void Einstellg::on_CCcolor_button_clicked()
{
    choose(ColorSettings::PlacementCross);
}
void Einstellg::on_GRcolor_button_clicked()
{
    choose(ColorSettings::PlacementGrid);
}
void Einstellg::on_BOcolor_button_clicked()
{
    choose(ColorSettings::PlacementOrigin);
}
void Einstellg::on_BGcolorFeeder_button_clicked()
{
    choose(ColorSettings::FeederBackground);
}
void Einstellg::on_DTcolorFeeder_button_clicked()
{
    choose(ColorSettings::FeederDetail);
}
void Einstellg::on_FOcolorFeeder_button_clicked()
{
    choose(ColorSettings::FeederOutline);
}
void Einstellg::on_TMcolor_button_clicked()
{
    choose(ColorSettings::TapeMeasure);
}
void Einstellg::on_best_clicked()
{
    accept();
}
void Einstellg::on_abbr_clicked()
{
    reject();
}
