#include "datatable.h"
#include "pnpio/altiumcsvreader.h"
#include "pnpio/altiumreader.h"
#include "pnpio/eaglemntreader.h"
#include "pnpio/eaglepartreader.h"
#include "pnpio/owncsvreader.h"
#include "pnpio/pnpimport.h"
#include "pnpio/positionupdate.h"
#include "pnpio/targetreader.h"
#include "testfiles.h"

#include <QBuffer>
#include <QtTest>
#include <array>

namespace {

// refDes|name|x|y|side|rotation|value|comment|exec, numbers with 8 significant digits.
QString describe(const ImportedPlacement& p)
{
    return QStringList { p.refDes, p.name, QString::number(p.x, 'g', 8), QString::number(p.y, 'g', 8), p.side,
        QString::number(p.rotation, 'g', 8), p.value, p.comment, p.exec }
        .join(QLatin1Char('|'));
}

void lineRows(std::initializer_list<std::array<const char*, 3>> rows)
{
    columns<QString, QString>("line", "expected");
    for (const auto& r : rows)
        row(r[0], QString::fromUtf8(r[1]), QString::fromUtf8(r[2]));
}

void checkLine(bool (*parse)(const QString&, ImportedPlacement&))
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    ImportedPlacement p;
    const bool ok = parse(line, p);
    QCOMPARE(ok, !expected.isEmpty());
    if (ok)
        QCOMPARE(describe(p), expected);
}

// refDes|name|x|y|side|rotation|value|comment of each placement read, or the error.
QStringList readAll(PnPFormat format, QByteArray bytes, bool* ok)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ImportedPlacements out;
    QString error;
    *ok = PnPImport::read(format, buffer, QStringLiteral("in.txt"), out, &error);
    QStringList placements;
    for (const ImportedPlacement& p : out)
        placements << describe(p).section(QLatin1Char('|'), 0, 7);
    return *ok ? placements : QStringList(error);
}

} // namespace

// How each reader cuts a line, on lines taken from real exports. An empty expectation
// means the line is rejected (own CSV, Eagle MNT) or skipped (Altium CSV, Target).
class TstPnPReaders : public QObject
{
    Q_OBJECT
private slots:
    void ownCsvLine_data()
    {
        lineRows(
            { { "seven fields, decimal comma", "R1;0603;12,5;3;TOP;90;10k", "R1|0603|12.5|3|top|90|10k||1" },
                { "nine fields", "C1;0402;1,25;-2;Bottom;270.5;1u;hand fit;3",
                    "C1|0402|1.25|-2|bottom|270.5|1u|hand fit|3" },
                { "unknown side is bottom", "X1;P;0;0;oben;0;v", "X1|P|0|0|bottom|0|v||1" },
                { "comma in comment stays", "R2;0603;1;2;top;0;4,7k;see R1, R3;1",
                    "R2|0603|1|2|top|0|4,7k|see R1, R3|1" },
                { "six fields rejected", "R1;0603;12,5;3;top;90", "" },
                { "other separator rejected", "R1,0603,12.5,3,top,90,10k", "" } });
    }
    void ownCsvLine() { checkLine(&OwnCsvReader::parseLine); }

    void eagleMntLine_data()
    {
        lineRows({ { "single spaces", "C3 10.16 5.08 270 100n C0805", "C3|C0805|10.16|5.08|top|270|100n||1" },
            { "printf padding", "C2  7.87 12.83 270 0.15uF C0603", "C2|C0603|7.87|12.83|top|270|0.15uF||1" },
            { "package with spaces is the rest", "BT1 17.78  5.59 180 BATTERY_COIN12MM LINX BAT HLD",
                "BT1|LINX BAT HLD|17.78|5.59|top|180|BATTERY_COIN12MM||1" },
            { "empty value keeps the package", "D1 21.00 38.00 0 SMA-DIODE-KIT",
                "D1|SMA-DIODE-KIT|21|38|top|0|||1" },
            { "eagle auto name", "U$3 19.66 15.78 180 SDMMC06132 06132",
                "U$3|06132|19.66|15.78|top|180|SDMMC06132||1" },
            { "comma separated mil layout rejected", "BT1,  705,  220,Top,180", "" },
            { "four fields rejected", "C1 1 2 0", "" }, { "text position rejected", "C1 x y 0 v p", "" } });
    }
    void eagleMntLine() { checkLine(&EagleMntReader::parseLine); }

