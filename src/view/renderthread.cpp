#include "view/renderthread.h"

#include "gerber/gerberlayer.h"
#include "view/layerraster.h"

RenderThread::RenderThread(GerberLayer* layer, QObject* parent)
    : QThread(parent)
    , m_layer(layer)
{
    if (m_layer)
        m_layer->busy = true;
}

void RenderThread::run()
{
    if (!m_layer)
        return;
    LayerRaster::rasterise(*m_layer);
    // Publishes the cache written above to whoever sees the flag clear.
    m_layer->busy.store(false, std::memory_order_release);
}
