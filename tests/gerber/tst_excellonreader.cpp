#include "datatable.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "memorylimit.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace {

ExcellonFormat formatOf(const QString& text)
{
    ExcellonFormat f;
    if (!ExcellonFormat::fromText(text, &f))
        qFatal("bad format in test: %s", qPrintable(text));
    return f;
}

// A layer holding `lines` read with `format`.
struct Read
{
    GerberLayer layer;
    bool ok = false;
    QString error;
    Read(const QStringList& lines, const QString& format = QStringLiteral("L,2,4"))
    {
        applyExcellonFormat(layer, formatOf(format));
        layer.excellonLines = lines;
        ok = parseExcellon(layer, &error);
    }
    const ImageObject& object(int i) const { return *layer.objects().at(i); }
};

QStringList withTool(const QStringList& body, const QString& header = QString())
{
    QStringList lines { QStringLiteral("M48") };
    if (!header.isEmpty())
        lines << header;
    lines << QStringLiteral("T01C0.8") << QStringLiteral("%") << QStringLiteral("T01");
    return lines + body;
}

// Lines written in one text, separated by spaces.
QStringList L(const QString& text)
{
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// "kind:x,y" for every object of the layer, in order.
QStringList drawn(const GerberLayer& layer)
{
    QStringList out;
    for (const ImageObject* o : layer.objects())
        out << QStringLiteral("%1:%2,%3").arg(o->kind()).arg(o->x, 0, 'g', 9).arg(o->y, 0, 'g', 9);
    return out;
}

} // namespace

class TestExcellonReader : public QObject
{
    Q_OBJECT

private slots:
    void hitCoordinates_data()
    {
        columns<QString, QString, double, double>("format", "line", "x", "y");
        row("leading zeros omitted", "L,2,4", "X1234Y-5678", 0.1234, -0.5678);
        row("trailing zeros omitted", "T,2,4", "X12Y5", 12.0, 50.0);
        row("all digits present", "L,2,4", "X001600Y021800", 0.16, 2.18);
        row("more digits than the format", "L,2,4", "X1234567Y1", 123.4567, 0.0001);
        row("plus signs dropped", "L,2,4", "X+1234Y+0005", 0.1234, 0.0005);
        row("negative trailing", "T,3,3", "X-12Y-345", -120.0, -345.0);
        row("zero digits before the point", "L,0,3", "X5Y123", 0.005, 0.123);
        row("decimal point read as written", "L,2,4", "X41.7Y-51.7", 41.7, -51.7);
        row("decimal point, trailing mode", "T,2,4", "X2.0872Y.5", 2.0872, 0.5);
        row("decimal point, negative fraction", "L,3,3", "X-.25Y-0.5", -0.25, -0.5);
        row("empty numbers are 0", "L,2,4", "XY", 0.0, 0.0);
        row("garbage number is 0", "L,2,4", "X1-2Y3", 0.0, 0.0003);
    }
    void hitCoordinates()
    {
        QFETCH(QString, format);
        QFETCH(QString, line);
        Read r(withTool({ line }), format);
        QVERIFY(r.ok);
        QCOMPARE(r.layer.objects().size(), 1);
        QCOMPARE(r.object(0).kind(), QStringLiteral("D3"));
        QTEST(r.object(0).x, "x");
        QTEST(r.object(0).y, "y");
    }

    void units_data()
    {
        columns<QStringList, QString, double>("lines", "unit", "factor");
        row("no unit: inch", L("M48 %"), "IN", 25.4);
        row("INCH", L("M48 INCH %"), "IN", 25.4);
        row("METRIC", L("M48 METRIC %"), "mm", 1.0);
        row("INCH,LZ after METRIC", L("M48 METRIC INCH,LZ %"), "IN", 25.4);
        // Unit lines with a zero suffix (KiCad, Fritzing, Upverter) are read in tst_excellon_corpus.
        row("M71", L("M48 M71 %"), "mm", 1.0);
        row("M71 after the header", L("M48 % M71"), "mm", 1.0);
        row("M72 after METRIC", L("M48 METRIC M72 %"), "IN", 25.4);
        row("METRIC outside the header", L("METRIC"), "IN", 25.4);
        row("METRICS is no unit", L("M48 METRICS %"), "IN", 25.4);
        row("M71 after a hit is ignored", L("M48 T01C0.8 % T01 X1Y1 M71"), "IN", 25.4);
    }
    void units()
    {
        QFETCH(QStringList, lines);
        Read r(lines);
        QVERIFY(r.ok);
        QTEST(r.layer.unit, "unit");
        QTEST(r.layer.unitFactor, "factor");
    }

