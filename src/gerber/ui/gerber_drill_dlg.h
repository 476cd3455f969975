#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class Gerber_drill_dlg;
}

// Asks whether a file for a layer-table row is a Gerber file or an Excellon drill file.
class Gerber_drill_dlg : public QDialog
{
    Q_OBJECT
public:
    explicit Gerber_drill_dlg(QWidget* parent = nullptr);
    ~Gerber_drill_dlg() override;
    bool excellonChosen() const;

private:
    std::unique_ptr<Ui::Gerber_drill_dlg> ui;
};
