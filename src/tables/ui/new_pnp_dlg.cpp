#include "tables/ui/new_pnp_dlg.h"

#include "ui_new_pnp_dlg.h"

#include <QRegExp>

New_PnP_dlg::New_PnP_dlg(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::New_PnP_dlg)
{
    ui->setupUi(this);
    ui->refDes->setText(QStringLiteral("XY"));
    ui->name->setText(QStringLiteral("Unbenannt"));
    ui->value->setText(QStringLiteral("0"));
    for (QLineEdit* edit : { ui->refDes, ui->name, ui->value })
        guard(edit);
    connect(ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

New_PnP_dlg::~New_PnP_dlg() = default;

bool New_PnP_dlg::acceptable(const QString& text)
{
    static const QRegExp pattern(QStringLiteral("^[A-Za-z0-9\\_\\-\\,\\.]*$"));
    return pattern.exactMatch(text);
}

void New_PnP_dlg::guard(QLineEdit* edit)
{
    auto lastGood = std::make_shared<QString>(edit->text());
    connect(edit, &QLineEdit::editingFinished, this, [edit, lastGood] {
        if (acceptable(edit->text()))
            *lastGood = edit->text();
        else
            edit->setText(*lastGood);
    });
}

QString New_PnP_dlg::refDes() const
{
    return ui->refDes->text();
}
QString New_PnP_dlg::name() const
{
    return ui->name->text();
}
QString New_PnP_dlg::value() const
{
    return ui->value->text();
}
int New_PnP_dlg::rotation() const
{
    return ui->rotation->value();
}