    void toolDefinitions_data()
    {
        columns<QString, QString, QString>("line", "name", "diameter");
        row("two-digit tool", "T01C0.8", "T01", "0.8");
        row("one-digit tool (KiCad)", "T1C0.300", "T1", "0.300");
        row("feeds and speeds before the size", "T1F00S00C0.300", "T1", "0.300");
        row("size without leading zero", "T1C.015F095S3", "T1", ".015");
        row("no size", "T05", "T05", "0");
        row("size only in an Allegro comment",
            ";T03 Holesize 3. = 38.000000 Tolerance = +3.000000/-3.000000 PLATED MILS Quantity = 50", "T03",
            "0.038");
    }
    void toolDefinitions()
    {
        QFETCH(QString, line);
        QFETCH(QString, name);
        QFETCH(QString, diameter);
        Read r({ "M48", line, "%", name });
        QVERIFY(r.ok);
        QCOMPARE(r.layer.apertures().size(), 1);
        const Aperture* a = r.layer.apertures().first();
        QCOMPARE(QStringList({ a->name, a->shape, a->parameterText[0], a->parameterText[1] }),
            QStringList({ name, "C", diameter, "x" }));
        QCOMPARE(a->parameterValue[0], diameter.toDouble());
    }

    void toolSelection_data()
    {
        columns<QStringList, QStringList>("lines", "toolOfEachHit");
        row("by name", L("M48 T01C0.8 T02C1.0 % T02 X1Y1 T01 X2Y2"), L("T02 T01"));
        row("T1 selects T01", L("M48 T01C0.8 % T1 X1Y1"), L("T01"));
        row("T10 and T100 are different tools", L("M48 T10C0.1 T100C0.2 % T100 X1Y1 T10 X1Y1"),
            L("T100 T10"));
        row("T00 keeps the tool", L("M48 T01C0.8 % T01 T00 X1Y1"), L("T01"));
        row("a defined tool 0 is a tool", L("M48 T0C0.006 T1C0.012 % T0 X1Y1 T1 X2Y2 T0 X3Y3"),
            L("T0 T1 T0"));
        row("tool defined in the body", L("% T1C.015F095S3 X1Y1 T2C0.034F200S100 X2Y2 T1 X3Y3"),
            L("T1 T2 T1"));
        row("header never closed", L("M48 INCH T4C0.05 G05 T4 X1Y1"), L("T4"));
    }
    void toolSelection()
    {
        QFETCH(QStringList, lines);
        Read r(lines);
        QVERIFY(r.ok);
        QStringList tools;
        for (const ImageObject* o : r.layer.objects())
            tools << o->aperture()->name;
        QTEST(tools, "toolOfEachHit");
    }

    void stops_data()
    {
        columns<QStringList, QString, int>("lines", "message", "objectsKept");
        row("hit without tool", L("M48 T01C0.8 % X1Y1"), "line 4: no tool selected in \"X1Y1\"", 0);
        row("undefined tool", L("M48 T01C0.8 % T01 X1Y1 T02 X2Y2"), "line 6: tool not defined in \"T02\"", 1);
        row("no tools at all", L("T1 X1Y1"), "line 1: tool not defined in \"T1\"", 0);
        row("route without tool", L("M48 T01C0.8 % G00X1.0Y1.0"), "line 4: no tool selected", 0);
        row("absurd repeat", L("M48 T01C0.8 % T01 X1Y1 R999999999X1"),
            "line 6: the line asks for more than 100000 repeated holes in \"R999999999X1\"", 1);
    }

