#pragma once

#include <QDialog>

class QRadioButton;

// Asks whether a file for a layer-table row is a Gerber file or an Excellon drill file.
class Gerber_drill_dlg : public QDialog
{
    Q_OBJECT
public:
    explicit Gerber_drill_dlg(QWidget* parent = nullptr);
    bool excellonChosen() const;

private:
    QRadioButton* m_gerber;
    QRadioButton* m_excellon;
};
