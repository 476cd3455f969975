// Speed of every centroid reader and of the whole import frame over generated
// 200 000-placement files, one per layout.
// Run: cmake -DTESSAVRANT_BENCH=ON ... && build/bench/bench_pnpimport
#include "benchscale.h"
#include "model/document.h"
#include "pnpio/pnpimport.h"
#include "pnpio/positionupdate.h"

#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const int placements = BenchScale::size(200000);

QByteArray header(PnPFormat format)
{
    switch (format) {
    case PnPFormat::Tessavrant:
        return "RefDes;Name;X (mm);Y (mm);Side;Rotate;Value;Comment;Execute\n";
    case PnPFormat::Eagle:
        return QByteArray();
    case PnPFormat::EaglePart:
        return "Partlist\n\nExported from bench.brd\n\nEAGLE Version 9.6.2\n\nAssembly variant: \n\n"
               "Part       Value      Package    Library    Position (mm)        Orientation\n\n";
    case PnPFormat::Altium:
        return "Altium Designer Pick and Place Locations\n\nUnits used: mil\n\n"
               "Designator Comment    Layer       Footprint  Center-X(mil) Center-Y(mil) Rotation "
               "Description\n";
    case PnPFormat::AltiumCsv:
        return "Altium Designer Pick and Place "
               "Locations\n\n\"Designator\",\"Comment\",\"Layer\",\"Footprint\","
               "\"Center-X(mm)\",\"Center-Y(mm)\",\"Rotation\",\"Description\"\n";
    case PnPFormat::Target:
        return "*Pick And Place List\n*No,Value,X,Y,Rotation,Side,Name\n";
    case PnPFormat::KiCad:
        return "### Footprint positions - created on bench ###\n## Unit = mm, Angle = deg.\n## Side : All\n"
               "# Ref     Val       Package        PosX       PosY       Rot  Side\n";
    }
    return QByteArray();
}

// text padded with spaces to width columns.
QByteArray pad(const QByteArray& text, int width)
{
    return text.leftJustified(width, ' ');
}

QByteArray line(PnPFormat format, int i)
{
    const QByteArray ref = "R" + QByteArray::number(i);
    const QByteArray x = QByteArray::number((i % 3000) * 0.1, 'f', 2);
    const QByteArray y = QByteArray::number((i / 3000) * 0.1, 'f', 2);
    const QByteArray value = QByteArray::number(i % 311) + "k";
    const QByteArray side = i % 3 ? "Top" : "Bottom";
    switch (format) {
    case PnPFormat::Tessavrant:
        return ref + ";0603;" + x + ";" + y + ";" + side + ";90;" + value + ";;1\n";
    case PnPFormat::Eagle:
        return ref + " " + x + " " + y + " 90 " + value + " R0603\n";
    case PnPFormat::EaglePart:
        return pad(ref, 11) + pad(value, 11) + "R0603      rcl        " + pad("(" + x + " " + y + ")", 21)
            + "MR90\n";
    case PnPFormat::Altium:
        return pad(ref, 11) + pad(value, 11) + (i % 3 ? "TopLayer    " : "BottomLayer ") + "R0603      "
            + pad(x, 14) + pad(y, 14) + "90       \"Resistor, 0603\"\n";
    case PnPFormat::AltiumCsv:
        return "\"" + ref + "\",\"" + value + "\",\"" + (i % 3 ? "TopLayer" : "BottomLayer")
            + "\",\"R0603\",\"" + x + "\",\"" + y + "\",\"90\",\"Resistor, 0603\"\n";
    case PnPFormat::Target:
        return "\"" + QByteArray::number(i) + "\",\"" + value + "\",\"" + x + "\",\"" + y + "\",\"90\",\""
            + side + "\",\"" + ref + "\"\n";
    case PnPFormat::KiCad:
        return pad(ref, 10) + pad(value, 10) + "R_0603     " + pad(x, 11) + pad(y, 11) + "90.0000  "
            + (i % 3 ? "top" : "bottom") + "\n";
    }
    return QByteArray();
}

// The generated file of a layout, written once per run.
QString file(PnPFormat format)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench%1.txt").arg(int(format)));
    if (!QFile::exists(path)) {
        QByteArray bytes = header(format);
        bytes.reserve(placements * 100);
        for (int i = 0; i < placements; ++i)
            bytes += line(format, i);
        QFile out(path);
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
    }
    return path;
}

// Reader only: bytes to placements.
void BM_Read(benchmark::State& state, PnPFormat format)
{
    const QString path = file(format);
    for (auto _ : state) {
        ImportedPlacements out;
        QString error;
        if (!PnPImport::readFile(format, path, out, &error) || out.size() != placements)
            state.SkipWithError("reader failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["placements/s"]
        = benchmark::Counter(double(placements), benchmark::Counter::kIsIterationInvariantRate);
}

// The whole frame: read, build entries, hand them to the sides of a fresh document.
void BM_Import(benchmark::State& state, PnPFormat format)
{
    const QString path = file(format);
    for (auto _ : state) {
        Document document;
        QString error;
        if (!PnPImport::importFile(document, format, path, PnPImportOptions::defaultsFor(format), &error))
            state.SkipWithError("import failed");
        benchmark::DoNotOptimize(document.side(true).placements.size());
    }
    state.counters["placements/s"]
        = benchmark::Counter(double(placements), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_PositionUpdate(benchmark::State& state)
{
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    Document document;
    QString error;
    PnPImport::importFile(
        document, PnPFormat::Tessavrant, file(PnPFormat::Tessavrant), PnPImportOptions(), &error);
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("update.csv"));
    {
        QByteArray bytes = "RefDes;X;Y;Rotation\n";
        for (int i = 0; i < placements; ++i)
            bytes += "R" + QByteArray::number(i) + ";1,5;2,5;180\n";
        QFile out(path);
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
    }
    for (auto _ : state) {
        int notes = 0;
        PositionUpdate::updateFile(
            document, path, [&](const QString&) { ++notes; }, &error);
        benchmark::DoNotOptimize(notes);
    }
    state.counters["placements/s"]
        = benchmark::Counter(double(placements), benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK_CAPTURE(BM_Read, tessavrant, PnPFormat::Tessavrant)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, eagle, PnPFormat::Eagle)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, eagle_part, PnPFormat::EaglePart)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, altium, PnPFormat::Altium)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, altium_csv, PnPFormat::AltiumCsv)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, target, PnPFormat::Target)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, kicad, PnPFormat::KiCad)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Import, tessavrant, PnPFormat::Tessavrant)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Import, eagle, PnPFormat::Eagle)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Import, eagle_part, PnPFormat::EaglePart)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Import, altium, PnPFormat::Altium)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Import, altium_csv, PnPFormat::AltiumCsv)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Import, target, PnPFormat::Target)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Import, kicad, PnPFormat::KiCad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PositionUpdate)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
