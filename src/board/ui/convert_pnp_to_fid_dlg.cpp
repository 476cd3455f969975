#include "board/ui/convert_pnp_to_fid_dlg.h"

#include "board/fiducialedit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

convert_pnp_to_fid_dlg::convert_pnp_to_fid_dlg(const Origins& origins, QWidget* parent)
    : QDialog(parent)
    , m_origins(new QComboBox(this))
{
    setObjectName(QStringLiteral("convert_pnp_to_fid_dlg"));
    setWindowTitle(QStringLiteral("Convert PnP to Fiducial"));
    m_origins->setObjectName(QStringLiteral("origins"));
    m_origins->addItems(FiducialEdit::originChoices(origins));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_origins);
    layout->addWidget(buttons);
}

int convert_pnp_to_fid_dlg::choice() const
{
    return m_origins->currentIndex();
}
