#include "view/layercomposer.h"

#include "gerber/gerberlayer.h"
#include "view/layerpainter.h"
#include "view/layerraster.h"
#include "view/viewmapping.h"

#include <QPainter>

namespace {

bool drawsNothing(const GerberLayer& layer)
{
    return layer.objects().isEmpty() && layer.regionPolygons().isEmpty();
}

// Everything the composed image depends on, flattened into numbers.
QVector<qint64> keyOf(const QList<GerberLayer*>& layers, const ViewState& state, const QSize& size)
{
    QVector<qint64> key { state.zoomLevel, state.offsetX, state.offsetY, size.width(), size.height(),
        state.fastRendering ? 1 : 0 };
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

const QImage& LayerComposer::compose(
    const QList<GerberLayer*>& layers, const ViewState& state, const QSize& size)
{
    QVector<qint64> key = keyOf(layers, state, size);
    if (key == m_key && m_image.size() == size)
        return m_image;
    m_key = std::move(key);
    ++m_composeCount;
    if (m_image.size() != size)
        m_image = QImage(size, QImage::Format_ARGB32_Premultiplied);
    m_image.fill(Qt::transparent);
    for (const GerberLayer* layer : layers)
        if (layer && layer->visible && !drawsNothing(*layer))
            drawLayer(*layer, state);
    return m_image;
}

void LayerComposer::drawLayer(const GerberLayer& layer, const ViewState& state)
{
    const ViewMapping mapping = ViewMapping::of(state, m_image.height());
    // The raster already holds the layer with its clear parts cut out: it goes straight on top.
    if (state.fastRendering && LayerRaster::sample(layer, m_image, mapping, layer.color.rgba()))
        return;
    if (m_scratch.size() != m_image.size())
        m_scratch = QImage(m_image.size(), QImage::Format_ARGB32_Premultiplied);
    m_scratch.fill(Qt::transparent);
    {
        QPainter painter(&m_scratch);
        LayerPaintTransform transform;
        transform.scale = mapping.zoom;
        transform.originX = mapping.offsetX;
        transform.originY = double(mapping.height) + mapping.offsetY;
        // Clear parts erase to transparency within this layer only.
        LayerPainter::paint(painter, layer, transform, layer.color, QColor(0, 0, 0, 0));
    }
    QPainter painter(&m_image);
    painter.drawImage(0, 0, m_scratch);
}
