#pragma once

#include "board/panel.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

// "Generate Origin": a rectangular grid of boards (columns, rows, board size, spacing and
// borders), the sides to write and whether the panel becomes the board size. The panel
// information follows every change; a grid of more boards than a panel holds is refused
// with a warning and the dialog stays open.
class OriginGenerator : public QDialog
{
    Q_OBJECT
public:
    OriginGenerator(const OriginGen& preset, bool topShown, QWidget* parent = nullptr);

    OriginGen values() const;
    Panel::GenerateSide side() const;
    bool generateBoardSize() const;
    void accept() override;

private:
    QDoubleSpinBox* lengthBox(const char* name, double value);
    void updateInformation();

    QSpinBox* m_columns;
    QSpinBox* m_rows;
    QDoubleSpinBox* m_sizeX;
    QDoubleSpinBox* m_sizeY;
    QDoubleSpinBox* m_spacingX;
    QDoubleSpinBox* m_spacingY;
    QDoubleSpinBox* m_bottom;
    QDoubleSpinBox* m_left;
    QDoubleSpinBox* m_top;
    QDoubleSpinBox* m_right;
    QCheckBox* m_genPCB;
    QComboBox* m_side;
    QLabel* m_quantity;
    QLabel* m_width;
    QLabel* m_height;
};
