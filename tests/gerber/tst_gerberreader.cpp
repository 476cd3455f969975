// Rules of the RS-274X reader: conversions, handler rejections and the edge cases users meet.
#include "datatable.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberparser.h"
#include "gerber/gerberreader.h"
#include "memorylimit.h"
#include "testfiles.h"

#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

struct Parsed
{
    std::unique_ptr<GerberLayer> layer;
    bool ok;
    QString error;
};

// The text read from a file "t.gbr", as a user opens it: a block at a time, the text packed.
Parsed parseFile(const QString& text)
{
    QTemporaryDir dir;
    auto layer = std::make_unique<GerberLayer>();
    QString error;
    const bool ok = loadGerber(writeFile(dir, QStringLiteral("t.gbr"), text.toUtf8()), *layer, &error);
    return { std::move(layer), ok, error };
}

// The text read from its lines, as a project's layer is read again; reading it from a file gives
// the same image, lines and error (line number included).
Parsed parse(const QString& text)
{
    const Parsed fromFile = parseFile(text);
    auto layer = std::make_unique<GerberLayer>();
    layer->fileName = QStringLiteral("t.gbr");
    layer->rawLines = gerberLinesFromBytes(text.toUtf8());
    QString error;
    const bool ok = parseGerber(*layer, &error);
    const GerberLayer& read = *fromFile.layer;
    if (fromFile.ok != ok || fromFile.error != error || read.objects().size() != layer->objects().size()
        || read.regionPolygons().size() != layer->regionPolygons().size() || read.rawLines != layer->rawLines)
        qFatal("reading the file gives another image than reading its lines: %s", qPrintable(fromFile.error));
    return { std::move(layer), ok, error };
}

QPointF at(const GerberLayer& layer, int i)
{
    return QPointF(layer.objects().at(i)->x, layer.objects().at(i)->y);
}

const QString header = QStringLiteral("%FSLAX24Y24*%\n%MOIN*%\n%ADD10C,0.01*%\nD10*\n");
const QByteArray transformHead = "%FSLAX24Y24*%\n%MOIN*%\n%ADD10R,0.2X0.1*%\n%ADD11C,0.1*%\n";

// "kind x y" of every object, "region x y ..." of every region, in index order.
QStringList describe(const GerberLayer& layer)
{
    QStringList out;
    const auto n = [](double v) { return QString::number(v, 'g', 10); };
    for (const qint32 index : layer.order()) {
        if (const ImageObject* o = layer.objectAt(index)) {
            out << o->kind() + " " + n(o->x) + " " + n(o->y);
        } else if (const QPolygonF* region = layer.regionAt(index)) {
            QString text = QStringLiteral("region");
            for (const QPointF& p : *region)
                text += " " + n(p.x()) + " " + n(p.y());
            out << text;
        }
    }
    return out;
}

// The block `line` after `before` stops reading with "<what> - Fehlerauslösender Zeileninhalt: <line>".
void rej(const char* name, const QString& before, const QString& line, const QString& what, int objects)
{
    QTest::newRow(name) << before + line << what + " - Fehlerauslösender Zeileninhalt: " + line << objects;
}

} // namespace

