// The placement optimizer on large boards (10 000 and 300 000 placements, 150 feeders on an Opal) and the
// feeder-list generation for the same board.
// Run: cmake -DTESSAVRANT_BENCH=ON ... && build/bench/bench_optimizer
#include "benchscale.h"
#include "line/feederentry.h"
#include "line/feederlist.h"
#include "line/machinetables.h"
#include "line/optimizer.h"
#include "line/partdatabase.h"
#include "model/pnpentry.h"

#include <QLoggingCategory>

#include <benchmark/benchmark.h>

namespace {

constexpr int feederCount = 150;

// Placements spread over a 200 x 150 mm board; part types repeat with a skew, as on real boards.
struct LargeBoard
{
    QList<PnPEntry*> placements;
    QList<FeederEntry*> feeders;
    explicit LargeBoard(int placementCount)
    {
        for (int i = 0; i < placementCount; ++i) {
            const int type = (i * 7 + i / 13) % feederCount;
            auto* e = new PnPEntry(QStringLiteral("R%1").arg(i), QStringLiteral("PKG%1").arg(type % 40),
                (i * 37 % 2000) * 0.1, (i * 53 % 1500) * 0.1, QStringLiteral("top"), 0,
                QStringLiteral("V%1").arg(type), QStringLiteral("1"), QString());
            e->setLine(1);
            e->setMachine(1);
            placements.append(e);
        }
        const QVector<int> sets = generationSets(MachineType::Opal);
        const FeederList::Generated g = FeederList::generate(placements, 1, 1, PartDatabase(), {}, sets);
        feeders = g.entries;
        // 150 part types on the machine's sets: the second use of a set takes another nozzle.
        for (int i = 0; i < feeders.size(); ++i) {
            feeders[i]->setNo = sets.at(i % sets.size());
            feeders[i]->nozzle = 1 + i / sets.size() + (i % 2);
        }
    }
    ~LargeBoard()
    {
        qDeleteAll(placements);
        qDeleteAll(feeders);
    }
};

void optimizeLargeBoard(benchmark::State& state)
{
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    const LargeBoard board(int(state.range(0)));
    for (auto _ : state) {
        const OptimizerResult r
            = optimizePlacements(board.placements, 1, 1, MachineType::Opal, board.feeders);
        if (r.status != OptimizerStatus::Done)
            state.SkipWithError("the board did not optimize completely");
        benchmark::DoNotOptimize(r.cycles);
    }
}
// A board of 10 000 placements, and a shop's day of 300 000 (the picks must not grow with n²).
BENCHMARK(optimizeLargeBoard)
    ->Arg(BenchScale::size(10000))
    ->Arg(BenchScale::size(300000))
    ->Unit(benchmark::kMillisecond);

void generateFeederList(benchmark::State& state)
{
    const LargeBoard board(BenchScale::size(10000));
    PartDatabase db;
    db.parse("#ASYS\n120 PKG1,PKG2,V7\n#DBASE\n120 RES-0603 1.6 0.8 0.45 1 8\n");
    for (auto _ : state) {
        const FeederList::Generated g = FeederList::generate(
            board.placements, 1, 1, db, board.feeders, generationSets(MachineType::Opal));
        benchmark::DoNotOptimize(g.entries.size());
        qDeleteAll(g.entries);
    }
}
BENCHMARK(generateFeederList)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
