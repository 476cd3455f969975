#include "resources/icongen/iconcanvas.h"
#include "resources/icongen/iconcatalog.h"

namespace {

// A through-hole part: body above the board, leads through it, solder below.
void drawTht(IconCanvas& c)
{
    c.rect(QRectF(1.5, 17.5, 29, 5), IconColor::boardBody, IconColor::copper, 0.8);
    for (qreal x : { 10.0, 22.0 }) {
        c.line(QPointF(x, 12), QPointF(x, 28.5), IconColor::metal, 2.0);
        QPainterPath joint;
        joint.moveTo(x - 3.5, 22.5);
        joint.lineTo(x + 3.5, 22.5);
        joint.lineTo(x + 1, 26);
        joint.lineTo(x - 1, 26);
        joint.closeSubpath();
        c.fill(joint, QColor(175, 175, 180));
    }
    c.rect(QRectF(5.5, 3.5, 21, 11), QColor(60, 110, 210), QColor(150, 190, 250), 3.0);
    c.rect(QRectF(11, 6, 10, 6), QColor(85, 135, 230), Qt::transparent, 1.0);
}

void drawHand(IconCanvas& c)
{
    const QColor skin(242, 196, 150);
    const QColor edge(125, 80, 45);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(8.5, 14, 15, 14.5), 4.5, 4.5);
    const qreal fingerTops[] = { 7.5, 4.5, 5, 8 };
    for (int i = 0; i < 4; ++i)
        hand.addRoundedRect(QRectF(8.5 + i * 3.75, fingerTops[i], 3.6, 17 - fingerTops[i] + 2), 1.8, 1.8);
    QPainterPath thumb;
    thumb.moveTo(9, 23);
    thumb.lineTo(3.5, 15.5);
    thumb.cubicTo(2.5, 13.5, 5, 12, 6.5, 13.5);
    thumb.lineTo(11, 18);
    thumb.closeSubpath();
    c.fillOutlined(hand.united(thumb), skin, edge, 1.1);
    for (int i = 1; i < 4; ++i)
        c.line(QPointF(8.5 + i * 3.75, 12), QPointF(8.5 + i * 3.75, 16), edge, 0.8);
    c.chip(QRectF(19.5, 24.5, 9, 5));
}

// The placement head of a machine: head block, tapering nozzle, part at its tip.
void drawMachine(IconCanvas& c)
{
    c.rect(QRectF(7.5, 1.5, 17, 9), QColor(70, 130, 210), QColor(160, 200, 250), 1.5);
    QPainterPath taper;
    taper.moveTo(11.5, 10.5);
    taper.lineTo(20.5, 10.5);
    taper.lineTo(17.5, 17.5);
    taper.lineTo(14.5, 17.5);
    taper.closeSubpath();
    c.fillOutlined(taper, QColor(190, 190, 195), QColor(90, 90, 95));
    c.rect(QRectF(14.5, 17.5, 3, 4.5), QColor(215, 215, 220), QColor(90, 90, 95));
    c.chip(QRectF(9.5, 22.5, 13, 6));
    c.line(QPointF(3, 25.5), QPointF(6, 25.5), IconColor::light, 1.2);
    c.line(QPointF(26, 25.5), QPointF(29, 25.5), IconColor::light, 1.2);
}

void tick(IconCanvas& c, QPointF at, qreal scale, const QColor& color, qreal width)
{
    c.polyline(
        { at + QPointF(-5, 0) * scale, at + QPointF(-1.5, 3.5) * scale, at + QPointF(5.5, -4) * scale },
        color, width);
}

void drawPlaced(IconCanvas& c)
{
    c.chip(QRectF(4.5, 5.5, 18, 12));
    c.circle(QPointF(22.5, 22.5), 8, QColor(45, 165, 65), QColor(25, 80, 35), 1.2);
    tick(c, QPointF(22.5, 23), 0.9, Qt::white, 2.4);
}

void drawCheck(IconCanvas& c)
{
    tick(c, QPointF(15, 17), 2.1, IconColor::green, 4.2);
}

void drawRefDes(IconCanvas& c)
{
    c.glyphs(QStringLiteral("R1"), QRectF(4, 7, 24, 18), Qt::white, 2.6);
}

void drawPencil(IconCanvas& c)
{
    QPainter& p = c.painter();
    p.save();
    p.translate(16, 16);
    p.rotate(-45);
    QPainterPath wood;
    wood.moveTo(-8, -3.5);
    wood.lineTo(-14.5, 0);
    wood.lineTo(-8, 3.5);
    wood.closeSubpath();
    c.fill(wood, QColor(235, 205, 160));
    QPainterPath lead;
    lead.moveTo(-12, -1.35);
    lead.lineTo(-14.5, 0);
    lead.lineTo(-12, 1.35);
    lead.closeSubpath();
    c.fill(lead, QColor(40, 40, 40));
    c.rect(QRectF(-8, -3.5, 15, 7), QColor(245, 195, 45), QColor(140, 100, 15));
    c.line(QPointF(-8, 0), QPointF(7, 0), QColor(210, 160, 30), 1.0);
    c.rect(QRectF(7, -3.5, 3, 7), QColor(190, 190, 195), QColor(100, 100, 105));
    c.rect(QRectF(10, -3.5, 4, 7), QColor(235, 125, 145), QColor(130, 60, 70), 1.2);
    p.restore();
}

void drawGrid(IconCanvas& c)
{
    for (int i = 0; i <= 4; ++i) {
        const qreal v = 4 + i * 6;
        const qreal w = (i == 0 || i == 4) ? 1.6 : 1.0;
        c.line(QPointF(v, 4), QPointF(v, 28), IconColor::dim, w);
        c.line(QPointF(4, v), QPointF(28, v), IconColor::dim, w);
    }
    c.circle(QPointF(16, 16), 2.2, IconColor::blue);
}

} // namespace

QVector<IconSource> filterIcons()
{
    return {
        { QStringLiteral("place_tht"), drawTht },
        { QStringLiteral("place_hand"), drawHand },
        { QStringLiteral("place_machine"), drawMachine },
        { QStringLiteral("placed"), drawPlaced },
        { QStringLiteral("draw"), drawPencil },
        { QStringLiteral("showRefDes"), drawRefDes },
        { QStringLiteral("check"), drawCheck },
        { QStringLiteral("grid"), drawGrid },
    };
}
