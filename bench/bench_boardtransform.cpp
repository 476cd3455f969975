// The board transforms on a large side: 50 000 placements and 2 million layer objects (two copper
// layers of 900 000 flashes and draws, and 200 000 points of region outline). Each benchmark
// applies one transform per iteration; rotate runs four times per iteration so the side ends
// where it started, switch side twice (there and back). Counter: objects/s over the layer objects.
// Run: cmake -DTESSAVRANT_BENCH=ON ... && build/bench/bench_boardtransform
#include "benchscale.h"
#include "board/boardtransform.h"
#include "board/layertransform.h"
#include "gerber/gerberlayer.h"
#include "gerber/layerset.h"
#include "model/document.h"

#include <QLoggingCategory>

#include <benchmark/benchmark.h>
#include <memory>

namespace {

const int placementCount = BenchScale::size(50000);
const int objectsPerLayer = BenchScale::size(900000);
const int regionCount = BenchScale::size(20000);
const int pointsPerRegion = 10;

struct Side
{
    Document doc;
    LayerSet layers;

    Side()
    {
        doc.edit(QStringLiteral("board size"), Change::Board, [](BoardSide& s) {
            s.board.setWidth(300);
            s.board.setHeight(200);
        });
        for (int i = 0; i < placementCount; ++i)
            doc.appendEntry(
                new PnPEntry(QStringLiteral("R%1").arg(i), QStringLiteral("0402"), i % 300, (i / 300) % 200,
                    QStringLiteral("top"), 90, QStringLiteral("10k"), QStringLiteral("1"), QString()));
        for (const LayerSlot slot : { LayerSlot::Signal, LayerSlot::Mask }) {
            auto layer = std::make_unique<GerberLayer>();
            layer->unitFactor = 25.4;
            layer->reserveObjects(objectsPerLayer);
            const QString params[Aperture::ParameterCount] = { "0.01", "0.02", "x", "x" };
            Aperture* a
                = layer->addAperture(new Aperture(QStringLiteral("D10"), QStringLiteral("R"), params));
            for (int i = 0; i < objectsPerLayer; ++i)
                layer->createObject(a, (i % 1000) * 0.01, (i / 1000) * 0.008,
                    i % 3 ? ImageObject::flash() : ImageObject::draw(), true);
            for (int r = 0; r < regionCount / 2; ++r) {
                auto* polygon = new QPolygonF;
                for (int p = 0; p < pointsPerRegion; ++p)
                    polygon->append(QPointF(r * 0.001 + p * 0.01, p * 0.02));
                layer->addRegion(polygon, true);
            }
            layers.replace(LayerList::Top, slotIndex(slot), std::move(layer));
        }
    }
};

Side& side()
{
    static Side s;
    return s;
}

void count(benchmark::State& state, int perIteration)
{
    state.counters["objects/s"] = benchmark::Counter(
        double(state.iterations()) * perIteration * (2 * objectsPerLayer + regionCount * pointsPerRegion),
        benchmark::Counter::kIsRate);
}

void rotateBoard(benchmark::State& state)
{
    Side& s = side();
    for (auto _ : state)
        for (int i = 0; i < 4; ++i)
            benchmark::DoNotOptimize(BoardTransform::rotateBoard(s.doc, s.layers, {}));
    count(state, 4);
}

void mirrorBoard(benchmark::State& state)
{
    Side& s = side();
    for (auto _ : state)
        benchmark::DoNotOptimize(BoardTransform::mirrorBoard(s.doc, s.layers));
    count(state, 1);
}

void setNewOrigin(benchmark::State& state)
{
    Side& s = side();
    bool back = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BoardTransform::setNewOrigin(s.doc, s.layers, back ? -1.25 : 1.25, 0.5));
        back = !back;
    }
    count(state, 1);
}

void rotatePlacements(benchmark::State& state)
{
    Side& s = side();
    for (auto _ : state)
        BoardTransform::rotatePlacements(s.doc, 30);
}

void shiftPlacements(benchmark::State& state)
{
    Side& s = side();
    bool back = false;
    for (auto _ : state) {
        BoardTransform::shiftPlacements(s.doc, BoardTransform::Axis::X, back ? -0.5 : 0.5);
        back = !back;
    }
}

void turnSelected(benchmark::State& state)
{
    Side& s = side();
    for (auto _ : state) {
        s.doc.editEntries(s.doc.currentList(), [](PnPEntry& e) { e.setSelected(true); });
        BoardTransform::turnSelected(s.doc, 90);
    }
}

// Every placement to the bottom side and back: two moves per iteration.
void switchSide(benchmark::State& state)
{
    Side& s = side();
    for (auto _ : state) {
        for (const bool top : { true, false }) {
            s.doc.editEntries(s.doc.currentList(), [](PnPEntry& e) { e.setSelected(true); });
            BoardTransform::switchSide(s.doc);
            s.doc.setSide(!top);
        }
    }
}

void unplaceAll(benchmark::State& state)
{
    Side& s = side();
    for (auto _ : state) {
        s.doc.editEntries(s.doc.currentList(), [](PnPEntry& e) { e.setPlaced(true); });
        BoardTransform::unplaceAll(s.doc);
    }
}

// The replay after a layer is read again: one copper layer with a mirror and a quarter turn.
void replayLayer(benchmark::State& state)
{
    GerberLayer& layer = *side().layers.slot(true, LayerSlot::Signal);
    layer.mirror1 = true;
    layer.quarterTurns = 1;
    for (auto _ : state)
        LayerTransform::replay(layer);
    layer.mirror1 = false;
    layer.quarterTurns = 0;
}

} // namespace

BENCHMARK(rotateBoard)->Unit(benchmark::kMillisecond);
BENCHMARK(mirrorBoard)->Unit(benchmark::kMillisecond);
BENCHMARK(setNewOrigin)->Unit(benchmark::kMillisecond);
BENCHMARK(rotatePlacements)->Unit(benchmark::kMillisecond);
BENCHMARK(shiftPlacements)->Unit(benchmark::kMillisecond);
BENCHMARK(turnSelected)->Unit(benchmark::kMillisecond);
BENCHMARK(switchSide)->Unit(benchmark::kMillisecond);
BENCHMARK(unplaceAll)->Unit(benchmark::kMillisecond);
BENCHMARK(replayLayer)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    // Rotate logs a few lines per layer; they are not what is measured.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
