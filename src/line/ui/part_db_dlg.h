#pragma once

#include "line/partdatabase.h"

#include <QDialog>
#include <memory>

namespace Ui {
class part_db_dlg;
}

// Chooses the part database entry of one feeder row: categories, the types of the chosen
// category, the chosen entry's numbers and a preview of its body.
class part_db_dlg : public QDialog
{
    Q_OBJECT
public:
    explicit part_db_dlg(const PartDatabase& database, QWidget* parent = nullptr);
    ~part_db_dlg() override;

    // Shows the entry of that number at the start (nothing when it is unknown).
    void showNumber(int dbNo);
    // The entry chosen; nullptr when none is.
    const PartDbEntry* chosenEntry() const;

private slots:
    void on_category_list_currentRowChanged(int row);
    void on_specific_list_currentRowChanged(int row);

private:
    void showEntry(const PartDbEntry* entry);

    std::unique_ptr<Ui::part_db_dlg> ui;
    const PartDatabase& m_database;
    QList<int> m_shown; // entries() indexes of specific_list's rows
    int m_chosen = -1;
};