    void stops()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, message);
        Read r(lines);
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(message), qPrintable(r.error));
        QTEST(r.layer.objects().size(), "objectsKept");
    }

    // What a sequence of hits, slots and routed paths draws. A hit that leaves out one axis repeats
    // it from the previous hit; M30 ends reading. A G85 slot is the tool-width outline of the
    // rectangle spanned by its two points, both diagonals, and a flash at the start. Routed paths
    // (rapid moves, tool down, cuts continued by bare coordinates, tool up) have no hole in them;
    // G05 brings hits back. Holes may be placed relative to others: G93 zero set, R repeats, G91
    // and ICI,ON incremental.
    void objects_data()
    {
        columns<QStringList, QStringList>("lines", "objects");
        row("missing axis repeats the previous hit", withTool(L("X1000Y2000 Y3000 X4000 X5000Y6000")),
            L("D3:0.1,0.2 D3:0.1,0.3 D3:0.4,0.3 D3:0.5,0.6"));
        row("M30 ends reading", withTool(L("X1Y1 M30 X2Y2 T99")), L("D3:0.0001,0.0001"));
        row("G85 slot", withTool({ "X2.0Y1.0G85X3.0Y1.5" }),
            L("D3:2,1 D1:3,1.5 D1:3,1 D1:2,1 D1:2,1.5 D1:3,1.5 D2:3,1 D1:2,1.5"));
        row("G85 second point may repeat an axis", withTool({ "X10000Y20000G85Y30000" }),
            L("D3:1,2 D1:1,3 D1:1,2 D1:1,2 D1:1,3 D1:1,3 D2:1,2 D1:1,3"));
        row("routed paths are strokes, not hits",
            withTool(L("G93X0Y0 G00X1.0Y2.0 M15 G01X1.5 X0.5 M16 G00X3.0Y3.0 M15 G01Y3.5 M17 G05 X4.0Y4.0")),
            L("D2:1,2 D1:1.5,2 D1:0.5,2 D2:3,3 D1:3,3.5 D3:4,4"));
        row("path without tool commands", withTool(L("G00X0Y0 G01X1.0Y1.0 G01X2.0Y0")),
            L("D2:0,0 D1:1,1 D1:2,0"));
        row("G93 zero set", withTool(L("G93X10000Y20000 X10000Y10000 G93X0Y0 X10000Y10000")),
            L("D3:2,3 D3:1,1"));
        row("R repeats with a step", withTool(L("X10000Y10000 R3X1000 R2Y-5000")),
            L("D3:1,1 D3:1.1,1 D3:1.2,1 D3:1.3,1 D3:1.3,0.5 D3:1.3,0"));
        row("R with letters is no repeat", withTool(L("X10000Y10000 R,T X20000Y10000")), L("D3:1,1 D3:2,1"));
        row("G91 incremental, G90 back",
            withTool(L("X10000Y10000 G91 X5000 Y5000 X-20000Y0 G90 X10000Y10000")),
            L("D3:1,1 D3:1.5,1 D3:1.5,1.5 D3:-0.5,1.5 D3:1,1"));
        row("incremental by the header", withTool(L("X10000Y10000 X10000"), "ICI,ON"), L("D3:1,1 D3:2,1"));
    }
    void objects()
    {
        QFETCH(QStringList, lines);
        Read r(lines);
        QVERIFY(r.ok);
        QTEST(drawn(r.layer), "objects");
    }

    void routedArcs_data()
    {
        columns<QString, QPointF, bool>("arc", "centre", "clockwise");
        // From (0,0) to (1,1): a quarter circle either way round.
        row("clockwise, radius", QStringLiteral("G02X1.0Y1.0A1.0"), QPointF(1, 0), true);
        row("counter-clockwise, radius", QStringLiteral("G03X1.0Y1.0A1.0"), QPointF(0, 1), false);
        row("clockwise, centre offsets", QStringLiteral("G02X1.0Y1.0I1.0J0"), QPointF(1, 0), true);
        row("counter-clockwise, centre offsets", QStringLiteral("G03X1.0Y1.0I0J1.0"), QPointF(0, 1), false);
        row("long way round", QStringLiteral("G02X1.0Y1.0A-1.0"), QPointF(0, 1), true);
    }

    void routedArcs()
    {
        QFETCH(QString, arc);
        QFETCH(QPointF, centre);
        QFETCH(bool, clockwise);
        Read r(withTool({ "G00X0Y0", arc }));
        QVERIFY(r.ok);
        const int draws = r.layer.objects().size() - 1;
        const double sweep = arc.contains("A-") ? 270.0 : 90.0;
        QVERIFY2(draws >= sweep && draws <= sweep + 1, qPrintable(QString::number(draws)));
        QCOMPARE(QPointF(r.layer.lastObject->x, r.layer.lastObject->y), QPointF(1.0, 1.0));
        double previous = std::atan2(0.0 - centre.y(), 0.0 - centre.x());
        for (int i = 1; i < r.layer.objects().size(); ++i) {
            const ImageObject& o = r.object(i);
            QCOMPARE(o.kind(), QStringLiteral("D1"));
            QVERIFY(qAbs(std::hypot(o.x - centre.x(), o.y - centre.y()) - 1.0) < 1e-9);
            // Every chord turns the same way, by at most a degree.
            const double angle = std::atan2(o.y - centre.y(), o.x - centre.x());
            double turn = std::remainder(angle - previous, 2 * M_PI) * 180.0 / M_PI;
            QVERIFY2(clockwise ? (turn < 0 && turn >= -1.0001) : (turn > 0 && turn <= 1.0001),
                qPrintable(QString::number(turn)));
            previous = angle;
        }
    }

    void extentInWholeMillimetres_data()
    {
        // bounds: max X, min X, max Y, min Y
        columns<QStringList, QList<int>>("lines", "bounds");
        row("inch, rounded outward", withTool(L("X10000Y-5000 X20000Y5000"), "INCH"),
            QList<int> { 51, 0, 13, -13 });
        row("metric, origin included", withTool(L("X10.5Y20.2 X12.0Y22.0"), "METRIC"),
            QList<int> { 12, 0, 22, 0 });
        row("ends with M30", withTool(L("X-1.2Y-3.7 M30"), "METRIC"), QList<int> { 0, -2, 0, -4 });
    }
    void extentInWholeMillimetres()
    {
        QFETCH(QStringList, lines);
        Read r(lines);
        QVERIFY(r.ok);
        const qint32* b = r.layer.cachedBounds;
        QTEST(QList<int>({ b[0], b[1], b[2], b[3] }), "bounds");
    }

    // Arcs of absurd size or no radius draw nothing off the finite plane. (Thousands of tools, and
    // other bytes that only must not crash or hang: fuzz/regressions/excellon.)
    void absurdArcsStayFinite()
    {
        Read r(withTool({ "G00X0Y0", "G02X1.5e300Y-1.5e300A1.0e300", "G03X1.0Y1.0I1.5e300J-1.5e300",
            "G02X0Y0A0", "G03X0Y0", "G02X1.0Y1.0A0.00000001", "G01", "G02" }));
        for (const ImageObject* o : r.layer.objects())
            QVERIFY(std::isfinite(o->x) && std::isfinite(o->y));
    }

    void formatText_data()
    {
        columns<QString, bool, bool, int, int>("text", "valid", "leading", "integerDigits", "decimalDigits");
        row("L,2,4", "L,2,4", true, true, 2, 4);
        row("T,3,3", "T,3,3", true, false, 3, 3);
        row("lower case, spaces", "t, 0 ,9", true, false, 0, 9);
        row("ten digits", "L,10,4", false, true, 2, 4);
        row("negative", "L,-1,4", false, true, 2, 4);
        row("other letter", "X,2,4", false, true, 2, 4);
        row("two fields", "L,2", false, true, 2, 4);
        row("empty", "", false, true, 2, 4);
    }
    void formatText()
    {
        QFETCH(QString, text);
        ExcellonFormat f;
        QTEST(ExcellonFormat::fromText(text, &f), "valid");
        QTEST(f.leadingZeroesOmitted, "leading");
        QTEST(f.integerDigits, "integerDigits");
        QTEST(f.decimalDigits, "decimalDigits");
    }

    void drillDetection_data()
    {
        columns<QByteArray, bool>("head", "drill");
        row("M48 first", QByteArray("M48\r\nINCH\r\n"), true);
        row("after % and blank lines", QByteArray("%\n\n  M48  \nM72\n"), true);
        row("after comments", QByteArray(";a\n;b\n;c\nM48\n"), true);
        row("Gerber", QByteArray("G04 x*\n%FSLAX24Y24*%\n%MOIN*%\n"), false);
        row("body only", QByteArray("%\nT1C.015\nX1Y1\n"), true);
        row("no header", QByteArray(";holes\nT1\nX012500Y-004000\nT02\nY1\nM30\n"), true);
        row("Gerber without parameters", QByteArray("G04 x*\nT1*\nX1Y1D03*\n"), false);
        row("tools but no hits", QByteArray("T1\nT2\n"), false);
        row("too late", QByteArray("1\n2\n3\n4\n5\n6\n7\n8\n9\n10\nM48\n"), false);
        row("empty", QByteArray(), false);
    }
    void drillDetection()
    {
        QFETCH(QByteArray, head);
        QTEST(looksLikeExcellon(head), "drill");
    }

    // What a file asks for beyond the limits is refused with the line and the limit, within
    // 16 bytes a byte of file and 256 MB.
    void limitsNameTheirReason_data()
    {
        columns<QByteArray, int, QString>("body", "line", "reason");
        row("one repeat too many", QByteArray("X1Y1\nR100001X1Y1\n"), 7,
            "the line asks for more than 100000 repeated holes");
        row("20 million holes from repeats", "X1Y1\n" + QByteArray("R100000X1\n").repeated(200), 8,
            "the file asks for 200000 holes from repeats so far; at most 100000 are read");
        row("routed full circles", "G00X0Y0\nM15\n" + QByteArray("G03X0Y0I1J0\n").repeated(6000), 5563,
            "the routed arcs ask for more than 2000000 points; at most "
            "2000000 are drawn");
    }
    void limitsNameTheirReason()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, line);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QByteArray bytes = "M48\nMETRIC\nT1C0.3\n%\nT1\n" + body;
        const QString path = writeFile(dir, QStringLiteral("board.drl"), bytes);
        const qint64 bound = 16 * bytes.size() + 256LL * 1024 * 1024;
        QVERIFY(runWithMemoryLimit(bound, [&] {
            QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
            GerberLayer layer;
            QString error;
            return !loadExcellon(path, layer, formatOf("L,3,3"), &error)
                && error.startsWith(QStringLiteral("board.drl, line %1: %2 in ").arg(line).arg(reason));
        }));
    }

    void loadReadsFileAndNamesFailures()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("board.drl"),
            "M48\r\nMETRIC,TZ\r\n  T1C0.300  \r\n%\r\nT1\r\nX41.7Y-51.7\r\nT7\r\nM30\r\n");

        GerberLayer layer(2);
        layer.visible = false;
        const ExcellonFormat format = formatOf("T,3,3");
        QString error;
        QVERIFY(!loadExcellon(path, layer, format, &error));
        // The reason names the file, the line and the text that stopped the reader.
        QCOMPARE(error, QStringLiteral("board.drl, line 7: tool not defined in \"T7\""));
        QVERIFY(layer.visible && layer.rawLines.isEmpty());
        QCOMPARE(QStringList({ layer.fileName, layer.zeroOmission, layer.excellonLines.at(2) }),
            QStringList({ "board.drl", "T", "T1C0.300" }));
        QCOMPARE(QPoint(layer.yIntegerDigits, layer.yDecimalDigits), QPoint(3, 3));
        QCOMPARE(QPointF(layer.objects().size(), layer.unitFactor), QPointF(1, 1));

        // Reading the stored lines again gives the same image without any question.
        GerberLayer again;
        applyExcellonFormat(again, excellonFormatOf(layer));
        QStringList lines = layer.excellonLines;
        lines.removeAt(6);
        again.excellonLines = lines;
        QVERIFY(parseExcellon(again));
        QCOMPARE(again.objects().size(), 1);
        QCOMPARE(again.objects()[0]->x, 41.7);

        GerberLayer missing;
        QVERIFY(!loadExcellon(dir.filePath(QStringLiteral("missing.drl")), missing, format, &error));
        QVERIFY(
            error.startsWith(QStringLiteral("Cannot read ") + dir.filePath(QStringLiteral("missing.drl"))));
        QVERIFY(!loadExcellon(dir.path(), missing, format, &error));
        QVERIFY(error.endsWith(QStringLiteral(": it is a folder")));
    }
};

QTEST_GUILESS_MAIN(TestExcellonReader)
#include "tst_excellonreader.moc"
