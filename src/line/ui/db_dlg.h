#pragma once

#include "line/databasefile.h"
#include "line/partdatabase.h"
#include "line/partdbedit.h"

#include <QDialog>
#include <memory>

class QListWidget;

namespace Ui {
class db_dlg;
}

// Browses the part database by category and type, and adds, edits and deletes entries.
// Every change is saved at once (with the backup) and the file read again.
class db_dlg : public QDialog
{
    Q_OBJECT
public:
    explicit db_dlg(const QString& configFolder, QWidget* parent = nullptr);
    ~db_dlg() override;

    const PartDatabase& database() const { return m_database; }
    // The entry shown, as the editor would receive it.
    const PartDbEdit& currentEntry() const { return m_current; }

private slots:
    void on_category_list_currentRowChanged(int row);
    void on_specific_list_currentRowChanged(int row);
    void on_pushButton_2_clicked();
    void on_pushButton_clicked();
    void on_pushButton_3_clicked();
    void on_pushButton_4_clicked();

private:
    // Reads the file again; with `showNo` the entry of that number is shown afterwards.
    void readDatabase(int showNo = -1);
    void showEntry(const PartDbEntry* entry);
    // Opens the editor on `entry`; saves when it is accepted.
    void runEditor(const PartDbEdit& entry);
    // Saves `lines`; on failure shows the warning and returns false.
    bool saveLines(const QStringList& lines);

    std::unique_ptr<Ui::db_dlg> ui;
    PartDatabase m_database;
    DatabaseFile m_file;
    QList<int> m_shown; // entries() indexes of specific_list's rows
    PartDbEdit m_current;
    bool m_haveCurrent = false;
};

// The category and type lists both database dialogs browse with.
namespace PartDbBrowse {
// Refills `types` with the entries of category `row` without announcing a row change;
// returns their entries() indexes, row for row.
QList<int> fillTypes(QListWidget* types, const PartDatabase& database, int row);
// Selects the category and then the type of the entry numbered `dbNo` (nothing when the
// number is unknown). `shown` is the list the category change refills.
void select(QListWidget* categories, QListWidget* types, const PartDatabase& database,
    const QList<int>& shown, int dbNo);
} // namespace PartDbBrowse
