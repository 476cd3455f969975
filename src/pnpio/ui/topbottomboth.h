#pragma once

#include "pnpio/pnpexport.h"

#include <QDialog>
#include <memory>

namespace Ui {
class topbottomboth;
}

// Options dialog of the two CSV exports: sides, execute kinds and, for the part
// list only, the number of boards per panel. The choices are stored when OK closes it.
class topbottomboth : public QDialog
{
    Q_OBJECT

public:
    explicit topbottomboth(QWidget* parent = nullptr);
    ~topbottomboth() override;

    // The "Panels:" row is only meaningful for the part list.
    void setPanelsVisible(bool visible);

    // The choices stored by the last OK; the defaults before that.
    PnPExportOptions options() const { return stored; }

private slots:
    void on_okButton_clicked();

private:
    std::unique_ptr<Ui::topbottomboth> ui;
    PnPExportOptions stored;
};