class TestGerberReader : public QObject
{
    Q_OBJECT

private slots:
    void conversion_data()
    {
        columns<QString, int, int, bool, bool, double>("text", "n", "m", "trailing", "arc", "expected");
        row("leading", "1500", 2, 4, false, false, 0.15);
        row("trailing", "15", 2, 4, true, false, 15.0);
        row("negative leading", "-25", 2, 4, false, false, -0.0025);
        row("explicit point kept", "1.5", 2, 4, false, false, 1.5);
        row("explicit plus sign", "+1500", 2, 4, false, false, 0.15);
        row("longer than format", "1234567", 2, 4, false, false, 12.34567);
        row("empty is zero", "", 2, 4, false, false, 0.0);
        row("garbage is zero", "1a2", 2, 4, false, false, 0.0);
        row("zero digits", "1500", 0, 0, false, false, 0.15);
        row("arc inner minus is no sign", "1-5", 2, 4, false, true, 0.0);
        row("arc point is doubled", "1.5", 2, 4, false, true, 0.0);
        row("arc negative", "-1500", 2, 4, false, true, -0.15);
        row("long digits", "12" + QString(40, QLatin1Char('0')), 2, 4, false, false, 12.0);
        row("overlong digits", QString(400, QLatin1Char('9')), 2, 4, false, false, 100.0);
        row("huge value", QString(400, QLatin1Char('9')) + ".", 2, 4, false, false, 0.0);
    }
    void conversion()
    {
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(int, m);
        QFETCH(bool, trailing);
        QFETCH(bool, arc);
        QFETCH(double, expected);
        const double v = arc ? GerberParser::convertArcCoordinate(text, n, m, trailing)
                             : GerberParser::convertCoordinate(text, n, m, trailing);
        if (expected == 0.0)
            QCOMPARE(v, 0.0);
        else
            QVERIFY2(qAbs(v - expected) <= qAbs(expected) * 1e-12, qPrintable(QString::number(v, 'g', 17)));
    }

    void rejection_data()
    {
        columns<QString, QString, int>("body", "message", "objectsBefore");
        const QString fs = QStringLiteral("%FSLAX24Y24*%\n");
        const QString ad = QStringLiteral("%ADD10C,0.01*%\nD10*\nX0Y0D02*\n");
        rej("FS zero omission", "", "%FSXAX24Y24*%", "FS-L/T", 0);
        rej("FS short block", "", "%FS*%", "FS-L/T", 0);
        rej("FS mode", "", "%FSLXX24Y24*%", "FS-A/I", 0);
        rej("MO unit", fs, "%MOCM*%", "MO IN/MM", 0);
        rej("MO short", fs, "%MO%", "MO IN/MM", 0);
        rej("MO end", fs, "%MOINX*%", "MO Ende", 0);
        rej("LP polarity", fs, "%LPX*%", "LP C/D", 0);
        rej("LP end", fs, "%LPDD*%", "LP Ende", 0);
        rej("LP short", fs, "%LP%", "LP C/D", 0);
        rej("AD without star", fs, "%ADD10C,0.5%", "AD Ende", 0);
        rej("AD bad code", fs, "%ADX10C,0.5*%", "D-Code ungültig", 0);
        rej("AD short", fs, "%AD*%", "D-Code ungültig", 0);
        rej("AD polygon corners", fs, "%ADD10P,1X13*%", "Polygon hat ungültige Anzahl an Ecken", 0);
        rej("AD polygon without corners", fs, "%ADD10P,1*%", "Polygon hat ungültige Anzahl an Ecken", 0);
        rej("AD shape", fs, "%ADD10Z,1*%", "unbekannte Shape", 0);
        rej("coordinate D text", fs + ad, "X1D01X*", "Befehl fehlerhaft", 1);
        rej("no axis", fs + ad + "G02", "I5D02*", "weder X noch Y angegeben", 1);
        rej("unknown aperture", fs + ad, "D11*", "D-Code unbekannt", 1);
    }
    void rejection()
    {
        QFETCH(QString, body);
        QFETCH(QString, message);
        // Blocks after the rejected one must not be read: the draw would add an object.
        auto [layer, ok, error] = parse(body + "\nX100Y100D01*\nM02*\n");
        QVERIFY(!ok);
        QTEST(layer->objects().size(), "objectsBefore");
        // The user is told the file, the line and the block that stopped the reader.
        const QStringList parts = message.split(QStringLiteral(" - Fehlerauslösender Zeileninhalt: "));
        QCOMPARE(error,
            QStringLiteral("t.gbr, line %1: %2 in \"%3\"")
                .arg(body.count('\n') + 1)
                .arg(parts.at(0), parts.at(1)));
    }

