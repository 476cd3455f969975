#include "line/ui/partpreview.h"

#include <QPainter>
#include <cmath>

namespace {
const QColor background(10, 10, 10);
const QColor gridPoints(90, 90, 90);
const QColor bodyLines(80, 100, 255);
const QColor marks(80, 255, 255);
constexpr double margin = 12.0;
} // namespace

PartPreview::PartPreview(QWidget* parent)
    : QWidget(parent)
{ }

void PartPreview::setBody(double x, double y)
{
    m_x = std::isfinite(x) && x > 0 ? x : 0.0;
    m_y = std::isfinite(y) && y > 0 ? y : 0.0;
    update();
}

void PartPreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), background);
    // The body fills the widget less a margin; the grid shows whole millimetres, or tens of
    // them for large parts, so that the points never crowd.
    const double longest = qMax(qMax(m_x, m_y), 1.0);
    const double scale = qMax(1.0, (qMin(width(), height()) - 2 * margin) / longest);
    const double step = scale >= 4.0 ? scale : scale * 10.0;
    const QPointF c(width() / 2.0, height() / 2.0);
    p.setPen(gridPoints);
    for (double x = std::fmod(c.x(), step); x < width(); x += step)
        for (double y = std::fmod(c.y(), step); y < height(); y += step)
            p.drawPoint(QPointF(x, y));
    if (m_x <= 0 || m_y <= 0)
        return;
    const QRectF body(c.x() - m_x * scale / 2, c.y() - m_y * scale / 2, m_x * scale, m_y * scale);
    p.setPen(QPen(bodyLines, 1));
    p.drawRect(body);
    p.setPen(QPen(marks, 1));
    p.drawLine(c, QPointF(body.right(), c.y()));
    p.drawLine(c + QPointF(-3, 0), c + QPointF(3, 0));
    p.drawLine(c + QPointF(0, -3), c + QPointF(0, 3));
}
