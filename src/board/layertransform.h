#pragma once

class GerberLayer;

// Geometry operations on a layer's image in its own file units. They move the image only; the
// transform fields of the layer (mirror flags, quarter turns, offsets) are the caller's record.
namespace LayerTransform {

// Mirrors about the vertical line x = w / 2 (x becomes w - x): image objects, region polygons,
// polygon aperture rotations and arc start angles.
void mirrorX(GerberLayer& layer, double w);
// Mirrors about the horizontal line y = 0 (y becomes -y).
void mirrorY(GerberLayer& layer);
// One counter-clockwise quarter turn about (0, h), which lands on the origin: a point (x, y)
// becomes (h - y, x). Rectangle and obround apertures swap their sizes, polygon apertures turn.
void turnQuarter(GerberLayer& layer, double h);

// Rebuilds a freshly read image from the layer's stored transform: mirror flag 1 mirrors about
// x = 0, mirror flag 2 about y = 0, then one quarter turn per stored quarter turn with h the
// height of the side's board in mm (0 for layers outside a side). Quarter turns are taken modulo
// 4 and an unusable unit factor counts as 1, so a damaged record cannot run away or divide by 0.
void replay(GerberLayer& layer, double boardHeightMm);

} // namespace LayerTransform
