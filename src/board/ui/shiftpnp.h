#pragma once

#include "board/boardtransform.h"

#include <QDialog>

class QLineEdit;

// Asks for the distance of "Shift X" or "Shift Y". A text that is not a decimal number is
// refused with a warning and the dialog stays open, so nothing is shifted by mistake.
class ShiftPnP : public QDialog
{
    Q_OBJECT
public:
    explicit ShiftPnP(BoardTransform::Axis axis, QWidget* parent = nullptr);
    // The accepted distance in mm.
    double value() const { return m_value; }
    void accept() override;

private:
    QLineEdit* m_edit;
    double m_value = 0.0;
};
