#include "view/selectionhits.h"

#include "model/document.h"

#include <cmath>

namespace SelectionHits {

namespace {

QString shownSide(const Document& doc)
{
    return doc.activeSideIsTop() ? QStringLiteral("top") : QStringLiteral("bottom");
}

QPointF boardOrigin(const Document& doc)
{
    const BoardInfo* board = doc.boardInfo();
    return QPointF(board->originX(), board->originY());
}

// Where the view draws one fiducial: board fiducials once, block fiducials at every origin.
QList<QPointF> fiducialCentres(const Document& doc, FiducialId id)
{
    const QPointF own = boardOrigin(doc) + fiducialPosition(*doc.fiducials(), id);
    if (id == FiducialId::Board1 || id == FiducialId::Board2)
        return { own };
    const Origins origins = doc.origins();
    if (origins.isEmpty())
        return { own };
    QList<QPointF> centres;
    for (const Origin& o : origins)
        centres.append(own + QPointF(o.x, o.y));
    return centres;
}

bool inside(const QRectF& band, const QPointF& p)
{
    return p.x() >= band.left() && p.x() <= band.right() && p.y() >= band.top() && p.y() <= band.bottom();
}

} // namespace

QString fiducialName(FiducialId id)
{
    switch (id) {
    case FiducialId::Board1:
        return QStringLiteral("Board 1");
    case FiducialId::Board2:
        return QStringLiteral("Board 2");
    case FiducialId::Block1:
        return QStringLiteral("Block 1");
    case FiducialId::Block2:
        break;
    }
    return QStringLiteral("Block 2");
}

QPointF fiducialPosition(const Fiducials& f, FiducialId id)
{
    switch (id) {
    case FiducialId::Board1:
        return QPointF(f.board1X(), f.board1Y());
    case FiducialId::Board2:
        return QPointF(f.board2X(), f.board2Y());
    case FiducialId::Block1:
        return QPointF(f.block1X(), f.block1Y());
    case FiducialId::Block2:
        break;
    }
    return QPointF(f.block2X(), f.block2Y());
}

void setFiducialPosition(Fiducials& f, FiducialId id, const QPointF& p)
{
    if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
        return;
    switch (id) {
    case FiducialId::Board1:
        f.setBoard1X(p.x());
        f.setBoard1Y(p.y());
        break;
    case FiducialId::Board2:
        f.setBoard2X(p.x());
        f.setBoard2Y(p.y());
        break;
    case FiducialId::Block1:
        f.setBlock1X(p.x());
        f.setBlock1Y(p.y());
        break;
    case FiducialId::Block2:
        f.setBlock2X(p.x());
        f.setBlock2Y(p.y());
        break;
    }
}

bool fiducialSelected(const Fiducials& f, FiducialId id)
{
    switch (id) {
    case FiducialId::Board1:
        return f.board1Selected();
    case FiducialId::Board2:
        return f.board2Selected();
    case FiducialId::Block1:
        return f.block1Selected();
    case FiducialId::Block2:
        break;
    }
    return f.block2Selected();
}

void setFiducialSelected(Fiducials& f, FiducialId id, bool on)
{
    switch (id) {
    case FiducialId::Board1:
        f.setBoard1Selected(on);
        break;
    case FiducialId::Board2:
        f.setBoard2Selected(on);
        break;
    case FiducialId::Block1:
        f.setBlock1Selected(on);
        break;
    case FiducialId::Block2:
        f.setBlock2Selected(on);
        break;
    }
}

bool fiducialEnabled(const Fiducials& f, FiducialId id)
{
    return id == FiducialId::Board1 || id == FiducialId::Board2 ? f.boardExec() : f.blockExec();
}

QList<FiducialId> fiducialsAt(const Document& doc, const QPointF& point)
{
    const Fiducials& f = *doc.fiducials();
    const double w = f.geometryX() / 2;
    const double h = (f.geometryIndex() != Fiducials::Circle ? f.geometryY() : f.geometryX()) / 2;
    QList<FiducialId> hits;
    for (FiducialId id : allFiducials) {
        if (!fiducialEnabled(f, id))
            continue;
        for (const QPointF& c : fiducialCentres(doc, id)) {
            if (inside(QRectF(QPointF(c.x() - w, c.y() - h), QPointF(c.x() + w, c.y() + h)), point)) {
                hits.append(id);
                break;
            }
        }
    }
    return hits;
}

QList<FiducialId> fiducialsIn(const Document& doc, const QRectF& band)
{
    QList<FiducialId> hits;
    for (FiducialId id : allFiducials) {
        if (!fiducialEnabled(*doc.fiducials(), id))
            continue;
        for (const QPointF& c : fiducialCentres(doc, id)) {
            if (inside(band, c)) {
                hits.append(id);
                break;
            }
        }
    }
    return hits;
}

QList<QPointF> panelOffsets(const Document& doc)
{
    const Origins origins = doc.origins();
    if (origins.isEmpty())
        return { QPointF() };
    QList<QPointF> offsets;
    for (const Origin& o : origins)
        if (o.exec != 0 && std::isfinite(o.x) && std::isfinite(o.y))
            offsets.append(QPointF(o.x, o.y));
    return offsets;
}

QList<QPointF> placementBases(const Document& doc)
{
    QList<QPointF> bases = panelOffsets(doc);
    const QPointF base = boardOrigin(doc);
    for (QPointF& b : bases)
        b += base;
    return bases;
}

PnPEntry* placementAt(const Document& doc, const QPointF& point)
{
    const QList<QPointF> bases = placementBases(doc);
    const QString side = shownSide(doc);
    PnPEntry* nearest = nullptr;
    double best = 0.0;
    for (PnPEntry* e : doc.currentList()) {
        if (!e || e->side() != side)
            continue;
        for (const QPointF& base : bases) {
            const double dx = std::fabs(point.x() - (e->x() + base.x()));
            const double dy = std::fabs(point.y() - (e->y() + base.y()));
            if (!(dx < hoverDistance && dy < hoverDistance))
                continue;
            const double d = dx * dx + dy * dy;
            if (!nearest || d < best) {
                nearest = e;
                best = d;
            }
        }
    }
    return nearest;
}

QList<PnPEntry*> placementsIn(const Document& doc, const QRectF& band)
{
    const QList<QPointF> bases = placementBases(doc);
    const QString side = shownSide(doc);
    QList<PnPEntry*> hits;
    for (PnPEntry* e : doc.currentList()) {
        if (!e || e->side() != side)
            continue;
        for (const QPointF& base : bases) {
            if (inside(band, QPointF(e->x(), e->y()) + base)) {
                hits.append(e);
                break;
            }
        }
    }
    return hits;
}

} // namespace SelectionHits
