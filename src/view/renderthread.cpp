#include "view/renderthread.h"

#include "gerber/gerberlayer.h"
#include "view/layerraster.h"

#include <QSemaphore>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

// Layers are rasterised at most one per core at a time: a project opens with every layer
// at once, and the window's own thread must not be one runnable thread among many.
QSemaphore& renderSlots()
{
    static QSemaphore free(qMax(1, QThread::idealThreadCount()));
    return free;
}

// A render thread runs below the window's thread, so that filling the tables and answering
// the user goes first; Qt's thread priorities do nothing on Linux's default scheduler, a
// thread's nice value does.
void runBelowTheWindow()
{
#ifdef Q_OS_LINUX
    const pid_t thread = gettid();
    const int now = getpriority(PRIO_PROCESS, id_t(thread));
    setpriority(PRIO_PROCESS, id_t(thread), qMin(19, now + 10));
#endif
}

} // namespace

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
    runBelowTheWindow();
    renderSlots().acquire();
    {
        const QSemaphoreReleaser slot(renderSlots());
        LayerRaster::rasterise(*m_layer);
    }
    // Publishes the cache written above to whoever sees the flag clear.
    m_layer->busy.store(false, std::memory_order_release);
}
