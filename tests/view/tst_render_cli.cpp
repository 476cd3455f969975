#include "clirun.h"
#include "datatable.h"
#include "testfiles.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

CliRun cli(const QStringList& args)
{
    return runCli(QStringList { QStringLiteral("render") } + args);
}

QTemporaryDir dir;

// Renders `content` from a file `name` to `name`.png; the image is null when none was written.
QImage render(const QString& name, const QByteArray& content, const QStringList& options, int expectedStatus)
{
    const QString out = dir.filePath(name + ".png");
    QFile::remove(out);
    const CliRun r = cli(QStringList { writeFile(dir, name, content), "-o", out } + options);
    if (r.status != expectedStatus)
        qWarning("status %d: %s", r.status, r.err.constData());
    return r.status == expectedStatus ? QImage(out) : QImage();
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
    // Usage errors exit 2 with the usage, a file that is not there 1; neither writes an image.
    void failures_data()
    {
        columns<QStringList, int>("args", "status");
        row("nothing", QStringList {}, 2);
        row("no output", QStringList { "in.gbr" }, 2);
        row("dpi 0", QStringList { "in.gbr", "-o", "x.png", "--dpi", "0" }, 2);
        row("dpi text", QStringList { "in.gbr", "-o", "x.png", "--dpi", "many" }, 2);
        row("bad drill format", QStringList { "in.gbr", "-o", "x.png", "--drill", "L,24" }, 2);
        row("two inputs", QStringList { "a.gbr", "b.gbr", "-o", "x.png" }, 2);
        row("missing file", QStringList { dir.filePath("none.gbr"), "-o", dir.filePath("x.png") }, 1);
    }
    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const CliRun r = cli(args);
        QCOMPARE(r.status, status);
        QVERIFY(r.err.contains("Usage:") == (status == 2) && !QFile::exists(dir.filePath("x.png")));
    }

    void gerberOverItsBoundingBox()
    {
        const QImage image = render("pad.gbr", padWithCut, { "--dpi", "254" }, 0); // 10 pixels per millimetre
        QCOMPARE(image.size(), QSize(100, 50));
        // Corners and the pad's side black; the clear cut paints white.
        QCOMPARE(QVector<bool>({ black(image, 0, 0), black(image, 99, 49), black(image, 20, 25),
                     black(image, 50, 25) }),
            QVector<bool>({ true, true, true, false }));
        // 10 x 5 mm at the default 600 dpi, rounded up.
        QCOMPARE(render("pad.gbr", padWithCut, {}, 0).size(), QSize(237, 119));
        // A reader stop is a failure, but what was read is still drawn.
        QCOMPARE(render("cut.gbr", padWithCut.chopped(5), { "--dpi", "254" }, 1).size(), QSize(100, 50));
        QCOMPARE(render("empty.gbr", "%FSLAX24Y24*%\n%MOIN*%\nM02*\n", {}, 0).size(), QSize(1, 1));
    }

    // "METRIC,TZ" with decimal coordinates, as KiCad writes: millimetres, not inches.
    void drillFileByItsHeader()
    {
        const QImage image = render("board.drl",
            "M48\r\nMETRIC,TZ\r\nT1C1.000\r\n%\r\nG90\r\nG05\r\nT1\r\nX5.0Y5.0\r\nX15.0Y5.0\r\nM30\r\n",
            { "--dpi", "254" }, 0);
        QCOMPARE(image.size(), QSize(110, 10));
        QCOMPARE(QVector<bool>({ black(image, 5, 5), black(image, 105, 5), black(image, 55, 5) }),
            QVector<bool>({ true, true, false }));
    }

    void drillDigitsFromTheOption()
    {
        const QByteArray drill = "M48\nMETRIC\nT1C1.000\n%\nT1\nX5000Y5000\nX15000Y5000\nM30\n";
        // 5.000 and 15.000 mm with the metric default 3.3 or L,1,3; L,2,4: 0.5 and 1.5 mm.
        for (const QStringList& digits :
            { QStringList { "--drill", "L,1,3" }, QStringList(), QStringList { "--drill", "auto" } })
            QCOMPARE(render("board.drl", drill, QStringList { "--dpi", "254" } + digits, 0).size(),
                QSize(110, 10));
        QCOMPARE(render("board.drl", drill, { "--dpi", "254", "--drill", "L,2,4" }, 0).size(), QSize(20, 10));
        // "--drill" reads the file as drill data, whatever its first lines look like.
        const QByteArray unmarked = "G04 by hand*\nT1C0.0394\nX5000Y5000\nX15000Y5000\nM30\n";
        QCOMPARE(
            render("holes.txt", unmarked, { "--dpi", "254", "--drill", "L,2,4" }, 0).size(), QSize(265, 11));
        // Altium states its digits in a comment, and "LZ" leaves out the trailing zeros: X05 is
        // 05.0000 mm, X15 15.0000 mm.
        const QByteArray altium = "M48\n;FILE_FORMAT=2:4\nMETRIC,LZ\nT1C1.0\n%\nT1\nX05Y05\nX15Y05\nM30\n";
        QCOMPARE(render("altium.drl", altium, { "--dpi", "254" }, 0).size(), QSize(110, 10));
    }

    void absurdImageIsRefused()
    {
        const QString in = writeFile(dir, "far.gbr",
            "%FSLAX66Y66*%\n%MOMM*%\n%ADD10C,1*%\nD10*\nX0Y0D03*\nX999999000000Y0D03*\nM02*\n");
        const CliRun r = cli({ in, "-o", dir.filePath("far.png"), "--dpi", "600" });
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("lower --dpi"), r.err.constData());
        QVERIFY(!QFile::exists(dir.filePath("far.png")));
    }
};

QTEST_GUILESS_MAIN(TestRenderCli)
#include "tst_render_cli.moc"
