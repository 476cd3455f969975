#pragma once

#include "view/viewstate.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QVector>

class GerberLayer;

// Draws the visible layers of a list into one widget-sized image. Each layer is drawn on its own
// and then laid over the ones below, so its clear parts cut only into itself. The image is kept
// and handed out again while nothing it depends on changed (zoom, offsets, size, the layers,
// their colours, visibility and render state, the copies), which makes hover and selection
// repaints cheap.
class LayerComposer
{
public:
    // `copies`: the world offsets (mm) at which every layer is drawn, one per board of a panel.
    const QImage& compose(const QList<GerberLayer*>& layers, const ViewState& state, const QSize& size,
        const QList<QPointF>& copies = { QPointF() });
    // Forces the next compose to draw afresh (a layer's image changed in place).
    void invalidate() { m_key.clear(); }
    // How often compose drew afresh; for tests of the cache.
    int composeCount() const { return m_composeCount; }
    // How many layers were painted from their objects (not sampled from a raster).
    int objectPaintCount() const { return m_objectPaintCount; }

private:
    void drawLayer(const GerberLayer& layer, const ViewState& state, const QList<QPointF>& copies);

    QImage m_image;
    QImage m_scratch;
    QVector<qint64> m_key;
    int m_composeCount = 0;
    int m_objectPaintCount = 0;
};
