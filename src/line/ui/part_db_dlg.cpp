#include "line/ui/part_db_dlg.h"

#include "line/ui/db_dlg.h"
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
    PartDbBrowse::select(ui->category_list, ui->specific_list, m_database, m_shown, dbNo);
}

const PartDbEntry* part_db_dlg::chosenEntry() const
{
    return m_chosen >= 0 && m_chosen < m_database.entries().size() ? &m_database.entries().at(m_chosen)
                                                                   : nullptr;
}

void part_db_dlg::on_category_list_currentRowChanged(int row)
{
    m_shown = PartDbBrowse::fillTypes(ui->specific_list, m_database, row);
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
