#include "view/boardpainter.h"

#include "gerber/gerberlayer.h"
#include "model/document.h"
#include "view/layerbounds.h"
#include "view/layercomposer.h"
#include "view/overlaypainter.h"
#include "view/placementmarker.h"
#include "view/selectionhits.h"
#include "view/viewmapping.h"

#include <QPainter>
#include <cmath>
#include <vector>

namespace {

const QColor frameRed(255, 0, 0);
const double layerOpacity = 0.75;
// Pixels around the view within which a placement is still drawn (its body may reach in).
const int placementMargin = 200;

// A rectangle between two world points in whole pixels.
QRect screenRect(const ViewMapping& m, double x0, double y0, double x1, double y1)
{
    return QRect(m.point(x0, y0), m.point(x1, y1)).normalized();
}

} // namespace

BoardPainter::BoardPainter(LayerComposer* composer)
    : m_composer(composer)
    , m_sprites(std::make_unique<MarkerSprites>())
{
    if (!m_composer) {
        m_ownComposer = new LayerComposer;
        m_composer = m_ownComposer;
    }
}

BoardPainter::~BoardPainter()
{
    delete m_ownComposer;
}

double BoardPainter::gridPitch(int zoomLevel, double spacing)
{
    double p = zoomLevel * spacing;
    if (!std::isfinite(p) || !(p > 0.0))
        return 0.0;
    while (p < 10.0)
        p *= 10.0;
    return p;
}

QPointF BoardPainter::worldPosition(const PnPEntry& entry, const BoardScene& scene, const QPointF& origin)
{
    const BoardInfo* board = scene.document->boardInfo();
    return QPointF(entry.x() + board->originX() + origin.x(), entry.y() + board->originY() + origin.y());
}

QRectF BoardPainter::contentExtent(const BoardScene& scene)
{
    QRectF box;
    for (const GerberLayer* layer : scene.layers->list(scene.list))
        if (layer && layer->visible)
            box = box.united(LayerBounds::extentMm(*layer, true));
    if (scene.gerberMode())
        return box;
    const Document& doc = *scene.document;
    const BoardInfo* board = doc.boardInfo();
    if (board->width() != 0.0 && board->height() != 0.0)
        box = box.united(QRectF(0, 0, board->width(), board->height()));
    const QString side = doc.activeSideIsTop() ? QStringLiteral("top") : QStringLiteral("bottom");
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool any = false;
    for (const PnPEntry* e : doc.currentList()) {
        if (!e || e->side() != side)
            continue;
        const QPointF w = worldPosition(*e, scene, QPointF());
        if (!std::isfinite(w.x()) || !std::isfinite(w.y()))
            continue;
        minX = any ? qMin(minX, w.x()) : w.x();
        maxX = any ? qMax(maxX, w.x()) : w.x();
        minY = any ? qMin(minY, w.y()) : w.y();
        maxY = any ? qMax(maxY, w.y()) : w.y();
        any = true;
    }
    if (any) // a margin of 2 mm keeps the outer markers whole
        box = box.united(QRectF(QPointF(minX - 2, minY - 2), QPointF(maxX + 2, maxY + 2)));
    return box;
}

void BoardPainter::paint(QPainter& p, const QSize& size, const BoardScene& scene)
{
    if (!scene.document || !scene.layers || !scene.state)
        return;
    const ViewState& state = *scene.state;
    const ViewMapping m = ViewMapping::of(state, size.height());
    p.save();
    p.fillRect(QRect(QPoint(0, 0), size), state.colours.background);
    if (!scene.gerberMode())
        drawBoardBody(p, m, scene);
    if (state.gridShown)
        drawGrid(p, size, scene);
    drawLayers(p, size, scene);
    drawCross(p, size, m, scene);
    if (!scene.gerberMode()) {
        drawBoardFrame(p, m, scene);
        if (state.filters.showPickAndPlace)
            drawPlacements(p, size, m, scene);
    }
    drawBoardOrigin(p, m, scene);
    if (!scene.gerberMode())
        drawSelection(p, size, m, scene);
    OverlayPainter::drawFiducials(p, m, scene);
    if (state.filters.showDrawings)
        OverlayPainter::drawDrawings(p, m, scene);
    if (!scene.gerberMode()) {
        OverlayPainter::drawRubberBand(p, scene);
        OverlayPainter::drawFiducialLabel(p, scene);
    }
    OverlayPainter::drawMeasurement(p, size, m, scene);
    p.restore();
}

