// The icons the desktop shows for the program and its project files, drawn at the hicolor sizes.
#include "resources/icongen/iconcanvas.h"
#include "resources/icongen/iconcatalog.h"

namespace {

// A green board with copper traces and two parts, the placement nozzle setting down a third.
void drawBoardWithNozzle(IconCanvas& c, const QRectF& board)
{
    const qreal sx = board.width() / 26.0;
    const qreal sy = board.height() / 24.0;
    auto at = [&](qreal x, qreal y) { return QPointF(board.left() + x * sx, board.top() + y * sy); };
    auto box = [&](qreal x, qreal y, qreal w, qreal h) { return QRectF(at(x, y), QSizeF(w * sx, h * sy)); };
    c.rect(board, IconColor::boardBody, QColor(12, 60, 16), 2.5 * sx);
    c.polyline({ at(3, 19), at(9, 19), at(13, 15), at(22, 15) }, IconColor::copper, 1.4 * sx);
    c.polyline({ at(3, 5), at(8, 5), at(11, 8) }, IconColor::copper, 1.4 * sx);
    c.circle(at(22, 15), 1.6 * sx, IconColor::amber);
    c.circle(at(3, 19), 1.6 * sx, IconColor::amber);
    c.chip(box(4, 9, 9, 5));
    c.chip(box(14, 18, 8, 4));
    // The nozzle holds its part a little above the board, over its pads.
    c.rect(box(16.5, 3.5, 3, 4), IconColor::amber, Qt::transparent, 0.3 * sx);
    c.rect(box(15, -3, 6, 7), IconColor::metal, QColor(110, 110, 115), 1.0 * sx);
    c.chip(box(15, 7.5, 6, 4));
}

void drawApplication(IconCanvas& c)
{
    drawBoardWithNozzle(c, QRectF(2, 5, 28, 25));
}

void drawProjectFile(IconCanvas& c)
{
    QPainterPath page;
    page.moveTo(4.5, 1.5);
    page.lineTo(20.5, 1.5);
    page.lineTo(27.5, 8.5);
    page.lineTo(27.5, 30.5);
    page.lineTo(4.5, 30.5);
    page.closeSubpath();
    c.fillOutlined(page, QColor(240, 240, 240), QColor(120, 120, 125));
    QPainterPath fold;
    fold.moveTo(20.5, 1.5);
    fold.lineTo(20.5, 8.5);
    fold.lineTo(27.5, 8.5);
    c.fillOutlined(fold, QColor(200, 200, 205), QColor(120, 120, 125));
    drawBoardWithNozzle(c, QRectF(7, 12, 18, 16));
}

} // namespace

QVector<IconSource> desktopIcons()
{
    return {
        { QStringLiteral("tessavrant"), drawApplication },
        { QStringLiteral("application-x-tessavrant-project"), drawProjectFile },
    };
}

QImage renderIcon(const IconSource& source, int pixelSize)
{
    IconCanvas canvas(pixelSize);
    source.draw(canvas);
    return canvas.image();
}
