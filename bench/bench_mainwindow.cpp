// The main window: constructing and showing it with an empty document (the form, the board view
// with its layer lists, menus, toolbar and first layout), and opening a large project in it
// (bigproject.h: seven layers of about 7 MB and 20 000 placements) as File > Open does.
// Run: cmake -DTESSAVRANT_BENCH=ON ... && build/bench/bench_mainwindow
#include "app/documentsession.h"
#include "app/mainwindow.h"
#include "benchscale.h"
#include "bigproject.h"
#include "view/ui/darstellg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <ctime>

#include <benchmark/benchmark.h>

namespace {

double cpuSeconds(clockid_t clock)
{
    timespec t {};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

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

// The large project, written once to $TMPDIR and reused (it can be opened in the window too).
const QString& bigProjectFile()
{
    static QString path;
    if (path.isEmpty()) {
        const QString file = QDir::temp().filePath(BenchScale::smoke()
                ? QStringLiteral("tessavrant-bench-project-smoke.tvx")
                : QStringLiteral("tessavrant-bench-project-54mb.tvx"));
        if (!QFileInfo::exists(file)) {
            BigProject p;
            QString error;
            if (!p.ok || !writeProject(file, p.document, p.layers, {}, &error))
                return path;
        }
        path = file;
    }
    return path;
}

// From the chosen file to a usable window (the file read, the tables filled, the view painted
// once: the time shown) and on to every layer rasterised and painted from its raster. Counters
// in seconds: wall time and CPU time of the whole process (render threads included) and of the
// GUI thread, to each point.
void openLargeProject(benchmark::State& state)
{
    const QString path = bigProjectFile();
    if (path.isEmpty()) {
        state.SkipWithError("corpus not found");
        return;
    }
    double usableCpu = 0, usableGui = 0, doneWall = 0, doneCpu = 0, doneGui = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<MainWindow>();
        window->resize(1600, 1000);
        window->show();
        QCoreApplication::processEvents();
        Darstellg* view = window->view();
        state.ResumeTiming();
        QElapsedTimer wall;
        wall.start();
        const double cpu0 = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        const double gui0 = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        window->documentSession().loadProject(path);
        view->repaint();
        usableCpu += cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
        usableGui += cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - gui0;
        state.PauseTiming();
        // Waits for events (the window's 20 ms tick comes always): the overload with a time
        // limit ignores WaitForMoreEvents and would spin against the render threads.
        while (view->layers().anyBusy() || view->viewState().render.rendering)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        view->repaint();
        doneWall += wall.nsecsElapsed() / 1e9;
        doneCpu += cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
        doneGui += cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - gui0;
        window.reset();
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    state.counters["usable_cpu_s"] = usableCpu / n;
    state.counters["usable_gui_cpu_s"] = usableGui / n;
    state.counters["rasterised_wall_s"] = doneWall / n;
    state.counters["rasterised_cpu_s"] = doneCpu / n;
    state.counters["rasterised_gui_cpu_s"] = doneGui / n;
}
BENCHMARK(openLargeProject)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(BenchScale::size(3, 1));

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
