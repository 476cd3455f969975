#pragma once

#include "pnpio/importedplacement.h"

#include <QByteArray>
#include <QString>

// Placements from a Gerber X3 component layer: each flash of a component's main aperture
// (AperFunction ComponentMain) while "%TO.C" names the component, with the rotation "%TO.CRot"
// (degrees, counter-clockwise as seen from the top, on either side), the value "%TO.CVal", the
// package "%TO.CPkg" (the footprint "%TO.CFtp" where no package is given) and the mount type
// "%TO.CMnt" (TH becomes a THT placement). The side is the file's FileFunction
// ("Component,L1,Top" / "Component,L2,Bot"). Files without ComponentMain apertures give the first
// flash of each component that is no pin. Positions in millimetres.
namespace X3Components {

// False with the reason (file name and line) when the data is not a readable Gerber file; a
// Gerber file without component attributes gives no placements and true.
bool read(const QByteArray& data, const QString& fileName, ImportedPlacements& out, QString* error);
bool readFile(const QString& path, ImportedPlacements& out, QString* error);

} // namespace X3Components
