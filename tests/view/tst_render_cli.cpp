#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int status = -1;
    QString errors;
};

Run cli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(TESSAVRANT_CLI), QStringList { QStringLiteral("render") } + args);
    p.waitForFinished(60000);
    return { p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
        QString::fromUtf8(p.readAllStandardError()) };
}

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& content)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(content);
    return file.fileName();
}

// A 10 x 5 mm pad with a round clear cut in its middle.
const QByteArray padWithCut = "%FSLAX34Y34*%\n%MOMM*%\n%ADD10R,10X5*%\n%ADD11C,2*%\n"
                              "D10*\nX200000Y100000D03*\n%LPC*%\nD11*\nX200000Y100000D03*\nM02*\n";

bool black(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

} // namespace

// `tessavrant-cli render`: the layer in black on white over exactly its bounding box.
class TestRenderCli : public QObject
{
    Q_OBJECT

private slots:
    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList {};
        QTest::newRow("no output") << QStringList { "in.gbr" };
        QTest::newRow("-o without name") << QStringList { "in.gbr", "-o" };
        QTest::newRow("dpi 0") << QStringList { "in.gbr", "-o", "x.png", "--dpi", "0" };
        QTest::newRow("dpi text") << QStringList { "in.gbr", "-o", "x.png", "--dpi", "many" };
        QTest::newRow("bad drill format") << QStringList { "in.gbr", "-o", "x.png", "--drill", "L,24" };
        QTest::newRow("unknown option") << QStringList { "in.gbr", "-o", "x.png", "--fast" };
        QTest::newRow("two inputs") << QStringList { "a.gbr", "b.gbr", "-o", "x.png" };
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        const Run r = cli(args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.errors.contains(QLatin1String("Usage:")));
    }

    void missingFileFails()
    {
        QTemporaryDir dir;
        QCOMPARE(cli({ dir.filePath("none.gbr"), "-o", dir.filePath("x.png") }).status, 1);
        QVERIFY(!QFile::exists(dir.filePath("x.png")));
    }

    void gerberOverItsBoundingBox()
    {
        QTemporaryDir dir;
        const QString in = write(dir, "pad.gbr", padWithCut);
        const QString out = dir.filePath("pad.png");
        QCOMPARE(cli({ in, "-o", out, "--dpi", "254" }).status, 0); // 10 pixels per millimetre
        const QImage image(out);
        QCOMPARE(image.size(), QSize(100, 50));
        QVERIFY(black(image, 0, 0));
        QVERIFY(black(image, 99, 49));
        QVERIFY(black(image, 20, 25));
        QVERIFY(!black(image, 50, 25)); // the clear cut paints white
    }

    void defaultIs600Dpi()
    {
        QTemporaryDir dir;
        const QString in = write(dir, "pad.gbr", padWithCut);
        const QString out = dir.filePath("pad.png");
        QCOMPARE(cli({ in, "-o", out }).status, 0);
        QCOMPARE(QImage(out).size(), QSize(237, 119)); // 10 x 5 mm at 600 dpi, rounded up
    }

    // "METRIC,TZ" with decimal coordinates, as KiCad writes: millimetres, not inches.
    void drillFileByItsHeader()
    {
        QTemporaryDir dir;
        const QString in = write(dir, "board.drl",
            "M48\r\nMETRIC,TZ\r\nT1C1.000\r\n%\r\nG90\r\nG05\r\nT1\r\n"
            "X5.0Y5.0\r\nX15.0Y5.0\r\nM30\r\n");
        const QString out = dir.filePath("board.png");
        QCOMPARE(cli({ in, "-o", out, "--dpi", "254" }).status, 0);
        const QImage image(out);
        QCOMPARE(image.size(), QSize(110, 10));
        QVERIFY(black(image, 5, 5));
        QVERIFY(black(image, 105, 5));
        QVERIFY(!black(image, 55, 5));
    }

    void drillDigitsFromTheOption()
    {
        QTemporaryDir dir;
        const QString in
            = write(dir, "board.drl", "M48\nMETRIC\nT1C1.000\n%\nT1\nX5000Y5000\nX15000Y5000\nM30\n");
        const QString out = dir.filePath("board.png");
        QCOMPARE(cli({ in, "-o", out, "--dpi", "254", "--drill", "L,1,3" }).status, 0);
        QCOMPARE(QImage(out).size(), QSize(110, 10)); // 5.000 and 15.000 mm
        QCOMPARE(cli({ in, "-o", out, "--dpi", "254" }).status, 0);
        QCOMPARE(QImage(out).size(), QSize(20, 10)); // L,2,4 by default: 0.5 and 1.5 mm
    }

    // A reader stop is a failure, but what was read is still drawn.
    void readerStopStillDraws()
    {
        QTemporaryDir dir;
        QByteArray truncated = padWithCut;
        truncated.chop(QByteArray("M02*\n").size());
        const QString in = write(dir, "cut.gbr", truncated);
        const QString out = dir.filePath("cut.png");
        const Run r = cli({ in, "-o", out, "--dpi", "254" });
        QCOMPARE(r.status, 1);
        QCOMPARE(QImage(out).size(), QSize(100, 50));
    }

    void absurdImageIsRefused()
    {
        QTemporaryDir dir;
        const QString in = write(dir, "far.gbr",
            "%FSLAX66Y66*%\n%MOMM*%\n%ADD10C,1*%\nD10*\nX0Y0D03*\nX999999000000Y0D03*\nM02*\n");
        const QString out = dir.filePath("far.png");
        const Run r = cli({ in, "-o", out, "--dpi", "600" });
        QCOMPARE(r.status, 1);
        QVERIFY2(r.errors.contains(QLatin1String("lower --dpi")), qPrintable(r.errors));
        QVERIFY(!QFile::exists(out));
    }

    void emptyLayerGivesABlankImage()
    {
        QTemporaryDir dir;
        const QString in = write(dir, "empty.gbr", "%FSLAX24Y24*%\n%MOIN*%\nM02*\n");
        const QString out = dir.filePath("empty.png");
        QCOMPARE(cli({ in, "-o", out }).status, 0);
        QCOMPARE(QImage(out).size(), QSize(1, 1));
    }
};

QTEST_GUILESS_MAIN(TestRenderCli)
#include "tst_render_cli.moc"
