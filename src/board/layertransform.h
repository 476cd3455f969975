#pragma once

class GerberLayer;

// Geometry operations on a layer's image in its own file units. They move the image only; the
// transform fields of the layer (mirror flags, quarter turns, offsets) are the caller's record.
namespace LayerTransform {

// Mirrors about the vertical line x = w / 2 (x becomes w - x): image objects, region polygons,
// polygon aperture rotations and arcs (start and sweep, so an arc keeps covering its own span).
void mirrorX(GerberLayer& layer, double w);
// Mirrors about the horizontal line y = 0 (y becomes -y).
void mirrorY(GerberLayer& layer);
// One counter-clockwise quarter turn about (0, h), which lands on the origin: a point (x, y)
// becomes (h - y, x). Rectangle and obround apertures swap their sizes, polygon apertures and
// arcs turn.
void turnQuarter(GerberLayer& layer, double h);
// Moves image objects and region polygons by (dx, dy) file units.
void shift(GerberLayer& layer, double dx, double dy);

// The layer's stored transform maps a freshly read point p to R^q(S(p)) + offset, with S the
// mirrors, R a counter-clockwise quarter turn about (0, 0) and q the quarter turns: the offset is
// the displacement of the image, so a new origin at c stores -c, as project files give it. These
// functions change the image and keep that record in step, so a re-read layer lands on the
// same spot. Lengths are in mm; the unit factor converts them.
void turnLayer(GerberLayer& layer, double boardHeightMm);
void mirrorLayer(GerberLayer& layer, double boardWidthMm);
void shiftLayer(GerberLayer& layer, double dxMm, double dyMm);

// Rebuilds a freshly read image from the layer's stored transform: mirror flag 1 mirrors about
// x = 0, mirror flag 2 about y = 0, then one quarter turn about (0, 0) per stored quarter turn,
// then the image moves by the offset. Quarter turns are taken modulo 4 and a non-finite
// offset counts as 0, so a damaged record cannot run away or spoil coordinates.
void replay(GerberLayer& layer);

// Millimetres per file unit, 1 when the layer's factor is unusable.
double unitOf(const GerberLayer& layer);

} // namespace LayerTransform