QRectF BoardPainter::boardOutline(const Document& doc)
{
    const OriginGen gen = doc.originGen();
    if (!doc.origins().isEmpty() && gen.sizeX > 0.0 && gen.sizeY > 0.0 && gen.panelWidth() > 0.0
        && gen.panelHeight() > 0.0)
        return QRectF(0, 0, gen.panelWidth(), gen.panelHeight());
    const BoardInfo* board = doc.boardInfo();
    if (board->width() == 0.0 || board->height() == 0.0)
        return QRectF();
    return QRectF(0, 0, board->width(), board->height());
}

void BoardPainter::drawBoardBody(QPainter& p, const ViewMapping& m, const BoardScene& scene) const
{
    const QRectF body = boardOutline(*scene.document);
    if (body.isNull())
        return;
    p.fillRect(screenRect(m, 0, 0, body.right(), body.bottom()), scene.state->colours.boardBody);
}

void BoardPainter::drawGrid(QPainter& p, const QSize& size, const BoardScene& scene) const
{
    const ViewState& s = *scene.state;
    const double pitch = gridPitch(s.zoomLevel, s.gridSpacing);
    if (pitch <= 0.0)
        return;
    // First grid line inside the view on each axis, counted from the world origin's pixel.
    const double x0 = std::fmod(double(s.offsetX), pitch);
    const double y0 = std::fmod(double(size.height()) + s.offsetY, pitch);
    const double firstX = x0 < 0 ? x0 + pitch : x0;
    const double firstY = y0 < 0 ? y0 + pitch : y0;
    std::vector<QPoint> points;
    const int columns = int((size.width() - firstX) / pitch) + 1;
    const int rows = int((size.height() - firstY) / pitch) + 1;
    points.reserve(size_t(qMax(0, columns)) * size_t(qMax(0, rows)));
    for (int j = 0; j < rows; ++j) {
        const int y = int(std::lround(firstY + j * pitch));
        for (int i = 0; i < columns; ++i)
            points.emplace_back(int(std::lround(firstX + i * pitch)), y);
    }
    p.setPen(QPen(s.colours.grid, 1));
    p.drawPoints(points.data(), int(points.size()));
}

void BoardPainter::drawLayers(QPainter& p, const QSize& size, const BoardScene& scene)
{
    // Outside Gerber mode a panel repeats the side's layers at every enabled origin, as it does
    // the placements; the Gerber mode repeats layers by their own step and repeat.
    const QList<QPointF> copies
        = scene.gerberMode() ? QList<QPointF> { QPointF() } : SelectionHits::panelOffsets(*scene.document);
    const QImage& composed = m_composer->compose(scene.layers->list(scene.list), *scene.state, size, copies);
    p.setOpacity(layerOpacity);
    p.drawImage(0, 0, composed);
    p.setOpacity(1.0);
}

void BoardPainter::drawCross(
    QPainter& p, const QSize& size, const ViewMapping& m, const BoardScene& scene) const
{
    p.setPen(QPen(scene.state->colours.cross, 1));
    const int x = m.x(0);
    const int y = m.y(0);
    p.drawLine(x, 0, x, size.height());
    p.drawLine(0, y, size.width(), y);
}

void BoardPainter::drawBoardFrame(QPainter& p, const ViewMapping& m, const BoardScene& scene) const
{
    // A panel draws its own outline with its cells (one red frame, not two).
    if (!scene.document->origins().isEmpty())
        return;
    const QRectF body = boardOutline(*scene.document);
    if (body.isNull())
        return;
    p.setPen(QPen(frameRed, 1));
    p.setBrush(Qt::NoBrush);
    const QRect r = screenRect(m, 0, 0, body.right(), body.bottom());
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void BoardPainter::drawPanelFrame(QPainter& p, const ViewMapping& m, const BoardScene& scene) const
{
    const OriginGen gen = scene.document->originGen();
    const QRectF outline = boardOutline(*scene.document);
    p.setPen(QPen(frameRed, 1));
    p.setBrush(Qt::NoBrush);
    if (!outline.isNull())
        p.drawRect(screenRect(m, 0, 0, outline.right(), outline.bottom()).adjusted(0, 0, -1, -1));
    if (gen.sizeX == 0.0 || gen.sizeY == 0.0)
        return;
    // At most the cells a view can show apart: a corrupt count must not stall the repaint.
    const int columns = qBound(0, gen.columns, 1000);
    const int rows = qBound(0, gen.rows, 1000);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const double x = gen.borderLeft + c * (gen.sizeX + gen.spacingX);
            const double y = gen.borderBottom + r * (gen.sizeY + gen.spacingY);
            p.drawRect(screenRect(m, x, y, x + gen.sizeX, y + gen.sizeY));
        }
    }
}

