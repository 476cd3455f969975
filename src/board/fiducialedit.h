#pragma once

#include "model/origin.h"

#include <QPointF>
#include <QStringList>

class Document;

// Edits of the shown side's fiducials as the fiducial fields and the placement tables make
// them: one value, the enable boxes, shape and reflect mode, and turning a placement into a mark.
namespace FiducialEdit {

enum class Field
{
    Board1X,
    Board1Y,
    Board2X,
    Board2Y,
    Block1X,
    Block1Y,
    Block2X,
    Block2Y,
    GeometryX,
    GeometryY
};

// Each setter marks the document modified; a non-finite value or an unknown index is refused
// (false, nothing changes).
bool setValue(Document& doc, Field field, double value);
void setBoardExec(Document& doc, bool on);
void setBlockExec(Document& doc, bool on);
bool setGeometryIndex(Document& doc, int index);
bool setReflectIndex(Document& doc, int index);

// What a placement becomes: 1 Board 1, 2 Board 2, 3 Block 1, 4 Block 2.
enum class Kind
{
    Board1 = 1,
    Board2 = 2,
    Block1 = 3,
    Block2 = 4
};
bool isBoardKind(Kind kind);

// The choices of the conversion dialog: "Origin n X: x mm Y: y mm" per origin, then "none".
QStringList originChoices(const Origins& origins);
// The offset of a choice: the origin's position, (0, 0) for "none" or an index out of range.
QPointF offsetOfChoice(const Origins& origins, int choice);

// Turns the first selected placement of the shown side into the fiducial: its position plus
// `offset` (block fiducials take no offset), the group is enabled and the placement removed.
// False, and nothing changes, without a selected placement.
bool convertSelected(Document& doc, Kind kind, QPointF offset);

} // namespace FiducialEdit
