// Hand-over between the render threads and the GUI thread: loading, transforming, replacing,
// painting and closing while layers render. Also built with ThreadSanitizer (see
// tests/view/CMakeLists.txt) to show that no field is read and written at once.
#include "../boardscenes.h"
#include "view/layerraster.h"
#include "view/ui/darstellg.h"

#include <QProgressBar>
#include <QtTest>

using namespace BoardScenes;

namespace {

// Large enough that its render is still running when the test acts on it.
std::unique_ptr<GerberLayer> slowLayer(int slot)
{
    auto layer = mmLayer(slot);
    Aperture* pad = circle(*layer, 0.3);
    rect(*layer, QRectF(0, 0, 300, 250), true);
    for (int i = 0; i < 60000; ++i)
        flash(*layer, pad, (i % 300) + 0.5, (i / 300) % 250 + 0.5, i % 3 != 0);
    return layer;
}

GerberLayer* install(Darstellg& v, LayerSlot slot)
{
    auto layer = slowLayer(slotIndex(slot));
    GerberLayer* raw = layer.get();
    v.installSideLayer(slot, std::move(layer));
    v.expectRenders();
    v.startRendering(raw);
    return raw;
}

} // namespace

class TstRenderThreads : public QObject
{
    Q_OBJECT

private slots:
    void busyLayerIsNeitherTransformedNorFreed()
    {
        Darstellg v;
        v.resize(400, 300);
        GerberLayer* first = install(v, LayerSlot::Signal);
        QVERIFY(first->busy);
        // A second start and a transform wait for the running render.
        QVERIFY(!v.startRendering(first) && !v.layerImageChanged(first));
        // Painting meanwhile draws the layer from its objects.
        QCOMPARE(v.renderImage().size(), QSize(400, 300));
        // Replacing the busy layer keeps it alive until its thread lets go.
        GerberLayer* second = install(v, LayerSlot::Signal);
        QCOMPARE(QPoint(v.viewState().render.total, v.viewState().render.reached), QPoint(4, 2));
        v.waitForRenders();
        QCoreApplication::sendPostedEvents();
        QVERIFY(v.layers().retiredCount() == 0 && !second->busy && second->rendered);
        QTRY_COMPARE(v.viewState().render.reached, 4);
        // Now the transform is taken and renders again.
        QVERIFY(v.layerImageChanged(second));
        v.waitForRenders();
        // The flag hands the raster over: read it first, as the view does.
        QVERIFY(!second->busy && second->rendered);
    }

    // Closing (destroying the view) and starting a new document while layers render.
    void closingMidRenderWaits()
    {
        for (int round = 0; round < 2; ++round) {
            auto v = std::make_unique<Darstellg>();
            install(*v, LayerSlot::Signal);
            install(*v, LayerSlot::Silk);
            if (round == 0)
                v->resetDocument();
            v.reset();
        }
    }
};

QTEST_MAIN(TstRenderThreads)
#include "tst_renderthreads.moc"
