// Saving and loading a large project: seven real layers of the corpus, each repeated to about
// 7 MB (50 MB of Gerber text in all), and 20 000 placements. Save builds the text, compresses it
// and writes the file; load reads, decodes, interprets and reads every layer again from its
// lines. Counters: file size, and the size zlib reaches at level 6 on the same text.
// Run: cmake -DTESSAVRANT_BENCH=ON ... && build/bench/bench_project
#include "bigproject.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

BigProject& project()
{
    static BigProject p;
    return p;
}

void save(benchmark::State& state)
{
    BigProject& p = project();
    if (!p.ok) {
        state.SkipWithError("corpus not found");
        return;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.tvx"));
    for (auto _ : state) {
        QString error;
        if (!writeProject(path, p.document, p.layers, {}, &error))
            state.SkipWithError(qPrintable(error));
    }
    const QByteArray text = projectText(p.document, p.layers, {});
    state.counters["text_MB"] = text.size() / 1e6;
    state.counters["file_MB"] = QFileInfo(path).size() / 1e6;
    state.counters["zlib6_MB"] = qCompress(text, 6).size() / 1e6;
}

void load(benchmark::State& state)
{
    BigProject& p = project();
    if (!p.ok) {
        state.SkipWithError("corpus not found");
        return;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.tvx"));
    QString error;
    writeProject(path, p.document, p.layers, {}, &error);
    int objects = 0;
    bool whole = true;
    for (auto _ : state) {
        Document document;
        LayerSet layers;
        ProjectLoad result;
        if (!readProject(path, document, layers, &result, &error))
            state.SkipWithError(qPrintable(error));
        whole = result.warning.isEmpty();
        objects = 0;
        for (const GerberLayer* l : layers.list(LayerList::Top))
            objects += l->objects().size();
    }
    state.counters["objects"] = objects;
    state.counters["layers_whole"] = whole ? 1 : 0;
}

} // namespace

BENCHMARK(save)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(load)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
