#include "fab/ui/fabimport_dlg.h"

#include "fab/fabassignment.h"
#include "gerber/layerset.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column
{
    FileColumn,
    SideColumn,
    SlotColumn,
    ReasonColumn,
    ColumnCount
};

const char* const slotNames[] = { "Signal", "Mask", "Paste", "Assy", "Silk", "Board Outline", "Drill" };

// Side choices in the order of the combo box.
const FabSide sideChoices[] = { FabSide::Top, FabSide::Bottom, FabSide::Both, FabSide::None };

QComboBox* sideBox(FabSide side)
{
    auto* box = new QComboBox;
    box->addItems(
        { QStringLiteral("top"), QStringLiteral("bottom"), QStringLiteral("both"), QStringLiteral("-") });
    for (int i = 0; i < 4; ++i)
        if (sideChoices[i] == side)
            box->setCurrentIndex(i);
    return box;
}

QComboBox* slotBox(int slot)
{
    auto* box = new QComboBox;
    box->addItem(QStringLiteral("-"));
    for (int s = 0; s < layerSlotCount; ++s)
        box->addItem(QStringLiteral("%1 %2").arg(s).arg(QLatin1String(slotNames[s])));
    box->setCurrentIndex(slot + 1);
    return box;
}

QTableWidgetItem* textItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setToolTip(text);
    return item;
}

} // namespace

FabImport_dlg::FabImport_dlg(
    const QString& packageName, const FabFiles& files, const QList<FabSkipped>& skipped, QWidget* parent)
    : QDialog(parent)
    , m_files(files)
{
    setObjectName(QStringLiteral("FabImport_dlg"));
    setWindowTitle(QStringLiteral("Open Fabrication Files"));
    auto* layout = new QVBoxLayout(this);
    auto* head = new QLabel(QStringLiteral("Package: %1\nPlated and non-plated drill files share the drill "
                                           "slot; outline and drill files marked \"both\" go to both sides.")
                                .arg(packageName));
    head->setWordWrap(true);
    layout->addWidget(head);

    m_table = new QTableWidget(files.size() + skipped.size(), ColumnCount, this);
    m_table->setObjectName(QStringLiteral("fabTable"));
    m_table->setHorizontalHeaderLabels(
        { QStringLiteral("File"), QStringLiteral("Side"), QStringLiteral("Slot"), QStringLiteral("Reason") });
    m_table->verticalHeader()->hide();
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    int row = 0;
    for (const FabFile& f : files) {
        m_table->setItem(row, FileColumn, textItem(f.path));
        if (f.content == FabContent::Centroid) {
            const bool used = FabAssignment::usesPlacements(f);
            m_table->setItem(row, SideColumn, textItem(fabSideText(f.side)));
            m_table->setItem(
                row, SlotColumn, textItem(used ? QStringLiteral("placements") : QStringLiteral("-")));
        } else if (f.content == FabContent::Gerber || f.content == FabContent::Drill) {
            auto* side = sideBox(f.side);
            auto* slot = slotBox(f.slot);
            connect(side, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &FabImport_dlg::updateSummary);
            connect(slot, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &FabImport_dlg::updateSummary);
            m_table->setCellWidget(row, SideColumn, side);
            m_table->setCellWidget(row, SlotColumn, slot);
        } else {
            m_table->setItem(row, SideColumn, textItem(QStringLiteral("-")));
            m_table->setItem(row, SlotColumn, textItem(QStringLiteral("-")));
        }
        QString reason = f.reason;
        if (f.components)
            reason += QStringLiteral(" (X3 component data)");
        m_table->setItem(row, ReasonColumn, textItem(reason));
        ++row;
    }
    for (const FabSkipped& s : skipped) {
        m_table->setItem(row, FileColumn, textItem(s.path));
        m_table->setItem(row, SideColumn, textItem(QStringLiteral("-")));
        m_table->setItem(row, SlotColumn, textItem(QStringLiteral("-")));
        m_table->setItem(row, ReasonColumn, textItem(s.reason));
        for (int c = 0; c < ColumnCount; ++c)
            m_table->item(row, c)->setForeground(Qt::gray);
        ++row;
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("fabSummary"));
    layout->addWidget(m_summary);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(1000, 560);
    updateSummary();
}

FabFiles FabImport_dlg::files() const
{
    FabFiles out = m_files;
    for (int row = 0; row < out.size(); ++row) {
        const auto* side = qobject_cast<QComboBox*>(m_table->cellWidget(row, SideColumn));
        const auto* slot = qobject_cast<QComboBox*>(m_table->cellWidget(row, SlotColumn));
        if (!side || !slot)
            continue;
        out[row].side = sideChoices[qBound(0, side->currentIndex(), 3)];
        out[row].slot = slot->currentIndex() - 1;
    }
    return out;
}

void FabImport_dlg::updateSummary()
{
    int layers = 0;
    int unplaced = 0;
    QString placements = QStringLiteral("none");
    bool x3 = false;
    for (const FabFile& f : files()) {
        if (f.content == FabContent::Centroid && FabAssignment::usesPlacements(f))
            placements = f.path;
        else if (f.placed())
            ++layers;
        else if (f.content != FabContent::Centroid)
            ++unplaced;
        x3 = x3 || f.components;
    }
    if (placements == QLatin1String("none") && x3)
        placements = QStringLiteral("from the X3 component layers");
    m_summary->setText(QStringLiteral("%1 files to load, %2 without a place. Placements: %3.")
                           .arg(layers)
                           .arg(unplaced)
                           .arg(placements));
}
