// Start-up cost of the main window: constructing it and showing it offscreen, with an empty
// document (the form, the board view with its layer lists, menus, toolbar and first layout).
// Run: cmake -DTESSAVRANT_BENCH=ON ... && build/bench/bench_mainwindow
#include "app/mainwindow.h"
#include "benchscale.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void constructAndShow(benchmark::State& state)
{
    for (auto _ : state) {
        MainWindow window;
        window.resize(1600, 1000);
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.windowTitle());
    }
}
// Ten repetitions; the report gives their mean, median and spread.
BENCHMARK(constructAndShow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(BenchScale::size(10))
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    // The window's progress log lines would drown the report.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window creates its configuration folder under the documents folder (or where
    // TESSAVRANT_CONFIG_DIR points): keep it away from the real one.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("TESSAVRANT_CONFIG_DIR", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
