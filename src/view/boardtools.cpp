#include "view/boardtools.h"

#include "model/document.h"
#include "model/numbertext.h"
#include "view/toolgeometry.h"
#include "view/viewstate.h"

#include <QDebug>
#include <cmath>

using SelectionHits::FiducialId;

namespace {

// Screen pixels within which a click takes a drawing.
constexpr double drawingCatchPixels = 5.0;

bool finite(const QPointF& p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// A position as the status line prints it (six significant digits).
double readOut(double v)
{
    return NumberText::format(v).toDouble();
}

} // namespace

ToolResponse& ToolResponse::operator|=(const ToolResponse& o)
{
    repaint |= o.repaint;
    selectionChanged |= o.selectionChanged;
    documentChanged |= o.documentChanged;
    fiducialsChanged |= o.fiducialsChanged;
    placementsMoved |= o.placementsMoved;
    askText |= o.askText;
    contextMenu |= o.contextMenu;
    if (o.newOrigin)
        newOrigin = o.newOrigin;
    if (o.cursor != Cursor::Keep)
        cursor = o.cursor;
    return *this;
}

BoardTools::BoardTools(Document& doc, const ViewState& state, BoardOverlays& overlays)
    : m_doc(doc)
    , m_state(state)
    , m_overlays(overlays)
{ }

ToolResponse BoardTools::press(const QPointF& widgetPos, int widgetHeight, Qt::MouseButton button, bool ctrl,
    const QColor& drawingColour)
{
    ToolResponse r;
    if (button == Qt::RightButton && !m_dragTool) {
        m_rightPressed = true;
        return r;
    }
    if (button != Qt::LeftButton)
        return r;
    // A drag whose release never came (a popup took it) ends here rather than blocking the tool.
    if (m_dragTool) {
        ToolResponse ended = release(widgetPos, widgetHeight, Qt::LeftButton);
        if (ended.askText)
            m_overlays.construction = Drawing();
        ended.askText = false;
        r |= ended;
    }
    const QPointF world = ToolGeometry::worldAt(m_state, widgetHeight, widgetPos);
    if (!finite(world))
        return r;
    const QPointF snapped = ToolGeometry::snap(world, m_state.gridSpacing);
    m_dragTool = m_state.tool;
    m_changed = false;
    r.repaint = true;
    switch (m_state.tool) {
    case ToolMode::SetNewPosition:
        // A corner of a selected drawing drags that corner; anywhere else the click selects.
        m_resize = cornerAt(world);
        if (m_resize)
            qDebug() << "resize Drawing";
        else
            r |= selectAt(world, ctrl);
        break;
    case ToolMode::SetNewOrigin:
        r.newOrigin = snapped;
        break;
    case ToolMode::DrawLine:
        startDrawing(Drawing::Line, snapped, drawingColour);
        break;
    case ToolMode::DrawRectangle:
        startDrawing(Drawing::Rectangle, snapped, drawingColour);
        break;
    case ToolMode::DrawFilledRectangle:
        startDrawing(Drawing::FilledRectangle, snapped, drawingColour);
        break;
    case ToolMode::InsertText:
        startDrawing(Drawing::Text, snapped, drawingColour);
        break;
    case ToolMode::Movement:
        r |= startMovement(world);
        break;
    case ToolMode::MultipleSelection:
        startBand(world, ctrl);
        r.selectionChanged = true;
        break;
    case ToolMode::Measure:
        m_overlays.measureFrom = snapped;
        m_overlays.measureTo = snapped;
        m_overlays.measurementShown = true;
        break;
    case ToolMode::RotateSelection:
        startRotation(world);
        r.cursor = ToolResponse::Cursor::ClosedHand;
        break;
    }
    return r;
}

ToolResponse BoardTools::move(const QPointF& widgetPos, int widgetHeight)
{
    ToolResponse r;
    if (!m_dragTool)
        return r;
    const QPointF world = ToolGeometry::worldAt(m_state, widgetHeight, widgetPos);
    if (!finite(world))
        return r;
    const QPointF snapped = ToolGeometry::snap(world, m_state.gridSpacing);
    switch (*m_dragTool) {
    case ToolMode::DrawLine:
    case ToolMode::DrawRectangle:
    case ToolMode::DrawFilledRectangle: {
        Drawing& d = m_overlays.construction;
        const QPointF end(readOut(snapped.x()), readOut(snapped.y()));
        if (d.type == Drawing::NoDrawing || (d.endX == end.x() && d.endY == end.y()))
            break;
        d.endX = end.x();
        d.endY = end.y();
        qDebug().nospace().noquote() << "Drawing " << m_drawingCounter << " is moving at X:" << d.endX
                                     << " Y:" << d.endY;
        r.repaint = true;
        break;
    }
    case ToolMode::Movement: {
        const QPointF s = ToolGeometry::snapMovement(world, m_state.gridSpacing);
        const QPointF delta = s - m_lastSnap;
        m_lastSnap = s;
        if (!delta.isNull())
            r |= moveSelection(delta);
        break;
    }
    case ToolMode::MultipleSelection:
        r |= stretchBand(widgetPos, widgetHeight);
        break;
    case ToolMode::Measure:
        if (m_overlays.measureTo != snapped) {
            m_overlays.measureTo = snapped;
            r.repaint = true;
        }
        break;
    case ToolMode::RotateSelection:
        r |= rotateTo(world);
        break;
    case ToolMode::SetNewPosition:
        if (m_resize)
            r |= resizeTo(snapped);
        break;
    default:
        break;
    }
    return r;
}

ToolResponse BoardTools::release(const QPointF& widgetPos, int widgetHeight, Qt::MouseButton button)
{
    ToolResponse r;
    if (button == Qt::RightButton) {
        if (!m_rightPressed)
            return r;
        m_rightPressed = false;
        return rightClick(ToolGeometry::worldAt(m_state, widgetHeight, widgetPos));
    }
    if (button != Qt::LeftButton || !m_dragTool)
        return r;
    const ToolMode tool = *m_dragTool;
    m_dragTool.reset();
    r.repaint = true;
    switch (tool) {
    case ToolMode::SetNewPosition:
        r.selectionChanged = !m_resize;
        m_resize.reset();
        break;
    case ToolMode::DrawLine:
    case ToolMode::DrawRectangle:
    case ToolMode::DrawFilledRectangle:
        r |= finishDrawing();
        break;
    case ToolMode::InsertText:
        r.askText = m_overlays.construction.type == Drawing::Text;
        break;
    case ToolMode::Movement:
        r |= endMovement();
        break;
    case ToolMode::MultipleSelection:
        m_overlays.rubberBandShown = false;
        r.selectionChanged = true;
        break;
    case ToolMode::Measure:
        m_overlays.measurementShown = false;
        break;
    case ToolMode::RotateSelection:
        m_snapshot.clear();
        r.cursor = ToolResponse::Cursor::Normal;
        r.documentChanged = m_changed;
        break;
    case ToolMode::SetNewOrigin:
        break;
    }
    return r;
}

// ---- set new position

ToolResponse BoardTools::selectAt(const QPointF& world, bool ctrl)
{
    ToolResponse r;
    if (!m_doc.gerberMode()) {
        const QList<FiducialId> fiducials = SelectionHits::fiducialsAt(m_doc, world);
        if (!fiducials.isEmpty()) {
            // A fiducial takes the click; without Ctrl it becomes the only selection.
            QList<bool> was;
            for (FiducialId id : SelectionHits::allFiducials)
                was.append(SelectionHits::fiducialSelected(*m_doc.fiducials(), id));
            if (!ctrl)
                clearSelection();
            m_doc.edit(QStringLiteral("select fiducials"), Change::Selection, [&](BoardSide& s) {
                for (FiducialId id : fiducials) {
                    SelectionHits::setFiducialSelected(s.fiducials, id, !was.at(int(id)));
                    qDebug().noquote() << SelectionHits::fiducialName(id) + QStringLiteral(" selected");
                }
            });
            return r;
        }
    }
    PnPEntry* entry = !m_doc.gerberMode() && m_state.filters.showPickAndPlace
        ? SelectionHits::placementAt(m_doc, world)
        : nullptr;
    QList<int> drawings;
    if (m_state.filters.showDrawings) {
        const Drawings all = m_doc.drawings();
        const double tolerance = drawingCatchPixels / qMax(1, m_state.zoomLevel);
        for (int i = 0; i < all.size(); ++i)
            if (ToolGeometry::hitsDrawing(all.at(i), world, tolerance))
                drawings.append(i);
    }
    // Without Ctrl a click makes what it hits the selection (an empty spot clears it); with
    // Ctrl it toggles what it hits and keeps the rest.
    const bool wasSelected = entry && entry->selected();
    if (!ctrl)
        clearSelection();
    if (entry)
        entry->setSelected(ctrl ? !wasSelected : true);
    selectDrawings(drawings, ctrl);
    return r;
}

void BoardTools::clearSelection()
{
    m_doc.clearSelection();
    m_doc.edit(QStringLiteral("clear selection"), Change::Selection, [](BoardSide& s) {
        for (FiducialId id : SelectionHits::allFiducials)
            SelectionHits::setFiducialSelected(s.fiducials, id, false);
        for (Drawing& d : s.drawings)
            d.selected = false;
    });
}

void BoardTools::selectDrawings(const QList<int>& hits, bool toggle)
{
    if (hits.isEmpty())
        return;
    m_doc.edit(QStringLiteral("select drawings"), Change::Selection, [&](BoardSide& s) {
        for (int i : hits)
            s.drawings[i].selected = toggle ? !s.drawings.at(i).selected : true;
    });
}

ToolResponse BoardTools::rightClick(const QPointF& world)
{
    ToolResponse r;
    if (m_doc.gerberMode() || !finite(world))
        return r;
    // The menu acts on the selection: a placement under the cursor that is not selected yet
    // becomes the selection first.
    PnPEntry* entry = m_state.filters.showPickAndPlace ? SelectionHits::placementAt(m_doc, world) : nullptr;
    if (entry && !entry->selected()) {
        clearSelection();
        entry->setSelected(true);
        r.selectionChanged = true;
        r.repaint = true;
    }
    qDebug() << "right click";
    r.contextMenu = true;
    return r;
}

// ---- drawings

std::optional<BoardTools::Corner> BoardTools::cornerAt(const QPointF& world) const
{
    if (!m_state.filters.showDrawings)
        return std::nullopt;
    const double tolerance = drawingCatchPixels / qMax(1, m_state.zoomLevel);
    const Drawings all = m_doc.drawings();
    // The drawing drawn last lies on top.
    for (int i = all.size() - 1; i >= 0; --i) {
        const Drawing& d = all.at(i);
        if (!d.selected || d.type < Drawing::Line || d.type > Drawing::FilledRectangle)
            continue;
        const QPointF corners[4]
            = { { d.startX, d.startY }, { d.endX, d.endY }, { d.startX, d.endY }, { d.endX, d.startY } };
        const int count = d.type == Drawing::Line ? 2 : 4;
        for (int c = 0; c < count; ++c) {
            const QPointF off = world - corners[c];
            if (std::fabs(off.x()) <= tolerance && std::fabs(off.y()) <= tolerance)
                return Corner { i, c };
        }
    }
    return std::nullopt;
}

ToolResponse BoardTools::resizeTo(const QPointF& point)
{
    ToolResponse r;
    Drawings all = m_doc.drawings();
    if (!m_resize || m_resize->drawing >= all.size())
        return r;
    Drawing& d = all[m_resize->drawing];
    const Drawing before = d;
    const double x = readOut(point.x());
    const double y = readOut(point.y());
    switch (m_resize->corner) {
    case 0:
        d.startX = x;
        d.startY = y;
        break;
    case 1:
        d.endX = x;
        d.endY = y;
        break;
    case 2:
        d.startX = x;
        d.endY = y;
        break;
    default:
        d.endX = x;
        d.startY = y;
        break;
    }
    if (d == before)
        return r;
    m_doc.setDrawings(all);
    m_doc.setModified(true);
    r.repaint = true;
    return r;
}

void BoardTools::startDrawing(int type, const QPointF& at, const QColor& colour)
{
    Drawing d;
    d.color = colour;
    d.type = type;
    d.startX = d.endX = readOut(at.x());
    d.startY = d.endY = readOut(at.y());
    m_overlays.construction = d;
}

ToolResponse BoardTools::finishDrawing()
{
    ToolResponse r;
    Drawing d = m_overlays.construction;
    m_overlays.construction = Drawing();
    r.repaint = true;
    // A click without a drag leaves nothing to see: no drawing.
    if (d.type == Drawing::NoDrawing || (d.startX == d.endX && d.startY == d.endY))
        return r;
    m_doc.appendDrawing(d);
    qDebug().nospace().noquote() << "Drawing " << m_drawingCounter << " ends at X:" << d.endX
                                 << " Y:" << d.endY << " Type: " << d.type;
    ++m_drawingCounter;
    return r;
}

ToolResponse BoardTools::finishText(
    bool accepted, const QString& text, const QFont& font, int size, const QSizeF& extent)
{
    ToolResponse r;
    Drawing d = m_overlays.construction;
    m_overlays.construction = Drawing();
    r.repaint = true;
    if (d.type != Drawing::Text)
        return r;
    if (!accepted || text.isEmpty()) {
        qDebug() << "Text aborted";
        return r;
    }
    d.text = text;
    d.font = font;
    d.textSize = size;
    // The box from the baseline start to the top right of the text, for the hit test.
    if (std::isfinite(extent.width()) && std::isfinite(extent.height())) {
        d.endX = d.startX + extent.width();
        d.endY = d.startY + extent.height();
    }
    m_doc.appendDrawing(d);
    qDebug().nospace().noquote() << "Text entered, Type: " << d.type;
    ++m_drawingCounter;
    return r;
}
