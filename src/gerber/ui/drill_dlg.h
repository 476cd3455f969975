#pragma once

#include "gerber/excellonformat.h"

#include <QDialog>
#include <memory>

namespace Ui {
class Drill_dlg;
}

// Asks for the number format of an Excellon file: which zeros are omitted and how many
// digits stand before and after the decimal point. Drill files rarely say so reliably.
class Drill_dlg : public QDialog
{
    Q_OBJECT

public:
    explicit Drill_dlg(QWidget* parent = nullptr);
    ~Drill_dlg() override;

    // The choice as the reader takes it.
    ExcellonFormat format() const;
    void setFormat(const ExcellonFormat& format);

private:
    std::unique_ptr<Ui::Drill_dlg> ui;
};
