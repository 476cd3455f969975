#include "resources/icongen/iconcanvas.h"
#include "resources/icongen/iconcatalog.h"

// Each layer is the front sheet of a stack, in the layer's colour and with what that layer holds.
namespace {

const QColor kStackEdge(210, 210, 215);

void drawSignal(IconCanvas& c)
{
    c.layerStack(QColor(20, 75, 25), IconColor::copper);
    c.clipToFrontPlate();
    c.polyline(
        { QPointF(5, 16), QPointF(11, 16), QPointF(16, 21), QPointF(19.5, 21) }, IconColor::copper, 1.8);
    c.polyline({ QPointF(5, 24.5), QPointF(14, 24.5) }, IconColor::copper, 1.8);
    c.circle(QPointF(6.5, 16), 2.2, IconColor::copper);
    c.circle(QPointF(18, 21), 2.2, IconColor::copper);
    c.rect(QRectF(14, 22.5, 4, 4), IconColor::copper);
    c.rect(QRectF(14.5, 13, 4, 4), IconColor::copper);
    c.unclip();
}

void drawMask(IconCanvas& c)
{
    c.layerStack(QColor(220, 166, 20), QColor(255, 215, 110));
    for (int i = 0; i < 3; ++i) {
        c.rect(QRectF(5.5 + i * 5, 14, 3, 5), QColor(40, 40, 40), Qt::transparent, 0.8);
        c.rect(QRectF(5.5 + i * 5, 22, 3, 5), QColor(40, 40, 40), Qt::transparent, 0.8);
    }
}

void drawPaste(IconCanvas& c)
{
    c.layerStack(QColor(95, 95, 100), QColor(225, 225, 230));
    for (int i = 0; i < 3; ++i) {
        c.rect(QRectF(5.5 + i * 5, 14, 3.2, 5), QColor(228, 228, 232), Qt::transparent, 1.4);
        c.rect(QRectF(5.5 + i * 5, 22, 3.2, 5), QColor(228, 228, 232), Qt::transparent, 1.4);
    }
}

void drawAssy(IconCanvas& c)
{
    c.layerStack(QColor(215, 220, 230), QColor(150, 160, 180));
    const QColor ink(40, 65, 130);
    c.painter().setPen(QPen(ink, 1.3));
    c.painter().setBrush(Qt::NoBrush);
    c.painter().drawRect(QRectF(5.5, 13.5, 8, 5));
    c.painter().drawRect(QRectF(8.5, 21.5, 10, 5));
    c.circle(QPointF(10.2, 23.2), 0.9, ink);
    c.circle(QPointF(17, 15.5), 1.8, Qt::transparent, ink, 1.3);
}

void drawSilk(IconCanvas& c)
{
    c.layerStack(QColor(20, 75, 25), kStackEdge);
    QPainterPath ic;
    ic.moveTo(5.5, 13.5);
    ic.lineTo(18.5, 13.5);
    ic.lineTo(18.5, 20.5);
    ic.lineTo(5.5, 20.5);
    ic.lineTo(5.5, 18.5);
    ic.arcTo(QRectF(4, 15.5, 3, 3), -90, 180);
    ic.closeSubpath();
    c.stroke(ic, Qt::white, 1.4);
    c.circle(QPointF(7.5, 25.5), 1.1, Qt::white);
    c.polyline({ QPointF(11.5, 23.5), QPointF(18.5, 23.5), QPointF(18.5, 27.5), QPointF(11.5, 27.5) },
        Qt::white, 1.4);
}

void drawOutline(IconCanvas& c)
{
    c.layerStack(QColor(45, 35, 55), QColor(120, 100, 140));
    QPainterPath board;
    board.moveTo(6, 14);
    board.lineTo(12, 14);
    board.lineTo(12, 17);
    board.lineTo(15, 17);
    board.lineTo(15, 14);
    board.lineTo(18, 14);
    board.lineTo(18, 26);
    board.lineTo(6, 26);
    board.closeSubpath();
    c.stroke(board, QColor(205, 125, 255), 1.8);
}

void drawDrill(IconCanvas& c)
{
    c.layerStack(QColor(20, 75, 25), QColor(90, 170, 240));
    const QPointF holes[] = { QPointF(7.5, 15.5), QPointF(16.5, 15.5), QPointF(12, 24.5) };
    for (const QPointF& h : holes)
        c.circle(h, 3, QColor(15, 15, 18), QColor(90, 170, 240), 1.4);
}

} // namespace

QVector<IconSource> layerIcons()
{
    return {
        { QStringLiteral("top"), drawSignal },
        { QStringLiteral("mask"), drawMask },
        { QStringLiteral("paste"), drawPaste },
        { QStringLiteral("assy"), drawAssy },
        { QStringLiteral("silk"), drawSilk },
        { QStringLiteral("board_outline"), drawOutline },
        { QStringLiteral("drill"), drawDrill },
    };
}
