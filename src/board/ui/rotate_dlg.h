#pragma once

#include <QDialog>

class QDoubleSpinBox;

// Asks for the angle by which "Rotation" turns every placement of the shown side.
class Rotate_dlg : public QDialog
{
    Q_OBJECT
public:
    explicit Rotate_dlg(QWidget* parent = nullptr);
    // Degrees, clockwise.
    double angle() const;

private:
    QDoubleSpinBox* m_angle;
};