    // Blocks that ask for more than any real file are refused with the line and the limit.
    void limitsNameTheirReason_data()
    {
        columns<QString, QString>("body", "error");
        QTest::newRow("step and repeat 1e20 times") << "%SRX1E20Y1I1J1*%\n"
                                                    << "t.gbr, line 5: the file asks for 1e+20 copies; at "
                                                       "most 5000000 are made in \"%SRX1E20Y1I1J1*%\"";
        QTest::newRow("macro of 10 001 circles")
            << "%AMBIG*\n" + QString("1,1,0.1,0,0*\n").repeated(10001) + "%\n%ADD11BIG*%\n"
            << "t.gbr, line 10007: the macro holds more than 10000 primitives; at most 10000 are read in "
               "\"%AMBIG*1,1,0.1,0,0*1,1,0.1,0,0*1,1,0.1,0,0*1,1,0.1,0,0*1,1,0.1,0,0*1,1,0.1,0,0*1...\"";
        QString macros;
        for (int i = 0; i <= 100000; ++i)
            macros += QStringLiteral("%AMM%1*1,1,0.1,0,0*%\n").arg(i);
        QTest::newRow("100 001 macros") << macros
                                        << "t.gbr, line 100005: the file defines more than 100000 aperture "
                                           "macros; at most 100000 are read in \"%AMM100000*1,1,0.1,0,0*%\"";
        QString apertures = "%AMBIG*\n" + QString("1,1,0.1,0,0*\n").repeated(10000) + "%\n";
        for (int i = 0; i < 201; ++i)
            apertures += QStringLiteral("%ADD%1BIG*%\n").arg(11 + i);
        QTest::newRow("201 apertures of a 10 000-circle macro")
            << apertures
            << "t.gbr, line 10207: the apertures ask for 2010000 macro primitives so far; at most 2000000 "
               "are "
               "read in \"%ADD211BIG*%\"";
        QTest::newRow("6000 full circles")
            << "G75*\nX10000Y0D02*\n" + QString("G03X10000Y0I-10000J0D01*\n").repeated(6000)
            << "t.gbr, line 5562: the arcs ask for more than 2000000 points so far; "
               "at most 2000000 are drawn in \"X10000Y0I-10000J0D01*\"";
        QTest::newRow("aperture of 1e308 inches")
            << "%ADD11C,1e308*%\n"
            << "t.gbr, line 5: the aperture size is 1e+308; sizes must be finite and within 10 m in "
               "\"%ADD11C,1e308*%\"";
        QTest::newRow("polygon hole of nan")
            << "%ADD11P,1X6X0Xnan*%\n"
            << "t.gbr, line 5: the aperture size is nan; sizes must be finite and within 10 m in "
               "\"%ADD11P,1X6X0Xnan*%\"";
    }
    // In a child process whose memory may grow by 16 bytes per byte of the file and 256 MB.
    void limitsNameTheirReason()
    {
        QFETCH(QString, body);
        QFETCH(QString, error);
        const QString text = header + body + "X1Y1D03*\nM02*\n";
        QVERIFY(runWithMemoryLimit(16 * qint64(text.size()) + 256LL * 1024 * 1024, [&] {
            QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
            auto parsed = parseFile(text);
            if (parsed.error != error)
                qWarning("%s", qPrintable(parsed.error.left(300)));
            const bool arcs = body.contains("G03");
            return !parsed.ok && parsed.error == error
                && parsed.layer->objects().size() <= (arcs ? GerberParser::maxArcPoints : 0);
        }));
    }

