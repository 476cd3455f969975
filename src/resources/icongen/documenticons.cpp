#include "resources/icongen/iconcanvas.h"
#include "resources/icongen/iconcatalog.h"

namespace {

void drawNew(IconCanvas& c)
{
    QPainterPath page;
    page.moveTo(6.5, 3.5);
    page.lineTo(19.5, 3.5);
    page.lineTo(25.5, 9.5);
    page.lineTo(25.5, 28.5);
    page.lineTo(6.5, 28.5);
    page.closeSubpath();
    c.fillOutlined(page, QColor(240, 240, 240), QColor(120, 120, 125));
    QPainterPath fold;
    fold.moveTo(19.5, 3.5);
    fold.lineTo(19.5, 9.5);
    fold.lineTo(25.5, 9.5);
    c.fillOutlined(fold, QColor(200, 200, 205), QColor(120, 120, 125));
    for (qreal y : { 13.0, 17.0, 21.0 })
        c.line(QPointF(10, y), QPointF(19, y), QColor(170, 170, 175), 1.2);
    c.circle(QPointF(23.5, 23.5), 6.5, QColor(50, 170, 70), QColor(30, 90, 40));
    c.line(QPointF(23.5, 20), QPointF(23.5, 27), Qt::white, 2.2);
    c.line(QPointF(20, 23.5), QPointF(27, 23.5), Qt::white, 2.2);
}

void drawOpen(IconCanvas& c)
{
    QPainterPath back;
    back.moveTo(3.5, 7.5);
    back.lineTo(11.5, 7.5);
    back.lineTo(14, 10.5);
    back.lineTo(26.5, 10.5);
    back.lineTo(26.5, 26.5);
    back.lineTo(3.5, 26.5);
    back.closeSubpath();
    c.fillOutlined(back, QColor(205, 145, 40), QColor(120, 80, 20));
    QPainterPath front;
    front.moveTo(3.5, 26.5);
    front.lineTo(8.5, 15.5);
    front.lineTo(30.5, 15.5);
    front.lineTo(26.5, 26.5);
    front.closeSubpath();
    c.fillOutlined(front, QColor(250, 205, 95), QColor(150, 100, 25));
}

void drawSave(IconCanvas& c)
{
    QPainterPath body;
    body.moveTo(4.5, 4.5);
    body.lineTo(24, 4.5);
    body.lineTo(27.5, 8);
    body.lineTo(27.5, 27.5);
    body.lineTo(4.5, 27.5);
    body.closeSubpath();
    c.fillOutlined(body, QColor(55, 115, 205), QColor(25, 55, 110));
    c.rect(QRectF(9.5, 4.5, 13, 8), QColor(215, 215, 220), QColor(25, 55, 110));
    c.rect(QRectF(17.5, 6, 3, 5), QColor(55, 115, 205));
    c.rect(QRectF(8.5, 16.5, 15, 11), QColor(245, 245, 245), QColor(25, 55, 110));
    for (qreal y : { 20.0, 23.5 })
        c.line(QPointF(11, y), QPointF(21, y), QColor(160, 160, 170), 1.2);
}

// A small board with two parts, used by the board operations.
void smallBoard(IconCanvas& c, const QRectF& r)
{
    c.rect(r, IconColor::boardBody, IconColor::copper, 1.5);
    const QPointF m = r.center();
    c.chip(QRectF(m.x() - 4.5, r.top() + r.height() * 0.22, 9, 4));
    c.chip(QRectF(m.x() - 3, r.bottom() - r.height() * 0.22 - 4, 6, 4));
}

void drawMirror(IconCanvas& c)
{
    QPainterPath left;
    left.moveTo(13.5, 7);
    left.lineTo(13.5, 25);
    left.lineTo(3.5, 25);
    left.closeSubpath();
    c.fillOutlined(left, IconColor::blue, QColor(40, 90, 150), 1.2);
    QPainterPath right;
    right.moveTo(18.5, 7);
    right.lineTo(18.5, 25);
    right.lineTo(28.5, 25);
    right.closeSubpath();
    c.stroke(right, IconColor::blue, 1.6);
    QPen axis(IconColor::light, 1.5, Qt::CustomDashLine, Qt::FlatCap);
    axis.setDashPattern({ 2.0, 1.5 });
    c.painter().setPen(axis);
    c.painter().drawLine(QPointF(16, 2), QPointF(16, 30));
    c.arcArrow(QPointF(16, 9), 6, 160, -140, IconColor::amber, 1.6);
}

void drawRotateBoard(IconCanvas& c)
{
    smallBoard(c, QRectF(3.5, 9.5, 18, 19));
    c.arcArrow(QPointF(21, 11), 8, 180, -180, IconColor::amber, 2.4);
}

void drawGenerateOrigin(IconCanvas& c)
{
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 2; ++col) {
            const QRectF r(3.5 + col * 14, 3.5 + row * 14, 11, 11);
            c.rect(r, IconColor::boardBody, IconColor::copper, 1.0);
            const QPointF o = r.bottomLeft() + QPointF(2.5, -2.5);
            c.line(o + QPointF(-2, 0), o + QPointF(3, 0), IconColor::red, 1.6);
            c.line(o + QPointF(0, 2), o + QPointF(0, -3), IconColor::red, 1.6);
        }
    }
}

void drawSearch(IconCanvas& c)
{
    c.line(QPointF(19, 19), QPointF(27.5, 27.5), QColor(120, 120, 125), 5.0);
    c.line(QPointF(20, 20), QPointF(27, 27), IconColor::amber, 3.0);
    c.circle(QPointF(13, 13), 8.5, QColor(150, 200, 245, 110), IconColor::light, 2.5);
    QPainterPath glint;
    glint.arcMoveTo(QRectF(7.5, 7.5, 11, 11), 100);
    glint.arcTo(QRectF(7.5, 7.5, 11, 11), 100, 70);
    c.stroke(glint, Qt::white, 1.5);
}

// A bent arrow turning back (undo) or forward (redo) over a short line of history.
void historyArrow(IconCanvas& c, bool forward)
{
    const QColor arrow(45, 105, 190);
    if (forward)
        c.arcArrow(QPointF(16, 19), 9, 160, -140, arrow, 3.0);
    else
        c.arcArrow(QPointF(16, 19), 9, 20, 140, arrow, 3.0);
    c.line(QPointF(7, 27.5), QPointF(25, 27.5), QColor(150, 150, 160), 1.5);
}

void drawUndo(IconCanvas& c)
{
    historyArrow(c, false);
}

void drawRedo(IconCanvas& c)
{
    historyArrow(c, true);
}

} // namespace

QVector<IconSource> documentIcons()
{
    return {
        { QStringLiteral("new"), drawNew },
        { QStringLiteral("open"), drawOpen },
        { QStringLiteral("save"), drawSave },
        { QStringLiteral("undo"), drawUndo },
        { QStringLiteral("redo"), drawRedo },
        { QStringLiteral("mirror"), drawMirror },
        { QStringLiteral("rotate_board"), drawRotateBoard },
        { QStringLiteral("generate_origin"), drawGenerateOrigin },
        { QStringLiteral("search"), drawSearch },
    };
}
