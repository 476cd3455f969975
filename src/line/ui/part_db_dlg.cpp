#include "line/ui/part_db_dlg.h"

#include "ui_part_db_dlg.h"

#include <QPushButton>
#include <QSignalBlocker>

part_db_dlg::part_db_dlg(const PartDatabase& database, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::part_db_dlg)
    , m_database(database)
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    {
        const QSignalBlocker block(ui->category_list);
        ui->category_list->addItems(m_database.categories());
    }
    showEntry(nullptr);
}

part_db_dlg::~part_db_dlg() = default;

void part_db_dlg::showNumber(int dbNo)
{
    const int index = m_database.indexOfNumber(dbNo);
    if (index < 0)
        return;
    ui->category_list->setCurrentRow(
        m_database.categories().indexOf(m_database.entries().at(index).category()));
    ui->specific_list->setCurrentRow(m_shown.indexOf(index));
}

const PartDbEntry* part_db_dlg::chosenEntry() const
{
    return m_chosen >= 0 && m_chosen < m_database.entries().size() ? &m_database.entries().at(m_chosen)
                                                                   : nullptr;
}

void part_db_dlg::on_category_list_currentRowChanged(int row)
{
    {
        const QSignalBlocker block(ui->specific_list);
        ui->specific_list->clear();
        m_shown.clear();
        if (row >= 0 && row < m_database.categories().size())
            m_shown = m_database.entriesOf(m_database.categories().at(row));
        for (int index : qAsConst(m_shown))
            ui->specific_list->addItem(m_database.entries().at(index).displayText());
    }
    m_chosen = -1;
    showEntry(nullptr);
}

void part_db_dlg::on_specific_list_currentRowChanged(int row)
{
    m_chosen = row >= 0 && row < m_shown.size() ? m_shown.at(row) : -1;
    showEntry(chosenEntry());
}

void part_db_dlg::showEntry(const PartDbEntry* entry)
{
    ui->db_no_value->setText(entry ? entry->number : QString());
    ui->nozzle_value->setText(entry ? entry->nozzle : QString());
    ui->feeder_type_value->setText(entry ? entry->feederType : QString());
    ui->x_value->setText(entry ? entry->x + QStringLiteral(" mm") : QString());
    ui->y_value->setText(entry ? entry->y + QStringLiteral(" mm") : QString());
    ui->z_value->setText(entry ? entry->z + QStringLiteral(" mm") : QString());
    ui->part_preview->setBody(entry ? entry->x.toDouble() : 0.0, entry ? entry->y.toDouble() : 0.0);
    // Without a chosen entry there is nothing to take over.
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(entry != nullptr);
}
