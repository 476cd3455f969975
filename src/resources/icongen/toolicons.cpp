#include "resources/icongen/iconcanvas.h"
#include "resources/icongen/iconcatalog.h"

#include <QtMath>

namespace {

// Drawing tools share the default drawing colour and white corner handles.
const QColor kDrawColor(240, 85, 70);

void handle(IconCanvas& c, QPointF p)
{
    c.rect(QRectF(p.x() - 2, p.y() - 2, 4, 4), Qt::white, IconColor::outline);
}

// Set new position: the selecting pointer over a part.
void drawPointer(IconCanvas& c)
{
    c.chip(QRectF(15.5, 19.5, 12, 7));
    QPainterPath arrow;
    arrow.moveTo(6, 3);
    arrow.lineTo(6, 24);
    arrow.lineTo(11, 19.5);
    arrow.lineTo(14.5, 27.5);
    arrow.lineTo(18, 26);
    arrow.lineTo(14.5, 18);
    arrow.lineTo(21, 18);
    arrow.closeSubpath();
    c.fillOutlined(arrow, QColor(245, 245, 245), IconColor::outline, 1.3);
}

void drawMovement(IconCanvas& c)
{
    const QPointF m(16, 16);
    c.line(QPointF(6, 16), QPointF(26, 16), IconColor::blue, 2.4);
    c.line(QPointF(16, 6), QPointF(16, 26), IconColor::blue, 2.4);
    c.arrowHead(QPointF(30, 16), 0, 7, IconColor::blue);
    c.arrowHead(QPointF(2, 16), 180, 7, IconColor::blue);
    c.arrowHead(QPointF(16, 2), 90, 7, IconColor::blue);
    c.arrowHead(QPointF(16, 30), 270, 7, IconColor::blue);
    c.circle(m, 3, IconColor::light, IconColor::outline);
}

void drawRotateSelection(IconCanvas& c)
{
    c.dashedRect(QRectF(9.5, 9.5, 13, 13), IconColor::light, 1.4);
    c.chip(QRectF(12.5, 13.5, 7, 5));
    c.arcArrow(QPointF(16, 16), 12, 200, -250, IconColor::amber, 2.4);
}

void drawMultiSelect(IconCanvas& c)
{
    c.chip(QRectF(7.5, 7.5, 8, 5));
    c.chip(QRectF(15.5, 16.5, 9, 5));
    c.chip(QRectF(7.5, 20.5, 5, 4));
    c.dashedRect(QRectF(3.5, 3.5, 25, 25), IconColor::light, 1.6);
    c.rect(QRectF(26, 26, 5, 5), IconColor::blue, IconColor::outline);
}

void drawOrigin(IconCanvas& c)
{
    const QPointF o(8, 24);
    c.line(o, QPointF(26, 24), IconColor::red, 2.4);
    c.arrowHead(QPointF(30.5, 24), 0, 7, IconColor::red);
    c.line(o, QPointF(8, 6), IconColor::green, 2.4);
    c.arrowHead(QPointF(8, 1.5), 90, 7, IconColor::green);
    c.circle(o, 4.5, QColor(53, 53, 53), IconColor::light, 1.8);
    c.circle(o, 1.6, IconColor::light);
}

void drawMeasure(IconCanvas& c)
{
    QPainter& p = c.painter();
    p.save();
    p.translate(16, 16);
    p.rotate(-45);
    c.rect(QRectF(-15, -5, 30, 10), IconColor::yellow, QColor(120, 95, 20), 1.0);
    for (int i = 0; i < 9; ++i) {
        const qreal x = -12 + i * 3;
        c.line(QPointF(x, -5), QPointF(x, i % 2 == 0 ? -0.5 : -2.5), QColor(60, 45, 10), 1.1);
    }
    p.restore();
}

void drawLine(IconCanvas& c)
{
    c.line(QPointF(6, 26), QPointF(26, 6), kDrawColor, 2.6);
    handle(c, QPointF(6, 26));
    handle(c, QPointF(26, 6));
}

void drawRectEmpty(IconCanvas& c)
{
    c.painter().setPen(QPen(kDrawColor, 2.4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    c.painter().setBrush(Qt::NoBrush);
    c.painter().drawRect(QRectF(5, 8, 22, 16));
    handle(c, QPointF(5, 8));
    handle(c, QPointF(27, 24));
}

void drawRectFilled(IconCanvas& c)
{
    c.rect(QRectF(5, 8, 22, 16), kDrawColor, QColor(150, 40, 30));
    handle(c, QPointF(5, 8));
    handle(c, QPointF(27, 24));
}

void drawInsertText(IconCanvas& c)
{
    c.glyphs(QStringLiteral("T"), QRectF(7, 6, 18, 20), kDrawColor, 4.0);
    c.line(QPointF(24, 21), QPointF(24, 29), IconColor::light, 1.4);
    c.line(QPointF(22, 21), QPointF(26, 21), IconColor::light, 1.4);
    c.line(QPointF(22, 29), QPointF(26, 29), IconColor::light, 1.4);
}

void drawDrawingsColor(IconCanvas& c)
{
    QPainterPath palette;
    palette.addEllipse(QRectF(2.5, 5.5, 27, 21));
    QPainterPath thumb;
    thumb.addEllipse(QRectF(17, 17, 6, 5));
    c.fillOutlined(palette.subtracted(thumb), QColor(225, 190, 140), QColor(110, 80, 40), 1.2);
    c.circle(QPointF(9, 12), 2.8, QColor(235, 60, 50));
    c.circle(QPointF(16, 10), 2.8, QColor(250, 210, 40));
    c.circle(QPointF(23, 12), 2.8, QColor(60, 190, 80));
    c.circle(QPointF(9, 19.5), 2.8, QColor(60, 120, 230));
}

} // namespace

QVector<IconSource> toolIcons()
{
    return {
        { QStringLiteral("move"), drawPointer },
        { QStringLiteral("movement"), drawMovement },
        { QStringLiteral("rotate"), drawRotateSelection },
        { QStringLiteral("multiselect"), drawMultiSelect },
        { QStringLiteral("origin"), drawOrigin },
        { QStringLiteral("measure"), drawMeasure },
        { QStringLiteral("line"), drawLine },
        { QStringLiteral("rect_empty"), drawRectEmpty },
        { QStringLiteral("rect_fill"), drawRectFilled },
        { QStringLiteral("insert_text"), drawInsertText },
        { QStringLiteral("drawingscolor"), drawDrawingsColor },
    };
}
