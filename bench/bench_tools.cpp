// Cost of one mouse event of the board view's tools on a large document: 50 000 placements and
// 2 000 drawings. A tool runs once per mouse move, so each must stay far below a frame (16 ms).
// Run: cmake -DTESSAVRANT_BENCH=ON ... && build/bench/bench_tools
#include "benchscale.h"
#include "model/document.h"
#include "view/boardtools.h"
#include "view/viewstate.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

const int widgetHeight = 1000;

// Placements on a 250 × 200 grid of 1 mm, drawings along the diagonal; zoom 4, so the view shows
// the whole board.
struct Scene
{
    Document doc;
    ViewState state;
    BoardOverlays overlays;
    BoardTools tools { doc, state, overlays };

    explicit Scene(bool selectAll = false)
    {
        state.zoomLevel = 4;
        state.offsetX = 0;
        state.offsetY = 0;
        for (int i = 0, n = BenchScale::size(50000); i < n; ++i) {
            auto* e = new PnPEntry(
                QStringLiteral("R%1").arg(i), "0603", i % 250, i / 250, "top", 0, "1k", "1", "");
            e->setSelected(selectAll);
            doc.appendEntry(e);
        }
        Drawings drawings;
        for (int i = 0; i < 2000; ++i) {
            Drawing d;
            d.type = i % 3;
            d.startX = i * 0.1;
            d.startY = i * 0.1;
            d.endX = d.startX + 3;
            d.endY = d.startY + 2;
            drawings.append(d);
        }
        doc.setDrawings(drawings);
    }
    QPointF pixel(double x, double y) const { return QPointF(state.offsetX + 4 * x, widgetHeight - 4 * y); }
};

void BM_BandStretch(benchmark::State& st)
{
    Scene s;
    s.state.tool = ToolMode::MultipleSelection;
    s.tools.press(s.pixel(10, 10), widgetHeight, Qt::LeftButton, false, Qt::red);
    int step = 0;
    for (auto _ : st)
        s.tools.move(s.pixel(100 + (++step % 50), 100), widgetHeight);
    s.tools.release(s.pixel(100, 100), widgetHeight, Qt::LeftButton);
}
BENCHMARK(BM_BandStretch)->Unit(benchmark::kMillisecond);

void BM_ClickSelect(benchmark::State& st)
{
    Scene s;
    for (auto _ : st) {
        s.tools.press(s.pixel(120.2, 80.1), widgetHeight, Qt::LeftButton, false, Qt::red);
        s.tools.release(s.pixel(120.2, 80.1), widgetHeight, Qt::LeftButton);
    }
}
BENCHMARK(BM_ClickSelect)->Unit(benchmark::kMillisecond);

void BM_RotateDrag(benchmark::State& st)
{
    Scene s(true);
    s.state.tool = ToolMode::RotateSelection;
    s.tools.press(s.pixel(0, 100), widgetHeight, Qt::LeftButton, false, Qt::red);
    int step = 0;
    for (auto _ : st)
        s.tools.move(s.pixel(1 + (++step % 90), 100), widgetHeight);
    s.tools.release(s.pixel(0, 100), widgetHeight, Qt::LeftButton);
}
BENCHMARK(BM_RotateDrag)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv); // drawings hold fonts
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