void BoardPainter::drawPlacements(
    QPainter& p, const QSize& size, const ViewMapping& m, const BoardScene& scene) const
{
    const Document& doc = *scene.document;
    const QString side = doc.activeSideIsTop() ? QStringLiteral("top") : QStringLiteral("bottom");
    const QRect visible = QRect(QPoint(0, 0), size)
                              .adjusted(-placementMargin, -placementMargin, placementMargin, placementMargin);
    if (!doc.origins().isEmpty())
        drawPanelFrame(p, m, scene);
    const QList<QPointF> copies = SelectionHits::panelOffsets(doc);
    MarkerStyle style;
    style.zoomLevel = m.zoom;
    style.filters = scene.state->filters;
    style.sprites = m_sprites.get();
    const QList<PnPEntry*> entries = doc.currentList();
    const PnPEntry* moving = nullptr;
    for (const QPointF& origin : qAsConst(copies)) {
        for (const PnPEntry* e : entries) {
            if (!e || e->side() != side)
                continue;
            const QPointF w = worldPosition(*e, scene, origin);
            const QPoint c = m.point(w.x(), w.y());
            if (!visible.contains(c))
                continue;
            style.extraAngle = scene.rotationOffsets && !scene.rotationOffsets->isEmpty()
                ? scene.rotationOffsets->value(e->name() + QLatin1Char(';') + e->value(), 0.0)
                : 0.0;
            PlacementMarker::draw(p, *e, c, style);
            if (e->moving())
                moving = e;
        }
    }
    if (moving)
        PlacementMarker::drawMovingBox(p, *moving, size.height());
}

void BoardPainter::drawBoardOrigin(QPainter& p, const ViewMapping& m, const BoardScene& scene) const
{
    const BoardInfo* board = scene.document->boardInfo();
    const QPoint c = m.point(board->originX(), board->originY());
    p.setPen(QPen(scene.state->colours.origin, 1));
    p.drawLine(c.x() - 8, c.y(), c.x() + 8, c.y());
    p.drawLine(c.x(), c.y() - 8, c.x(), c.y() + 8);
}

void BoardPainter::drawSelection(
    QPainter& p, const QSize& size, const ViewMapping& m, const BoardScene& scene) const
{
    const Document& doc = *scene.document;
    const QString side = doc.activeSideIsTop() ? QStringLiteral("top") : QStringLiteral("bottom");
    // Every drawn copy of a selected placement carries the mark; the cross-hair goes through the
    // first copy, where the view centres.
    const QList<QPointF> copies = SelectionHits::panelOffsets(doc);
    if (copies.isEmpty())
        return;
    int count = 0;
    QPoint last;
    for (const PnPEntry* e : doc.currentList()) {
        if (!e || !e->selected() || e->side() != side)
            continue;
        const QString& exec = e->exec();
        const bool placedKind = exec == ExecKind::Machine || exec == ExecKind::Hand || exec == ExecKind::Tht;
        p.setPen(QPen(placedKind ? frameRed : QColor(100, 100, 100), 3));
        for (int i = copies.size() - 1; i >= 0; --i) {
            const QPointF w = worldPosition(*e, scene, copies.at(i));
            const QPoint c = m.point(w.x(), w.y());
            p.drawLine(c.x() - 1, c.y(), c.x() + 1, c.y());
            p.drawLine(c.x(), c.y() - 1, c.x(), c.y() + 1);
            for (const QPoint d : { QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1) })
                p.drawLine(c + d * 20, c + d * 26);
            last = c;
        }
        ++count;
    }
    if (scene.centreOnSelection && count == 1) {
        p.setPen(QPen(QColor(250, 250, 250), 1));
        p.drawLine(last.x(), 0, last.x(), size.height());
        p.drawLine(0, last.y(), size.width(), last.y());
    }
}
