#include "view/layercomposer.h"

#include "gerber/gerberlayer.h"
#include "view/layerpainter.h"
#include "view/layerraster.h"
#include "view/viewmapping.h"

#include <QPainter>
#include <cmath>

namespace {

bool drawsNothing(const GerberLayer& layer)
{
    return layer.objects().isEmpty() && layer.regionPolygons().isEmpty();
}

// A layer this large takes longer to paint from its objects (on the window's thread, on every
// compose) than its raster takes to arrive: while it is rasterised it is left out.
bool waitsForItsRaster(const GerberLayer& layer)
{
    constexpr int largeLayer = 100000;
    return layer.busy && layer.objects().size() + layer.regionPolygons().size() > largeLayer;
}

// Everything the composed image depends on, flattened into numbers.
QVector<qint64> keyOf(const QList<GerberLayer*>& layers, const ViewState& state, const QSize& size,
    const QList<QPointF>& copies)
{
    QVector<qint64> key { state.zoomLevel, state.offsetX, state.offsetY, size.width(), size.height(),
        state.fastRendering ? 1 : 0, state.rastersOnly ? 1 : 0, copies.size() };
    // Offsets to a micrometre: finer than any pixel the view can show.
    for (const QPointF& c : copies)
        key << std::llround(qBound(-1e12, c.x() * 1000.0, 1e12))
            << std::llround(qBound(-1e12, c.y() * 1000.0, 1e12));
    for (const GerberLayer* layer : layers) {
        if (!layer || !layer->visible || drawsNothing(*layer))
            continue;
        const bool busy = layer->busy;
        key << qint64(reinterpret_cast<quintptr>(layer)) << qint64(layer->color.rgba()) << (busy ? 1 : 0)
            << layer->objects().size() << layer->regionPolygons().size();
        if (!busy)
            key << (layer->rendered ? 1 : 0) << layer->rasterScale;
    }
    return key;
}

} // namespace

const QImage& LayerComposer::compose(const QList<GerberLayer*>& layers, const ViewState& state,
    const QSize& size, const QList<QPointF>& copies)
{
    QVector<qint64> key = keyOf(layers, state, size, copies);
    if (key == m_key && m_image.size() == size)
        return m_image;
    m_key = std::move(key);
    ++m_composeCount;
    if (m_image.size() != size)
        m_image = QImage(size, QImage::Format_ARGB32_Premultiplied);
    m_image.fill(Qt::transparent);
    for (const GerberLayer* layer : layers)
        if (layer && layer->visible && !drawsNothing(*layer))
            drawLayer(*layer, state, copies);
    return m_image;
}

void LayerComposer::drawLayer(const GerberLayer& layer, const ViewState& state, const QList<QPointF>& copies)
{
    const ViewMapping mapping = ViewMapping::of(state, m_image.height());
    const double z = mapping.zoom;
    // The raster already holds the layer with its clear parts cut out: it goes straight on top.
    bool sampled = state.fastRendering;
    for (int i = 0; sampled && i < copies.size(); ++i) {
        ViewMapping shifted = mapping;
        shifted.offsetX += ViewMapping::pixels(std::round(z * copies.at(i).x()));
        shifted.offsetY -= ViewMapping::pixels(std::round(z * copies.at(i).y()));
        // Only the first copy can find the raster missing: then every copy is painted.
        sampled = LayerRaster::sample(layer, m_image, shifted, layer.color.rgba());
    }
    if (sampled || state.rastersOnly || (state.fastRendering && waitsForItsRaster(layer)))
        return;
    ++m_objectPaintCount;
    if (m_scratch.size() != m_image.size())
        m_scratch = QImage(m_image.size(), QImage::Format_ARGB32_Premultiplied);
    m_scratch.fill(Qt::transparent);
    {
        QPainter painter(&m_scratch);
        for (const QPointF& copy : copies) {
            LayerPaintTransform transform;
            transform.scale = z;
            transform.originX = mapping.offsetX + z * copy.x();
            transform.originY = double(mapping.height) + mapping.offsetY - z * copy.y();
            // Clear parts erase to transparency within this layer only.
            LayerPainter::paint(painter, layer, transform, layer.color, QColor(0, 0, 0, 0));
        }
    }
    QPainter painter(&m_image);
    painter.drawImage(0, 0, m_scratch);
}
