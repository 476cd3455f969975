#pragma once

#include "gerber/excellonformat.h"
#include "pnpio/pnpimport.h"

#include <QList>
#include <QString>

// Board side a file of a fabrication package belongs to. Both: through the board (the outline,
// through-hole drill files), loaded into the slot of each side.
enum class FabSide
{
    None,
    Top,
    Bottom,
    Both
};

// What a file of a package holds, as far as its content tells.
enum class FabContent
{
    Unknown,
    Gerber,
    Drill,
    Centroid
};

// How sure a proposal is: an attribute in the file names its function, a CAD tool's documented
// file-name convention does, or only the content hints at it.
enum class FabEvidence
{
    None,
    Content,
    Name,
    Attribute
};

// One file of a package with the proposed place of its layer (or its placements).
struct FabFile
{
    QString path; // inside the package, "/" between folders
    QString localPath; // where it can be read (the package folder or the unpacked copy)
    FabContent content = FabContent::Unknown;
    FabSide side = FabSide::None;
    int slot = -1; // LayerSlot 0..6, -1 for none
    FabEvidence evidence = FabEvidence::None;
    QString reason; // which rule proposed it, or why it has no place
    // The board name in the file name (the words that name no layer): a folder of several boards
    // keeps the files of one board together.
    QString board;
    bool nonPlated = false; // a drill file of non-plated holes
    bool components = false; // a Gerber X3 component layer (placements in attributes)
    bool hasCentroidFormat = false;
    PnPFormat centroidFormat = PnPFormat::KiCad;
    // Drill files: the number format and unit their header states.
    ExcellonFormat drillFormat;
    bool drillMetric = false;
    // Set by the assignment: a further drill file whose holes join the drill layer of `mergeInto`.
    QString mergeInto;

    bool placed() const { return slot >= 0 && side != FabSide::None; }
};

using FabFiles = QList<FabFile>;

// "top", "bottom" or "-" (a file through the board shows "top": it goes to both sides).
QString fabSideText(FabSide side);
// "0".."6" or "-".
QString fabSlotText(int slot);
