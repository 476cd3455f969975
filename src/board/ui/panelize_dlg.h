#pragma once

#include "board/panel.h"

#include <QDialog>

class QDoubleSpinBox;
class QSpinBox;

// "Panelize": the size of one board and how many rows and columns of it the panel holds.
// More boards than a panel holds are refused with a warning and the dialog stays open.
class Panelize_dlg : public QDialog
{
    Q_OBJECT
public:
    explicit Panelize_dlg(const Panel::PanelizeRequest& preset, QWidget* parent = nullptr);
    Panel::PanelizeRequest request() const;
    void accept() override;

private:
    QDoubleSpinBox* m_width;
    QDoubleSpinBox* m_height;
    QSpinBox* m_rows;
    QSpinBox* m_columns;
};
