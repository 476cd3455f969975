#include "board/boardtransform.h"

#include "board/layertransform.h"
#include "gerber/gerberlayer.h"
#include "gerber/layerset.h"
#include "model/document.h"
#include "model/numbertext.h"

#include <QDebug>
#include <QPointF>
#include <QRegExp>
#include <cmath>

namespace BoardTransform {

namespace {

LayerList shownList(const Document& doc)
{
    if (doc.gerberMode())
        return LayerList::GerberMode;
    return doc.activeSideIsTop() ? LayerList::Top : LayerList::Bottom;
}

double finiteOrZero(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

bool hasImage(const GerberLayer& layer)
{
    return !layer.objects().isEmpty() || !layer.regionPolygons().isEmpty() || !layer.arcRecords().isEmpty();
}

template <typename F> ChangedLayers forEachLayer(const Document& doc, LayerSet& layers, F change)
{
    ChangedLayers changed;
    for (GerberLayer* layer : layers.list(shownList(doc))) {
        if (!layer)
            continue;
        change(*layer);
        if (hasImage(*layer))
            changed.append(layer);
    }
    return changed;
}

// Stores a placement's new position only when both coordinates are finite: a result that
// overflows leaves the placement as it was. False when it was left.
bool placeAt(PnPEntry& e, double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return false;
    e.setX(x);
    e.setY(y);
    return true;
}

// Applies map to the absolute position of every placement (origin + stored X/Y) and stores the
// result relative to newOrigin; turnBy is added to the rotation.
template <typename F>
void mapPlacements(
    Document& doc, QPointF origin, QPointF newOrigin, F map, const std::function<double(double)>& turn)
{
    doc.editEntries(doc.currentList(), [&](PnPEntry& e) {
        const QPointF a = map(QPointF(origin.x() + e.x(), origin.y() + e.y()));
        if (placeAt(e, a.x() - newOrigin.x(), a.y() - newOrigin.y()))
            e.setRotation(turn(e.rotation()));
    });
}

template <typename F> void mapFiducials(Fiducials& f, QPointF origin, QPointF newOrigin, F map)
{
    const auto move
        = [&](double x, double y, void (Fiducials::*setX)(double), void (Fiducials::*setY)(double)) {
              const QPointF a = map(QPointF(origin.x() + x, origin.y() + y));
              (f.*setX)(a.x() - newOrigin.x());
              (f.*setY)(a.y() - newOrigin.y());
          };
    move(f.board1X(), f.board1Y(), &Fiducials::setBoard1X, &Fiducials::setBoard1Y);
    move(f.board2X(), f.board2Y(), &Fiducials::setBoard2X, &Fiducials::setBoard2Y);
    move(f.block1X(), f.block1Y(), &Fiducials::setBlock1X, &Fiducials::setBlock1Y);
    move(f.block2X(), f.block2Y(), &Fiducials::setBlock2X, &Fiducials::setBlock2Y);
}

template <typename F> void mapDrawings(Document& doc, F map)
{
    Drawings drawings = doc.drawings();
    for (Drawing& d : drawings) {
        const QPointF s = map(QPointF(d.startX, d.startY));
        const QPointF e = map(QPointF(d.endX, d.endY));
        d.startX = s.x();
        d.startY = s.y();
        d.endX = e.x();
        d.endY = e.y();
    }
    doc.setDrawings(drawings);
}

QPointF boardOrigin(const Document& doc)
{
    return QPointF(finiteOrZero(doc.boardInfo()->originX()), finiteOrZero(doc.boardInfo()->originY()));
}

// Sine and cosine that are exact at multiples of 90 degrees, so quarter turns add no noise.
void sinCos(double degrees, double& s, double& c)
{
    const double r = reduceAngle(degrees);
    if (r == 0.0 || r == 90.0 || r == 180.0 || r == 270.0) {
        const int q = int(r / 90.0);
        const double sines[] = { 0.0, 1.0, 0.0, -1.0 };
        s = sines[q];
        c = sines[(q + 1) % 4];
        return;
    }
    s = std::sin(r * M_PI / 180.0);
    c = std::cos(r * M_PI / 180.0);
}

} // namespace

double reduceAngle(double degrees)
{
    if (!std::isfinite(degrees))
        return 0.0;
    double r = std::fmod(degrees, 360.0);
    if (r < 0.0)
        r += 360.0;
    return r >= 360.0 ? 0.0 : r;
}

ChangedLayers rotateBoard(Document& doc, LayerSet& layers, const RotateOptions& options)
{
    qDebug() << "Rotate";
    const bool gerberMode = doc.gerberMode();
    const double h = gerberMode ? 0.0 : finiteOrZero(doc.boardInfo()->height());
    const auto turn = [h](QPointF p) { return QPointF(h - p.y(), p.x()); };
    const QPointF origin = boardOrigin(doc);
    const QPointF newOrigin = options.gerber ? QPointF(origin.y(), origin.x()) : origin;
    if (options.pickAndPlace && !gerberMode) {
        mapPlacements(doc, origin, newOrigin, turn, [](double r) { return reduceAngle(r + 90.0); });
        doc.setOrigins({});
    }
    ChangedLayers changed;
    if (options.gerber) {
        changed = forEachLayer(doc, layers, [h](GerberLayer& layer) {
            qDebug() << layer.objects().size() << layer.regionPolygons().size() << "before";
            LayerTransform::turnLayer(layer, h);
            qDebug() << layer.objects().size() << layer.regionPolygons().size() << "after";
        });
        mapDrawings(doc, turn);
        if (!gerberMode) {
            // Fiducials are copper marks: they turn with the layers, not with the placements.
            doc.edit(QStringLiteral("rotate board"), Change::Fiducials | Change::Board, [&](BoardSide& s) {
                Fiducials& fid = s.fiducials;
                mapFiducials(fid, origin, newOrigin, turn);
                if (fid.geometryIndex() == Fiducials::Square) {
                    const double gx = fid.geometryX();
                    fid.setGeometryX(fid.geometryY());
                    fid.setGeometryY(gx);
                }
                BoardInfo& board = s.board;
                const double w = board.width();
                board.setWidth(board.height());
                board.setHeight(w);
                board.setOriginX(newOrigin.x());
                board.setOriginY(newOrigin.y());
            });
        }
    }
    doc.setModified(true);
    return changed;
}

ChangedLayers mirrorBoard(Document& doc, LayerSet& layers)
{
    qDebug() << "Mirror";
    const bool gerberMode = doc.gerberMode();
    const double w = gerberMode ? 0.0 : finiteOrZero(doc.boardInfo()->width());
    const auto mirror = [w](QPointF p) { return QPointF(w - p.x(), p.y()); };
    const ChangedLayers changed
        = forEachLayer(doc, layers, [w](GerberLayer& layer) { LayerTransform::mirrorLayer(layer, w); });
    if (!gerberMode) {
        const QPointF origin = boardOrigin(doc);
        doc.setOrigins({});
        doc.edit(QStringLiteral("mirror fiducials"), Change::Fiducials,
            [&](BoardSide& s) { mapFiducials(s.fiducials, origin, origin, mirror); });
        mapPlacements(doc, origin, origin, mirror, [](double r) { return reduceAngle(540.0 - r); });
    }
    mapDrawings(doc, mirror);
    doc.setModified(true);
    return changed;
}

std::optional<double> parseShift(const QString& text)
{
    static const QRegExp pattern(QStringLiteral("^\\-{0,1}\\d{1,}[\\.\\,]{0,1}\\d*$"));
    if (!pattern.exactMatch(text))
        return std::nullopt;
    bool ok = false;
    const double v = NumberText::parse(text, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool shiftPlacements(Document& doc, Axis axis, double value)
{
    return shiftEntries(doc, doc.currentList(), axis, value);
}

bool shiftEntries(Document& doc, const QList<PnPEntry*>& entries, Axis axis, double value)
{
    if (!std::isfinite(value) || doc.gerberMode())
        return false;
    doc.editEntries(entries, [axis, value](PnPEntry& e) {
        if (axis == Axis::X)
            placeAt(e, e.x() + value, e.y());
        else
            placeAt(e, e.x(), e.y() + value);
    });
    doc.setModified(true);
    return true;
}

bool rotatePlacements(Document& doc, double degrees)
{
    if (!std::isfinite(degrees) || doc.gerberMode())
        return false;
    double s = 0.0;
    double c = 1.0;
    sinCos(degrees, s, c);
    doc.editEntries(doc.currentList(), [&](PnPEntry& e) {
        const double x = e.x();
        const double y = e.y();
        if (placeAt(e, c * x + s * y, c * y - s * x))
            e.setRotation(reduceAngle(reduceAngle(e.rotation()) - degrees));
    });
    doc.setModified(true);
    return true;
}

void turnSelected(Document& doc, double degrees)
{
    doc.editEntries(doc.selectedEntries(), [degrees](PnPEntry& e) {
        e.setRotation(reduceAngle(e.rotation() + degrees));
        e.setSelected(false);
    });
    doc.setModified(true);
}

void switchSide(Document& doc)
{
    qDebug() << "switchSide";
    doc.switchPnPside();
}

void unplaceAll(Document& doc)
{
    doc.editEntries(doc.currentList(), [](PnPEntry& e) { e.setPlaced(false); });
    doc.setModified(true);
}

double truncateToHundredth(double mm)
{
    if (!std::isfinite(mm))
        return 0.0;
    const double tolerance = 1e-4; // in hundredths: 1e-6 mm
    const double hundredths = std::fabs(mm) * 100.0;
    const double cut = std::floor(hundredths + tolerance) / 100.0;
    return mm < 0.0 ? -cut : cut;
}

std::optional<ChangedLayers> setNewOrigin(Document& doc, LayerSet& layers, double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    const double cx = truncateToHundredth(x);
    const double cy = truncateToHundredth(y);
    const auto move = [cx, cy](QPointF p) { return QPointF(p.x() - cx, p.y() - cy); };
    if (!doc.gerberMode()) {
        mapPlacements(doc, QPointF(), QPointF(), move, [](double r) { return r; });
        doc.edit(QStringLiteral("move fiducials"), Change::Fiducials, [&](BoardSide& s) {
            Fiducials& fid = s.fiducials;
            // Only the enabled pairs move: a disabled pair keeps what the user typed.
            Fiducials moved = fid;
            mapFiducials(moved, QPointF(), QPointF(), move);
            if (fid.blockExec()) {
                fid.setBlock1X(moved.block1X());
                fid.setBlock1Y(moved.block1Y());
                fid.setBlock2X(moved.block2X());
                fid.setBlock2Y(moved.block2Y());
            }
            if (fid.boardExec()) {
                fid.setBoard1X(moved.board1X());
                fid.setBoard1Y(moved.board1Y());
                fid.setBoard2X(moved.board2X());
                fid.setBoard2Y(moved.board2Y());
            }
        });
    }
    int number = 0;
    const ChangedLayers changed = forEachLayer(doc, layers, [&](GerberLayer& layer) {
        qDebug().nospace() << "Ebene " << ++number;
        LayerTransform::shiftLayer(layer, -cx, -cy);
    });
    mapDrawings(doc, move);
    doc.setModified(true);
    return changed;
}

} // namespace BoardTransform
