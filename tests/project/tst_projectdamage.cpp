// Damaged files fail with a reason or load their intact part with a warning; none crashes, hangs
// or reports a cut file as whole.
#include "datatable.h"
#include "documentsetup.h"
#include "gerber/gerberlayer.h"
#include "memorylimit.h"
#include "project/projectcontainer.h"
#include "project/projectreader.h"
#include "projectfixture.h"

#include <QtTest>

namespace {

QByteArray smallProject()
{
    Document document;
    LayerSet layers;
    auto* e = new PnPEntry(QStringLiteral("R1"), QStringLiteral("0603"), 1, 2, QStringLiteral("top"), 0,
        QStringLiteral("1k"), ExecKind::Machine, QString());
    setSidePlacements(document, true, { e });
    return projectBytes(document, layers, {});
}

QByteArray header()
{
    return ProjectContainer::headerLine();
}

} // namespace

class TestProjectDamage : public QObject
{
    Q_OBJECT

private slots:
    void everyTruncationFailsOrWarns()
    {
        const QByteArray whole = smallProject();
        const int headerSize = header().size();
        const QString wholeDump = ProjectFixture::loadDump(whole);
        for (int cut = 0; cut < whole.size(); ++cut) {
            ProjectLoad load;
            const QString result = ProjectFixture::loadDump(whole.left(cut), &load);
            const bool failed = result.startsWith(QStringLiteral("FAILED"));
            // Cut inside the table: Huffman error; cut inside the stream: the intact part with a warning.
            if (cut > headerSize && !failed && load.warning.isEmpty() && result != wholeDump)
                QFAIL(
                    qPrintable(QStringLiteral("cut at %1 of %2 loaded as whole").arg(cut).arg(whole.size())));
        }
        ProjectLoad load;
        QVERIFY(!ProjectFixture::loadDump(whole, &load).startsWith(QStringLiteral("FAILED"))
            && load.warning.isEmpty());
    }

    void malformedTablesAreHuffmanErrors_data()
    {
        QTest::addColumn<QByteArray>("table");
        const auto row = [](const char* tag, std::initializer_list<int> bytes) {
            QByteArray table;
            for (const int b : bytes)
                table += char(b);
            QTest::newRow(tag) << table;
        };
        row("ends inside", { 'a', 1, 1, 0 });
        row("zero length", { 'a', 0, 1, 0, 'b', 1, 1, 1, 0, 0, 0 });
        row("over-long", { 'a', 0x28, 1, 0, 'b', 1, 1, 1, 0, 0, 0 });
        row("value beyond length", { 'a', 1, 1, 2, 'b', 1, 1, 1, 0, 0, 0 });
        row("duplicate code", { 'a', 1, 1, 1, 'b', 1, 1, 1, 0, 0, 0 });
        row("prefix", { 'a', 1, 1, 1, 'b', 2, 1, 3, 'c', 1, 1, 0, 0, 0, 0 });
        row("gap", { 'a', 1, 1, 1, 'b', 2, 1, 1, 0, 0, 0 });
        row("byte count 0", { 'a', 1, 0, 'b', 1, 1, 1, 0, 0, 0 });
    }
    void malformedTablesAreHuffmanErrors()
    {
        QFETCH(QByteArray, table);
        const QString result = ProjectFixture::loadDump(header() + table + QByteArray("\x55\xAA", 2));
        QVERIFY2(result.startsWith(QStringLiteral("FAILED: test.tvx: Huffman error")), qPrintable(result));
    }

    void outOfRangeValuesAreBounded()
    {
        const QByteArray text
            = "+FileVer\n10\n+Top\n+BoardInfo\nb;10;5;0;0;0;\n+L0\nMM;D;L;A;0;x.gbr;1;1;1;0\n"
              "+GerberData\nM02*\n+L8\n+GerberData\nM02*\n+L99999999999\n"
              "+L2\nMM;D;L;A;0;y.gbr;1;1;1;0;0;0;1000000000;0;0\n+GerberData\n"
            + ProjectFixture::gerberText(0).toLatin1()
            + "\n+Gerber\n+L256\nx\n+L255\nMM\n+GerberData\nM02*\n+++END+++";
        Document document;
        LayerSet layers;
        QString error;
        QVERIFY2(readProjectBytes(text, QStringLiteral("t"), document, layers, nullptr, &error),
            qPrintable(error));
        const GerberLayer* mask = layers.slot(true, LayerSlot::Mask);
        QCOMPARE(mask->fileName, QStringLiteral("y.gbr"));
        // 10^9 quarter turns are none; the layers of the slots out of range are not read.
        QVERIFY(mask->quarterTurns == 0 && mask->unitFactor > 0.0
            && layers.slot(true, LayerSlot::Signal)->fileName.isEmpty());
        QCOMPARE(layers.layer(LayerList::GerberMode, 254)->rawLines.size(), 1);
    }

