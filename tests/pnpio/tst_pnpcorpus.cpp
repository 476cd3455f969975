#include "corpus.h"
#include "datatable.h"
#include "pnpio/pnpimport.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString corpusDir = corpusRoot() + QStringLiteral("/pnp");

struct ManifestRow
{
    QString path;
    QString generator;
    int placements = 0;
    int bottom = 0;
};

QList<ManifestRow> manifest()
{
    QList<ManifestRow> rows;
    QFile file(corpusDir + QStringLiteral("/MANIFEST.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return rows;
    file.readLine();
    const QRegularExpression bottomParts(QStringLiteral("bottom-side parts: (\\d+)"));
    while (!file.atEnd()) {
        const QStringList f = QString::fromUtf8(file.readLine()).trimmed().split(QLatin1Char('\t'));
        if (f.size() < 9)
            continue;
        const QRegularExpressionMatch m = bottomParts.match(f.at(8));
        rows.append({ f.at(0), f.at(4), f.at(6).toInt(), m.hasMatch() ? m.captured(1).toInt() : 0 });
    }
    return rows;
}

int bottomCount(const ImportedPlacements& placements)
{
    int n = 0;
    for (const ImportedPlacement& p : placements)
        n += p.side == QLatin1String("bottom");
    return n;
}

} // namespace

// Every real file in a layout the readers cover imports completely with the right sides;
// files of other layouts end in a clear failure or in what the rules give, never a crash.
class TstPnPCorpus : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!corpusPresent(QStringLiteral("pnp")))
            QSKIP("the corpus of real CAD files is absent");
    }

    void coveredFilesImportCompletely_data()
    {
        columns<int, QString, int, int>("format", "path", "placements", "bottom");
        for (const ManifestRow& m : manifest()) {
            PnPFormat format;
            if (m.path.startsWith(QLatin1String("altium/")))
                format = m.path.endsWith(QLatin1String(".csv")) ? PnPFormat::AltiumCsv : PnPFormat::Altium;
            else if (m.path.startsWith(QLatin1String("eagle_partlist/")))
                format = PnPFormat::EaglePart;
            else if (m.path.startsWith(QLatin1String("eagle_mnt/")))
                format = PnPFormat::Eagle;
            else if (m.path.startsWith(QLatin1String("kicad/")))
                format = PnPFormat::KiCad;
            else
                continue;
            // Comma-separated mount files and schematic part lists are other layouts.
            if (m.generator.contains(QLatin1String("comma-separated"))
                || (m.placements == 0 && !m.path.endsWith(".mnb")))
                continue;
            // Readers without a side column put everything on top before the options apply.
            const int bottom = PnPImport::formatHasSide(format) ? m.bottom : 0;
            row(qPrintable(m.path), int(format), m.path, m.placements, bottom);
        }
    }
    void coveredFilesImportCompletely()
    {
        QFETCH(int, format);
        QFETCH(QString, path);
        ImportedPlacements out;
        QString error;
        QVERIFY2(
            PnPImport::readFile(PnPFormat(format), corpusDir + '/' + path, out, &error), qPrintable(error));
        QTEST(out.size(), "placements");
        QTEST(bottomCount(out), "bottom");
        for (const ImportedPlacement& p : out) {
            QVERIFY2(!p.refDes.isEmpty(), "a placement without designator");
            QVERIFY2(!p.name.isEmpty() || format == int(PnPFormat::Target), qPrintable(p.refDes));
            QVERIFY2(!p.refDes.contains(QChar::ReplacementCharacter)
                    && !p.value.contains(QChar::ReplacementCharacter)
                    && !p.comment.contains(QChar::ReplacementCharacter),
                qPrintable(p.refDes));
        }
    }

    void knownPlacements_data()
    {
        columns<int, QString, QString, QString, QString, double, double, double, QString>(
            "format", "path", "refDes", "name", "value", "x", "y", "rotation", "side");
        row("kicad text, first part", int(PnPFormat::KiCad), "kicad/speeduino_Hardware__MAP_Card-all.pos",
            "C1", "C_0805_2012Metric", "0.01uF", 161.544, -99.441, 270.0, "top");
        row("altium csv reordered, first part", int(PnPFormat::AltiumCsv),
            "altium/IRNAS_arribada-pmp__Arribada_PMP_V1.2_PICK_PLACE.csv", "Designator14", "SERIAL_NUMBER",
            "Comment", -58.3993, -57.2903, 0.0, "top");
        row("altium csv mil, CRLF", int(PnPFormat::AltiumCsv),
            "altium/MachineryEnchantress_JLCPCB-Drone-Charging-Pad__Pick_Place_for_PCB1.csv", "P?1_6_7",
            "POGO_LANDPAD", "Comment", 375.92, 30.48, 180.0, "top");
        row("eagle 5 part list, latin-1 micro, header on line 6", int(PnPFormat::EaglePart),
            "eagle_partlist/jaseg_openmind-first-protoype__partlist.txt", "C1", "C0805K",
            QString::fromUtf8("10\xc2\xb5"), 41.5925, 37.1475, 180.0, "top");
        row("eagle mnt, padded", int(PnPFormat::Eagle),
            "eagle_mnt/bschulz1701_Project-Hyena__0v2_PrimaryLogger.mnt", "BT1", "LINX_BAT-HLD-012-SMT",
            "BATTERY_COIN12MM", 6.35, 33.02, 90.0, "top");
    }
    void knownPlacements()
    {
        QFETCH(int, format);
        QFETCH(QString, path);
        QFETCH(QString, refDes);
        ImportedPlacements out;
        QString error;
        QVERIFY2(
            PnPImport::readFile(PnPFormat(format), corpusDir + '/' + path, out, &error), qPrintable(error));
        const auto p
            = std::find_if(out.begin(), out.end(), [&](const auto& q) { return q.refDes == refDes; });
        QVERIFY2(p != out.end(), qPrintable(refDes));
        QTEST(p->name, "name");
        QTEST(p->value, "value");
        QFETCH(double, x);
        QFETCH(double, y);
        QVERIFY2(qAbs(p->x - x) < 1e-6 && qAbs(p->y - y) < 1e-6,
            qPrintable(QString::number(p->x, 'g', 12) + ", " + QString::number(p->y, 'g', 12)));
        QTEST(p->rotation, "rotation");
        QTEST(p->side, "side");
    }

    // Files of layouts a reader does not cover: readers that need a header fail and name the
    // file; readers that skip what they do not understand give no placements.
    void otherLayouts_data()
    {
        columns<int, QString, bool>("format", "path", "fails");
        const auto row = [](const char* tag, PnPFormat format, const char* path, bool fails) {
            QTest::newRow(tag) << int(format) << QString(path) << fails;
        };
        row("schematic part list", PnPFormat::EaglePart,
            "eagle_partlist/JChristensen_CurrentMonitor__partlist_SCHEMATIC_no_positions.txt", true);
        row("comma separated mount file", PnPFormat::Eagle,
            "eagle_mnt/bschulz1701_Project-Hyena__0v2_Release_PrimaryLogger_v2.mnt", true);
        row("comma separated mount file 2", PnPFormat::Eagle,
            "eagle_mnt/NorthernWidget_Project-Margay__Margay_3v0.mnt", true);
        row("kicad as eagle mnt", PnPFormat::Eagle, "kicad/speeduino_Hardware__MAP_Card-all.pos", true);
        row("kicad as own csv", PnPFormat::Tessavrant, "kicad/speeduino_Hardware__MAP_Card-all.pos", true);
        row("kicad as eagle part", PnPFormat::EaglePart, "kicad/speeduino_Hardware__MAP_Card-all.pos", true);
        row("fritzing as target", PnPFormat::Target, "fritzing/speeduino_Hardware__schematic_v0.2_pnp.txt",
            false);
        row("kicad as altium", PnPFormat::Altium, "kicad/speeduino_Hardware__v0.4.4d-all.pos", false);
        row("kicad as altium csv", PnPFormat::AltiumCsv, "kicad/speeduino_Hardware__v0.4.4d-all.pos", false);
        row("altium text as kicad", PnPFormat::KiCad,
            "altium/google-deepmind_barkour_robot__Pick_Place_for_Fei-Fei.txt", true);
        row("altium csv as altium text", PnPFormat::Altium,
            "altium/IRNAS_arribada-pmp__Arribada_PMP_V1.2_PICK_PLACE.csv", false);
    }
    void otherLayouts()
    {
        QFETCH(int, format);
        QFETCH(QString, path);
        QFETCH(bool, fails);
        ImportedPlacements out;
        QString error;
        const bool ok = PnPImport::readFile(PnPFormat(format), corpusDir + '/' + path, out, &error);
        QCOMPARE(ok, !fails);
        QVERIFY2(fails ? error.contains(corpusDir + '/' + path) : out.isEmpty(), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TstPnPCorpus)
#include "tst_pnpcorpus.moc"
