// Rules of the RS-274X reader: conversions, handler rejections and the edge cases users meet.
#include "gerber/gerberlayer.h"
#include "gerber/gerberparser.h"
#include "gerber/gerberreader.h"
#include "logcapture.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

std::unique_ptr<GerberLayer> parse(const QString& text, bool* ok)
{
    auto layer = std::make_unique<GerberLayer>();
    layer->rawLines = gerberLinesFromBytes(text.toUtf8());
    *ok = parseGerber(*layer);
    return layer;
}

const QString header = QStringLiteral("%FSLAX24Y24*%\n%MOIN*%\n%ADD10C,0.01*%\nD10*\n");

} // namespace

class TestGerberReader : public QObject
{
    Q_OBJECT

private slots:
    void conversion_data();
    void conversion();
    void rejection_data();
    void rejection();
    void formatDigits();
    void modeAndUnitCodes();
    void coordinateWithoutDCodeRepeatsLastDCode_data();
    void coordinateWithoutDCodeRepeatsLastDCode();
    void missingAxisKeepsCurrentPoint();
    void incrementalCoordinatesAddToCurrentPoint();
    void selectionBeforeAnyApertureStops();
    void selectionRetriesWithLeadingZeros();
    void startPositionWarning();
    void regionModeBuildsPolygons();
    void arcIsFlattenedInWholeDegrees();
    void clockwiseArcStartsAtNextWholeDegree();
    void fullCircleInMultiQuadrantMode();
    void arcWithoutQuadrantModeReadsAsSingleQuadrant();
    void arcInRegionModeEndsWithMove();
    void imagePolarityNegativeMakesObjectsClear();
    void flashAtCurrentPoint();
    void g54SelectsAperture();
    void missingZeroOmissionLetterMeansLeading();
    void standardApertures_data();
    void standardApertures();
    void blocksAfterEndAreNotRead();
    void loadGerberKeepsColourAndFileName();
    void loadGerberOfMissingFileLeavesSlot();
};

void TestGerberReader::conversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("m");
    QTest::addColumn<bool>("trailing");
    QTest::addColumn<bool>("arc");
    QTest::addColumn<double>("expected");
    QTest::newRow("leading") << "1500" << 2 << 4 << false << false << 0.15;
    QTest::newRow("trailing") << "15" << 2 << 4 << true << false << 15.0;
    QTest::newRow("trailing one digit") << "1" << 2 << 4 << true << false << 10.0;
    QTest::newRow("negative leading") << "-25" << 2 << 4 << false << false << -0.0025;
    QTest::newRow("explicit point kept") << "1.5" << 2 << 4 << false << false << 1.5;
    QTest::newRow("explicit plus sign") << "+1500" << 2 << 4 << false << false << 0.15;
    QTest::newRow("full width") << "123456" << 2 << 4 << false << false << 12.3456;
    QTest::newRow("longer than format") << "1234567" << 2 << 4 << false << false << 12.34567;
    QTest::newRow("mm 4.6") << "-12345678" << 4 << 6 << false << false << -12.345678;
    QTest::newRow("empty is zero") << "" << 2 << 4 << false << false << 0.0;
    QTest::newRow("garbage is zero") << "1a2" << 2 << 4 << false << false << 0.0;
    QTest::newRow("zero digits") << "1500" << 0 << 0 << false << false << 0.15;
    QTest::newRow("arc leading") << "1500" << 2 << 4 << false << true << 0.15;
    QTest::newRow("arc inner minus is no sign") << "1-5" << 2 << 4 << false << true << 0.0;
    QTest::newRow("arc point is doubled") << "1.5" << 2 << 4 << false << true << 0.0;
    QTest::newRow("arc negative") << "-1500" << 2 << 4 << false << true << -0.15;
    QTest::newRow("long digits") << ("12" + QString(40, QLatin1Char('0'))) << 2 << 4 << false << false
                                 << 12.0;
    QTest::newRow("overlong digits") << QString(400, QLatin1Char('9')) << 2 << 4 << false << false << 100.0;
    QTest::newRow("huge value") << QString(400, QLatin1Char('9')) + "." << 2 << 4 << false << false << 0.0;
}

void TestGerberReader::conversion()
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

