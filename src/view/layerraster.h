#pragma once

#include <QImage>
#include <QtGlobal>

class GerberLayer;
struct ViewMapping;

// The cached raster of a layer: one bit per pixel, rows of (width + 7) / 8 bytes from the top
// row, most significant bit first, 1 where the layer is dark. The render thread makes it; the
// view samples it at zoom levels up to the raster's scale instead of painting every object.
namespace LayerRaster {

constexpr int maxSide = 32767; // pixels per side of a raster
constexpr int maxScale = 100; // pixels per millimetre
constexpr int smallLayerScale = 1000; // a layer that fits at this scale needs no raster
constexpr qint64 maxBytes = 32LL * 1024 * 1024; // per raster

// Pixels per millimetre for a layer of widthMm × heightMm whole millimetres: the largest k that
// keeps both sides within maxSide, k within maxScale and the raster within maxBytes; 0 when the
// layer is small enough to fit at smallLayerScale (it is always painted from its objects).
int scaleFor(qint64 widthMm, qint64 heightMm);

// Bytes of a raster of the given pixel size.
qint64 bytesFor(qint64 width, qint64 height);

// Fills the layer's render cache (bounds, rasterScale, layerRaster, rendered) from its image,
// painted with the layer painter in real widths and polarities. Reads only the image; the
// caller owns the busy flag around it. Returns the scale used, 0 when no raster was made.
int rasterise(GerberLayer& layer);

// Sets the pixels of `target` (ARGB32 premultiplied) that the layer's raster covers to
// `colour`, at the view's zoom and offsets. False (and nothing drawn) when the layer has no
// usable raster for that zoom.
bool sample(const GerberLayer& layer, QImage& target, const ViewMapping& mapping, QRgb colour);

// True when the layer may be drawn from its raster at this zoom level now.
bool usable(const GerberLayer& layer, int zoomLevel);

} // namespace LayerRaster
