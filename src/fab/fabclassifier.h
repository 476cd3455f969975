#pragma once

#include "fab/fabfile.h"

#include <QByteArray>

// Proposes the side and layer slot of one package file from what it says about itself: first a
// Gerber X2 "%TF.FileFunction" (or the drill file's "; #@! TF.FileFunction") attribute, then the
// file-name conventions of the CAD tools (KiCad, Altium/Protel, Eagle, OrCAD/Allegro, PADS,
// Target and the plain-word names of gEDA, DipTrace, Fusion and others), then its content.
namespace FabClassifier {

// Fills content, side, slot, evidence, reason, nonPlated, components and the centroid format of
// `file` from its path and the start of its content (`head`, up to a few ten kilobytes).
void classify(FabFile& file, const QByteArray& head);

// The proposal from a FileFunction value alone ("Copper,L1,Top", "Plated,1,2,PTH");
// false when the function has no slot (inner copper, drill maps...), with the reason.
bool fromFileFunction(const QString& function, FabFile& file);

} // namespace FabClassifier
