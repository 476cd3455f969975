#include "gerber/ui/drill_dlg.h"

#include "ui_drill_dlg.h"

Drill_dlg::Drill_dlg(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::Drill_dlg)
{
    ui->setupUi(this);
    // 250 x 160 is the least it takes; a larger font widens it rather than cutting its texts.
    setMinimumSize(minimumSizeHint().expandedTo(QSize(250, 160)));
}

Drill_dlg::~Drill_dlg() = default;

ExcellonFormat Drill_dlg::format() const
{
    ExcellonFormat f;
    f.leadingZeroesOmitted = ui->leadingZeroes->isChecked();
    f.integerDigits = ui->preCommaDigits->value();
    f.decimalDigits = ui->postCommaDigits->value();
    return f;
}

void Drill_dlg::setFormat(const ExcellonFormat& format)
{
    ui->leadingZeroes->setChecked(format.leadingZeroesOmitted);
    ui->trailingZeroes->setChecked(!format.leadingZeroesOmitted);
    ui->preCommaDigits->setValue(format.integerDigits);
    ui->postCommaDigits->setValue(format.decimalDigits);
}
