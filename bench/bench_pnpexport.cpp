// Speed of the two CSV exports over a generated 200 000-placement document.
// Run: cmake -DTESSAVRANT_BENCH=ON ... && build/bench/bench_pnpexport
#include "benchscale.h"
#include "model/pnpentry.h"
#include "pnpio/pnpexport.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const int placements = BenchScale::size(200000);

struct Sides
{
    QList<PnPEntry*> top;
    QList<PnPEntry*> bottom;
    ~Sides()
    {
        qDeleteAll(top);
        qDeleteAll(bottom);
    }
};

// Board-like data: a few hundred values and packages, positions over a 300 mm panel.
const Sides& document()
{
    static const Sides sides = [] {
        Sides s;
        QRandomGenerator rng(1234);
        const char* packages[] = { "0402", "0603", "0805", "SOT23", "SO8", "QFN32", "TQFP64" };
        const char* execs[] = { "1", "1", "1", "2", "3", "0" };
        for (int i = 0; i < placements; ++i) {
            const bool top = i % 3 != 0;
            auto* e = new PnPEntry(QStringLiteral("R%1").arg(i), QString::fromLatin1(packages[i % 7]),
                rng.generateDouble() * 300.0, rng.generateDouble() * 300.0,
                top ? QStringLiteral("top") : QStringLiteral("bottom"),
                double(rng.bounded(8)) * 45.0 + (i % 11 ? 0.0 : 0.5), QStringLiteral("%1k").arg(i % 311),
                QString::fromLatin1(execs[i % 6]), i % 7 ? QString() : QStringLiteral("check_polarity"));
            (top ? s.top : s.bottom).append(e);
        }
        return s;
    }();
    return sides;
}

void BM_PickAndPlaceListFile(benchmark::State& state)
{
    const Sides& sides = document();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pnp.csv"));
    for (auto _ : state) {
        if (!writePickAndPlaceList(path, sides.top, sides.bottom, PnPExportOptions()))
            state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations() * placements);
}

void BM_PartListFile(benchmark::State& state)
{
    const Sides& sides = document();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parts.csv"));
    PnPExportOptions options;
    options.panels = 4;
    for (auto _ : state) {
        if (!writePartList(path, sides.top, sides.bottom, options))
            state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations() * placements);
}

void BM_BothListsFile(benchmark::State& state)
{
    const Sides& sides = document();
    QTemporaryDir dir;
    const QString pnp = dir.filePath(QStringLiteral("pnp.csv"));
    const QString parts = dir.filePath(QStringLiteral("parts.csv"));
    for (auto _ : state) {
        if (!writePickAndPlaceList(pnp, sides.top, sides.bottom, PnPExportOptions())
            || !writePartList(parts, sides.top, sides.bottom, PnPExportOptions()))
            state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations() * placements);
}

} // namespace

BENCHMARK(BM_PickAndPlaceListFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PartListFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BothListsFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