    void formatAndUnitCodes()
    {
        auto [layer, ok, error] = parse("%FSTIX35Y46*%\nM02*\n");
        QVERIFY(ok);
        QCOMPARE(layer->zeroOmission + layer->coordinateMode, QStringLiteral("TI"));
        QCOMPARE(QList<int>({ layer->xIntegerDigits, layer->xDecimalDigits, layer->yIntegerDigits,
                     layer->yDecimalDigits }),
            QList<int>({ 3, 5, 4, 6 }));
        // Unit, unit factor, coordinate mode and command after the blocks; G70 gives the command back.
        const auto units = [](const char* blocks) {
            const Parsed p = parse(QStringLiteral("%FSLAX24Y24*%\n") + blocks + "M02*\n");
            return QStringList { p.ok ? p.layer->unit : "failed", QString::number(p.layer->unitFactor),
                p.layer->coordinateMode, p.layer->currentG };
        };
        QCOMPARE(units("%MOMM*%\n").mid(0, 2), QStringList({ "MM", "1" }));
        QCOMPARE(units("%MOMM*%\nG01*\nG70*\n"), QStringList({ "MM", "25.4", "A", "G01" }));
        QCOMPARE(units("G71*\nG91*\n").mid(1, 2), QStringList({ "1", "I" }));
        // Several parameters in one block, several blocks on one line: each one counts.
        for (const char* head : { "%FSLAX25Y25*MOMM*%\n", "%FSLAX25Y25*%%MOMM*%\n" }) {
            const Parsed p = parse(QString(head) + "%ADD10C,1*%%ADD11C,2*%\nD11*\nX100000Y0D03*\nM02*\n");
            QVERIFY2(p.ok, head);
            QCOMPARE(QPointF(p.layer->unitFactor, p.layer->xDecimalDigits), QPointF(1, 5));
            QCOMPARE(p.layer->apertures().size(), 2);
            QCOMPARE(p.layer->objects().first()->aperture(), p.layer->apertures().at(1));
        }
    }

    // Coordinates as they reach the objects: a missing axis repeats the current point, incremental
    // coordinates add to it, and D03 alone flashes at it.
    void objects_data()
    {
        columns<QString, QString>("file", "objects");
        const auto row = [](const char* tag, const QString& file, const char* objects) {
            QTest::newRow(tag) << file << QString(objects);
        };
        row("missing axis", header + "X1500Y-25D02*\nY2500D01*\nX-3333D01*\nM02*\n",
            "D2 0.15 -0.0025|D1 0.15 0.25|D1 -0.3333 0.25");
        row("incremental",
            "%FSLIX24Y24*%\n%ADD10C,0.01*%\nD10*\nX10000Y10000D02*\nX5000D01*\nY-5000D01*\nM02*\n",
            "D2 1 1|D1 1.5 1|D1 1.5 0.5");
        row("no zero omission letter means leading",
            "%FSAX24Y24*%\n%ADD10C,0.01*%\nD10*\nX1500Y25D02*\nM02*\n", "D2 0.15 0.0025");
        // Fields of one to eight digits (read word-wise up to seven); more digits than the format
        // has scale down.
        row("fields of one to eight digits",
            header + "X1234567Y-7654321D03*\nX12345678Y+1D03*\nX9Y98D03*\nX-0Y0000000D03*\nM02*\n",
            "D3 12.34567 -76.54321|D3 12.345678 0.0001|D3 0.0009 0.0098|D3 0 0");
        row("absurd or missing digits read as 0", "%FSLAXY*%\nX15Y25D02*\nM02*\n", "D2 0.15 0.25");
        row("flash at the current point", header + "D03*\nX100Y200D02*\nD3*\nM02*\n",
            "D3 0 0|D2 0.01 0.02|D3 0.01 0.02");
        row("blocks after M02 are not read", header + "X0Y0D03*M02*X1Y1D03*\n", "D3 0 0");
        // A coordinate block without D code repeats the last D code, or draws when there was none.
        row("no D code yet: draw", header + "X100Y200*\nM02*\n", "D2 0 0|D1 0.01 0.02");
        row("no D code after a draw", header + "X0Y0D02*\nX1Y1D01*\nX100Y200*\nM02*\n",
            "D2 0 0|D1 0.0001 0.0001|D1 0.01 0.02");
        row("no D code after a move", header + "X0Y0D02*\nX100Y200*\nM02*\n", "D2 0 0|D2 0.01 0.02");
        row("no D code after a lone D02", header + "D02*\nX100Y200*\nM02*\n", "D2 0.01 0.02");
        row("no D code after a flash", header + "X0Y0D03*\nX100Y200*\nM02*\n", "D3 0 0|D3 0.01 0.02");
        row("draw before any move", header + "X100Y200D01*\nM02*\n", "D2 0 0|D1 0.01 0.02");
        row("no D code, G01 prefix", header + "X0Y0D02*\nX1Y1D01*\nG01X100Y200*\nM02*\n",
            "D2 0 0|D1 0.0001 0.0001|D1 0.01 0.02");
        row("G01 prefix ends arc mode", header + "X0Y0D02*\nG02*\nG01X100Y200D01*\nX300D01*\nM02*\n",
            "D2 0 0|D1 0.01 0.02|D1 0.03 0.02");
    }
    void objects()
    {
        QFETCH(QString, file);
        auto [layer, ok, error] = parse(file);
        QVERIFY2(ok, qPrintable(error));
        QTEST(describe(*layer).join('|'), "objects");
    }

