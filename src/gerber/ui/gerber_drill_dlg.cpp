#include "gerber/ui/gerber_drill_dlg.h"

#include "ui_gerber_drill_dlg.h"

Gerber_drill_dlg::Gerber_drill_dlg(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::Gerber_drill_dlg)
{
    ui->setupUi(this);
}

Gerber_drill_dlg::~Gerber_drill_dlg() = default;

bool Gerber_drill_dlg::excellonChosen() const
{
    return ui->radioExcellon->isChecked();
}
