// Drill files that state their own number format, and the codes that place holes relative to
// others (G93 zero set, R repeat, G91 incremental).
#include "gerber/excellonheader.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "logcapture.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString corpusDir()
{
    return QStringLiteral(TESSAVRANT_CORPUS_DIR "/gerber");
}

QString formatText(const ExcellonFormat& f)
{
    return QStringLiteral("%1,%2,%3").arg(f.zeroOmissionText()).arg(f.integerDigits).arg(f.decimalDigits);
}

// The hit points of `lines` read with `format`.
QList<QPointF> hits(
    const QStringList& lines, const QString& format = QStringLiteral("L,2,4"), bool* ok = nullptr)
{
    GerberLayer layer;
    ExcellonFormat f;
    ExcellonFormat::fromText(format, &f);
    applyExcellonFormat(layer, f);
    layer.excellonLines = lines;
    const bool read = parseExcellon(layer);
    if (ok)
        *ok = read;
    QList<QPointF> points;
    for (const ImageObject* o : layer.objects())
        points << QPointF(o->x, o->y);
    return points;
}

} // namespace

class TestExcellonHeader : public QObject
{
    Q_OBJECT

private slots:
    void detection_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("format"); // as --drill writes it
        QTest::addColumn<bool>("stated");
        QTest::newRow("nothing") << "M48\nT1C0.8\n%"
                                 << "L,2,4" << false;
        QTest::newRow("inch, leading zeros kept") << "M48\nINCH,LZ\n%"
                                                  << "T,2,4" << true;
        QTest::newRow("inch, trailing zeros kept") << "M48\nINCH,TZ\n%"
                                                   << "L,2,4" << true;
        QTest::newRow("metric without digits") << "M48\nMETRIC\n%"
                                               << "L,3,3" << false;
        QTest::newRow("metric by M71") << "M48\n%\nM71\nX1Y1"
                                       << "L,3,3" << false;
        QTest::newRow("Eagle") << "M48\nFMAT,2\nMETRIC,TZ,000.000\n%"
                               << "L,3,3" << true;
        QTest::newRow("DipTrace") << "M48\nMETRIC,0000.00\n%"
                                  << "L,4,2" << true;
        QTest::newRow("EasyEDA") << "M48\nMETRIC,LZ,000.000\n;FILE_FORMAT=3:3\n%"
                                 << "T,3,3" << true;
        QTest::newRow("Altium") << "M48\n;Layer_Color=9474304\n;FILE_FORMAT=4:4\nMETRIC,LZ\n%"
                                << "T,4,4" << true;
        QTest::newRow("Altium, broken lines and the last one valid")
            << "M48\n;FILE_FORMAT=4:3\n;FILE_FORMAT  4:4\n;FILE_FORMAT = 4 : garbage\n;FILE_FORMAT = 4:4\n"
               "METRIC,LZ\n%"
            << "T,4,4" << true;
        QTest::newRow("KiCad") << "M48\n;FORMAT={2:4/ absolute / inch / keep zeros}\nFMAT,2\nINCH,TZ\n%"
                               << "L,2,4" << true;
        QTest::newRow("KiCad, suppressed leading zeros")
            << "M48\n;FORMAT={3:3/ absolute / metric / suppress leading zeros}\nMETRIC\n%"
            << "L,3,3" << true;
        QTest::newRow("KiCad, suppressed trailing zeros")
            << "M48\n;FORMAT={3:3/ absolute / metric / suppress trailing zeros}\nMETRIC\n%"
            << "T,3,3" << true;
        QTest::newRow("KiCad decimal") << "M48\n;FORMAT={-:-/ absolute / inch / decimal}\nINCH\n%"
                                       << "L,2,4" << false;
        QTest::newRow("Siemens, metric") << "; Format  : 3.3 / Absolute / MM / Leading\nM48\nMETRIC,TZ\n%"
                                         << "L,3,3" << true;
        QTest::newRow("Siemens, inch") << "; Format  : 2.4 / Absolute / Inch / Trailing\nM48\nINCH,LZ\n%"
                                       << "T,2,4" << true;
        QTest::newRow("after the first hit nothing counts") << "M48\n%\nT1\nX1Y1\n;FILE_FORMAT=4:4"
                                                            << "L,2,4" << false;
    }

    void detection()
    {
        QFETCH(QString, header);
        QFETCH(QString, format);
        QFETCH(bool, stated);
        const ExcellonHeaderFormat found = detectExcellonFormat(header.split(QLatin1Char('\n')));
        QCOMPARE(formatText(found.format), format);
        QCOMPARE(found.anyStated(), stated);
    }

    // Every corpus drill file whose header states its format is read without a guess: the
    // format found is the one its header states (the manifest records it), so its holes land on
    // the board.
    void corpusFilesStateTheirFormat()
    {
        QFile manifest(corpusDir() + QStringLiteral("/MANIFEST.tsv"));
        if (!manifest.open(QIODevice::ReadOnly))
            QSKIP("the CAD file corpus (TESSAVRANT_CORPUS_DIR/gerber/MANIFEST.tsv) is not available");
        const QRegularExpression digits(
            QStringLiteral("(?:FILE_FORMAT=|FORMAT=\\{)(\\d):(\\d)|fmt(0+)\\.(0+)"));
        int checked = 0;
        for (const QString& row : QString::fromUtf8(manifest.readAll()).split(QLatin1Char('\n'))) {
            const QStringList f = row.split(QLatin1Char('\t'));
            if (f.size() < 13 || f[2] != QLatin1String("excellon"))
                continue;
            const QStringList features = f[6].split(QLatin1Char(' '));
            const bool zerosStated = features.contains("LZ") || features.contains("TZ");
            const QRegularExpressionMatch m = digits.match(f[6]);
            if (!zerosStated && !m.hasMatch())
                continue;
            QStringList lines;
            QVERIFY(readExcellonLines(corpusDir() + QLatin1Char('/') + f[0], &lines));
            const ExcellonHeaderFormat found = detectExcellonFormat(lines);
            QVERIFY2(found.zerosStated == zerosStated, qPrintable(f[0]));
            if (zerosStated)
                QVERIFY2(found.format.leadingZeroesOmitted == features.contains("TZ"), qPrintable(f[0]));
            if (m.hasMatch() && !f[0].contains(QLatin1String("LimeSDR"))) {
                const int integerDigits = m.capturedLength(3) ? m.capturedLength(3) : m.captured(1).toInt();
                const int decimalDigits = m.capturedLength(4) ? m.capturedLength(4) : m.captured(2).toInt();
                QVERIFY2(found.digitsStated, qPrintable(f[0]));
                QCOMPARE(found.format.integerDigits, integerDigits);
                QCOMPARE(found.format.decimalDigits, decimalDigits);
            }
            ++checked;
        }
        QVERIFY(checked >= 25);
    }

    // The LimeSDR file states 4:3 and then 4:4; its eight-digit coordinates fit only 4:4.
    void laterStatementWins()
    {
        QStringList lines;
        if (!readExcellonLines(corpusDir() + "/gerbv/test/inputs/LimeSDR-QPCIe_1v2-RoundHoles.drl", &lines))
            QSKIP("the CAD file corpus is not available");
        QCOMPARE(formatText(detectExcellonFormat(lines).format), QStringLiteral("T,4,4"));
    }

    void drillOption_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("fromHeader");
        QTest::newRow("auto") << "auto" << true << true;
        QTest::newRow("digits") << "T,3,3" << true << false;
        QTest::newRow("neither") << "automatic" << false << true;
    }

    void drillOption()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(bool, fromHeader);
        ExcellonFormat format;
        bool header = true;
        QCOMPARE(readDrillOption(text, &format, &header), valid);
        QCOMPARE(header, fromHeader);
    }

    void placement_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QList<QPointF>>("points");
        using P = QList<QPointF>;
        QTest::newRow("G93 zero set")
            << "G93X10000Y20000 X10000Y10000 G93X0Y0 X10000Y10000" << P { { 2, 3 }, { 1, 1 } };
        QTest::newRow("R repeats with a step")
            << "X10000Y10000 R3X1000 R2Y-5000"
            << P { { 1, 1 }, { 1.1, 1 }, { 1.2, 1 }, { 1.3, 1 }, { 1.3, 0.5 }, { 1.3, 0 } };
        QTest::newRow("R with letters is no repeat")
            << "X10000Y10000 R,T X20000Y10000" << P { { 1, 1 }, { 2, 1 } };
        QTest::newRow("G91 incremental, G90 back")
            << "X10000Y10000 G91 X5000 Y5000 X-20000Y0 G90 X10000Y10000"
            << P { { 1, 1 }, { 1.5, 1 }, { 1.5, 1.5 }, { -0.5, 1.5 }, { 1, 1 } };
    }

    void placement()
    {
        QFETCH(QString, body);
        QFETCH(QList<QPointF>, points);
        QStringList lines { "M48", "T01C0.8", "%", "T01" };
        lines << body.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool ok = false;
        const QList<QPointF> found = hits(lines, "L,2,4", &ok);
        QVERIFY(ok);
        QCOMPARE(found.size(), points.size());
        for (int i = 0; i < points.size(); ++i)
            QVERIFY2(qAbs(found[i].x() - points[i].x()) < 1e-9 && qAbs(found[i].y() - points[i].y()) < 1e-9,
                qPrintable(QString("%1: %2 %3").arg(i).arg(found[i].x()).arg(found[i].y())));
    }

    void incrementalByTheHeader()
    {
        const QList<QPointF> found
            = hits({ "M48", "ICI,ON", "T01C0.8", "%", "T01", "X10000Y10000", "X10000" });
        QCOMPARE(found, QList<QPointF>({ QPointF(1, 1), QPointF(2, 1) }));
    }

    void absurdRepeatIsRefused()
    {
        LogCapture log;
        bool ok = true;
        const QList<QPointF> found
            = hits({ "M48", "T01C0.8", "%", "T01", "X10000Y10000", "R999999999X1", "X1Y1" }, "L,2,4", &ok);
        QVERIFY(!ok);
        QCOMPARE(found.size(), 1);
        QCOMPARE(log.lines().last(),
            QStringLiteral("Wiederholung ungültig - Fehlerauslösender Zeileninhalt: R999999999X1"));
    }
};

QTEST_GUILESS_MAIN(TestExcellonHeader)
#include "tst_excellonheader.moc"
