#include "resources/icongen/iconcanvas.h"

#include <QtMath>

IconCanvas::IconCanvas(int pixelSize)
    : m_image(pixelSize, pixelSize, QImage::Format_ARGB32_Premultiplied)
{
    m_image.fill(Qt::transparent);
    m_painter.begin(&m_image);
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.scale(qreal(pixelSize) / kSize, qreal(pixelSize) / kSize);
}

IconCanvas::~IconCanvas()
{
    if (m_painter.isActive())
        m_painter.end();
}

QImage IconCanvas::image()
{
    if (m_painter.isActive())
        m_painter.end();
    return m_image.convertToFormat(QImage::Format_ARGB32);
}

static QPen roundPen(const QColor& color, qreal width)
{
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void IconCanvas::line(QPointF a, QPointF b, const QColor& color, qreal width)
{
    m_painter.setPen(roundPen(color, width));
    m_painter.drawLine(a, b);
}

void IconCanvas::polyline(std::initializer_list<QPointF> points, const QColor& color, qreal width)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& p : points) {
        if (first)
            path.moveTo(p);
        else
            path.lineTo(p);
        first = false;
    }
    stroke(path, color, width);
}

void IconCanvas::dashedRect(const QRectF& r, const QColor& color, qreal width)
{
    QPen pen(color, width, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setDashPattern({ 2.0, 1.4 });
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(r);
}

void IconCanvas::stroke(const QPainterPath& path, const QColor& color, qreal width)
{
    m_painter.setPen(roundPen(color, width));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPath(path);
}

void IconCanvas::fill(const QPainterPath& path, const QColor& color)
{
    m_painter.fillPath(path, color);
}

void IconCanvas::fillOutlined(
    const QPainterPath& path, const QColor& fill, const QColor& outline, qreal width)
{
    m_painter.setPen(roundPen(outline, width));
    m_painter.setBrush(fill);
    m_painter.drawPath(path);
}

void IconCanvas::rect(const QRectF& r, const QColor& fill, const QColor& outline, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    fillOutlined(path, fill, outline, 1.0);
}

void IconCanvas::circle(QPointF centre, qreal radius, const QColor& fill, const QColor& outline, qreal width)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    fillOutlined(path, fill, outline, width);
}

void IconCanvas::ring(QPointF centre, qreal radius, const QColor& color, qreal width)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    stroke(path, color, width);
}

void IconCanvas::arrowHead(QPointF tip, qreal degrees, qreal length, const QColor& color)
{
    const qreal a = qDegreesToRadians(degrees);
    // Screen y grows downwards, so "up" is a negative y direction.
    const QPointF dir(qCos(a), -qSin(a));
    const QPointF normal(-dir.y(), dir.x());
    const QPointF base = tip - dir * length;
    const qreal half = length * 0.62;
    QPainterPath path;
    path.moveTo(tip);
    path.lineTo(base + normal * half);
    path.lineTo(base - normal * half);
    path.closeSubpath();
    m_painter.setPen(roundPen(color, 1.0));
    m_painter.setBrush(color);
    m_painter.drawPath(path);
}

void IconCanvas::arcArrow(
    QPointF centre, qreal radius, qreal startDeg, qreal spanDeg, const QColor& color, qreal width)
{
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    const qreal headLength = width * 2.4;
    // Leave room for the head so the stroke does not poke through its tip.
    const qreal headDeg = qRadiansToDegrees(headLength * 0.6 / radius) * (spanDeg < 0 ? -1 : 1);
    QPainterPath path;
    path.arcMoveTo(box, startDeg);
    path.arcTo(box, startDeg, spanDeg - headDeg);
    m_painter.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPath(path);
    const qreal end = qDegreesToRadians(startDeg + spanDeg);
    const QPointF tip(centre.x() + radius * qCos(end), centre.y() - radius * qSin(end));
    const qreal tangent = startDeg + spanDeg + (spanDeg < 0 ? -90.0 : 90.0);
    arrowHead(tip, tangent, headLength, color);
}

void IconCanvas::chip(const QRectF& body, const QColor& bodyColor)
{
    const qreal padW = qMax(2.0, body.width() * 0.18);
    const QRectF left(body.left() - padW * 0.5, body.top() + 1, padW, body.height() - 2);
    const QRectF right(body.right() - padW * 0.5, body.top() + 1, padW, body.height() - 2);
    rect(body, bodyColor, QColor(150, 150, 155), 1.0);
    rect(left, IconColor::metal, Qt::transparent, 0.6);
    rect(right, IconColor::metal, Qt::transparent, 0.6);
}

void IconCanvas::layerStack(const QColor& front, const QColor& frontOutline)
{
    rect(QRectF(8.5, 1.5, 21, 21), QColor(88, 88, 92), QColor(125, 125, 130), 2.0);
    rect(QRectF(5, 5, 21, 21), QColor(105, 105, 110), QColor(145, 145, 150), 2.0);
    // The front sheet takes most of the icon; its pattern is drawn in frontPlate() coordinates.
    const QRectF shown(1.5, 8.5, 22, 22);
    const QRectF plate = frontPlate();
    m_painter.translate(shown.topLeft());
    m_painter.scale(shown.width() / plate.width(), shown.height() / plate.height());
    m_painter.translate(-plate.topLeft());
    rect(plate, front, frontOutline, 2.0);
}

void IconCanvas::clipToFrontPlate()
{
    QPainterPath path;
    path.addRoundedRect(frontPlate().adjusted(1, 1, -1, -1), 1.5, 1.5);
    m_painter.setClipPath(path);
}

void IconCanvas::unclip()
{
    m_painter.setClipping(false);
}

void IconCanvas::glyphs(const QString& text, const QRectF& box, const QColor& color, qreal width)
{
    if (text.isEmpty())
        return;
    const qreal gap = box.width() * 0.12;
    const qreal w = (box.width() - gap * (text.size() - 1)) / text.size();
    const qreal h = box.height();
    for (int i = 0; i < text.size(); ++i) {
        const qreal x = box.left() + i * (w + gap);
        const qreal y = box.top();
        auto at = [&](qreal fx, qreal fy) { return QPointF(x + fx * w, y + fy * h); };
        QPainterPath path;
        switch (text.at(i).toLatin1()) {
        case 'R':
            path.moveTo(at(0, 1));
            path.lineTo(at(0, 0));
            path.lineTo(at(0.6, 0));
            path.cubicTo(at(1.05, 0), at(1.05, 0.52), at(0.6, 0.52));
            path.lineTo(at(0, 0.52));
            path.moveTo(at(0.5, 0.52));
            path.lineTo(at(1, 1));
            break;
        case 'T':
            path.moveTo(at(0, 0));
            path.lineTo(at(1, 0));
            path.moveTo(at(0.5, 0));
            path.lineTo(at(0.5, 1));
            break;
        case '1':
            path.moveTo(at(0.15, 0.25));
            path.lineTo(at(0.6, 0));
            path.lineTo(at(0.6, 1));
            path.moveTo(at(0.15, 1));
            path.lineTo(at(1, 1));
            break;
        default:
            break;
        }
        stroke(path, color, width);
    }
}