    void eaglePartHeaderAndDataLines()
    {
        EaglePartReader::Header h;
        for (const char* header : { "Part     Value    Device    Package   Library  Sheet", "Partlist",
                 "Part Value Package Position (furlong) Orientation" })
            QVERIFY2(!EaglePartReader::parseHeader(header, h), header);
        QCOMPARE(QVector<bool>({ EaglePartReader::isDataLine("Exported from board.brd at 3/13/15 4:44 AM"),
                     EaglePartReader::isDataLine("R1 10k (text) R0"),
                     EaglePartReader::isDataLine("R1 10k (-1 2) R0") }),
            QVector<bool>({ false, false, true }));
        QCOMPARE(QPointF(EaglePartReader::orientationAngle("SR22.5"), EaglePartReader::orientationAngle("")),
            QPointF(22.5, 0));
    }

    void targetLine_data()
    {
        lineRows(
            { { "quoted", "\"1\",\"10k\",\"12,5\",\"3\",\"90\",\"TOP\",\"R1\"", "R1||12.5|3|top|90|10k||1" },
                { "plain bottom", "2,100n,-1.5,4,180,Bottom,C7", "C7||-1.5|4|bottom|180|100n||1" },
                { "comma inside quoted value", "\"3\",\"Header, 2\",\"1\",\"2\",\"0\",\"Top\",\"J1\"",
                    "J1||1|2|top|0|Header, 2||1" },
                { "comment", "*Pick And Place List", "" },
                { "fritzing semicolons skipped", "1;;;3.77152;-52.9077;0;Bottom;TXT3", "" },
                { "six fields skipped", "1,10k,1,2,0,Top", "" } });
    }
    void targetLine() { checkLine(&TargetReader::parseLine); }

    void positionUpdateLine_data()
    {
        lineRows({ { "decimal commas", "R1;1,5;-2,25;90,5", "R1 1.5 -2.25 90.5" },
            { "extra fields", "C1;1;2;3;x", "C1 1 2 3" }, { "three fields skipped", "R1;1;2", "" } });
    }
    void positionUpdateLine()
    {
        QFETCH(QString, line);
        PositionUpdate::Record r;
        const bool ok = PositionUpdate::parseLine(line, r);
        QTEST(ok ? QStringLiteral("%1 %2 %3 %4").arg(r.refDes).arg(r.x).arg(r.y).arg(r.rotation) : QString(),
            "expected");
    }

