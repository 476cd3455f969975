// Reading and drawing speed of Gerber and Excellon layers: the ten largest files of the CAD
// corpus and a generated 50 MB copper layer. Reports MB/s and objects/s for reading, and the
// time to draw a layer at 600 dpi (what `tessavrant-cli render` does before writing the PNG).
// Run: cmake -DTESSAVRANT_BENCH=ON ... && build/bench/bench_gerber; bench/compare_gerbv.sh sets
// the same files against gerbv.
#include "benchcorpus.h"
#include "benchscale.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "view/layerbounds.h"
#include "view/layerpainter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <memory>
#include <sys/resource.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <benchmark/benchmark.h>

namespace {

const qint64 generatedSize = BenchScale::size(50LL * 1000 * 1000);

QString corpusDir()
{
    return benchCorpusGerberDir();
}

// The ten largest Gerber and drill files listed in the corpus manifest.
QStringList largestCorpusFiles()
{
    QFile manifest(corpusDir() + QStringLiteral("/MANIFEST.tsv"));
    if (!manifest.open(QIODevice::ReadOnly))
        return {};
    QList<QPair<qint64, QString>> files;
    for (const QString& row : QString::fromUtf8(manifest.readAll()).split(QLatin1Char('\n'))) {
        const QStringList f = row.split(QLatin1Char('\t'));
        if (f.size() > 4 && (f[2] == QLatin1String("gerber") || f[2] == QLatin1String("excellon")))
            files.append({ f[4].toLongLong(), corpusDir() + QLatin1Char('/') + f[0] });
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    QStringList paths;
    for (int i = 0; i < files.size() && paths.size() < (BenchScale::smoke() ? 2 : 10); ++i) {
        if (QFileInfo::exists(files[i].second))
            paths << files[i].second;
    }
    return paths;
}

// A copper layer as CAD tools write them: short tracks between pads, pad flashes of several
// apertures, small filled zones as regions, some clear cut-outs; 200 mm square, inch, 2.4 format.
QString generatedCopperLayer()
{
    const QString path = QDir::temp().filePath(
        QStringLiteral("tessavrant-bench-copper-%1kb-v2.gbr").arg(generatedSize / 1000));
    if (QFileInfo(path).size() >= generatedSize)
        return path;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    QByteArray out;
    out.reserve(1 << 22);
    out += "G04 generated copper layer for the reader benchmark*\n%FSLAX24Y24*%\n%MOIN*%\n";
    out += "%ADD10C,0.0060*%\n%ADD11C,0.0100*%\n%ADD12C,0.0250*%\n%ADD13R,0.0600X0.0400*%\n"
           "%ADD14O,0.0800X0.0400*%\n%ADD15P,0.0700X8*%\n%ADD16C,0.0600X0.0300*%\n%ADD17R,0.0200X0.0300*%\n";
    QRandomGenerator rng(42);
    const int board = 78740; // 200 mm in 2.4 inch units
    const auto xy = [](int x, int y) -> QByteArray {
        return "X" + QByteArray::number(x) + "Y" + QByteArray::number(y);
    };
    const auto clampToBoard = [board](int v) { return qBound(0, v, board); };
    qint64 written = 0;
    int block = 0;
    while (written < generatedSize) {
        const int kind = block++ % 10;
        int x = rng.bounded(board);
        int y = rng.bounded(board);
        if (kind < 6) {
            // A track: eight segments of up to 2 mm, straight or diagonal.
            out += "D1" + QByteArray::number(rng.bounded(3)) + "*\n" + xy(x, y) + "D02*\n";
            for (int i = 0; i < 8; ++i) {
                const int step = rng.bounded(800);
                const int dir = rng.bounded(8);
                x = clampToBoard(x + (dir % 4 == 0 ? 0 : (dir < 4 ? step : -step)));
                y = clampToBoard(y + (dir % 4 == 2 ? 0 : (dir / 2 % 2 ? step : -step)));
                out += xy(x, y) + "D01*\n";
            }
        } else if (kind < 9) {
            // A row of pads at a 1.27 mm pitch.
            out += "D1" + QByteArray::number(3 + rng.bounded(5)) + "*\n";
            for (int i = 0; i < 10; ++i)
                out += xy(clampToBoard(x + 500 * i), y) + "D03*\n";
        } else {
            // A zone of up to 10 mm, now and then cut clear.
            const bool clear = block % 50 == 9;
            if (clear)
                out += "%LPC*%\n";
            const int radius = 400 + rng.bounded(1600);
            out += "G36*\n";
            for (int i = 0; i <= 12; ++i) {
                const double a = 2 * M_PI * (i % 12) / 12;
                out += xy(clampToBoard(x + int(radius * std::cos(a))),
                           clampToBoard(y + int(radius * std::sin(a))))
                    + (i == 0 ? "D02*\n" : "D01*\n");
            }
            out += "G37*\n";
            if (clear)
                out += "%LPD*%\n";
        }
        if (out.size() > (1 << 22) - 4096) {
            written += file.write(out);
            out.clear();
        }
    }
    out += "M02*\n";
    file.write(out);
    return path;
}

bool isDrill(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && looksLikeExcellon(file.read(64 * 1024));
}

// Reads the file into a layer; true when the reader succeeded.
bool readLayer(const QString& path, GerberLayer& layer)
{
    if (isDrill(path))
        return loadExcellon(path, layer, ExcellonFormat());
    return loadGerber(path, layer);
}

qint64 objectCount(const GerberLayer& layer)
{
    return layer.objects().size() + layer.regionPolygons().size();
}

double peakRssMb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// The process's resident memory now and its peak, in KiB, from /proc (0 where there is none).
qint64 statusKib(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// Starts the process's peak over from what it holds now (Linux); false where it cannot.
bool restartPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

void readFile(benchmark::State& state, const QString& path)
{
    const qint64 size = QFileInfo(path).size();
    qint64 objects = 0;
    bool ok = false;
    // What reading adds to the process at its peak: the peak while reading over what the process
    // held before (free heap given back first, or reading would reuse it unseen), against the
    // file's size.
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    const bool peakRestarted = restartPeak();
    const qint64 before = statusKib("VmRSS:");
    for (auto _ : state) {
        auto layer = std::make_unique<GerberLayer>();
        ok = readLayer(path, *layer);
        objects = objectCount(*layer);
        state.PauseTiming();
        layer.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["objects"] = double(objects);
    state.counters["objects/s"]
        = benchmark::Counter(double(objects) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["reader_ok"] = ok ? 1 : 0;
    state.counters["peak_rss_MB"] = peakRssMb();
    if (peakRestarted && before > 0 && size > 0)
        state.counters["read_peak_x_file"] = double(statusKib("VmHWM:") - before) * 1024 / double(size);
}

// Draws the layer over its bounding box at 600 dpi, as the render command does.
void drawFile(benchmark::State& state, const QString& path)
{
    GerberLayer read;
    readLayer(path, read);
    const GerberLayer* layer = &read;
    const QRectF box = LayerBounds::extentMm(*layer, true);
    const double scale = 600.0 / 25.4;
    const int w = qBound(1, int(std::ceil(box.width() * scale)), 32767);
    const int h = qBound(1, int(std::ceil(box.height() * scale)), 32767);
    if (box.isNull() || double(w) * h > 256.0 * 1024 * 1024) {
        state.SkipWithError("layer empty or too large to draw");
        return;
    }
    QImage image(w, h, QImage::Format_Grayscale8);
    for (auto _ : state) {
        image.fill(255);
        QPainter painter(&image);
        LayerPaintTransform t;
        t.scale = scale;
        t.originX = -box.left() * scale;
        t.originY = box.bottom() * scale;
        LayerPainter::paint(painter, *layer, t, Qt::black, Qt::white);
    }
    state.counters["pixels"] = double(w) * h;
    state.counters["objects/s"]
        = benchmark::Counter(double(objectCount(*layer)) * state.iterations(), benchmark::Counter::kIsRate);
}

QString label(const QString& path)
{
    return path.startsWith(corpusDir()) ? path.mid(corpusDir().size() + 1) : QFileInfo(path).fileName();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {}); // reader log lines

    QStringList files = largestCorpusFiles();
    const QString generated = generatedCopperLayer();
    if (!generated.isEmpty())
        files << generated;
    for (const QString& path : files) {
        const std::string name = label(path).toStdString();
        benchmark::RegisterBenchmark(("read/" + name).c_str(), readFile, path)->Unit(benchmark::kMillisecond);
    }
    for (const QString& path : files) {
        const std::string name = label(path).toStdString();
        benchmark::RegisterBenchmark(("draw600dpi/" + name).c_str(), drawFile, path)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
