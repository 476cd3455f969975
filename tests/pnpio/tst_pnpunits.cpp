// Centroid files as recent CAD tools write them: units inside the cells, a unit stated once in
// the file, quoted descriptions over several lines, and KiCad's position files.
#include "pnpio/pnpimport.h"
#include "pnpio/pnptext.h"

#include <QBuffer>
#include <QtTest>

namespace {

// refDes|name|x|y|side|rotation|value|comment, numbers with 8 significant digits.
QString describe(const ImportedPlacement& p)
{
    return QStringList { p.refDes, p.name, QString::number(p.x, 'g', 8), QString::number(p.y, 'g', 8), p.side,
        QString::number(p.rotation, 'g', 8), p.value, p.comment }
        .join(QLatin1Char('|'));
}

bool read(PnPFormat format, const QByteArray& bytes, QStringList* placements, QString* error = nullptr)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    ImportedPlacements out;
    QString why;
    const bool ok = PnPImport::read(format, buffer, QStringLiteral("in.txt"), out, &why);
    placements->clear();
    for (const ImportedPlacement& p : out)
        placements->append(describe(p));
    if (error)
        *error = why;
    return ok;
}

const QByteArray altiumTextHead = "Altium Designer Pick and Place Locations\r\n\r\nUnits used: mm\r\n\r\n";

} // namespace

