#include "gerber/ui/gerber_drill_dlg.h"

#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

Gerber_drill_dlg::Gerber_drill_dlg(QWidget* parent)
    : QDialog(parent)
    , m_gerber(new QRadioButton(QStringLiteral("Gerber"), this))
    , m_excellon(new QRadioButton(QStringLiteral("Excellon (Drill)"), this))
{
    setWindowTitle(QStringLiteral("Import Layer"));
    m_gerber->setObjectName(QStringLiteral("radioGerber"));
    m_excellon->setObjectName(QStringLiteral("radioExcellon"));
    m_gerber->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_gerber);
    layout->addWidget(m_excellon);
    layout->addWidget(buttons);
}

bool Gerber_drill_dlg::excellonChosen() const
{
    return m_excellon->isChecked();
}