    // The aperture of each object, or "failed". A draw before any move gets a move from the origin
    // with an aperture of its own (D00); the selection stays.
    void apertureOfEachObject_data()
    {
        columns<QString, QString>("file", "apertures");
        row("selected before it is defined", "%FSLAX24Y24*%\nD10*\n%ADD10C,0.01*%\nM02*\n", "failed");
        row("selection retried with leading zeros", "%FSLAX24Y24*%\n%ADD010C,0.1*%\nD10*\nX0Y0D03*\nM02*\n",
            "D010");
        row("G54 prefix", header + "%ADD11R,0.1X0.2*%\nG54D11*\nX0Y0D03*\nG54*\nX1Y1D03*\nM02*\n", "D11 D11");
        row("draw before any move", header + "X100Y200D01*\nM02*\n", "D00 D10");
    }
    void apertureOfEachObject()
    {
        QFETCH(QString, file);
        auto [layer, ok, error] = parse(file);
        QStringList names;
        for (const ImageObject* o : layer->objects())
            names << o->aperture()->name;
        QTEST(ok ? names.join(' ') : QStringLiteral("failed"), "apertures");
    }

    void regionModeBuildsPolygons()
    {
        auto [layer, ok, error] = parse(header
            + "X0Y0D03*\nG36*\nX0Y0D02*\nX10000Y0D01*\nX10000Y10000D01*\nX20000Y0D02*\nX30000Y0D01*\n"
              "X30000Y10000D01*\nD02*\nX40000Y0D01*\nG37*\nX0Y0D03*\nM02*\n");
        QVERIFY(ok);
        // Flash, region, region, region, flash: drawn in file order, the regions no objects; a
        // lone D02 closes the contour and the next starts at the current point.
        QCOMPARE(describe(*layer).join('|'),
            QStringLiteral("D3 0 0|region 0 0 1 0 1 1 0 0|region 2 0 3 0 3 1 2 0|region 3 1 4 0 3 1|D3 0 0"));
        QVERIFY(!layer->regionMode);
    }

