#include "board/ui/origingenerator.h"

#include "board/ui/panelfields.h"
#include "uikit/formkeys.h"
#include "uikit/prompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QGroupBox* group(QWidget* parent, const QString& title, QFormLayout*& form)
{
    auto* box = new QGroupBox(title, parent);
    form = new QFormLayout(box);
    return box;
}

} // namespace

QDoubleSpinBox* OriginGenerator::lengthBox(const char* name, double value)
{
    QDoubleSpinBox* box = PanelFields::lengthBox(this, name, value);
    connect(
        box, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &OriginGenerator::updateInformation);
    return box;
}

OriginGenerator::OriginGenerator(const OriginGen& preset, bool topShown, QWidget* parent)
    : QDialog(parent)
    , m_columns(PanelFields::countBox(this, "columnCnt", preset.columns))
    , m_rows(PanelFields::countBox(this, "rowCnt", preset.rows))
    , m_sizeX(lengthBox("sizeX", preset.sizeX))
    , m_sizeY(lengthBox("sizeY", preset.sizeY))
    , m_spacingX(lengthBox("xSpacing", preset.spacingX))
    , m_spacingY(lengthBox("ySpacing", preset.spacingY))
    , m_bottom(lengthBox("bottom", preset.borderBottom))
    , m_left(lengthBox("left", preset.borderLeft))
    , m_top(lengthBox("top", preset.borderTop))
    , m_right(lengthBox("right", preset.borderRight))
    , m_genPCB(new QCheckBox(QStringLiteral("Generate PCB Size"), this))
    , m_side(new QComboBox(this))
    , m_quantity(new QLabel(this))
    , m_width(new QLabel(this))
    , m_height(new QLabel(this))
{
    setObjectName(QStringLiteral("OriginGenerator"));
    setWindowTitle(QStringLiteral("Generate Origin"));
    m_genPCB->setObjectName(QStringLiteral("genPCB"));
    m_side->setObjectName(QStringLiteral("side"));
    m_side->addItems({ QStringLiteral("Top"), QStringLiteral("Bottom"), QStringLiteral("Both") });
    m_side->setCurrentIndex(topShown ? 0 : 1);
    for (QSpinBox* box : { m_columns, m_rows })
        connect(box, QOverload<int>::of(&QSpinBox::valueChanged), this, &OriginGenerator::updateInformation);

    auto* counts = new QFormLayout;
    counts->addRow(QStringLiteral("Columns:"), m_columns);
    counts->addRow(QStringLiteral("Rows:"), m_rows);
    QFormLayout* sizes = nullptr;
    QGroupBox* sizeGroup = group(this, QStringLiteral("Size and Spacing"), sizes);
    sizes->addRow(QStringLiteral("Size X:"), m_sizeX);
    sizes->addRow(QStringLiteral("Size Y:"), m_sizeY);
    sizes->addRow(QStringLiteral("Spacing X:"), m_spacingX);
    sizes->addRow(QStringLiteral("Spacing Y:"), m_spacingY);
    QFormLayout* borders = nullptr;
    QGroupBox* borderGroup = group(this, QStringLiteral("Border"), borders);
    borders->addRow(QStringLiteral("Bottom:"), m_bottom);
    borders->addRow(QStringLiteral("Left:"), m_left);
    borders->addRow(QStringLiteral("Top:"), m_top);
    borders->addRow(QStringLiteral("Right:"), m_right);
    QFormLayout* info = nullptr;
    QGroupBox* infoGroup = group(this, QStringLiteral("Panel Information"), info);
    info->addRow(QStringLiteral("Quantity:"), m_quantity);
    info->addRow(QStringLiteral("Width:"), m_width);
    info->addRow(QStringLiteral("Height:"), m_height);
    auto* sideRow = new QFormLayout;
    sideRow->addRow(QStringLiteral("Side:"), m_side);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &OriginGenerator::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(counts);
    layout->addWidget(sizeGroup);
    layout->addWidget(borderGroup);
    layout->addWidget(m_genPCB);
    layout->addLayout(sideRow);
    layout->addWidget(infoGroup);
    layout->addWidget(buttons);
    FormKeys::keepOpenOnEnter(this);
    updateInformation();
}

OriginGen OriginGenerator::values() const
{
    OriginGen g;
    g.columns = m_columns->value();
    g.rows = m_rows->value();
    g.sizeX = m_sizeX->value();
    g.sizeY = m_sizeY->value();
    g.spacingX = m_spacingX->value();
    g.spacingY = m_spacingY->value();
    g.borderBottom = m_bottom->value();
    g.borderTop = m_top->value();
    g.borderRight = m_right->value();
    g.borderLeft = m_left->value();
    return g;
}

Panel::GenerateSide OriginGenerator::side() const
{
    return Panel::GenerateSide(qBound(0, m_side->currentIndex(), 2));
}

bool OriginGenerator::generateBoardSize() const
{
    return m_genPCB->isChecked();
}

void OriginGenerator::updateInformation()
{
    const OriginGen g = values();
    m_quantity->setText(QString::number(qint64(g.columns) * g.rows));
    m_width->setText(Panel::panelInfoText(g.panelWidth()));
    m_height->setText(Panel::panelInfoText(g.panelHeight()));
}

void OriginGenerator::accept()
{
    const OriginGen g = values();
    const QString problem = Panel::gridProblem(g.columns, g.rows, g);
    if (!problem.isEmpty()) {
        prompt().warning(this, QStringLiteral("Error"), problem);
        return;
    }
    QDialog::accept();
}
