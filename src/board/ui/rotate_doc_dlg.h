#pragma once

#include "board/boardtransform.h"

#include <QDialog>

class QCheckBox;

// Asks what "Rotate Board" turns: the layers and board data ("Gerber"), the placements and
// fiducials ("Pick-and-Place"), or both.
class Rotate_doc_dlg : public QDialog
{
    Q_OBJECT
public:
    explicit Rotate_doc_dlg(QWidget* parent = nullptr);
    BoardTransform::RotateOptions options() const;

private:
    QCheckBox* m_gerber;
    QCheckBox* m_pnp;
};
