#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

class Document;
class Fiducials;
class PnPEntry;

// What a click or a rubber band in the board view takes: fiducials and placements of the shown
// side, tested at the board positions where the view draws them (board origin added, once per
// enabled panel origin).
namespace SelectionHits {

// Half width of the square around a placement that counts as "under the cursor", mm.
constexpr double hoverDistance = 0.8;

enum class FiducialId
{
    Board1,
    Board2,
    Block1,
    Block2
};
// In the order the hit test takes them.
constexpr FiducialId allFiducials[]
    = { FiducialId::Board1, FiducialId::Board2, FiducialId::Block1, FiducialId::Block2 };

// "Board 1", "Board 2", "Block 1", "Block 2".
QString fiducialName(FiducialId id);
// The fiducial's own position (relative to the board origin, as stored).
QPointF fiducialPosition(const Fiducials& f, FiducialId id);
void setFiducialPosition(Fiducials& f, FiducialId id, const QPointF& p);
bool fiducialSelected(const Fiducials& f, FiducialId id);
void setFiducialSelected(Fiducials& f, FiducialId id, bool on);
// Whether the fiducial's group (board or block pair) is enabled.
bool fiducialEnabled(const Fiducials& f, FiducialId id);

// Enabled fiducials whose shape contains the board point, board pair first: half width
// size X / 2, half height size Y / 2 for squares and size X / 2 for circles, edges included.
// Block fiducials are tested at every panel copy the view draws.
QList<FiducialId> fiducialsAt(const Document& doc, const QPointF& point);
// Enabled fiducials whose drawn centre lies inside the band (edges included).
QList<FiducialId> fiducialsIn(const Document& doc, const QRectF& band);

// The copies of one board the view draws: every enabled panel origin when the side has origins,
// else the board once at (0, 0). Layers are drawn at these offsets, placements at these plus the
// board origin, so that every cell's placements sit on that cell's copper.
QList<QPointF> panelOffsets(const Document& doc);
// Where the placements of the shown side are drawn: the board origin plus each panel offset.
QList<QPointF> placementBases(const Document& doc);
// The placement of the shown side nearest to the point among those strictly within
// hoverDistance on both axes, at any drawn copy (the status line's hover rule). Null when none.
PnPEntry* placementAt(const Document& doc, const QPointF& point);
// Placements of the shown side with a drawn copy inside the band, both bounds inclusive.
QList<PnPEntry*> placementsIn(const Document& doc, const QRectF& band);

} // namespace SelectionHits
