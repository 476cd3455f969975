#include "view/layerraster.h"

#include "gerber/gerberlayer.h"
#include "view/layerbounds.h"
#include "view/layerpainter.h"
#include "view/viewmapping.h"

#include <QDebug>
#include <QPainter>
#include <QtEndian>
#include <algorithm>
#include <vector>

namespace LayerRaster {

namespace {

// Rows painted at a time: the painter needs 8 bits per pixel, the raster keeps 1.
constexpr qint64 bandBytes = 8LL * 1024 * 1024;

int rasterWidth(const GerberLayer& layer)
{
    return qMax(1, layer.cachedBounds[0] - layer.cachedBounds[1]) * layer.rasterScale;
}

int rasterHeight(const GerberLayer& layer)
{
    return qMax(1, layer.cachedBounds[2] - layer.cachedBounds[3]) * layer.rasterScale;
}

// One bit a pixel, the first pixel in the high bit: set where the band is dark (below 128).
void packBand(const QImage& band, int rows, uchar* out, int bytesPerLine)
{
    const int w = band.width();
    const int whole = w / 8;
    for (int y = 0; y < rows; ++y) {
        const uchar* src = band.constScanLine(y);
        uchar* dst = out + qint64(y) * bytesPerLine;
        for (int i = 0; i < whole; ++i) {
            // Eight pixels at once: the inverted high bit of each byte, gathered by one multiply
            // (byte k's bit lands at bit 63 - k; no two products meet, so nothing carries).
            const quint64 v = qFromLittleEndian<quint64>(src + 8 * i);
            const quint64 dark = (~v >> 7) & 0x0101010101010101ULL;
            dst[i] = uchar((dark * 0x8040201008040201ULL) >> 56);
        }
        if (whole * 8 < w) {
            uchar bits = 0;
            for (int x = whole * 8; x < w; ++x)
                bits |= uchar((src[x] < 128 ? 1 : 0) << (7 - (x & 7)));
            dst[whole] = bits;
        }
    }
}

} // namespace

qint64 bytesFor(qint64 width, qint64 height)
{
    return (width + 7) / 8 * height;
}

int scaleFor(qint64 widthMm, qint64 heightMm)
{
    if (widthMm < 0 || heightMm < 0)
        return 0;
    int k = 1;
    for (; k <= smallLayerScale; ++k)
        if (widthMm * k > maxSide || heightMm * k > maxSide)
            break;
    if (k > smallLayerScale)
        return 0;
    const qint64 w = qMax<qint64>(1, widthMm);
    const qint64 h = qMax<qint64>(1, heightMm);
    while (k > 1 && (w * k > maxSide || h * k > maxSide || k > maxScale || bytesFor(w * k, h * k) > maxBytes))
        --k;
    return k;
}

int rasterise(GerberLayer& layer)
{
    qint32 bounds[4];
    LayerBounds::roundedMm(layer, bounds, true);
    const qint64 widthMm = qint64(bounds[0]) - bounds[1];
    const qint64 heightMm = qint64(bounds[2]) - bounds[3];
    const int k = scaleFor(widthMm, heightMm);
    layer.layerRaster.clear();
    layer.rendered = false;
    for (int i = 0; i < 4; ++i)
        layer.cachedBounds[i] = bounds[i];
    if (k == 0)
        return 0;
    // Beyond what a side may hold even at one pixel per millimetre: corrupt coordinates.
    if (widthMm > maxSide || heightMm > maxSide)
        return 0;
    layer.rasterScale = k;
    const int width = rasterWidth(layer);
    const int height = rasterHeight(layer);
    const int bytesPerLine = (width + 7) / 8;
    qDebug() << "treshold: " << k << " image info: " << QSize(width, height) << "sizeof bool: " << 1;

    // Every byte is written by packBand.
    QByteArray raster(int(bytesFor(width, height)), Qt::Uninitialized);
    const int bandRows = int(qBound<qint64>(1, bandBytes / width, height));
    QImage band(width, bandRows, QImage::Format_Grayscale8);
    if (band.isNull() || raster.size() != bytesFor(width, height))
        return 0;
    LayerPaintTransform transform;
    transform.scale = k;
    transform.originX = -double(bounds[1]) * k;
    for (int top = 0; top < height; top += bandRows) {
        const int rows = qMin(bandRows, height - top);
        band.fill(255);
        {
            QPainter painter(&band);
            painter.setClipRect(0, 0, width, rows);
            transform.originY = double(bounds[2]) * k - top;
            LayerPainter::paint(painter, layer, transform, Qt::black, Qt::white);
        }
        packBand(
            band, rows, reinterpret_cast<uchar*>(raster.data()) + qint64(top) * bytesPerLine, bytesPerLine);
    }
    layer.layerRaster = raster;
    layer.rendered = true;
    return k;
}

bool usable(const GerberLayer& layer, int zoomLevel)
{
    return !layer.busy && layer.rendered && !layer.layerRaster.isEmpty() && layer.rasterScale > 0
        && zoomLevel <= layer.rasterScale;
}

bool sample(const GerberLayer& layer, QImage& target, const ViewMapping& mapping, QRgb colour)
{
    if (!usable(layer, mapping.zoom) || target.format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    const qint64 k = layer.rasterScale;
    const qint64 z = mapping.zoom;
    const qint64 w = rasterWidth(layer);
    const qint64 h = rasterHeight(layer);
    const int bytesPerLine = int((w + 7) / 8);
    if (bytesFor(w, h) > layer.layerRaster.size())
        return false;
    // Screen position of the raster's top left corner (world min X, max Y).
    const qint64 sx0 = mapping.offsetX + z * layer.cachedBounds[1];
    const qint64 sy0 = qint64(mapping.height) + mapping.offsetY - z * layer.cachedBounds[2];
    const qint64 x0 = qMax<qint64>(0, sx0);
    const qint64 y0 = qMax<qint64>(0, sy0);
    const qint64 x1 = qMin<qint64>(target.width(), sx0 + (w * z + k - 1) / k);
    const qint64 y1 = qMin<qint64>(target.height(), sy0 + (h * z + k - 1) / k);
    if (x0 >= x1 || y0 >= y1)
        return true;

    const uchar* bits = reinterpret_cast<const uchar*>(layer.layerRaster.constData());
    const QRgb pixel = qPremultiply(colour);
    const int n = int(x1 - x0);
    // The raster columns [first, end) under each screen column; zoomed out, a screen pixel covers
    // several, and it shows ink when any of them holds some, so that hairlines stay visible.
    std::vector<qint64> first(size_t(n) + 1);
    for (qint64 x = x0; x <= x1; ++x)
        first[size_t(x - x0)] = qMin(w - 1, (x - sx0) * k / z);
    const auto columnsEnd = [&](int i) { return qMax(first[size_t(i)] + 1, qMin(w, first[size_t(i) + 1])); };
    const qint64 firstByte = first.front() >> 3;
    const qint64 endByte = ((columnsEnd(n - 1) - 1) >> 3) + 1;
    std::vector<uchar> merged(size_t(endByte - firstByte));
    for (qint64 y = y0; y < y1; ++y) {
        const qint64 r = qMin(h - 1, (y - sy0) * k / z);
        const qint64 rEnd = qMax(r + 1, qMin(h, (y + 1 - sy0) * k / z));
        const uchar* row = bits + r * bytesPerLine + firstByte;
        if (rEnd > r + 1) {
            std::copy(row, row + merged.size(), merged.begin());
            for (qint64 rr = r + 1; rr < rEnd; ++rr) {
                const uchar* next = bits + rr * bytesPerLine + firstByte;
                for (size_t b = 0; b < merged.size(); ++b)
                    merged[b] |= next[b];
            }
            row = merged.data();
        }
        QRgb* out = reinterpret_cast<QRgb*>(target.scanLine(int(y))) + x0;
        for (int i = 0; i < n; ++i) {
            const qint64 end = columnsEnd(i);
            for (qint64 c = first[size_t(i)]; c < end; ++c) {
                if (row[(c >> 3) - firstByte] & (0x80 >> (c & 7))) {
                    out[i] = pixel;
                    break;
                }
            }
        }
    }
    return true;
}

} // namespace LayerRaster
