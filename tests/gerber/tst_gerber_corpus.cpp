// Real files and hostile input: every corpus Gerber file loads without a crash, the files that
// use only what the reader supports succeed, and no input makes the reader crash, hang or
// allocate without bound.
#include "corpus.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>
#include <malloc.h>
#include <memory>

namespace {

const QString corpusDir = corpusRoot() + QStringLiteral("/gerber");

// Heap bytes in use, including the large blocks malloc maps separately and the object blocks
// the layers map themselves.
size_t allocatedBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd + ObjectArena::largeBlockBytesInUse();
}

void quiet(QtMsgType, const QMessageLogContext&, const QString&) { }

// Files that fail by design: no M02, RS-274D without format and apertures, include files,
// a deliberate syntax error.
bool expectedToFail(const QString& path, const QString& endCode)
{
    static const QStringList known = {
        "gerbonara/resources/test_syntax_error.gbr",
        "gerbv/example/ekf/l1.off",
        "gerbv/test/inputs/include-file-1.gbx",
        "gerbv/test/inputs/parse_aperture_strtok.1.poc",
    };
    // P-CAD ends with "D02M02*", which the manifest does not count as the end code.
    if (path.startsWith(QLatin1String("gerbonara/resources/p-cad/")))
        return false;
    return endCode != QLatin1String("yes") || known.contains(path);
}

struct CorpusFile
{
    QString path;
    QString endCode;
    qint64 size;
    QString features;
};

QList<CorpusFile> corpusGerberFiles()
{
    QList<CorpusFile> files;
    QFile manifest(corpusDir + "/MANIFEST.tsv");
    if (!manifest.open(QIODevice::ReadOnly))
        return files;
    QTextStream in(&manifest);
    in.setCodec("UTF-8");
    in.readLine();
    while (!in.atEnd()) {
        const QStringList f = in.readLine().split(QLatin1Char('\t'));
        if (f.size() > 7 && f.at(2) == QLatin1String("gerber"))
            files.append({ f.at(0), f.at(7), f.at(4).toLongLong(), f.at(6) });
    }
    return files;
}

// The index invariants: distinct indexes in ascending order, maps holding exactly the lists.
bool consistent(const GerberLayer& layer)
{
    const ObjectOrder order = layer.order();
    if (order.size() != layer.objects().size() + layer.regionPolygons().size())
        return false;
    for (int i = 1; i < order.size(); ++i) {
        if (order.at(i) <= order.at(i - 1))
            return false;
    }
    ObjectIndexWalk indexes(layer);
    int position = 0;
    for (const ImageObject* o : layer.objects()) {
        const qint32 index = indexes.next();
        if (layer.objectIndex(position++) != index || layer.objectAt(index) != o || !o->aperture())
            return false;
    }
    int regions = 0;
    for (qint32 index : order)
        regions += layer.regionAt(index) ? 1 : 0;
    return regions == layer.regionPolygons().size();
}

bool parseBytes(const QByteArray& bytes)
{
    GerberLayer layer;
    layer.rawLines = gerberLinesFromBytes(bytes);
    const bool ok = parseGerber(layer);
    if (!consistent(layer))
        qFatal("inconsistent layer");
    return ok;
}

} // namespace