void TestGerberReader::rejection_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("objectsBefore");
    const QString fs = QStringLiteral("%FSLAX24Y24*%\n");
    const QString ad = QStringLiteral("%ADD10C,0.01*%\nD10*\nX0Y0D02*\n");
    QTest::newRow("FS zero omission") << "%FSXAX24Y24*%\n"
                                      << "FS-L/T - Fehlerauslösender Zeileninhalt: %FSXAX24Y24*%" << 0;
    QTest::newRow("FS short block") << "%FS*%\n"
                                    << "FS-L/T - Fehlerauslösender Zeileninhalt: %FS*%" << 0;
    QTest::newRow("FS mode") << "%FSLXX24Y24*%\n"
                             << "FS-A/I - Fehlerauslösender Zeileninhalt: %FSLXX24Y24*%" << 0;
    QTest::newRow("MO unit") << fs + "%MOCM*%\n"
                             << "MO IN/MM - Fehlerauslösender Zeileninhalt: %MOCM*%" << 0;
    QTest::newRow("MO short") << fs + "%MO%\n"
                              << "MO IN/MM - Fehlerauslösender Zeileninhalt: %MO%" << 0;
    QTest::newRow("MO end") << fs + "%MOINX*%\n"
                            << "MO Ende - Fehlerauslösender Zeileninhalt: %MOINX*%" << 0;
    QTest::newRow("LP polarity") << fs + "%LPX*%\n"
                                 << "LP C/D - Fehlerauslösender Zeileninhalt: %LPX*%" << 0;
    QTest::newRow("LP end") << fs + "%LPDD*%\n"
                            << "LP Ende - Fehlerauslösender Zeileninhalt: %LPDD*%" << 0;
    QTest::newRow("LP short") << fs + "%LP%\n"
                              << "LP C/D - Fehlerauslösender Zeileninhalt: %LP%" << 0;
    QTest::newRow("AD without star") << fs + "%ADD10C,0.5%\n"
                                     << "AD Ende - Fehlerauslösender Zeileninhalt: %ADD10C,0.5%" << 0;
    QTest::newRow("AD bad code") << fs + "%ADX10C,0.5*%\n"
                                 << "D-Code ungültig - Fehlerauslösender Zeileninhalt: %ADX10C,0.5*%" << 0;
    QTest::newRow("AD short") << fs + "%AD*%\n"
                              << "D-Code ungültig - Fehlerauslösender Zeileninhalt: %AD*%" << 0;
    QTest::newRow("AD polygon corners")
        << fs + "%ADD10P,1X13*%\n"
        << "Polygon hat ungültige Anzahl an Ecken - Fehlerauslösender Zeileninhalt: %ADD10P,1X13*%" << 0;
    QTest::newRow("AD polygon without corners")
        << fs + "%ADD10P,1*%\n"
        << "Polygon hat ungültige Anzahl an Ecken - Fehlerauslösender Zeileninhalt: %ADD10P,1*%" << 0;
    QTest::newRow("AD shape") << fs + "%ADD10Z,1*%\n"
                              << "unbekannte Shape - Fehlerauslösender Zeileninhalt: %ADD10Z,1*%" << 0;
    QTest::newRow("coordinate D text") << fs + ad + "X1D01X*\n"
                                       << "Befehl fehlerhaft - Fehlerauslösender Zeileninhalt: X1D01X*" << 1;
    QTest::newRow("coordinate short") << fs + ad + "XD*\n"
                                      << "Befehl fehlerhaft - Fehlerauslösender Zeileninhalt: XD*" << 1;
    QTest::newRow("no axis") << fs + ad + "G02I5D02*\n"
                             << "weder X noch Y angegeben - Fehlerauslösender Zeileninhalt: I5D02*" << 1;
    QTest::newRow("unknown aperture") << fs + ad + "D11*\n"
                                      << "D-Code unbekannt - Fehlerauslösender Zeileninhalt: D11*" << 1;
}

void TestGerberReader::rejection()
{
    QFETCH(QString, body);
    QFETCH(QString, message);
    QFETCH(int, objectsBefore);
    LogCapture log;
    bool ok = true;
    // Blocks after the rejected one must not be read: the draw would add an object.
    auto layer = parse(body + "X100Y100D01*\nM02*\n", &ok);
    QVERIFY(!ok);
    QVERIFY2(log.lines().contains(message), qPrintable(log.lines().join(QLatin1Char('|'))));
    QCOMPARE(layer->objects().size(), objectsBefore);
}

