// Saving and loading a large project: seven real layers of the corpus, each repeated to about
// 7 MB (50 MB of Gerber text in all), and 20 000 placements. Save builds the text, compresses it
// and writes the file; load reads, decodes, interprets and reads every layer again from its
// lines. Counters: file size, and the size zlib reaches at level 6 on the same text.
// Run: cmake -DTESSAVRANT_BENCH=ON ... && build/bench/bench_project
#include "benchscale.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/layerset.h"
#include "model/document.h"
#include "project/projectfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const int layerBytes = BenchScale::size(50 * 1000 * 1000 / 7);
const int placementCount = BenchScale::size(20000);

QString corpusDir()
{
    QString root = qEnvironmentVariable("TESSAVRANT_CORPUS_DIR");
    if (root.isEmpty())
        root = QFileInfo(QStringLiteral(__FILE__))
                   .absoluteDir()
                   .filePath(QStringLiteral("../../shared/corpus"));
    return QDir::cleanPath(root + QStringLiteral("/gerber"));
}

const char* const layerFiles[] = {
    "gerbv/example/hellboard/hellboard.front.gbr",
    "gerbonara/resources/kicad-older/chibi_2024-B.Mask.gbr",
    "gerbv/example/hellboard/hellboard.group1.gbr",
    "gerbonara/resources/allegro-2/MinnowMax_RevA1_GAF_Gerber/MinnowMax_assy.art",
    "gerbonara/resources/kicad-older/chibi_2024-B.SilkS.gbr",
    "gerbonara/resources/allegro-2/MinnowMax_RevA1_GAF_Gerber/MinnowMax_lyr1_GAF.art",
    "gerbonara/resources/allegro-2/MinnowMax_RevA1_GAF_Gerber/MinnowMax_tslk_GAF.art",
};

// The file's lines with its body (after the last aperture definition, before M02) repeated
// until the layer holds about layerBytes.
LineList scaled(const QByteArray& bytes)
{
    const QStringList lines = gerberLinesFromBytes(bytes).toStringList();
    int bodyStart = 0;
    int end = lines.size();
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(QLatin1String("%AD")) || lines[i].startsWith(QLatin1String("%AM")))
            bodyStart = i + 1;
        if (lines[i].startsWith(QLatin1String("M02")))
            end = i;
    }
    LineList out;
    for (int i = 0; i < bodyStart; ++i)
        out.append(lines[i]);
    int size = bytes.size();
    do {
        for (int i = bodyStart; i < end; ++i)
            out.append(lines[i]);
        size += bytes.size();
    } while (size < layerBytes);
    out.append(QStringLiteral("M02*"));
    return out;
}

struct BigProject
{
    Document document;
    LayerSet layers;
    bool ok = true;

    BigProject()
    {
        for (int slot = 0; slot < layerSlotCount; ++slot) {
            QFile f(corpusDir() + QLatin1Char('/') + QLatin1String(layerFiles[slot]));
            if (!f.open(QIODevice::ReadOnly)) {
                ok = false;
                return;
            }
            auto layer = std::make_unique<GerberLayer>(slot);
            layer->rawLines = scaled(f.readAll());
            layer->fileName = QFileInfo(f.fileName()).fileName();
            layers.replace(LayerList::Top, slot, std::move(layer));
        }
        QList<PnPEntry*> top;
        for (int i = 0; i < placementCount; ++i)
            top << new PnPEntry(QStringLiteral("R%1").arg(i), QStringLiteral("0603"), (i % 200) * 1.27,
                (i / 200) * 1.905, QStringLiteral("top"), (i % 4) * 90.0, QStringLiteral("%1k").arg(i % 97),
                ExecKind::Machine, QString());
        document.editSide(true, QStringLiteral("placements"), Change::Placements,
            [&](BoardSide& s) { s.placements = top; });
    }
};

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
