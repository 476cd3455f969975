#include "board/ui/panelize_dlg.h"

#include "app/prompt.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSpinBox>
#include <cmath>

namespace {

QDoubleSpinBox* sizeBox(QWidget* parent, const char* name, double value)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(0.0, 100000.0);
    box->setDecimals(3);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(std::isfinite(value) ? value : 0.0);
    return box;
}

QSpinBox* countBox(QWidget* parent, const char* name, int value)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(1, Panel::maxBoards);
    box->setValue(value);
    return box;
}

} // namespace

Panelize_dlg::Panelize_dlg(const Panel::PanelizeRequest& preset, QWidget* parent)
    : QDialog(parent)
    , m_width(sizeBox(this, "doubleSpinBox_width", preset.width))
    , m_height(sizeBox(this, "doubleSpinBox_height", preset.height))
    , m_rows(countBox(this, "spinBox_Rows", preset.rows))
    , m_columns(countBox(this, "spinBox_Columns", preset.columns))
{
    setObjectName(QStringLiteral("Panelize_dlg"));
    setWindowTitle(QStringLiteral("Panelize"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &Panelize_dlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Width:"), m_width);
    layout->addRow(QStringLiteral("Height:"), m_height);
    layout->addRow(QStringLiteral("Rows:"), m_rows);
    layout->addRow(QStringLiteral("Columns:"), m_columns);
    layout->addRow(buttons);
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