    // Arcs are drawn as chords to every whole degree. Single-quadrant I and J are distances: a
    // sign in the file does not move the centre, which is the one about which the arc is a
    // quarter at most, whichever way it turns. probe: an object and where it lies, or -1.
    void arcs_data()
    {
        columns<QString, int, int, QPointF>("arc", "objects", "probe", "point");
        const QPointF at45(std::cos(M_PI / 4), std::sin(M_PI / 4));
        row("quarter, counter-clockwise", "G75*\nX10000Y0D02*\nG03X0Y10000I-10000J0D01*\n", 1 + 89 + 1, 1,
            QPointF(std::cos(M_PI / 180), std::sin(M_PI / 180)));
        // From 90.5 degrees clockwise to 0: the first chord point is at 90 degrees.
        const int x = qRound(std::cos(90.5 * M_PI / 180) * 10000),
                  y = qRound(std::sin(90.5 * M_PI / 180) * 10000);
        row("clockwise from 90.5 degrees",
            QStringLiteral("G75*\nX%1Y%2D02*\nG02X10000Y0I%3J%4D01*\n").arg(x).arg(y).arg(-x).arg(-y),
            1 + 89 + 1, 1, QPointF(0, 1));
        row("full circle", "G75*\nX10000Y0D02*\nG03X10000Y0I-10000J0D01*\n", 1 + 359 + 1, 180,
            QPointF(-1, 0));
        row("single quadrant, same end point: no arc", "G74*\nX10000Y0D02*\nG03X10000Y0I10000J0D01*\n", 2, -1,
            QPointF());
        row("no G74 or G75 reads as single quadrant", "X10000Y0D02*\nG03X0Y10000I10000J0D01*\n", 1 + 89 + 1,
            45, at45);
        row("modal: a block without G or D code is the next quarter",
            "X10000Y0D02*\nG03X0Y10000I10000D01*\nX-10000Y0J10000*\n", 1 + 2 * 90, 180, QPointF(-1, 0));
        row("G74, sign of I", "G74*\nX10000Y0D02*\nG03X0Y10000I-10000J0D01*\n", 1 + 89 + 1, 45, at45);
        row("no G74 or G75, sign of I", "X10000Y0D02*\nG03X0Y10000I-10000J0D01*\n", 1 + 89 + 1, 45, at45);
        row("G74 clockwise, sign of J", "G74*\nX0Y10000D02*\nG02X10000Y0I0J-10000D01*\n", 1 + 89 + 1, 45,
            at45);
        row("G74 clockwise over the top", "G74*\nX-10000Y0D02*\nG02X0Y10000I10000J0D01*\n", 1 + 89 + 1, 45,
            QPointF(-at45.x(), at45.y()));
    }
    void arcs()
    {
        QFETCH(QString, arc);
        QFETCH(int, probe);
        QFETCH(QPointF, point);
        auto [layer, ok, error] = parse(header + arc + "M02*\n");
        QVERIFY2(ok, qPrintable(error));
        QTEST(layer->objects().size(), "objects");
        if (probe >= 0)
            QVERIFY2((at(*layer, probe) - point).manhattanLength() < 1e-3,
                qPrintable(QStringLiteral("%1, %2").arg(at(*layer, probe).x()).arg(at(*layer, probe).y())));
    }

    void arcInRegionModeEndsWithMove()
    {
        auto [layer, ok, error]
            = parse(header + "G75*\nG36*\nX10000Y0D02*\nG03X0Y10000I-10000J0D01*\nG01X0Y0D01*\nG37*\nM02*\n");
        QVERIFY(ok);
        QCOMPARE(layer->regionPolygons().size(), 1);
        const QPolygonF polygon = *layer->regionPolygons().first();
        QCOMPARE(polygon.size(), 1 + 89 + 1 + 1 + 1); // start, chords, end, corner, closing point
        QCOMPARE(QVector<QPointF>({ polygon.first(), polygon.last() }), QVector<QPointF>(2, QPointF(1, 0)));
        QCOMPARE(describe(*layer).filter(QStringLiteral("D")), QStringList("D2 0 1"));
    }

    // A negative image is dark where nothing is drawn: what the file draws dark cuts clear from
    // it, also after %LPD (as mask layers write it), and %LPC draws dark.
    void imagePolarityNegativeMakesObjectsClear()
    {
        auto [layer, ok, error] = parse(header
            + "%IPNEG*%\nX0Y0D03*\nX1Y1D03*\n%LPD*%\nX2Y2D03*\n%LPC*%\nG36*\nX0Y0D02*\nX5Y5D01*\nG37*\nM02*"
              "\n");
        QVERIFY(ok);
        QVERIFY(layer->negativeImage);
        for (const ImageObject* o : layer->objects())
            QVERIFY(!o->dark());
        QCOMPARE(layer->regionPolarities(), QList<bool>({ true }));
        QCOMPARE(layer->polarity, QStringLiteral("C"));
        auto positive = parse(header + "%IPPOS*%\n%LPC*%\nX0Y0D03*\nM02*\n");
        QVERIFY(!positive.layer->negativeImage);
        QCOMPARE(positive.layer->objects().at(0)->dark(), false);
    }

