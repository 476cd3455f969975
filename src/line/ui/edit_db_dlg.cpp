#include "line/ui/edit_db_dlg.h"

#include "ui_edit_db_dlg.h"
#include "uikit/formkeys.h"

#include <QSignalBlocker>

edit_db_dlg::edit_db_dlg(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::edit_db_dlg)
{
    ui->setupUi(this);
    FormKeys::keepOpenOnEnter(this);
}

edit_db_dlg::~edit_db_dlg() = default;

void edit_db_dlg::setEntry(const PartDbEdit& entry, const QSet<int>& usedNumbers)
{
    m_used = usedNumbers;
    const QSignalBlocker b1(ui->name), b2(ui->type), b3(ui->keywords), b4(ui->db_no), b5(ui->feeder_type),
        b6(ui->nozzle), b7(ui->x_dimensions), b8(ui->y_dimensions), b9(ui->z_dimensions);
    ui->name->setText(entry.name);
    ui->type->setText(entry.type);
    ui->keywords->setText(entry.keywords);
    ui->db_no->setValue(entry.dbNo);
    ui->feeder_type->setCurrentIndex(PartDbEditor::indexOfWidth(entry.feederWidth));
    ui->nozzle->setValue(entry.nozzle);
    ui->x_dimensions->setValue(entry.x);
    ui->y_dimensions->setValue(entry.y);
    ui->z_dimensions->setValue(entry.z);
    ui->message->clear();
    m_entry = entry;
    // What the widgets could show is what will be stored.
    m_entry.dbNo = ui->db_no->value();
    m_entry.feederWidth = PartDbEditor::widthOfIndex(ui->feeder_type->currentIndex());
    m_entry.nozzle = ui->nozzle->value();
    m_entry.x = ui->x_dimensions->value();
    m_entry.y = ui->y_dimensions->value();
    m_entry.z = ui->z_dimensions->value();
}

void edit_db_dlg::on_ok_button_clicked()
{
    PartDbEdit cleaned = m_entry;
    const QString problem = PartDbEditor::validate(cleaned, m_used);
    if (!problem.isEmpty()) {
        ui->message->setText(problem);
        return;
    }
    m_entry = cleaned;
    accept();
}

void edit_db_dlg::on_cancel_button_clicked()
{
    reject();
}

void edit_db_dlg::on_name_textChanged(const QString& text)
{
    m_entry.name = text;
}

void edit_db_dlg::on_type_textChanged(const QString& text)
{
    m_entry.type = text;
}

void edit_db_dlg::on_keywords_textChanged(const QString& text)
{
    m_entry.keywords = text;
}

void edit_db_dlg::on_db_no_valueChanged(int value)
{
    m_entry.dbNo = value;
}

void edit_db_dlg::on_feeder_type_currentIndexChanged(int index)
{
    m_entry.feederWidth = PartDbEditor::widthOfIndex(index);
}

void edit_db_dlg::on_nozzle_valueChanged(int value)
{
    m_entry.nozzle = value;
}

void edit_db_dlg::on_x_dimensions_valueChanged(double value)
{
    m_entry.x = value;
}

void edit_db_dlg::on_y_dimensions_valueChanged(double value)
{
    m_entry.y = value;
}

void edit_db_dlg::on_z_dimensions_valueChanged(double value)
{
    m_entry.z = value;
}