    // Whole files as recent CAD tools write them (tests/data/pnp): Eagle part lists and Altium
    // exports under their own headers, units inside the cells, a unit stated once, quoted
    // descriptions over several lines, and KiCad's position files.
    void wholeFiles_data()
    {
        // placements: or the error
        columns<int, QString, QStringList>("format", "file", "placements");
        const int part = int(PnPFormat::EaglePart), csv = int(PnPFormat::AltiumCsv),
                  text = int(PnPFormat::Altium), kicad = int(PnPFormat::KiCad);
        row("eagle 9 mm, mirrored, cut to two decimals, decimal comma", part, "eagle-9-mm.txt",
            QStringList { "3V3|TP16SQ|48.26|5.08|top|0|TPTP16SQ|", "R7|R0603|12.7|3.17|top|180|10k|",
                "R8|R0603|12.7|3.17|top|90|10k|" });
        row("eagle 7 inch, empty value, every decimal kept", part, "eagle-7-inch.txt",
            QStringList {
                "ARDUINO_JP2|1X12|62.23|48.26|top|180||", "C5|C0603|35.40125|75.40625|top|90|1n|" });
        row("eagle mil without library column, utf8 micro", part, "eagle-mil.txt",
            QStringList { QString::fromUtf8("C2|CT7343|24.384|21.844|top|180|47\xc2\xb5"
                                            "F|") });
        row("altium text mil, quoted descriptions, bottom", text, "altium-mil.txt",
            QStringList { "R1|RESC1005X40X25NL05T10|7.5000104|-6.7499992|top|270|432K|",
                "C4|FP-C0402-BB-MFG|6.0616084|-6.7695572|top|90|C0402C103M5RACTU|CAP CER 10000PF 50V 20%, "
                "X7R",
                "MP4|9774040360|105.89999|4.0999918|bottom|180|M3 x 4mm|Spacer" });
        row("altium text mm, fractional rotation, decimal comma", text, "altium-mm.txt",
            QStringList { "R9|0603|12.5|3.25|top|97.5|1k|xy" });
        row("altium csv mil, separators and decimal commas inside quotes", csv, "altium-mil.csv",
            QStringList { "P?1_6_7|POGO_LANDPAD|375.92|30.48|bottom|360|Comment|",
                "J1|HDR1X2|0.0381|-0.05715|top|90|Header, 2-Pin|Pitch 2,54 mm" });
        row("altium csv, fixed positions, short and blank lines skipped", csv, "altium-fixed.csv",
            QStringList { "R1|0603|1.5|2|bottom|90|10k|res" });
        row("altium csv, units in the cells", csv, "altium-units.csv",
            QStringList { "C1|C0402|25.527|10.16|top|90|100nF|Cap", "R1|R0603|25.4|12.7|bottom|180|1k|" });
        row("altium csv, description over three lines", csv, "altium-description.csv",
            QStringList { "U1|QFN48|5|6|top|0|MCU|ARM 48 pins rev B", "U2|SOT23|7|8|top|90|LDO|" });
        row("altium csv, unit stated once", csv, "altium-unit-once.csv",
            QStringList { "C1|C0603|25.4|50.8|top|270|1u|" });
        row("altium text, units in the cells, a description over two lines", text, "altium-units.txt",
            QStringList {
                "C1|C0402|25.527|10.16|top|90|100nF|Cap ceramic", "R1|R0603|25.4|12.7|bottom|180|1k|" });
        row("kicad text, both sides, mm", kicad, "kicad-mm.pos",
            QStringList { "C1|C_0402|10.5|-20.25|top|90|100nF|", "R7|R_0603|-3|4|bottom|-90|4k7|" });
        row("kicad text, inches, a value with a space", kicad, "kicad-inch.pos",
            QStringList { "J1|PinHeader|25.4|-12.7|bottom|180|Conn 1x2|" });
        // Older KiCad pads every column to a fixed width: an empty value is only blanks.
        row("kicad text, fixed columns, empty values", kicad, "kicad-fixed.pos",
            QStringList { "C1|C_0603|125.73|-84.455|top|90|100n|", "MK1|Fiducial_1mm|110.49|-70.104|top|0||",
                "TP2|TestPoint_D1|140.335|-96.52|bottom|180||" });
        row("kicad csv, columns in another order", kicad, "kicad.csv",
            QStringList { "U1|LQFP-48|3|4|top|0|STM32, LQFP|" });
        row("kicad, a line that does not read", kicad, "kicad-bad.pos",
            QStringList { "in.txt, line 2: not a KiCad position line (Ref Val Package PosX PosY Rot Side) in "
                          "\"C1 100nF C_0402 x 2 90 top\"" });
    }

    void wholeFiles()
    {
        QFETCH(int, format);
        QFETCH(QString, file);
        bool ok = false;
        QTEST(
            readAll(PnPFormat(format), readFile(QStringLiteral(TESSAVRANT_TESTDATA_DIR "/pnp/") + file), &ok),
            "placements");
    }
};

QTEST_GUILESS_MAIN(TstPnPReaders)
#include "tst_pnpreaders.moc"
