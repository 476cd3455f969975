#pragma once

#include "model/origin.h"

#include <QDialog>

class QComboBox;

// Asks which panel origin a placement converted into a board fiducial belongs to ("none" for
// a position already in panel coordinates).
class convert_pnp_to_fid_dlg : public QDialog
{
    Q_OBJECT
public:
    explicit convert_pnp_to_fid_dlg(const Origins& origins, QWidget* parent = nullptr);
    // Index into the origins; the origin count for "none".
    int choice() const;

private:
    QComboBox* m_origins;
};
