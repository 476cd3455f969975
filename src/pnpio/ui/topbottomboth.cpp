#include "pnpio/ui/topbottomboth.h"

#include "ui_topbottomboth.h"

topbottomboth::topbottomboth(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::topbottomboth>())
{
    ui->setupUi(this);
    // 191 x 181 is the least it takes; a larger font widens it rather than cutting its texts.
    setMinimumSize(minimumSizeHint().expandedTo(QSize(191, 181)));
}

topbottomboth::~topbottomboth() = default;

void topbottomboth::setPanelsVisible(bool visible)
{
    ui->panelsLabel->setVisible(visible);
    ui->spinBox->setVisible(visible);
}

void topbottomboth::on_okButton_clicked()
{
    if (ui->top->isChecked())
        stored.side = PnPExportOptions::Top;
    else if (ui->bottom->isChecked())
        stored.side = PnPExportOptions::Bottom;
    else
        stored.side = PnPExportOptions::Both;
    stored.machine = ui->Machine->isChecked();
    stored.hand = ui->Hand->isChecked();
    stored.tht = ui->THT->isChecked();
    stored.none = ui->None->isChecked();
    stored.panels = ui->spinBox->value();
    accept();
}