class TestPnPUnits : public QObject
{
    Q_OBJECT

private slots:
    void lengths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("plainFactor");
        QTest::addColumn<double>("mm");
        QTest::newRow("mm cell") << "25.5270mm" << 0.0254 << 25.527;
        QTest::newRow("mil cell") << "1000mil" << 1.0 << 25.4;
        QTest::newRow("unit after a space") << "12.7 mm" << 0.0254 << 12.7;
        QTest::newRow("inch, capitals") << "0.5IN" << 1.0 << 12.7;
        QTest::newRow("negative, decimal comma") << "-2,5mm" << 1.0 << -2.5;
        QTest::newRow("plain number in the column's unit") << "1000" << 0.0254 << 25.4;
        QTest::newRow("unknown unit") << "5furlong" << 1.0 << 0.0;
        QTest::newRow("no number") << "mm" << 1.0 << 0.0;
    }

    void lengths()
    {
        QFETCH(QString, text);
        QFETCH(double, plainFactor);
        QFETCH(double, mm);
        QVERIFY2(qAbs(PnPText::toLength(text, plainFactor) - mm) < 1e-9,
            qPrintable(QString::number(PnPText::toLength(text, plainFactor))));
    }

    void openQuotes_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("csv");
        QTest::addColumn<bool>("open");
        QTest::newRow("closed") << "\"a\",\"b\"" << true << false;
        QTest::newRow("open field") << "\"a\",\"first line" << true << true;
        QTest::newRow("doubled quote inside") << "\"a\",\"say \"\"hi" << true << true;
        QTest::newRow("inch mark in a value") << "C1 0.5\" TopLayer" << false << false;
        QTest::newRow("open description") << "C1 10k TopLayer \"Resistor" << false << true;
        QTest::newRow("quote inside a csv field") << "a,b\"c" << true << false;
    }

    void openQuotes()
    {
        QFETCH(QString, line);
        QFETCH(bool, csv);
        QFETCH(bool, open);
        QCOMPARE(PnPText::endsInsideQuotes(line, csv ? QLatin1Char(',') : QChar()), open);
    }

    void altiumCellsWithUnits_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("placements");
        QTest::newRow("csv, units in the cells")
            << int(PnPFormat::AltiumCsv)
            << QByteArray(
                   "\"Designator\",\"Comment\",\"Layer\",\"Footprint\",\"Center-X(mm)\",\"Center-Y(mm)\","
                   "\"Rotation\",\"Description\"\r\n"
                   "\"C1\",\"100nF\",\"TopLayer\",\"C0402\",\"25.5270mm\",\"10.1600mm\",\"90\",\"Cap\"\r\n"
                   "\"R1\",\"1k\",\"BottomLayer\",\"R0603\",\"1000mil\",\"12.7 mm\",\"180\",\"Res\"\r\n")
            << QStringList { "C1|C0402|25.527|10.16|top|90|100nF|Cap",
                   "R1|R0603|25.4|12.7|bottom|180|1k|Res" };
        QTest::newRow("csv, description over three lines")
            << int(PnPFormat::AltiumCsv)
            << QByteArray(
                   "\"Designator\",\"Comment\",\"Layer\",\"Footprint\",\"Center-X(mm)\",\"Center-Y(mm)\","
                   "\"Rotation\",\"Description\"\r\n"
                   "\"U1\",\"MCU\",\"TopLayer\",\"QFN48\",\"5\",\"6\",\"0\",\"ARM Cortex-M4\r\n"
                   "48 pins\r\n"
                   "rev B\"\r\n"
                   "\"U2\",\"LDO\",\"TopLayer\",\"SOT23\",\"7\",\"8\",\"90\",\"\"\r\n")
            << QStringList { "U1|QFN48|5|6|top|0|MCU|ARM Cortex-M4 48 pins rev B",
                   "U2|SOT23|7|8|top|90|LDO|" };
        QTest::newRow("csv, unit stated once, columns without unit")
            << int(PnPFormat::AltiumCsv)
            << QByteArray(
                   "Units used: mil\r\n\"Designator\",\"Comment\",\"Layer\",\"Footprint\",\"Center-X\","
                   "\"Center-Y\",\"Rotation\",\"Description\"\r\n"
                   "\"C1\",\"1u\",\"TopLayer\",\"C0603\",\"1000\",\"2000\",\"270\",\"\"\r\n")
            << QStringList { "C1|C0603|25.4|50.8|top|270|1u|" };
        QTest::newRow("text, units in the cells") << int(PnPFormat::Altium)
                                                  << altiumTextHead
                + "Designator Comment Layer       Footprint Center-X(mm) Center-Y(mm) Rotation "
                  "Description\r\n"
                  "C1         100nF   TopLayer    C0402     25.5270mm    10.1600mm    90       \"Cap\"\r\n"
                  "R1         1k      BottomLayer R0603     1000mil      12.7 mm      180      \"Res\"\r\n"
                                                  << QStringList { "C1|C0402|25.527|10.16|top|90|100nF|Cap",
                                                         "R1|R0603|25.4|12.7|bottom|180|1k|Res" };
        QTest::newRow("text, description over two lines is no extra placement")
            << int(PnPFormat::Altium)
            << altiumTextHead
                + "Designator Comment Layer       Footprint Center-X(mm) Center-Y(mm) Rotation "
                  "Description\r\n"
                  "U1         MCU     TopLayer    QFN48     5            6            0        \"ARM "
                  "Cortex-M4\r\n"
                  "48 pins\"\r\n"
                  "U2         LDO     TopLayer    SOT23     7            8            90       \"\"\r\n"
            << QStringList { "U1|QFN48|5|6|top|0|MCU|ARM Cortex-M4 48 pins", "U2|SOT23|7|8|top|90|LDO|" };
        QTest::newRow("text, unit stated once")
            << int(PnPFormat::Altium)
            << QByteArray("Units used: mil\r\n\r\n"
                          "Designator Comment Layer    Footprint Center-X Center-Y Rotation Description\r\n"
                          "C1         1u      TopLayer C0603     1000     2000     270      \"\"\r\n")
            << QStringList { "C1|C0603|25.4|50.8|top|270|1u|" };
    }

    void altiumCellsWithUnits()
    {
        QFETCH(int, format);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, placements);
        QStringList found;
        QVERIFY(read(PnPFormat(format), file, &found));
        QCOMPARE(found, placements);
    }

    void kicad_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("placements");
        const QByteArray textHead = "### Footprint positions - created on Mon Jan  1 12:00:00 2024 ###\n"
                                    "### Printed by KiCad version 7.0.10\n";
        QTest::newRow("text, both sides, mm")
            << textHead
                + "## Unit = mm, Angle = deg.\n## Side : All\n"
                  "# Ref     Val       Package        PosX       PosY       Rot  Side\n"
                  "C1        100nF     C_0402         10.5000    -20.2500   90.0000  top\n"
                  "R7        4k7       R_0603         -3.0000    4.0000   -90.0000  bottom\n"
                  "## End\n"
            << QStringList { "C1|C_0402|10.5|-20.25|top|90|100nF|", "R7|R_0603|-3|4|bottom|-90|4k7|" };
        QTest::newRow("text, bottom side, inches") << textHead
                + "## Unit = inches, Angle = deg.\n## Side : bottom\n"
                  "# Ref     Val       Package        PosX       PosY       Rot  Side\n"
                  "J1        Conn 1x2  PinHeader      1.0000     -0.5000   180.0000  bottom\n"
                  "## End\n" << QStringList { "J1|PinHeader|25.4|-12.7|bottom|180|Conn 1x2|" };
        QTest::newRow("csv") << QByteArray(
            "Ref,Val,Package,PosX,PosY,Rot,Side\n"
            "\"C1\",\"100nF\",\"C_0402\",10.500000,-20.250000,90.000000,top\n"
            "\"U1\",\"STM32, LQFP\",\"LQFP-48\",3.000000,4.000000,0.000000,bottom\n")
                             << QStringList { "C1|C_0402|10.5|-20.25|top|90|100nF|",
                                    "U1|LQFP-48|3|4|bottom|0|STM32, LQFP|" };
        QTest::newRow("csv, CRLF, columns in another order") << QByteArray(
            "\"Ref\",\"PosX\",\"PosY\",\"Rot\",\"Side\",\"Val\",\"Package\"\r\n"
            "\"D1\",1,2,45,top,\"LED\",\"LED_0603\"\r\n") << QStringList { "D1|LED_0603|1|2|top|45|LED|" };
        QTest::newRow("only comments") << textHead + "## Side : top\n## End\n" << QStringList {};
    }

    void kicad()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, placements);
        QStringList found;
        QString error;
        QVERIFY2(read(PnPFormat::KiCad, file, &found, &error), qPrintable(error));
        QCOMPARE(found, placements);
    }

    void kicadLinesThatDoNotReadAreNamed_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error");
        QTest::newRow("short line")
            << QByteArray("## Unit = mm\nC1 100nF C_0402 1 2 top\n")
            << "in.txt, line 2: not a KiCad position line (Ref Val Package PosX PosY Rot Side)";
        QTest::newRow("position no number")
            << QByteArray("C1 100nF C_0402 x 2 90 top\n")
            << "in.txt, line 1: not a KiCad position line (Ref Val Package PosX PosY Rot Side)";
        QTest::newRow("csv header without positions") << QByteArray(
            "Ref,Val,Package,Rot,Side\n") << "in.txt, line 1: header without Ref, PosX and PosY columns";
    }

    void kicadLinesThatDoNotReadAreNamed()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, error);
        QStringList found;
        QString why;
        QVERIFY(!read(PnPFormat::KiCad, file, &found, &why));
        QVERIFY2(why.startsWith(error), qPrintable(why));
    }
};

QTEST_GUILESS_MAIN(TestPnPUnits)
#include "tst_pnpunits.moc"
