#pragma once

#include <QStringList>

class GerberLayer;
class ProjectTextOut;

// Layer blocks of the project text: the header line with the layer's format, colour and
// transform, then its stored file lines (version 8 and later) or its image (version 7).
namespace ProjectLayers {

// True when the layer goes into a file of this version: it has a file name and lines to read it
// from (or, for version 7, an image).
bool isStored(const GerberLayer& layer, int version);
void write(ProjectTextOut& out, int indent, int slotNumber, const GerberLayer& layer, int version);

// Takes the fields of a header line. Out-of-range values (a unit factor that is not a positive
// number, quarter turns outside 0..3) are brought back into range.
void readHeader(GerberLayer& layer, const QStringList& fields, int version);

} // namespace ProjectLayers
