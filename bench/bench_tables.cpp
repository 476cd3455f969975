// The placement tables on generated panels: "create lists" (both tables built), the placement
// table alone at 300 000 placements with the memory its rows take, sorting the working list
// (alone and with the rebuild), selecting a part group from the part table, and a search over
// both sides.
// Run: cmake -DTESSAVRANT_BENCH=ON ... && build/bench/bench_tables
#include "app/mainwindow.h"
#include "app/placementtables.h"
#include "benchscale.h"
#include "settings/placementsearch.h"
#include "tables/placementsort.h"
#include "tables/ui/partlist.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"

#include <QApplication>
#include <QHeaderView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

// A panel of n placements in 200 part groups, with shuffled designators.
void fill(Document& doc, int n, int groups = 200)
{
    // One undo step: appended one step each, every append would capture the whole list.
    const EditGroup group(doc, QStringLiteral("Fill"));
    for (int i = 0; i < n; ++i) {
        const int g = (i * 7919) % groups;
        doc.appendEntry(new PnPEntry(QStringLiteral("R%1").arg(qint64(i) * 104729 % n + 1),
            QStringLiteral("P%1").arg(g % 17), (i % 300) * 0.5, (i / 300) * 0.5, QStringLiteral("top"),
            (i % 4) * 90, QStringLiteral("V%1").arg(g), QStringLiteral("1"), QString()));
    }
}

struct Window
{
    MainWindow w;
    explicit Window(int n, int groups = 200)
    {
        w.resize(1600, 1000);
        w.show();
        fill(w.view()->document(), n, groups);
    }
};

void createLists(benchmark::State& state)
{
    Window win(int(state.range(0)));
    for (auto _ : state)
        win.w.tables().createLists();
}
BENCHMARK(createLists)
    ->Arg(BenchScale::size(10000))
    ->Arg(BenchScale::size(50000))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Bytes of heap in use.
double heapBytes()
{
    return double(mallinfo2().uordblks);
}

// Only the placement table, rebuilt over rows of the same count; counter `table_MiB`: the heap
// the filled table holds over the empty one; `coloured_MiB`: the same after the machine selector
// has coloured the rows, as it does when a project is opened.
void placementTable(benchmark::State& state)
{
    Window win(int(state.range(0)));
    double bytes = 0;
    double coloured = 0;
    for (auto _ : state) {
        state.PauseTiming();
        win.w.form()->pickandplacepositionen->setRowCount(0);
        const double before = heapBytes();
        state.ResumeTiming();
        win.w.tables().buildPlacementTable();
        bytes = heapBytes() - before;
        state.PauseTiming();
        win.w.tables().applyMachineSelector(win.w.form()->comboBox->currentIndex());
        coloured = heapBytes() - before;
        state.ResumeTiming();
    }
    state.counters["table_MiB"] = bytes / (1024.0 * 1024.0);
    state.counters["coloured_MiB"] = coloured / (1024.0 * 1024.0);
}
BENCHMARK(placementTable)->Arg(BenchScale::size(300000))->Unit(benchmark::kMillisecond)->Iterations(2);

void sortOnly(benchmark::State& state)
{
    Document doc;
    fill(doc, BenchScale::size(50000));
    const QList<PnPEntry*> original = doc.currentList();
    for (auto _ : state) {
        QList<PnPEntry*> list = original;
        PlacementSort::sort(list, int(state.range(0)), SortOrder::Ascending, PartListFilter());
        benchmark::DoNotOptimize(list);
    }
}
// RefDes (natural text order), X (number), Qty (counts of the part list).
BENCHMARK(sortOnly)->Arg(0)->Arg(3)->Arg(999)->Unit(benchmark::kMillisecond);

void sortWithRebuild(benchmark::State& state)
{
    Window win(BenchScale::size(50000));
    win.w.tables().createLists();
    for (auto _ : state)
        win.w.form()->pickandplacepositionen->horizontalHeader()->sectionClicked(0);
}
BENCHMARK(sortWithRebuild)->Unit(benchmark::kMillisecond)->Iterations(3);

void selectGroup(benchmark::State& state)
{
    // 10 groups of 5 000 placements each.
    Window win(BenchScale::size(50000), 10);
    win.w.tables().createLists();
    Partlist* parts = win.w.form()->teile;
    int row = 0;
    for (auto _ : state) {
        parts->selectRow(row);
        emit parts->cellClicked(row, 1);
        row = (row + 1) % parts->rowCount();
    }
}
BENCHMARK(selectGroup)->Unit(benchmark::kMillisecond);

void search(benchmark::State& state)
{
    Document doc;
    fill(doc, BenchScale::size(50000));
    SearchOptions options;
    options.term = QStringLiteral("r4711");
    for (auto _ : state)
        benchmark::DoNotOptimize(PlacementSearch::run(doc.currentList(), options));
}
BENCHMARK(search)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
