// Repaint and rasterising speed of the board view at 1920 x 1080: a real seven-layer board from
// the corpus (tracespace clockblock, top side) with the fast path, and a generated panel of
// 50 000 placements. Also the time and memory of rasterising the largest corpus layer.
// Run: cmake -DTESSAVRANT_BENCH=ON ... && build-bench/bench/bench_boardview
#include "benchscale.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/layerset.h"
#include "model/document.h"
#include "view/boardpainter.h"
#include "view/layercomposer.h"
#include "view/layerraster.h"
#include "view/viewzoom.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include <benchmark/benchmark.h>

namespace {

const QSize viewSize(1920, 1080);

QString corpusFile(const QString& path)
{
    QString root = qEnvironmentVariable("TESSAVRANT_CORPUS_DIR");
    if (root.isEmpty())
        root = QFileInfo(QStringLiteral(__FILE__))
                   .absoluteDir()
                   .filePath(QStringLiteral("../../shared/corpus"));
    return QDir::cleanPath(root + QStringLiteral("/gerber/") + path);
}

// The document, layers and state of one benchmark scene.
struct Board
{
    ViewState state;
    LayerSet layers { { state.colours.copper, state.colours.silk, state.colours.background } };
    Document document;
    LayerComposer composer;
    BoardScene scene;
    QImage target { viewSize, QImage::Format_ARGB32_Premultiplied };

    Board()
    {
        scene.document = &document;
        scene.layers = &layers;
        scene.state = &state;
    }

    bool load(int slot, const QString& file, bool drill = false)
    {
        auto layer = std::make_unique<GerberLayer>(slot);
        layer->color = layers.slot(true, LayerSlot(slot))->color;
        const bool ok = drill ? loadExcellon(file, *layer, ExcellonFormat()) : loadGerber(file, *layer);
        LayerRaster::rasterise(*layer);
        layers.replace(LayerList::Top, slot, std::move(layer));
        return ok;
    }

    void paint()
    {
        QPainter p(&target);
        BoardPainter(&composer).paint(p, viewSize, scene);
    }
};

// The clockblock board in the six slots it has files for, fitted into the view.
Board& clockblock()
{
    static Board* board = [] {
        auto* b = new Board;
        const QString dir = QStringLiteral("tracespace/boards/clockblock/clockblock");
        b->load(0, corpusFile(dir + "-F_Cu.gbr"));
        b->load(1, corpusFile(dir + "-F_Mask.gbr"));
        b->load(2, corpusFile(dir + "-F_Paste.gbr"));
        b->load(4, corpusFile(dir + "-F_SilkS.gbr"));
        b->load(5, corpusFile(dir + "-Edge_Cuts.gbr"));
        b->load(6, corpusFile(dir + ".drl"), true);
        ViewZoom::fit(b->state, BoardPainter::contentExtent(b->scene), viewSize);
        return b;
    }();
    return *board;
}

// A panel of 5 x 4 boards of 2 500 placements each.
Board& placementPanel()
{
    static Board* board = [] {
        auto* b = new Board;
        for (int i = 0, n = BenchScale::size(50000); i < n; ++i) {
            auto* e = new PnPEntry(QStringLiteral("R%1").arg(i), QStringLiteral("R0603"), (i % 250) * 0.8,
                (i / 250) * 0.8, QStringLiteral("top"), (i % 4) * 90, QStringLiteral("10k"),
                QString::number(1 + i % 3), QString());
            b->document.appendEntry(e);
        }
        b->state.zoomLevel = 4;
        b->state.offsetX = 20;
        b->state.offsetY = 0;
        return b;
    }();
    return *board;
}

void panFastPath(benchmark::State& st)
{
    Board& b = clockblock();
    b.state.fastRendering = true;
    int step = 0;
    for (auto _ : st) {
        b.state.offsetX += (step++ % 2) ? 3 : -3;
        b.paint();
    }
}
BENCHMARK(panFastPath)->Unit(benchmark::kMillisecond);

void zoomFastPath(benchmark::State& st)
{
    Board& b = clockblock();
    b.state.fastRendering = true;
    const int fitted = b.state.zoomLevel;
    int step = 0;
    for (auto _ : st) {
        b.state.zoomLevel = fitted + (step++ % 2);
        b.paint();
    }
    b.state.zoomLevel = fitted;
}
BENCHMARK(zoomFastPath)->Unit(benchmark::kMillisecond);

void panFromObjects(benchmark::State& st)
{
    Board& b = clockblock();
    b.state.fastRendering = false;
    int step = 0;
    for (auto _ : st) {
        b.state.offsetX += (step++ % 2) ? 3 : -3;
        b.paint();
    }
    b.state.fastRendering = true;
}
BENCHMARK(panFromObjects)->Unit(benchmark::kMillisecond);

// Hover and selection change nothing the composed layers depend on.
void hoverRepaint(benchmark::State& st)
{
    Board& b = clockblock();
    b.state.fastRendering = true;
    b.paint();
    for (auto _ : st)
        b.paint();
}
BENCHMARK(hoverRepaint)->Unit(benchmark::kMillisecond);

void placements50k(benchmark::State& st)
{
    Board& b = placementPanel();
    int step = 0;
    for (auto _ : st) {
        b.state.offsetX += (step++ % 2) ? 3 : -3;
        b.paint();
    }
}
BENCHMARK(placements50k)->Unit(benchmark::kMillisecond);

// The largest Gerber layer of the corpus (gerbv's hellboard example, 1.7 MB), read once.
void rasteriseLargestLayer(benchmark::State& st)
{
    static GerberLayer* layer = [] {
        auto* l = new GerberLayer(0);
        loadGerber(corpusFile(QStringLiteral("gerbv/example/hellboard/hellboard.front.gbr")), *l);
        return l;
    }();
    int scale = 0;
    for (auto _ : st)
        scale = LayerRaster::rasterise(*layer);
    st.counters["scale"] = scale;
    st.counters["raster_MiB"] = layer->layerRaster.size() / 1048576.0;
}
BENCHMARK(rasteriseLargestLayer)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