class TestGerberCorpus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qInstallMessageHandler(quiet); }

    void everyCorpusFileLoads()
    {
        const QList<CorpusFile> files = corpusGerberFiles();
        if (files.isEmpty())
            QSKIP("the corpus of real CAD files is absent");
        int succeeded = 0;
        QStringList unexpected;
        for (const CorpusFile& file : files) {
            GerberLayer layer;
            QString error;
            const bool ok = loadGerber(corpusDir + "/" + file.path, layer, &error);
            QVERIFY2(consistent(layer), qPrintable(file.path));
            // The text, read a block at a time and packed, reads back as the file's lines.
            QFile text(corpusDir + "/" + file.path);
            QVERIFY(text.open(QIODevice::ReadOnly));
            QVERIFY2(layer.rawLines == gerberLinesFromBytes(text.readAll()), qPrintable(file.path));
            if (ok == expectedToFail(file.path, file.endCode))
                unexpected << file.path + (ok ? " succeeded" : " failed");
            // A failure names the file, so a user knows which of many layers to look at.
            QVERIFY2(ok || error.startsWith(QFileInfo(file.path).fileName()), qPrintable(error));
            succeeded += ok ? 1 : 0;
        }
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
        QVERIFY(succeeded > 400);
    }

    // Files whose macros take variables (KiCad's rounded rectangles, Eagle's octagons, ...): every
    // flashed macro aperture has a drawn image, not the tiny stand-in circle.
    void macroPadsWithVariablesArePresent()
    {
        int files = 0;
        for (const CorpusFile& file : corpusGerberFiles()) {
            if (!file.features.contains(QLatin1String("macro-vars")))
                continue;
            GerberLayer layer;
            loadGerber(corpusDir + "/" + file.path, layer);
            for (const ImageObject* o : layer.objects()) {
                const MacroImage* image
                    = o->kind() == QLatin1String("D3") ? o->aperture()->macroImage.get() : nullptr;
                bool drawn = !image || !image->polygons.isEmpty();
                for (const MacroPrimitive& p : image ? image->primitives : QMap<qint32, MacroPrimitive>())
                    drawn = drawn || p.width > 0.0;
                QVERIFY2(drawn, qPrintable(file.path + ": " + o->aperture()->name));
            }
            ++files;
        }
        if (files == 0)
            QSKIP("the corpus of real CAD files is absent");
        QVERIFY(files > 100);
    }

    void memoryWithinTenTimesFileSize()
    {
        QList<CorpusFile> files = corpusGerberFiles();
        if (files.isEmpty())
            QSKIP("the corpus of real CAD files is absent");
        if (mallinfo2().uordblks == 0)
            QSKIP("allocation statistics are not available (sanitizer build)");
        std::sort(files.begin(), files.end(),
            [](const CorpusFile& a, const CorpusFile& b) { return a.size > b.size; });
        QStringList paths;
        for (int i = 0; i < 10 && i < files.size(); ++i)
            paths << corpusDir + "/" + files.at(i).path;
        // Short draws in numbers around the point where object storage changes to large blocks.
        QTemporaryDir dir;
        for (const int draws : { 20000, 43000, 75000 }) {
            QByteArray text = "%FSLAX24Y24*%\n%MOIN*%\n%ADD10C,0.01*%\nD10*\nX0Y0D02*\n";
            for (int k = 0; k < draws; ++k)
                text += "X" + QByteArray::number(k % 977) + "Y" + QByteArray::number(k % 613) + "D01*\n";
            text += "M02*\n";
            paths << dir.filePath(QString("draws%1.gbr").arg(draws));
            QFile out(paths.last());
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(text) == text.size());
        }
        for (const QString& path : paths) {
            const size_t before = allocatedBytes();
            auto layer = std::make_unique<GerberLayer>();
            QVERIFY(loadGerber(path, *layer));
            const double ratio = double(allocatedBytes() - before) / double(QFileInfo(path).size());
            layer.reset();
            QVERIFY2(ratio < 10.0, qPrintable(QString("%1: %2x").arg(path).arg(ratio)));
        }
    }

    void hostileInput_data()
    {
        // Huge coordinates and too many arcs or copies: the fuzz regressions and tst_gerberreader's limits.
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("succeeds");
        const QByteArray head = "%FSLAX24Y24*%\n%MOIN*%\n%ADD10C,0.01*%\nD10*\n";
        const auto row
            = [](const char* tag, const QByteArray& bytes, bool ok) { QTest::newRow(tag) << bytes << ok; };
        row("only M02", "M02*", true);
        const QByteArray nines(400, '9');
        row("huge arc", head + "G75*\nX0Y0D02*\nG03X" + nines + "Y1I" + nines + "J1D01*\nM02*\n", true);
        row("unterminated macro", "%FSLAX24Y24*%\n%AMX*\n1,1,0.5,0,0*\n%ADD10X*%\nD10*\nM02*\n", false);
        row("region never closed", head + "G36*\nX0Y0D02*\nX1Y1D01*\nM02*\n", true);
        // P-CAD ends its files so.
        row("move and end in one block", head + "X0Y0D03*\nD02M02*\n", true);
        row("million character line", head + "G04 " + QByteArray(1000000, 'x') + "*\nM02*\n", true);
        row("million stars", QByteArray(1000000, '*') + "\nM02*\n", true);
    }

    void hostileInput()
    {
        QFETCH(QByteArray, bytes);
        QTEST(parseBytes(bytes), "succeeds");
    }

    void fileOf200Megabytes()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("huge.gbr");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("%FSLAX24Y24*%\n%MOIN*%\n");
            QByteArray line = "G04 " + QByteArray(64 * 1024 - 6, 'a') + "*\n";
            for (int i = 0; i < 3200; ++i) {
                line[4 + (i % 1000)] = 'b';
                if (f.write(line) != line.size())
                    QSKIP("no room for a 200 MB file in the temporary folder");
            }
            f.write("X1Y1D02*\nM02*\n");
        }
        GerberLayer layer;
        QVERIFY(loadGerber(path, layer));
        QCOMPARE(layer.objects().size(), 1);
        QCOMPARE(layer.rawLines.size(), 3200 + 4);
    }
};

QTEST_GUILESS_MAIN(TestGerberCorpus)
#include "tst_gerber_corpus.moc"
