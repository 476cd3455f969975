// The drags of the board tools: moving the selection, the rubber band and turning the selection.
#include "model/document.h"
#include "view/boardtools.h"
#include "view/toolgeometry.h"
#include "view/viewmapping.h"
#include "view/viewstate.h"

#include <QDebug>
#include <cmath>

using SelectionHits::FiducialId;

namespace {

constexpr double degreesPerRadian = 57.29577951308232;

bool finite(const QPointF& p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

} // namespace

// ---- movement

ToolResponse BoardTools::startMovement(const QPointF& world)
{
    // Gerber mode shows no placements: only drawings move there.
    m_moving = m_doc.gerberMode() ? QList<PnPEntry*>() : m_doc.selectedEntries();
    if (m_moving.isEmpty() && !m_doc.gerberMode() && m_state.filters.showPickAndPlace) {
        if (PnPEntry* under = SelectionHits::placementAt(m_doc, world))
            m_moving.append(under);
    }
    if (!m_moving.isEmpty())
        m_moving.first()->setMoving(true);
    m_lastSnap = ToolGeometry::snapMovement(world, m_state.gridSpacing);
    return ToolResponse();
}

ToolResponse BoardTools::moveSelection(const QPointF& delta)
{
    ToolResponse r;
    if (!finite(delta))
        return r;
    const QList<PnPEntry*> entries = m_dragTool ? m_moving
        : m_doc.gerberMode()                    ? QList<PnPEntry*>()
                                                : m_doc.selectedEntries();
    bool moved = false;
    for (PnPEntry* e : entries) {
        const QPointF to = QPointF(e->x(), e->y()) + delta;
        if (!finite(to))
            continue;
        m_doc.editEntry(*e, [to](PnPEntry& p) {
            p.setX(to.x());
            p.setY(to.y());
        });
        moved = true;
    }
    Drawings drawings = m_doc.drawings();
    bool drawingsMoved = false;
    for (Drawing& d : drawings) {
        if (!d.selected || !finite(QPointF(d.startX + delta.x(), d.startY + delta.y()))
            || !finite(QPointF(d.endX + delta.x(), d.endY + delta.y())))
            continue;
        d.startX += delta.x();
        d.startY += delta.y();
        d.endX += delta.x();
        d.endY += delta.y();
        drawingsMoved = true;
    }
    if (drawingsMoved)
        m_doc.setDrawings(drawings);
    if (!m_doc.gerberMode()) {
        const Fiducials& shown = *m_doc.fiducials();
        for (FiducialId id : SelectionHits::allFiducials)
            r.fiducialsChanged |= SelectionHits::fiducialSelected(shown, id);
        if (r.fiducialsChanged)
            m_doc.edit(QStringLiteral("move fiducials"), Change::Fiducials, [&](BoardSide& s) {
                for (FiducialId id : SelectionHits::allFiducials)
                    if (SelectionHits::fiducialSelected(s.fiducials, id))
                        SelectionHits::setFiducialPosition(
                            s.fiducials, id, SelectionHits::fiducialPosition(s.fiducials, id) + delta);
            });
    }
    if (moved || drawingsMoved || r.fiducialsChanged) {
        m_doc.setModified(true);
        m_changed = true;
        r.repaint = true;
        r.placementsMoved = moved;
    }
    return r;
}

ToolResponse BoardTools::endMovement()
{
    ToolResponse r;
    for (PnPEntry* e : qAsConst(m_moving))
        e->setMoving(false);
    m_moving.clear();
    r.repaint = true;
    r.documentChanged = m_changed;
    r.fiducialsChanged = m_changed;
    return r;
}

ToolResponse BoardTools::arrowKey(int stepsX, int stepsY)
{
    if (m_dragTool || m_state.tool != ToolMode::Movement)
        return ToolResponse();
    const double g = m_state.gridSpacing;
    ToolResponse r = moveSelection(QPointF(stepsX * g, stepsY * g));
    r.documentChanged = r.repaint;
    return r;
}

// ---- band selection

void BoardTools::startBand(const QPointF& world, bool ctrl)
{
    // Without Ctrl a band starts a new selection; with Ctrl it adds to the current one.
    if (!ctrl)
        clearSelection();
    // Kept on the board, so the band stays put while the view scrolls under it.
    m_bandAnchor = world;
    m_overlays.rubberBand = QRect();
    m_overlays.rubberBandShown = true;
    const QList<PnPEntry*> selected = m_doc.selectedEntries();
    m_bandBase = QSet<PnPEntry*>(selected.cbegin(), selected.cend());
    m_bandBaseFiducials.clear();
    for (FiducialId id : SelectionHits::allFiducials)
        if (SelectionHits::fiducialSelected(*m_doc.fiducials(), id))
            m_bandBaseFiducials.append(id);
}

ToolResponse BoardTools::stretchBand(const QPointF& widgetPos, int widgetHeight)
{
    ToolResponse r;
    const ViewMapping m = ViewMapping::of(m_state, widgetHeight);
    const QPointF anchor(m.xf(m_bandAnchor.x()), m.yf(m_bandAnchor.y()));
    m_overlays.rubberBand = QRect(anchor.toPoint(), widgetPos.toPoint()).normalized();
    const QRectF band
        = QRectF(m_bandAnchor, ToolGeometry::worldAt(m_state, widgetHeight, widgetPos)).normalized();
    const QList<PnPEntry*> inside = SelectionHits::placementsIn(m_doc, band);
    const QSet<PnPEntry*> insideSet(inside.cbegin(), inside.cend());
    for (PnPEntry* e : m_doc.currentList())
        if (e)
            e->setSelected(m_bandBase.contains(e) || insideSet.contains(e));
    const QList<FiducialId> fiducials = SelectionHits::fiducialsIn(m_doc, band);
    m_doc.edit(QStringLiteral("select fiducials"), Change::Selection, [&](BoardSide& s) {
        for (FiducialId id : SelectionHits::allFiducials)
            SelectionHits::setFiducialSelected(
                s.fiducials, id, m_bandBaseFiducials.contains(id) || fiducials.contains(id));
    });
    r.repaint = true;
    return r;
}

// ---- rotate selection

void BoardTools::startRotation(const QPointF& world)
{
    m_snapshot.clear();
    for (PnPEntry* e : m_doc.selectedEntries())
        m_snapshot.append({ e, e->x(), e->y(), PnPEntry::reduceRotation(e->rotation()) });
    // The placements turn about the board origin, where their coordinates are counted from.
    const BoardInfo* board = m_doc.boardInfo();
    m_pivot = QPointF(board->originX(), board->originY());
    m_startBearing = ToolGeometry::bearing(world, m_pivot);
    m_lastBearing = m_startBearing;
}

ToolResponse BoardTools::rotateTo(const QPointF& world)
{
    ToolResponse r;
    const std::optional<double> b = ToolGeometry::bearing(world, m_pivot);
    // At the pivot there is no direction: the move is ignored. A drag that started there
    // counts from its first usable position.
    if (!b || m_snapshot.isEmpty())
        return r;
    if (!m_startBearing) {
        m_startBearing = b;
        m_lastBearing = b;
        return r;
    }
    if (m_lastBearing && *b == *m_lastBearing)
        return r;
    m_lastBearing = b;
    double a = *b - *m_startBearing;
    if (a < 0)
        a += 360.0;
    qDebug() << a;
    const double c = std::cos(a / degreesPerRadian);
    const double s = std::sin(a / degreesPerRadian);
    for (const RotationStart& start : qAsConst(m_snapshot)) {
        double rotation = start.rotation - a;
        if (rotation < 0)
            rotation += 360.0;
        const double x = c * start.x + s * start.y;
        const double y = c * start.y - s * start.x;
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(rotation))
            continue;
        m_doc.editEntry(*start.entry, [=](PnPEntry& e) {
            e.setX(x);
            e.setY(y);
            e.setRotation(rotation);
        });
        m_changed = true;
    }
    r.repaint = true;
    return r;
}