    void standardApertures_data()
    {
        // name and shape, then the four parameter texts
        columns<QString, QString>("block", "texts");
        const auto aperture
            = [](const char* block, const char* texts) { row(block, QString(block), QString(texts)); };
        aperture("%ADD10C,0.5*%", "D10 C 0.5 x x x");
        aperture("%ADD11C,0.5X0.2*%", "D11 C 0.5 0.2 x x");
        aperture("%ADD12R,1.5X0.5*%", "D12 R 1.5 0.5 x x");
        aperture("%ADD13O,1X2X0.3*%", "D13 O 1 2 0.3 x");
        aperture("%ADD14P,1X6X45X0.2*%", "D14 P 1 6 45 0.2");
        aperture("%ADD15P,1X6X45X0.2X9*%", "D15 P 1 6 45 0.2");
        aperture("%ADD100C,0.1*%", "D100 C 0.1 x x x");
        aperture("%ADD16R*%", "D16 R x x x x");
    }
    void standardApertures()
    {
        QFETCH(QString, block);
        QFETCH(QString, texts);
        auto [layer, ok, error] = parse("%FSLAX24Y24*%\n" + block + "\n" + block + "\nM02*\n");
        QVERIFY(ok);
        QCOMPARE(layer->apertures().size(), 2); // defining twice keeps both
        const Aperture* a = layer->apertures().first();
        QStringList got { a->name, a->shape };
        for (int i = 0; i < 4; ++i) {
            got << a->parameterText[i];
            QCOMPARE(a->parameterValue[i], got.last() == QLatin1String("x") ? -1.0 : got.last().toDouble());
        }
        QCOMPARE(got, texts.split(' '));
    }

    void missingEndCodeFails()
    {
        auto p = parse(header + "X0Y0D03*\n");
        QVERIFY(!p.ok && p.layer->objects().size() == 1); // no M02, what was read kept
        QCOMPARE(p.error, QStringLiteral("t.gbr: the file ends without \"M02*\""));
    }

