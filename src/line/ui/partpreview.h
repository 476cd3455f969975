#pragma once

#include <QWidget>

// The body of a part database entry drawn to scale on a millimetre grid, in the colours of a
// machine placement marker.
class PartPreview : public QWidget
{
    Q_OBJECT
public:
    explicit PartPreview(QWidget* parent = nullptr);

    // Body length (x) and width (y) in mm; nothing is drawn for sizes that are not positive.
    void setBody(double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_x = 0.0;
    double m_y = 0.0;
};