void TestGerberReader::formatDigits()
{
    bool ok = false;
    auto layer = parse("%FSTIX35Y46*%\nM02*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(layer->zeroOmission, QStringLiteral("T"));
    QCOMPARE(layer->coordinateMode, QStringLiteral("I"));
    QCOMPARE(layer->xIntegerDigits, 3);
    QCOMPARE(layer->xDecimalDigits, 5);
    QCOMPARE(layer->yIntegerDigits, 4);
    QCOMPARE(layer->yDecimalDigits, 6);
    // Absurd or missing digits read as 0 instead of reading past the block.
    layer = parse("%FSLAXY*%\nX15Y25D02*\nM02*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(layer->xIntegerDigits, 0);
    QCOMPARE(layer->objects().first()->x, 0.15);
}

void TestGerberReader::modeAndUnitCodes()
{
    bool ok = false;
    auto layer = parse("%FSLAX24Y24*%\n%MOMM*%\nM02*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(layer->unit, QStringLiteral("MM"));
    QCOMPARE(layer->unitFactor, 1.0);
    layer = parse("%FSLAX24Y24*%\n%MOMM*%\nG01*\nG70*\nM02*\n", &ok);
    QCOMPARE(layer->unitFactor, 25.4);
    QCOMPARE(layer->unit, QStringLiteral("MM"));
    QCOMPARE(layer->currentG, QStringLiteral("G01")); // G70 gives the command back
    layer = parse("%FSLAX24Y24*%\nG71*\nG91*\nM02*\n", &ok);
    QCOMPARE(layer->unitFactor, 1.0);
    QCOMPARE(layer->coordinateMode, QStringLiteral("I"));
}

void TestGerberReader::coordinateWithoutDCodeRepeatsLastDCode_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("kind");
    QTest::newRow("no D code yet: draw") << "X100Y200*\n"
                                         << "D1";
    QTest::newRow("after a draw") << "X0Y0D02*\nX1Y1D01*\nX100Y200*\n"
                                  << "D1";
    QTest::newRow("after a move") << "X0Y0D02*\nX100Y200*\n"
                                  << "D2";
    QTest::newRow("after a flash") << "X0Y0D03*\nX100Y200*\n"
                                   << "D3";
    QTest::newRow("G01 prefix") << "X0Y0D02*\nX1Y1D01*\nG01X100Y200*\n"
                                << "D1";
}

void TestGerberReader::coordinateWithoutDCodeRepeatsLastDCode()
{
    QFETCH(QString, body);
    QFETCH(QString, kind);
    bool ok = false;
    auto layer = parse(header + body + "M02*\n", &ok);
    QVERIFY(ok);
    const ImageObject* last = layer->objects().last();
    QCOMPARE(last->kind, kind);
    QCOMPARE(last->x, 0.01);
    QCOMPARE(last->y, 0.02);
}

void TestGerberReader::missingAxisKeepsCurrentPoint()
{
    bool ok = false;
    auto layer = parse(header + "X1500Y-25D02*\nY2500D01*\nX-3333D01*\nM02*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(layer->objects().size(), 3);
    QCOMPARE(layer->objects().at(0)->x, 0.15);
    QCOMPARE(layer->objects().at(0)->y, -0.0025);
    QCOMPARE(layer->objects().at(1)->x, 0.15);
    QCOMPARE(layer->objects().at(1)->y, 0.25);
    QCOMPARE(layer->objects().at(2)->x, -0.3333);
    QCOMPARE(layer->objects().at(2)->y, 0.25);
}

void TestGerberReader::incrementalCoordinatesAddToCurrentPoint()
{
    bool ok = false;
    auto layer
        = parse("%FSLIX24Y24*%\n%ADD10C,0.01*%\nD10*\nX10000Y10000D02*\nX5000D01*\nY-5000D01*\nM02*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(layer->objects().at(1)->x, 1.5);
    QCOMPARE(layer->objects().at(1)->y, 1.0);
    QCOMPARE(layer->objects().at(2)->x, 1.5);
    QCOMPARE(layer->objects().at(2)->y, 0.5);
}

void TestGerberReader::selectionBeforeAnyApertureStops()
{
    LogCapture log;
    bool ok = true;
    auto layer = parse("%FSLAX24Y24*%\nD10*\n%ADD10C,0.01*%\nM02*\n", &ok);
    QVERIFY(!ok);
    QVERIFY(layer->apertures().isEmpty());
    QCOMPARE(log.lines(),
        QStringList({ "D-Code unbekannt - Fehlerauslösender Zeileninhalt: D10*", "D010*", "D0010*" }));
}

void TestGerberReader::selectionRetriesWithLeadingZeros()
{
    LogCapture log;
    bool ok = false;
    auto layer = parse("%FSLAX24Y24*%\n%ADD010C,0.1*%\nD10*\nX0Y0D03*\nM02*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(layer->objects().size(), 1);
    QCOMPARE(layer->objects().first()->aperture->name, QStringLiteral("D010"));
    QCOMPARE(log.lines(),
        QStringList(
            { "D-Code unbekannt - Fehlerauslösender Zeileninhalt: D10*", "D010*", "D010* = D010*?" }));
}

void TestGerberReader::startPositionWarning()
{
    LogCapture log;
    bool ok = false;
    auto layer = parse(header + "X100Y200D01*\nM02*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(log.lines(),
        QStringList("Startposition nicht angefahren - Fehlerauslösender Zeileninhalt: X100Y200D01*"));
    QCOMPARE(layer->apertures().size(), 2);
    QCOMPARE(layer->apertures().last()->name, QStringLiteral("D00"));
    QCOMPARE(layer->objects().size(), 2);
    const ImageObject* move = layer->objects().at(0);
    QCOMPARE(move->kind, QStringLiteral("D2"));
    QCOMPARE(move->aperture->name, QStringLiteral("D00"));
    QCOMPARE(QPointF(move->x, move->y), QPointF(0, 0));
    const ImageObject* draw = layer->objects().at(1);
    QCOMPARE(draw->aperture->name, QStringLiteral("D10")); // the selection stays
    QCOMPARE(draw->index, 1);
}

void TestGerberReader::regionModeBuildsPolygons()
{
    bool ok = false;
    auto layer = parse(header
            + "X0Y0D03*\nG36*\nX0Y0D02*\nX10000Y0D01*\nX10000Y10000D01*\nX20000Y0D02*\nX30000Y0D01*\n"
              "X30000Y10000D01*\nG37*\nX0Y0D03*\nM02*\n",
        &ok);
    QVERIFY(ok);
    QCOMPARE(layer->objects().size(), 2); // only the two flashes
    QCOMPARE(layer->regionPolygons().size(), 2);
    const QPolygonF first = *layer->regionPolygons().at(0);
    QCOMPARE(first, QPolygonF({ QPointF(0, 0), QPointF(1, 0), QPointF(1, 1), QPointF(0, 0) }));
    const QPolygonF second = *layer->regionPolygons().at(1);
    QCOMPARE(second, QPolygonF({ QPointF(2, 0), QPointF(3, 0), QPointF(3, 1), QPointF(2, 0) }));
    QCOMPARE(layer->order(), QList<qint32>({ 0, 1, 2, 3 }));
    QCOMPARE(layer->regionAt(1), layer->regionPolygons().at(0));
    QCOMPARE(layer->regionAt(2), layer->regionPolygons().at(1));
    QCOMPARE(layer->objectAt(3), layer->objects().at(1));
    QVERIFY(!layer->regionMode);
}

void TestGerberReader::arcIsFlattenedInWholeDegrees()
{
    bool ok = false;
    auto layer = parse(header + "G75*\nX10000Y0D02*\nG03X0Y10000I-10000J0D01*\nM02*\n", &ok);
    QVERIFY(ok);
    const auto& objects = layer->objects();
    QCOMPARE(objects.size(), 1 + 89 + 1);
    for (int k = 1; k <= 89; ++k) {
        const ImageObject* o = objects.at(k);
        QCOMPARE(o->kind, QStringLiteral("D1"));
        QVERIFY(qAbs(o->x - std::cos(k * M_PI / 180)) < 1e-12);
        QVERIFY(qAbs(o->y - std::sin(k * M_PI / 180)) < 1e-12);
    }
    QCOMPARE(QPointF(objects.last()->x, objects.last()->y), QPointF(0, 1));
    QCOMPARE(layer->arcAperture, layer->apertures().first());
}

void TestGerberReader::clockwiseArcStartsAtNextWholeDegree()
{
    // From 90.5 degrees clockwise to 0: the first chord point is at 90 degrees.
    bool ok = false;
    const double a = 90.5 * M_PI / 180;
    const QString start
        = QStringLiteral("X%1Y%2D02*\n").arg(qRound(std::cos(a) * 10000)).arg(qRound(std::sin(a) * 10000));
    auto layer = parse(header + "G75*\n" + start
            + QStringLiteral("G02X10000Y0I%1J%2D01*\nM02*\n")
                  .arg(-qRound(std::cos(a) * 10000))
                  .arg(-qRound(std::sin(a) * 10000)),
        &ok);
    QVERIFY(ok);
    const auto& objects = layer->objects();
    QCOMPARE(objects.size(), 1 + 89 + 1);
    QVERIFY(qAbs(objects.at(1)->x - 0.0) < 1e-3);
    QVERIFY(qAbs(objects.at(1)->y - 1.0) < 1e-3);
    QVERIFY(qAbs(objects.at(89)->y - std::sin(2 * M_PI / 180)) < 1e-3);
}

void TestGerberReader::fullCircleInMultiQuadrantMode()
{
    bool ok = false;
    auto layer = parse(header + "G75*\nX10000Y0D02*\nG03X10000Y0I-10000J0D01*\nM02*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(layer->objects().size(), 1 + 359 + 1);
    // In single-quadrant mode the same end point is no arc at all.
    layer = parse(header + "G74*\nX10000Y0D02*\nG03X10000Y0I10000J0D01*\nM02*\n", &ok);
    QCOMPARE(layer->objects().size(), 2);
}

void TestGerberReader::arcWithoutQuadrantModeReadsAsSingleQuadrant()
{
    bool ok = false;
    auto layer = parse(header + "X10000Y0D02*\nG03X0Y10000I10000J0D01*\nM02*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(layer->objects().size(), 1 + 89 + 1);
    QVERIFY(qAbs(layer->objects().at(45)->x - std::cos(M_PI / 4)) < 1e-12);
    // Modal: a following block without G code or D code is the next quarter.
    layer = parse(header + "X10000Y0D02*\nG03X0Y10000I10000D01*\nX-10000Y0J10000*\nM02*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(layer->objects().size(), 1 + 2 * 90);
    QCOMPARE(QPointF(layer->objects().last()->x, layer->objects().last()->y), QPointF(-1, 0));
}

void TestGerberReader::arcInRegionModeEndsWithMove()
{
    bool ok = false;
    auto layer = parse(
        header + "G75*\nG36*\nX10000Y0D02*\nG03X0Y10000I-10000J0D01*\nG01X0Y0D01*\nG37*\nM02*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(layer->regionPolygons().size(), 1);
    const QPolygonF polygon = *layer->regionPolygons().first();
    QCOMPARE(polygon.size(), 1 + 89 + 1 + 1 + 1); // start, chords, end, corner, closing point
    QCOMPARE(polygon.first(), QPointF(1, 0));
    QCOMPARE(polygon.last(), QPointF(1, 0));
    QCOMPARE(layer->objects().size(), 1);
    QCOMPARE(layer->objects().first()->kind, QStringLiteral("D2"));
    QCOMPARE(QPointF(layer->objects().first()->x, layer->objects().first()->y), QPointF(0, 1));
}

void TestGerberReader::imagePolarityNegativeMakesObjectsClear()
{
    bool ok = false;
    auto layer = parse(header
            + "%IPNEG*%\nX0Y0D03*\nX1Y1D03*\n%LPD*%\nX2Y2D03*\n%LPC*%\nG36*\nX0Y0D02*\nX5Y5D01*\nG37*\nM02*"
              "\n",
        &ok);
    QVERIFY(ok);
    QCOMPARE(layer->objects().at(0)->dark, false);
    QCOMPARE(layer->objects().at(1)->dark, false);
    QCOMPARE(layer->objects().at(2)->dark, true);
    QCOMPARE(layer->regionPolarities(), QList<bool>({ false }));
    QCOMPARE(layer->polarity, QStringLiteral("C"));
}

void TestGerberReader::flashAtCurrentPoint()
{
    bool ok = false;
    auto layer = parse(header + "D03*\nX100Y200D02*\nD3*\nM02*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(layer->objects().size(), 3);
    QCOMPARE(layer->objects().at(0)->kind, QStringLiteral("D3"));
    QCOMPARE(QPointF(layer->objects().at(0)->x, layer->objects().at(0)->y), QPointF(0, 0));
    QCOMPARE(layer->objects().at(2)->kind, QStringLiteral("D3"));
    QCOMPARE(QPointF(layer->objects().at(2)->x, layer->objects().at(2)->y), QPointF(0.01, 0.02));
}

void TestGerberReader::g54SelectsAperture()
{
    bool ok = false;
    auto layer = parse(header + "%ADD11R,0.1X0.2*%\nG54D11*\nX0Y0D03*\nG54*\nX1Y1D03*\nM02*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(layer->objects().at(0)->aperture->name, QStringLiteral("D11"));
    QCOMPARE(layer->objects().at(1)->aperture->name, QStringLiteral("D11"));
    QCOMPARE(layer->currentG, QStringLiteral("G54"));
}

void TestGerberReader::missingZeroOmissionLetterMeansLeading()
{
    bool ok = false;
    auto layer = parse("%FSAX24Y24*%\n%ADD10C,0.01*%\nD10*\nX1500Y25D02*\nM02*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(layer->zeroOmission, QStringLiteral("L"));
    QCOMPARE(layer->objects().first()->x, 0.15);
}

void TestGerberReader::standardApertures_data()
{
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("circle") << "%ADD10C,0.5*%"
                            << "D10"
                            << "C" << QStringList({ "0.5", "x", "x", "x" });
    QTest::newRow("circle hole") << "%ADD11C,0.5X0.2*%"
                                 << "D11"
                                 << "C" << QStringList({ "0.5", "0.2", "x", "x" });
    QTest::newRow("rectangle") << "%ADD12R,1.5X0.5*%"
                               << "D12"
                               << "R" << QStringList({ "1.5", "0.5", "x", "x" });
    QTest::newRow("obround") << "%ADD13O,1X2X0.3*%"
                             << "D13"
                             << "O" << QStringList({ "1", "2", "0.3", "x" });
    QTest::newRow("polygon") << "%ADD14P,1X6X45X0.2*%"
                             << "D14"
                             << "P" << QStringList({ "1", "6", "45", "0.2" });
    QTest::newRow("five parameters") << "%ADD15P,1X6X45X0.2X9*%"
                                     << "D15"
                                     << "P" << QStringList({ "1", "6", "45", "0.2" });
    QTest::newRow("three digit code") << "%ADD100C,0.1*%"
                                      << "D100"
                                      << "C" << QStringList({ "0.1", "x", "x", "x" });
    QTest::newRow("no parameters") << "%ADD16R*%"
                                   << "D16"
                                   << "R" << QStringList({ "x", "x", "x", "x" });
}

void TestGerberReader::standardApertures()
{
    QFETCH(QString, block);
    QFETCH(QString, name);
    QFETCH(QString, shape);
    QFETCH(QStringList, texts);
    bool ok = false;
    auto layer = parse("%FSLAX24Y24*%\n" + block + "\n" + block + "\nM02*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(layer->apertures().size(), 2); // defining twice keeps both
    const Aperture* a = layer->apertures().first();
    QCOMPARE(a->name, name);
    QCOMPARE(a->shape, shape);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(a->parameterText[i], texts.at(i));
        QCOMPARE(a->parameterValue[i], texts.at(i) == QLatin1String("x") ? -1.0 : texts.at(i).toDouble());
    }
}

void TestGerberReader::blocksAfterEndAreNotRead()
{
    bool ok = false;
    auto layer = parse(header + "X0Y0D03*M02*X1Y1D03*\n", &ok);
    QVERIFY(ok);
    QCOMPARE(layer->objects().size(), 1);
    QCOMPARE(layer->currentAperture, nullptr);
    layer = parse(header + "X0Y0D03*\n", &ok);
    QVERIFY(!ok); // no M02
    QCOMPARE(layer->objects().size(), 1);
}

void TestGerberReader::loadGerberKeepsColourAndFileName()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("top.gbr");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("  %FSLAX24Y24*%  \r\n%ADD10C,0.01*%\r\nD10*\r\nX0Y0D03*\r\nM02*\r\n");
    f.close();
    QList<GerberLayer*> layers;
    QVERIFY(loadGerber(path, 2, layers));
    QCOMPARE(layers.size(), 3);
    QCOMPARE(layers.at(2)->color, QColor(150, 80, 0));
    QCOMPARE(layers.at(2)->fileName, QStringLiteral("top.gbr"));
    QCOMPARE(layers.at(2)->rawLines.first(), QStringLiteral("%FSLAX24Y24*%"));
    layers.at(2)->color = Qt::red;
    QVERIFY(loadGerber(path, 2, layers));
    QCOMPARE(layers.at(2)->color, QColor(Qt::red));
    QCOMPARE(layers.at(2)->objects().size(), 1);
    qDeleteAll(layers);
}

void TestGerberReader::loadGerberOfMissingFileLeavesSlot()
{
    QList<GerberLayer*> layers;
    layers.append(new GerberLayer(0));
    GerberLayer* before = layers.first();
    QVERIFY(!loadGerber("/nonexistent/file.gbr", 0, layers));
    QCOMPARE(layers.first(), before);
    qDeleteAll(layers);
}

QTEST_GUILESS_MAIN(TestGerberReader)
#include "tst_gerberreader.moc"