    void loadGerberReadsIntoTheGivenLayer()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("top.gbr");
        writeFile(path, "  %FSLAX24Y24*%  \r\n%ADD10C,0.01*%\r\nD10*\r\nX0Y0D03*\r\nM02*\r\n");
        GerberLayer layer(2);
        layer.color = Qt::red;
        layer.visible = false;
        QVERIFY(loadGerber(path, layer));
        QCOMPARE(layer.color, QColor(Qt::red));
        QVERIFY(layer.visible);
        QCOMPARE(layer.fileName, QStringLiteral("top.gbr"));
        QCOMPARE(layer.rawLines.first(), QStringLiteral("%FSLAX24Y24*%"));
        QCOMPARE(layer.objects().size(), 1);
        QString error;
        QVERIFY(!loadGerber(dir.filePath("missing.gbr"), layer, &error));
        QVERIFY(error.startsWith(
            QStringLiteral("Cannot read ") + dir.filePath("missing.gbr") + QStringLiteral(": ")));
    }

    // Where objects land: the image parameters (%MI, %SF, %OF, %IR), and %SR copies in file order.
    void placement_data()
    {
        columns<QByteArray, QString>("body", "objects"); // or the end of the refusal
        const QByteArray flash = "D11*\nX10000Y20000D03*\n";
        row("none", flash, "D3 1 2");
        row("mirror A", "%MIA1B0*%\n" + flash, "D3 -1 2");
        row("offset", "%OFA0.5B-1*%\n" + flash, "D3 1.5 1");
        row("quarter turn", "%IR90*%\n" + flash, "D3 -2 1");
        // Mirror, scale, then offset, then the turn of the whole image.
        row("all, in order", "%SFA2B1*%\n%OFA1B0*%\n%IR90*%\n%MIA0B1*%\n" + flash, "D3 2 3");
        row("several in one statement", "%IR0*IPPOS*OFA1B2*MIA0B0*SFA1B1*%\n" + flash, "D3 2 4");
        row("turn by 45 degrees", "%IR45*%\n" + flash, "Bildparameter ungültig in \"%IR45*%\"");
        row("repeat 2 by 3", QByteArray("%SRX2Y3I1J2*%\nD11*\nX0Y0D03*\n%SR*%\nX50000Y0D03*\n"),
            "D3 0 0|D3 1 0|D3 0 2|D3 1 2|D3 0 4|D3 1 4|D3 5 0");
        row("repeat keeps regions and flashes in order",
            QByteArray("%SRX2Y1I3J0*%\nD11*\nG36*\nX0Y0D02*\nX10000Y0D01*\nX0Y10000D01*\nG37*\nX0Y0D03*\n"),
            "region 0 0 1 0 0 1 0 0|D3 0 0|region 3 0 4 0 3 1 3 0|D3 3 0");
        row("a repeated draw starts at the point before the block",
            QByteArray("D11*\nX0Y0D02*\n%SRX2Y1I5J0*%\nX10000Y0D01*\n"), "D2 0 0|D1 1 0|D2 5 0|D1 6 0");
        row("no copies", QByteArray("%SRX0Y1I0J0*%\n"), "SR ungültig in \"%SRX0Y1I0J0*%\"");
        // A million copies of a thousand objects cannot be made; what was read stays.
        QByteArray many = "%SRX1000Y1000I1J1*%\nD11*\n";
        for (int i = 0; i < 1000; ++i)
            many += "X" + QByteArray::number(i) + "Y0D03*\n";
        row("too many copies", many,
            "the file asks for 999999000 copied objects; at most 5000000 are made in "
            "\"%SRX1000Y1000I1J1*%\"");
    }

    void placement()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, objects);
        const QByteArray text = transformHead + body + "M02*\n";
        auto [layer, ok, error] = parse(QString::fromUtf8(text));
        if (objects.contains(QLatin1String(" in \""))) {
            QVERIFY(!ok);
            QVERIFY2(error.endsWith(objects), qPrintable(error));
            return;
        }
        QVERIFY(ok);
        QCOMPARE(describe(*layer).join(QLatin1Char('|')), objects);
        // The layer keeps the file as it came: export and the project write these lines.
        QCOMPARE(layer->rawLines.size(), text.count('\n'));
    }

    // Turning the image turns what is flashed: a 0.2 x 0.1 rectangle stands up, and a macro's
    // shape turns and mirrors with the image; regions move like every point.
    void shapesTurnWithTheImage()
    {
        auto [layer, ok, error] = parse(QString(transformHead)
            + "%IR90*%\n%MIA1B0*%\n%AMT*20,1,0.1,0,0,1,0*%\n%ADD12T*%\nD10*\nX0Y0D03*\nD12*\nX0Y0D03*\n"
              "G36*\nX0Y0D02*\nX10000Y0D01*\nX10000Y10000D01*\nG37*\nM02*\n");
        QVERIFY(ok);
        const Aperture* rectangle = layer->objects().at(0)->aperture();
        QCOMPARE(rectangle->name, QStringLiteral("D10"));
        QCOMPARE(QPointF(rectangle->parameterValue[0], rectangle->parameterValue[1]), QPointF(0.1, 0.2));
        // The aperture list keeps the definitions as the file wrote them.
        QCOMPARE(layer->apertures().first()->parameterValue[0], 0.2);
        // The line (0,0)-(1,0) mirrored to (0,0)-(-1,0), then turned to (0,0)-(0,-1).
        const MacroPrimitive line = layer->objects().at(1)->aperture()->macroImage->primitives.value(0);
        QVERIFY(qAbs(line.x2) < 1e-12 && qAbs(line.y2 + 1.0) < 1e-12);
        QCOMPARE(describe(*layer).last(), QStringLiteral("region 0 0 0 -1 -1 -1 0 0"));
    }
};

QTEST_GUILESS_MAIN(TestGerberReader)
#include "tst_gerberreader.moc"
