#include "pnpio/ui/loadpnp_dlp.h"

#include "ui_loadpnp_dlp.h"

loadPnP_dlp::loadPnP_dlp(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::loadPnP_dlp)
{
    ui->setupUi(this);
    // 230 x 180 is the least it takes; a larger font widens it rather than cutting its texts.
    setMinimumSize(minimumSizeHint().expandedTo(QSize(230, 180)));
}

loadPnP_dlp::~loadPnP_dlp() = default;

void loadPnP_dlp::setFileHasSides(bool fileHasSides)
{
    ui->radioNo->setEnabled(fileHasSides);
    if (fileHasSides)
        ui->radioNo->setChecked(true);
    else
        ui->radioTop->setChecked(true);
}

int loadPnP_dlp::side() const
{
    if (ui->radioTop->isChecked())
        return PnPImportOptions::Top;
    if (ui->radioBottom->isChecked())
        return PnPImportOptions::Bottom;
    return PnPImportOptions::NoChanges;
}

bool loadPnP_dlp::add() const
{
    return ui->radioAdd->isChecked();
}

PnPImportOptions loadPnP_dlp::options() const
{
    PnPImportOptions options;
    options.side = side();
    options.add = add();
    return options;
}
