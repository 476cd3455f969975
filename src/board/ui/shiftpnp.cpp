#include "board/ui/shiftpnp.h"

#include "model/numbertext.h"
#include "uikit/prompt.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

ShiftPnP::ShiftPnP(BoardTransform::Axis axis, QWidget* parent)
    : QDialog(parent)
    , m_edit(new QLineEdit(NumberText::format(m_value), this))
{
    const QString title = QStringLiteral("Shift ") + (axis == BoardTransform::Axis::X ? "X" : "Y");
    setObjectName(QStringLiteral("ShiftPnP"));
    setWindowTitle(title);
    m_edit->setObjectName(QStringLiteral("shiftValue"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ShiftPnP::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(title, m_edit);
    layout->addRow(buttons);
}

void ShiftPnP::accept()
{
    const std::optional<double> v = BoardTransform::parseShift(m_edit->text());
    if (!v) {
        prompt().warning(this, QStringLiteral("Invalid Characters"),
            QStringLiteral("Your input contains invalid characters"));
        m_edit->setFocus();
        return;
    }
    m_value = *v;
    QDialog::accept();
}