    // Text outside the grammar loads with a warning naming the line and the section.
    void damageOutsideTheGrammarWarns_data()
    {
        columns<QByteArray, QString>("body", "warning");
        row("field missing", QByteArray("+Top\n+BoardInfo\nB;1;2;3;4;5\n"),
            "line 5: the file is damaged in the section \"+BoardInfo\" of \"+Top\": 6 "
            "fields where 7 are written");
        row("number that does not parse", QByteArray("+Top\n+Origins\n1;2;1\n1;2x;1\n"),
            "line 6: the file is damaged in the section \"+Origins\" of \"+Top\": field 2 holds \"2x\" "
            "where a number is written");
        row("marker out of place", QByteArray("+Origins\n1;2;1\n+Top\n"),
            "line 3: the file is damaged in the section \"+FileVer\": "
            "\"+Origins\" outside \"+Top\" and \"+Bottom\"");
        row("damaged marker", QByteArray("+Top\n+Pick-and-Plaze\nR1;0603;1;2;top;0;1k\n"),
            "line 4: the file is damaged in the section \"+Top\": an unknown marker");
        row("second line of a one-line section",
            QByteArray("+Top\n+BoardInfo\nB;1;2;3;4;5;c\nB;1;2;3;4;5;c\n"),
            "line 6: the file is damaged in the section \"+BoardInfo\" of \"+Top\": more lines than the "
            "section holds");
    }
    void damageOutsideTheGrammarWarns()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, warning);
        ProjectLoad load;
        ProjectFixture::loadDump("+FileVer\n10\n" + body + "+General\n1;2\n+++END+++\n", &load);
        QCOMPARE(load.warning, "test.tvx, " + warning);
    }

    // No project, or a small file asking for much: refused or cut within 16 bytes a file byte.
    // Layers are read again side by side; of several that fail, the first in the file is named,
    // and the others still load what they can.
    void layersThatCannotBeReadAgainAreNamedInOrder()
    {
        Document document;
        LayerSet layers;
        for (int slot : { 4, 1, 6 }) {
            auto layer = std::make_unique<GerberLayer>(slot);
            layer->fileName = QStringLiteral("l%1.gbr").arg(slot);
            const QString end = slot == 6 ? QStringLiteral("M02*") : QString();
            layer->rawLines
                = QStringList { "%FSLAX24Y24*%", "%MOMM*%", "%ADD10C,1*%", "D10*", "X10000Y0D03*", end };
            layers.replace(LayerList::Top, slot, std::move(layer));
        }
        Document loaded;
        LayerSet loadedLayers;
        ProjectLoad load;
        QString error;
        QVERIFY(readProjectBytes(
            projectBytes(document, layers, {}), "p.tvx", loaded, loadedLayers, &load, &error));
        QVERIFY2(load.warning.contains(QLatin1String("layer 2 of +Top (l1.gbr) could not be read again")),
            qPrintable(load.warning));
        for (int slot : { 1, 4, 6 })
            QCOMPARE(loadedLayers.slot(true, LayerSlot(slot))->objects().size(), 1);
    }

    void hostileFilesStayBounded_data()
    {
        columns<QByteArray, QString>("bytes", "reason");
        const QByteArray start = "+FileVer\n10\n+Top\n";
        const QString noProject = "FAILED: test.tvx: this is not a Tessavrant project file";
        row("empty", QByteArray(), noProject);
        row("csv", QByteArray("R1;0603;1;2;top;0;1k\n"), noProject);
        row("binary", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10), noProject);
        // A table may hold each character once: repeats could ask for millions of codes.
        row("2^20 codes", header() + QByteArray("a\1\1\1", 4).repeated(1 << 20),
            "FAILED: test.tvx: Huffman error: the code table holds the character 97 twice");
        row("a line of 4 million fields",
            ProjectContainer::pack(start + "+Origins\n" + QByteArray(4000000, ';') + "\n+++END+++\n"),
            "line 5: the file is damaged in the section \"+Origins\" of \"+Top\": the line holds more "
            "than 1000000 fields");
        // Records that cost a hundred bytes from two bits of packed text each: each kind is bounded.
        const QByteArray many = QByteArray(";\n").repeated(3000000);
        const auto damaged = [](int line, const char* section, const char* what) {
            return QStringLiteral("line %1: the file is damaged in the section \"%2\" of \"+Top\"%3")
                .arg(line)
                .arg(QLatin1String(section), QLatin1String(what));
        };
        const QByteArray layer = start + "+L1\n;;;;;;;;;;;;;;\n";
        row("feeder rows", ProjectContainer::pack(start + "+Feeder_Data\n" + many),
            damaged(1000005, "+Feeder_Data", ": the file holds more than 1000000 feeder rows"));
        row("drawings", ProjectContainer::pack(start + "+Drawings\n" + many), damaged(5, "+Drawings", ""));
        row("stored apertures", ProjectContainer::pack(layer + "++Shapes\n" + many),
            damaged(100007, "+L1", ": the file holds more than 100000 stored apertures"));
        row("stored objects", ProjectContainer::pack(layer + "++Arcs\n" + many),
            damaged(2000007, "+L1", ": the file holds more than 2000000 stored image records"));
        QByteArray shapes;
        for (int i = 0; i < 100000; ++i)
            shapes += "D" + QByteArray::number(i) + "\n";
        row("objects naming the last of 100000 apertures",
            ProjectContainer::pack(layer + "++Shapes\n" + shapes + "++ImagesPaths\n"
                + QByteArray("D99999\n").repeated(200000) + "+Unknown\n+++END+++\n"),
            damaged(300008, "+L1", ": an unknown marker"));
        // A flash line packs to a byte and costs some forty in the layer: lines past the bound are not read.
        const QByteArray flashes = ProjectContainer::pack(layer
            + "+GerberData\n%FSLAX24Y24*%\n%ADD10C,0.1*%\nD10*\n" + QByteArray("D3*\n").repeated(10000000));
        const int lineBound = ProjectReader::maxLayerLines(flashes.size());
        row("layer lines", flashes,
            damaged(lineBound + 7, "+GerberData", "")
                + QStringLiteral(": the file holds more than %1 layer lines").arg(lineBound));
        row("placements",
            ProjectContainer::pack(start + "+Pick-and-Place\n"
                + QByteArray("R;;0;0;top;0;\n").repeated(ProjectReader::maxPlacements + 1) + "+++END+++\n"),
            damaged(1000005, "+Pick-and-Place", ": the file holds more than 1000000 placements"));
    }
    void hostileFilesStayBounded()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        if (!memoryBoundsChecked && bytes.size() > 100)
            QSKIP("memory bounds are checked in builds without AddressSanitizer");
        QVERIFY(runWithMemoryLimit(
            16 * qint64(bytes.size()) + 256LL * 1024 * 1024,
            [&] {
                QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
                Document document; // no dump: its text would cost more than the placements
                LayerSet layers;
                ProjectLoad load;
                QString error;
                const bool read = readProjectBytes(bytes, "test.tvx", document, layers, &load, &error);
                return read ? load.warning.startsWith("test.tvx, " + reason) : "FAILED: " + error == reason;
            },
            60));
    }

    void missingEndNamesTheLastSection()
    {
        const QByteArray text
            = "+FileVer\n10\n+Top\n+Pick-and-Place\nR1;0603;1;2;top;0;1k\n+Bottom\n+Drawings\n";
        ProjectLoad load;
        const QString dump = ProjectFixture::loadDump(text, &load);
        QVERIFY(dump.contains(QStringLiteral("placement R1")));
        QCOMPARE(load.warning,
            QStringLiteral(
                "test.tvx, line 7: the file ends before its end mark; it was read up to the section "
                "\"+Drawings\" of \"+Bottom\""));
    }
};

QTEST_GUILESS_MAIN(TestProjectDamage)
#include "tst_projectdamage.moc"
