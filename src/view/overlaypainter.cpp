#include "view/overlaypainter.h"

#include "model/document.h"
#include "model/numbertext.h"
#include "view/toolgeometry.h"
#include "view/viewmapping.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <cmath>

namespace {

const QColor fiducialColour(0, 255, 255);
const QColor selectionRed(255, 0, 0);

struct FiducialMark
{
    const char* name;
    double x;
    double y;
    bool selected;
};

void drawFiducial(QPainter& p, const ViewMapping& m, const Fiducials& f, const QPointF& at, bool highlighted)
{
    const QPoint c = m.point(at.x(), at.y());
    const int w = m.length(f.geometryX());
    const int h = f.geometryIndex() == Fiducials::Square ? m.length(f.geometryY()) : w;
    const QColor colour = highlighted ? QColor(Qt::white) : fiducialColour;
    p.setPen(QPen(colour, 1));
    p.setBrush(f.reflectIndex() == Fiducials::ReflectOn ? QBrush(colour) : QBrush(Qt::NoBrush));
    const QRect box(c.x() - w / 2, c.y() - h / 2, w, h);
    if (f.geometryIndex() == Fiducials::Square)
        p.drawRect(box);
    else
        p.drawEllipse(box);
    p.setPen(QPen(highlighted ? Qt::black : Qt::white, 1));
    p.drawLine(c.x() - 5, c.y(), c.x() + 5, c.y());
    p.drawLine(c.x(), c.y() - 5, c.x(), c.y() + 5);
}

void drawSelectedMark(QPainter& p, const ViewMapping& m, const QPointF& at)
{
    const QPoint c = m.point(at.x(), at.y());
    p.setPen(QPen(selectionRed, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(c.x() - 8, c.y() - 8, 16, 16);
}

QList<FiducialMark> selectedFiducials(const Fiducials& f)
{
    QList<FiducialMark> marks;
    if (f.board1Selected())
        marks.append({ "Board 1", f.board1X(), f.board1Y(), true });
    if (f.board2Selected())
        marks.append({ "Board 2", f.board2X(), f.board2Y(), true });
    if (f.block1Selected())
        marks.append({ "Block 1", f.block1X(), f.block1Y(), true });
    if (f.block2Selected())
        marks.append({ "Block 2", f.block2X(), f.block2Y(), true });
    return marks;
}

} // namespace

namespace OverlayPainter {

void drawFiducials(QPainter& p, const ViewMapping& m, const BoardScene& scene)
{
    const Document& doc = *scene.document;
    const Fiducials* f = doc.fiducials();
    const BoardInfo* board = doc.boardInfo();
    if (!f || !board)
        return;
    const QPointF base(board->originX(), board->originY());
    if (f->blockExec()) {
        Origins origins = doc.origins();
        if (origins.isEmpty())
            origins.append(Origin());
        const FiducialMark blocks[2] = { { "Block 1", f->block1X(), f->block1Y(), f->block1Selected() },
            { "Block 2", f->block2X(), f->block2Y(), f->block2Selected() } };
        for (const Origin& o : qAsConst(origins))
            for (const FiducialMark& b : blocks)
                drawFiducial(p, m, *f, base + QPointF(o.x + b.x, o.y + b.y), b.selected);
        // The mark sits on every drawn copy, where a click selects it.
        for (const Origin& o : qAsConst(origins))
            for (const FiducialMark& b : blocks)
                if (b.selected)
                    drawSelectedMark(p, m, base + QPointF(o.x + b.x, o.y + b.y));
    }
    if (f->boardExec()) {
        drawFiducial(p, m, *f, base + QPointF(f->board1X(), f->board1Y()), f->board1Selected());
        drawFiducial(p, m, *f, base + QPointF(f->board2X(), f->board2Y()), f->board2Selected());
    }
}

void drawDrawings(QPainter& p, const ViewMapping& m, const BoardScene& scene)
{
    Drawings drawings = scene.document->drawings();
    if (scene.overlays.construction.type != Drawing::NoDrawing)
        drawings.append(scene.overlays.construction);
    for (const Drawing& d : qAsConst(drawings)) {
        const QPoint a = m.point(d.startX, d.startY);
        const QPoint b = m.point(d.endX, d.endY);
        // 2 px; a selected drawing is drawn bolder.
        p.setPen(QPen(d.color, d.selected ? 4 : 2));
        p.setBrush(Qt::NoBrush);
        switch (d.type) {
        case Drawing::Line:
            p.drawLine(a, b);
            break;
        case Drawing::Rectangle:
            p.drawRect(QRect(a, b).normalized());
            break;
        case Drawing::FilledRectangle:
            p.fillRect(QRect(a, b).normalized(), d.color);
            break;
        case Drawing::Text: {
            const int pixelSize = int(double(d.textSize) * m.zoom / 10);
            if (pixelSize < 1 || pixelSize > 10000)
                break;
            QFont font = d.font;
            font.setPixelSize(pixelSize);
            p.setFont(font);
            p.drawText(a, d.text);
            break;
        }
        default:
            break;
        }
    }
}

void drawRubberBand(QPainter& p, const BoardScene& scene)
{
    if (!scene.overlays.rubberBandShown)
        return;
    const QColor band(127, 201, 255);
    p.setPen(QPen(band, 3));
    p.setBrush(QBrush(band, Qt::BDiagPattern));
    p.drawRect(scene.overlays.rubberBand.normalized());
}

void drawFiducialLabel(QPainter& p, const BoardScene& scene)
{
    const Fiducials* f = scene.document->fiducials();
    if (!f)
        return;
    const QList<FiducialMark> selected = selectedFiducials(*f);
    if (selected.size() != 1)
        return;
    const FiducialMark& mark = selected.first();
    const QString text = QStringLiteral("Fiducial: ") + QLatin1String(mark.name) + QStringLiteral("   X: ")
        + NumberText::format(mark.x) + QStringLiteral("   Y: ") + NumberText::format(mark.y);
    QFont font = p.font();
    font.setPixelSize(12);
    p.setFont(font);
    const QRect box(10, 10, 260, 20);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(box);
    p.drawText(box.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
}

void drawMeasurement(QPainter& p, const QSize& size, const ViewMapping& m, const BoardScene& scene)
{
    if (!scene.overlays.measurementShown)
        return;
    const QPointF from = scene.overlays.measureFrom;
    const QPointF to = scene.overlays.measureTo;
    const QPoint a = m.point(from.x(), from.y());
    const QPoint b = m.point(to.x(), to.y());
    p.setPen(QPen(scene.state->colours.measure, 1));
    p.drawLine(a, b);
    const ToolGeometry::Measurement lengths = ToolGeometry::measure(from, to);
    const QString boxText = ToolGeometry::measureBoxText(lengths);
    const QRect box(size.width() - 10 - 248, size.height() - 12 - 16, 248, 16);
    // The read-out must fit its box: a wide font steps down from 12 px.
    QFont font = p.font();
    for (int pixels = 12; pixels >= 8; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(boxText) <= box.width() - 8)
            break;
    }
    p.setFont(font);
    // Beside the second end, below it when the first end lies higher; on a dark backing so it
    // reads over copper and silk.
    const QString label = ToolGeometry::measureText(lengths.total);
    const QPoint at = from.y() > to.y() ? QPoint(b.x() + 5, b.y() + 30) : QPoint(b.x() + 5, b.y() - 5);
    const QRect labelBox = QFontMetrics(font).boundingRect(label).translated(at).adjusted(-2, -1, 2, 1);
    p.fillRect(labelBox, QColor(0, 0, 0, 160));
    p.drawText(at, label);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(box);
    p.drawText(box.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, boxText);
}

} // namespace OverlayPainter
