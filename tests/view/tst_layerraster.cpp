#include "boardscenes.h"
#include "datatable.h"
#include "view/layercomposer.h"
#include "view/layerraster.h"
#include "view/renderthread.h"
#include "view/viewmapping.h"

#include <QSignalSpy>
#include <QtTest>

using namespace BoardScenes;

namespace {

// A layer with dark and clear parts spread over `width` × `height` mm.
std::unique_ptr<GerberLayer> spreadLayer(double width, double height)
{
    auto layer = mmLayer(0);
    Aperture* pad = circle(*layer, 1.0);
    rect(*layer, QRectF(0, 0, width, height), true);
    rect(*layer, QRectF(width / 4, height / 4, width / 2, height / 2), false);
    for (double x = 1; x < width; x += width / 7)
        flash(*layer, pad, x, height / 2);
    return layer;
}

int differingPixels(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

} // namespace

class TstLayerRaster : public QObject
{
    Q_OBJECT

private slots:
    void scaleKeepsSidesAndMemory_data()
    {
        columns<qint64, qint64, int>("width", "height", "scale");
        row("400 x 100 mm", qint64(400), qint64(100), 81);
        row("30 x 30 mm needs none", qint64(30), qint64(30), 0);
        row("empty needs none", qint64(0), qint64(0), 0);
        row("33 x 10 mm at most 100", qint64(33), qint64(10), 100);
        row("300 x 250 mm panel capped by memory", qint64(300), qint64(250), 59);
        row("500 x 500 mm", qint64(500), qint64(500), 32);
    }
    void scaleKeepsSidesAndMemory()
    {
        QFETCH(qint64, width);
        QFETCH(qint64, height);
        const int k = LayerRaster::scaleFor(width, height);
        QTEST(k, "scale");
        if (k > 0) {
            QVERIFY(width * k <= LayerRaster::maxSide && height * k <= LayerRaster::maxSide);
            QVERIFY(LayerRaster::bytesFor(width * k, height * k) <= LayerRaster::maxBytes);
        }
    }

    // At the raster's own scale, sampling gives the picture the layer painter gives, clear parts
    // included; beyond it the raster is not used.
    void sampledRasterMatchesPaintedLayer()
    {
        Scene painted;
        painted.layers.replace(LayerList::Top, 0, spreadLayer(40, 20));
        GerberLayer* layer = painted.layers.slot(true, LayerSlot::Signal);
        const int k = LayerRaster::rasterise(*layer);
        QCOMPARE(QPoint(k, layer->layerRaster.size()), QPoint(100, int(LayerRaster::bytesFor(4000, 2000))));
        painted.state.fastRendering = false;
        Scene sampled;
        sampled.layers.replace(LayerList::Top, 0, spreadLayer(40, 20));
        LayerRaster::rasterise(*sampled.layers.slot(true, LayerSlot::Signal));
        for (int zoom : { 1, 7, 100 }) {
            painted.state.zoomLevel = sampled.state.zoomLevel = zoom;
            const QImage a = painted.paint();
            const QImage b = sampled.paint();
            // Edges may land one pixel apart; the clear window and the pads must agree.
            QVERIFY2(differingPixels(a, b) < a.width() * a.height() / 50, qPrintable(QString::number(zoom)));
        }
        QVERIFY(LayerRaster::usable(*layer, 100) && !LayerRaster::usable(*layer, 101));

        // Zoomed out, a screen pixel shows ink when any raster pixel under it does: a hairline
        // (a region 0.001 mm wide) stays a line of the picture.
        for (Scene* s : { &painted, &sampled }) {
            auto thin = mmLayer(0);
            rect(*thin, QRectF(0, 10.0003, 40, 0.001), true);
            s->layers.replace(LayerList::Top, 0, std::move(thin));
            LayerRaster::rasterise(*s->layers.slot(true, LayerSlot::Signal));
            s->state.zoomLevel = 3;
        }
        const QImage a = painted.paint();
        const QImage b = sampled.paint();
        painted.layers.slot(true, LayerSlot::Signal)->visible = false;
        const int ink = differingPixels(a, painted.paint());
        QVERIFY2(ink >= 100, qPrintable(QString::number(ink)));
        QVERIFY(differingPixels(a, b) < 10);
    }

    // A layer without a raster (small, or never rendered) is painted from its objects, also on
    // the fast path.
    void layerWithoutRasterStaysVisible()
    {
        Scene s;
        build(QStringLiteral("flash"), s);
        s.state.fastRendering = true;
        const QImage image = s.paint();
        QVERIFY(image.pixel(35, 69) != s.state.colours.background.rgb());
        QCOMPARE(LayerRaster::rasterise(*s.layers.slot(true, LayerSlot::Signal)), 0);
        QCOMPARE(s.paint(), image);
    }

    // One bit a pixel, the leftmost pixel of eight in the high bit: strips over columns 5-6 and 13-14.
    void rasterBitsRunLeftToRight()
    {
        auto layer = mmLayer(0);
        rect(*layer, QRectF(0.05, 0, 0.01, 20), true);
        rect(*layer, QRectF(0.13, 0, 0.01, 20), true);
        flash(*layer, circle(*layer, 0.01), 39.99, 19.99);
        QCOMPARE(LayerRaster::rasterise(*layer), 100);
        const char* row = layer->layerRaster.constData() + 1000 * 4000 / 8;
        QCOMPARE(QByteArray(row, 3), QByteArray("\x06\x06\x00", 3));
    }

    void corruptCoordinatesMakeNoRaster()
    {
        auto layer = mmLayer(0);
        rect(*layer, QRectF(-1e9, 0, 2e9, 1), true);
        QCOMPARE(LayerRaster::rasterise(*layer), 0);
        QVERIFY(layer->layerRaster.isEmpty() && !layer->rendered);
    }

    // The thread marks its layer busy before it runs and clears the flag when the raster is in.
    void threadHandsTheRasterOver()
    {
        auto layer = spreadLayer(120, 80);
        RenderThread thread(layer.get());
        QVERIFY(layer->busy && !LayerRaster::usable(*layer, 1));
        QSignalSpy finished(&thread, &QThread::finished);
        thread.start();
        QVERIFY(thread.wait(60000));
        QVERIFY(!layer->busy && layer->rendered);
        QCOMPARE(layer->rasterScale, 100);
        QVERIFY(LayerRaster::usable(*layer, 10));
    }
};

QTEST_MAIN(TstLayerRaster)
#include "tst_layerraster.moc"
