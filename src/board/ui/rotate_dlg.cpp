#include "board/ui/rotate_dlg.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>

Rotate_dlg::Rotate_dlg(QWidget* parent)
    : QDialog(parent)
    , m_angle(new QDoubleSpinBox(this))
{
    setObjectName(QStringLiteral("Rotate_dlg"));
    setWindowTitle(QStringLiteral("Rotation"));
    m_angle->setObjectName(QStringLiteral("rotation"));
    m_angle->setRange(-360.0, 360.0);
    m_angle->setDecimals(3);
    m_angle->setSuffix(QStringLiteral("°"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Rotation"), m_angle);
    layout->addRow(buttons);
}

double Rotate_dlg::angle() const
{
    return m_angle->value();
}
