#include "tables/ui/new_pnp_dlg.h"

#include "ui_new_pnp_dlg.h"
#include "uikit/formkeys.h"

#include <QRegExp>

New_PnP_dlg::New_PnP_dlg(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::New_PnP_dlg)
{
    ui->setupUi(this);
    ui->refDes->setText(QStringLiteral("XY"));
    ui->name->setText(QStringLiteral("Unbenannt"));
    ui->value->setText(QStringLiteral("0"));
    for (QLineEdit* edit : { ui->refDes, ui->name, ui->value }) {
        m_lastGood.insert(edit, edit->text());
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { check(edit); });
    }
    connect(ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    FormKeys::keepOpenOnEnter(this);
}

New_PnP_dlg::~New_PnP_dlg() = default;

bool New_PnP_dlg::acceptable(const QString& text)
{
    static const QRegExp pattern(QStringLiteral("^[A-Za-z0-9\\_\\-\\,\\.]*$"));
    return pattern.exactMatch(text);
}

void New_PnP_dlg::check(QLineEdit* edit)
{
    if (acceptable(edit->text()))
        m_lastGood[edit] = edit->text();
    else
        edit->setText(m_lastGood.value(edit));
}

QString New_PnP_dlg::checkedText(QLineEdit* edit) const
{
    return acceptable(edit->text()) ? edit->text() : m_lastGood.value(edit);
}

QString New_PnP_dlg::refDes() const
{
    return checkedText(ui->refDes);
}
QString New_PnP_dlg::name() const
{
    return checkedText(ui->name);
}
QString New_PnP_dlg::value() const
{
    return checkedText(ui->value);
}
int New_PnP_dlg::rotation() const
{
    return ui->rotation->value();
}
