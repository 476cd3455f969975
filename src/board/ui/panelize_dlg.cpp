#include "board/ui/panelize_dlg.h"

#include "board/ui/panelfields.h"
#include "uikit/formkeys.h"
#include "uikit/prompt.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSpinBox>

Panelize_dlg::Panelize_dlg(const Panel::PanelizeRequest& preset, QWidget* parent)
    : QDialog(parent)
    , m_width(PanelFields::lengthBox(this, "doubleSpinBox_width", preset.width))
    , m_height(PanelFields::lengthBox(this, "doubleSpinBox_height", preset.height))
    , m_rows(PanelFields::countBox(this, "spinBox_Rows", preset.rows))
    , m_columns(PanelFields::countBox(this, "spinBox_Columns", preset.columns))
{
    setObjectName(QStringLiteral("Panelize_dlg"));
    setWindowTitle(QStringLiteral("Panelize"));
    m_width->setSuffix(QStringLiteral(" mm"));
    m_height->setSuffix(QStringLiteral(" mm"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &Panelize_dlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Width:"), m_width);
    layout->addRow(QStringLiteral("Height:"), m_height);
    layout->addRow(QStringLiteral("Rows:"), m_rows);
    layout->addRow(QStringLiteral("Columns:"), m_columns);
    layout->addRow(buttons);
    FormKeys::keepOpenOnEnter(this);
}

Panel::PanelizeRequest Panelize_dlg::request() const
{
    return Panel::PanelizeRequest { m_width->value(), m_height->value(), m_rows->value(),
        m_columns->value() };
}

void Panelize_dlg::accept()
{
    const Panel::PanelizeRequest r = request();
    OriginGen sizes;
    sizes.sizeX = r.width;
    sizes.sizeY = r.height;
    const QString problem = Panel::gridProblem(r.columns, r.rows, sizes);
    if (!problem.isEmpty()) {
        prompt().warning(this, QStringLiteral("Error"), problem);
        return;
    }
    QDialog::accept();
}
