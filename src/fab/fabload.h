#pragma once

#include "fab/fabfile.h"
#include "gerber/gerberlayer.h"
#include "pnpio/importedplacement.h"

#include <QStringList>
#include <memory>
#include <vector>

class Document;
class LayerSet;

// One layer read for a slot of a side.
struct FabLayer
{
    bool top = true;
    int slot = 0;
    QString path; // inside the package
    std::unique_ptr<GerberLayer> layer;
};

// Everything a package gives the document, read before any of it is installed.
struct FabLoadResult
{
    std::vector<FabLayer> layers;
    ImportedPlacements placements;
    bool placementsFromX3 = false;
    // Files that could not be read, slots given twice, differences between centroid and X3 data.
    QStringList messages;
};

// Reads the files of a package as assigned (after the user's changes): each Gerber file into its
// slot, a file through the board into the slot of both sides, every drill file of one slot into one
// drill layer (the tools of later files numbered on after the first file's), and the placements
// of the centroid files, or, where there is none, of the X3 component layers.
namespace FabLoad {

FabLoadResult read(const FabFiles& files);

// Puts the layers into their slots (each slot keeps its colour) and the placements into the
// document (replacing its placements when there are any). Returns the installed layers.
QList<GerberLayer*> install(FabLoadResult& result, LayerSet& layers, Document& document);

// The drill lines of several files as one program: the tools of each further file numbered on
// after the tools of the files before it.
QStringList mergeDrillLines(const QList<QStringList>& programs);

// What differs between the centroid placements and the X3 ones: components in only one of them,
// and positions more than 0.01 mm or rotations more than 0.1 degrees apart.
QStringList compare(const ImportedPlacements& centroid, const ImportedPlacements& x3);

} // namespace FabLoad
