#pragma once

#include <QThread>

class GerberLayer;

// Rasterises one layer in the background (LayerRaster::rasterise). The layer is marked busy
// when the thread object is made, on the caller's thread, so nobody frees it or reads its render
// cache before run() even starts; run() clears the flag as its last access to the layer. The
// layer stays owned by its LayerSet, which keeps a busy layer alive until the flag clears.
class RenderThread : public QThread
{
    Q_OBJECT
public:
    // A null layer makes a thread that does nothing.
    explicit RenderThread(GerberLayer* layer, QObject* parent = nullptr);

protected:
    void run() override;

private:
    GerberLayer* m_layer;
};
