#pragma once

#include <QString>

class Document;
class LayerSet;
struct ProjectColours;

// The document as text, one record a line (sides, board data, generator values, origins,
// fiducials, placements, drawings, layers with file name, line and object counts, feeder
// blocks, general values), numbers exact. Two documents that dump alike hold the same data.
QString dumpProject(const Document& document, const LayerSet& layers, const ProjectColours& colours);
