#pragma once

#include "fab/fabfile.h"

// Settles the proposals of a whole package: one file per side and slot (the stronger evidence
// wins, then the first path; the others keep no slot and say which file took it), further drill
// files of the same number format join the first one's drill layer (plated and non-plated
// holes both show in the one drill slot), and the centroid files whose placements are read.
namespace FabAssignment {

void resolve(FabFiles& files);

// Reads the drill file's header for its number format and unit (the shared detection).
void detectDrillFormat(FabFile& file);

// True for a centroid file whose placements are imported.
bool usesPlacements(const FabFile& file);

} // namespace FabAssignment
