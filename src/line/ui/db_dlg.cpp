#include "line/ui/db_dlg.h"

#include "line/ui/edit_db_dlg.h"
#include "ui_db_dlg.h"
#include "uikit/prompt.h"

#include <QDebug>
#include <QListWidget>
#include <QSignalBlocker>

db_dlg::db_dlg(const QString& configFolder, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::db_dlg)
    , m_file(configFolder)
{
    ui->setupUi(this);
    readDatabase();
}

db_dlg::~db_dlg() = default;

void db_dlg::readDatabase(int showNo)
{
    {
        const QSignalBlocker b1(ui->category_list), b2(ui->specific_list);
        ui->category_list->clear();
        ui->specific_list->clear();
    }
    m_shown.clear();
    m_database.readFile(m_file.path());
    showEntry(nullptr);
    {
        const QSignalBlocker block(ui->category_list);
        ui->category_list->addItems(m_database.categories());
    }
    // After a save the user goes on where they were.
    PartDbBrowse::select(ui->category_list, ui->specific_list, m_database, m_shown, showNo);
}

void db_dlg::on_category_list_currentRowChanged(int row)
{
    m_shown = PartDbBrowse::fillTypes(ui->specific_list, m_database, row);
    showEntry(nullptr);
}

void db_dlg::on_specific_list_currentRowChanged(int row)
{
    showEntry(row >= 0 && row < m_shown.size() ? &m_database.entries().at(m_shown.at(row)) : nullptr);
}

void db_dlg::showEntry(const PartDbEntry* entry)
{
    m_haveCurrent = entry != nullptr;
    ui->pushButton->setEnabled(m_haveCurrent);
    ui->pushButton_3->setEnabled(m_haveCurrent);
    if (!entry) {
        for (QLabel* l : { ui->db_no_value, ui->nozzle_value, ui->feeder_type_value, ui->x_value, ui->y_value,
                 ui->z_value })
            l->clear();
        m_current = PartDbEdit();
        return;
    }
    ui->db_no_value->setText(entry->number);
    ui->nozzle_value->setText(entry->nozzle);
    ui->feeder_type_value->setText(entry->feederType);
    ui->x_value->setText(entry->x);
    ui->y_value->setText(entry->y);
    ui->z_value->setText(entry->z);

    m_current = PartDbEdit();
    m_current.newEntry = false;
    m_current.dbNo = entry->dbNo();
    m_current.originalNo = m_current.dbNo;
    m_current.name = entry->category();
    m_current.type = entry->type();
    m_current.keywords = m_database.keywordsOf(m_current.dbNo);
    m_current.x = entry->x.toDouble();
    m_current.y = entry->y.toDouble();
    m_current.z = entry->z.toDouble();
    m_current.nozzle = entry->nozzle.toInt();
    m_current.feederWidth = entry->feederType.chopped(qMin(2, entry->feederType.size())).toInt();
}

void db_dlg::runEditor(const PartDbEdit& entry)
{
    edit_db_dlg editor(this);
    editor.setEntry(entry, m_database.usedNumbers());
    if (prompt().exec(&editor) != QDialog::Accepted)
        return;
    if (saveLines(PartDbEditor::applyEdit(m_database.lines(), editor.entry())))
        readDatabase(editor.entry().dbNo);
    else
        reject();
}

bool db_dlg::saveLines(const QStringList& lines)
{
    QString error;
    if (m_file.save(lines, &error))
        return true;
    qDebug().noquote() << error;
    prompt().warning(this, QStringLiteral("Error"), DatabaseFile::failureText());
    return false;
}

void db_dlg::on_pushButton_2_clicked()
{
    PartDbEdit entry;
    entry.newEntry = true;
    runEditor(entry);
}

void db_dlg::on_pushButton_clicked()
{
    if (m_haveCurrent)
        runEditor(m_current);
}

void db_dlg::on_pushButton_3_clicked()
{
    if (!m_haveCurrent)
        return;
    if (saveLines(PartDbEditor::removeNumber(m_database.lines(), m_current.originalNo)))
        readDatabase();
    else
        reject();
}

void db_dlg::on_pushButton_4_clicked()
{
    accept();
}

namespace PartDbBrowse {

QList<int> fillTypes(QListWidget* types, const PartDatabase& database, int row)
{
    const QSignalBlocker block(types);
    types->clear();
    QList<int> shown;
    if (row >= 0 && row < database.categories().size())
        shown = database.entriesOf(database.categories().at(row));
    for (int index : qAsConst(shown))
        types->addItem(database.entries().at(index).displayText());
    return shown;
}

void select(QListWidget* categories, QListWidget* types, const PartDatabase& database,
    const QList<int>& shown, int dbNo)
{
    const int index = database.indexOfNumber(dbNo);
    if (index < 0)
        return;
    categories->setCurrentRow(database.categories().indexOf(database.entries().at(index).category()));
    types->setCurrentRow(shown.indexOf(index));
}

} // namespace PartDbBrowse
