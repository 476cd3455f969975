#include "board/ui/rotate_doc_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

Rotate_doc_dlg::Rotate_doc_dlg(QWidget* parent)
    : QDialog(parent)
    , m_gerber(new QCheckBox(QStringLiteral("Gerber"), this))
    , m_pnp(new QCheckBox(QStringLiteral("Pick-and-Place"), this))
{
    setObjectName(QStringLiteral("Rotate_doc_dlg"));
    setWindowTitle(QStringLiteral("Rotate Board"));
    m_gerber->setObjectName(QStringLiteral("gerber"));
    m_pnp->setObjectName(QStringLiteral("pnp"));
    m_gerber->setChecked(true);
    m_pnp->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_gerber);
    layout->addWidget(m_pnp);
    layout->addWidget(buttons);
}

BoardTransform::RotateOptions Rotate_doc_dlg::options() const
{
    return BoardTransform::RotateOptions { m_gerber->isChecked(), m_pnp->isChecked() };
}
