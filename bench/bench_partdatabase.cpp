// Reading and saving a 2 000-entry part database (database.cfg): the parse that fills the
// look-ups, the edit that places one entry, and a save with its backup.
// Run: cmake -DTESSAVRANT_BENCH=ON ... && build/bench/bench_partdatabase
#include "benchscale.h"
#include "line/databasefile.h"
#include "line/partdatabase.h"
#include "line/partdbedit.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const int entries = BenchScale::size(2000);

// A shop-like database: two aliases an entry, a dozen categories; numbers run 100..999 and then
// repeat, as only 900 numbers exist.
const QByteArray& databaseFile()
{
    static const QByteArray data = [] {
        const char* categories[] = { "RES", "CAP", "IC", "LED", "DIODE", "TRANS", "COIL", "CONN", "XTAL",
            "FUSE", "FERRITE", "SWITCH" };
        QStringList aliases;
        QStringList lines;
        for (int i = 0; i < entries; ++i) {
            const QString no = PartDbEditor::numberText(100 + i % 900);
            aliases << QStringLiteral("%1 PKG%2,VAL%2").arg(no).arg(i);
            lines << QStringLiteral("%1 %2-TYPE%3 %4 %5 0.55 %6 %7")
                         .arg(no, QLatin1String(categories[i % 12]))
                         .arg(i)
                         .arg(1.0 + (i % 40) * 0.25, 0, 'f', 2)
                         .arg(0.5 + (i % 30) * 0.25, 0, 'f', 2)
                         .arg(1 + i % 10)
                         .arg(PartDbEditor::feederWidths().at(i % 6));
        }
        return PartDbEditor::serialize(QStringList { "#ASYS" } + aliases + QStringList { "#DBASE" } + lines);
    }();
    return data;
}

void BM_Read(benchmark::State& state)
{
    const QByteArray& data = databaseFile();
    for (auto _ : state) {
        PartDatabase db;
        db.parse(data);
        benchmark::DoNotOptimize(db.entries().size());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * data.size());
}
BENCHMARK(BM_Read)->Unit(benchmark::kMillisecond);

void BM_ReadFile(benchmark::State& state)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(PartDatabase::fileName));
    file.open(QIODevice::WriteOnly);
    file.write(databaseFile());
    file.close();
    for (auto _ : state) {
        PartDatabase db;
        db.readFile(file.fileName());
        benchmark::DoNotOptimize(db.entries().size());
    }
}
BENCHMARK(BM_ReadFile)->Unit(benchmark::kMillisecond);

// What the editor's "OK" costs: place one entry, back up and write the file.
void BM_EditAndSave(benchmark::State& state)
{
    QTemporaryDir dir;
    PartDatabase db;
    db.parse(databaseFile());
    PartDbEdit edit;
    edit.dbNo = 555;
    edit.name = QStringLiteral("RES");
    edit.type = QStringLiteral("NEW");
    edit.keywords = QStringLiteral("A,B");
    for (auto _ : state) {
        DatabaseFile file(dir.path());
        if (!file.save(PartDbEditor::applyEdit(db.lines(), edit)))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_EditAndSave)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
