#pragma once

#include <QList>
#include <QString>
#include <optional>

class Document;
class GerberLayer;
class LayerSet;
class PnPEntry;

// Geometry edits of the shown side as a whole: turning, mirroring and shifting its placements,
// board data, fiducials, drawings and layers. Placements and fiducials are stored relative to
// the board origin while layers and drawings are absolute; every edit maps absolute positions
// with one formula for all of them, so a pad and the placement on it stay on the same spot.
// In Gerber mode only the layers of the Gerber-mode list and the drawings change.
namespace BoardTransform {

// The two tick boxes of the rotate-board dialog.
struct RotateOptions
{
    bool gerber = true; // layers, fiducials, drawings and board data
    bool pickAndPlace = true; // placements; panel origins are dropped
};

enum class Axis
{
    X,
    Y
};

// The layers an edit changed (their rasters are out of date); empty layers are left out.
using ChangedLayers = QList<GerberLayer*>;

// +90 degrees about the board's top-left corner (0, H), which lands on (0, 0): a point (x, y)
// becomes (H - y, x). With the Gerber option the board's width and height and its origin X and Y
// swap. Logs "Rotate". The caller toggles its rotated flag.
ChangedLayers rotateBoard(Document& doc, LayerSet& layers, const RotateOptions& options);
// Mirror about x = W / 2: x becomes W - x, placement rotation 540 - r. Logs "Mirror".
ChangedLayers mirrorBoard(Document& doc, LayerSet& layers);

// A shift or angle as typed: "," is read as ".", then the text must be a plain decimal number.
std::optional<double> parseShift(const QString& text);
// Adds value to X or Y of every placement of the shown side. False, and nothing changes (not
// even the modified flag), for a non-finite value or in Gerber mode.
bool shiftPlacements(Document& doc, Axis axis, double value);
// The same for the given placements only (the tables' shift of the selection).
bool shiftEntries(Document& doc, const QList<PnPEntry*>& entries, Axis axis, double value);

// Every placement of the shown side turns clockwise by `degrees` about the board origin: its
// rotation becomes r - a (reduced into 0..360), its position (cos a x + sin a y, cos a y - sin a x).
bool rotatePlacements(Document& doc, double degrees);
// The selected placements turn by `degrees` in place and lose their selection.
void turnSelected(Document& doc, double degrees);
// Moves the selected placements and drawings to the other side. Logs "switchSide".
void switchSide(Document& doc);
// Clears every placed mark of the shown side.
void unplaceAll(Document& doc);

// Cut towards zero to 0.01 mm; a value within 1e-6 mm below a step counts as the step, so
// 2.35 stored as 2.34999999 stays 2.35.
double truncateToHundredth(double mm);
// Moves the coordinate origin to the board point (x, y), cut to 0.01 mm: placements, fiducials,
// layers (logged "Ebene n") and drawings all move by the same amount. False for a non-finite
// point.
std::optional<ChangedLayers> setNewOrigin(Document& doc, LayerSet& layers, double x, double y);

// Reduces an angle into [0, 360).
double reduceAngle(double degrees);

} // namespace BoardTransform
