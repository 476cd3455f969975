#pragma once

#include "line/partdbedit.h"

#include <QDialog>
#include <QSet>
#include <memory>

namespace Ui {
class edit_db_dlg;
}

// Edits one entry of the part database (new or existing). "OK" cleans and checks the texts
// and the number; a refusal shows its reason in the dialog, which stays open.
class edit_db_dlg : public QDialog
{
    Q_OBJECT
public:
    explicit edit_db_dlg(QWidget* parent = nullptr);
    ~edit_db_dlg() override;

    // Fills every field; `usedNumbers` are the numbers other entries may not take.
    void setEntry(const PartDbEdit& entry, const QSet<int>& usedNumbers);
    // The cleaned values after the dialog was accepted.
    const PartDbEdit& entry() const { return m_entry; }

private slots:
    void on_ok_button_clicked();
    void on_cancel_button_clicked();
    void on_name_textChanged(const QString& text);
    void on_type_textChanged(const QString& text);
    void on_keywords_textChanged(const QString& text);
    void on_db_no_valueChanged(int value);
    void on_feeder_type_currentIndexChanged(int index);
    void on_nozzle_valueChanged(int value);
    void on_x_dimensions_valueChanged(double value);
    void on_y_dimensions_valueChanged(double value);
    void on_z_dimensions_valueChanged(double value);

private:
    std::unique_ptr<Ui::edit_db_dlg> ui;
    PartDbEdit m_entry;
    QSet<int> m_used;
};
