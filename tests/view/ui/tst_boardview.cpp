// The board view widget: zoom by wheel and keys, panning, and the picture it paints compared
// with the board painter's and with tessavrant-cli view's.
#include "../boardscenes.h"
#include "clirun.h"
#include "datatable.h"
#include "gerber/gerberreader.h"
#include "testfiles.h"
#include "view/ui/darstellg.h"
#include "view/viewzoom.h"

#include <QComboBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

using namespace BoardScenes;

namespace {

void wheel(Darstellg& v, int delta, QPointF at)
{
    QWheelEvent e(at, v.mapToGlobal(at.toPoint()), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&v, &e);
}

QImage widgetPicture(Darstellg& v)
{
    // The view's own painting, without the controls that sit in its corner until the main
    // window takes them.
    QImage image(v.size(), QImage::Format_ARGB32_Premultiplied);
    v.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image.convertToFormat(QImage::Format_RGB32);
}

const QByteArray padWithCut = "%FSLAX34Y34*%\n%MOMM*%\n%ADD10R,10X5*%\n%ADD11C,2*%\n"
                              "D10*\nX200000Y100000D03*\n%LPC*%\nD11*\nX200000Y100000D03*\nM02*\n";

} // namespace

class TstBoardView : public QObject
{
    Q_OBJECT

private slots:
    void wheelSteps_data()
    {
        columns<int, QList<int>, int>("start", "deltas", "zoom");
        row("4 in twice", 4, QList<int> { 120, 120 }, 6);
        row("1000 stays", 1000, QList<int> { 120 }, 1000);
        row("1 stays", 1, QList<int> { -120 }, 1);
        row("5 out", 5, QList<int> { -120 }, 4);
        row("delta 0 is no step", 10, QList<int> { 0, 0 }, 10);
        row("fine wheel adds up", 10, QList<int> { 40, 40 }, 10);
        row("fine wheel whole step", 10, QList<int> { 40, 40, 40 }, 12);
        row("direction change drops rest", 10, QList<int> { 60, -60, -60 }, 8);
    }
    void wheelSteps()
    {
        QFETCH(int, start);
        QFETCH(QList<int>, deltas);
        QFETCH(int, zoom);
        Darstellg v;
        v.resize(400, 300);
        v.setZoomLevel(start);
        for (int d : deltas)
            wheel(v, d, QPointF(100, 100));
        QCOMPARE(QPoint(v.zoomLevel(), v.zoomBox()->currentIndex()), QPoint(zoom, zoom - 1));
    }

    // The world point under the mouse stays under it (each step rounds the offsets to whole
    // pixels, so five steps may drift by a few pixels).
    void wheelKeepsPointUnderMouse()
    {
        Darstellg v;
        v.resize(400, 300);
        const QPointF mouse(250, 80);
        const double worldX = (mouse.x() - v.viewOffsetX()) / v.zoomLevel();
        const double worldY = (v.height() - mouse.y() + v.viewOffsetY()) / double(v.zoomLevel());
        for (int i = 0; i < 5; ++i)
            wheel(v, 120, mouse);
        QCOMPARE(v.zoomLevel(), 22);
        QVERIFY(qAbs(v.viewOffsetX() + worldX * v.zoomLevel() - mouse.x()) <= 3.0
            && qAbs(v.height() + v.viewOffsetY() - worldY * v.zoomLevel() - mouse.y()) <= 3.0);
    }

    void keysPanAndZoom()
    {
        Darstellg v;
        v.resize(400, 300);
        QTest::keyClick(&v, Qt::Key_Up);
        QTest::keyClick(&v, Qt::Key_Right);
        QCOMPARE(QPoint(v.viewOffsetX(), v.viewOffsetY()), QPoint(25, -31));
        QTest::keyClick(&v, Qt::Key_Plus);
        QCOMPARE(v.zoomLevel(), 12);
        QTest::keyClick(&v, Qt::Key_Minus);
        QCOMPARE(v.zoomLevel(), 10);
        // In movement mode the arrows belong to the selection, not to the view.
        v.setToolMode(ToolMode::Movement);
        QTest::keyClick(&v, Qt::Key_Up);
        QCOMPARE(v.viewOffsetY(), -31);
    }

    // Dragging with the middle button moves the board with the mouse.
    void middleButtonDragsTheBoard()
    {
        Darstellg v;
        v.resize(400, 300);
        QTest::mousePress(&v, Qt::MiddleButton, Qt::NoModifier, QPoint(100, 100));
        QMouseEvent move(QEvent::MouseMove, QPointF(130, 80), Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&v, &move);
        QTest::mouseRelease(&v, Qt::MiddleButton, Qt::NoModifier, QPoint(130, 80));
        QCOMPARE(QPoint(v.viewOffsetX(), v.viewOffsetY()), QPoint(15 + 30, -21 + 20));
    }

    // The widget paints what the painter paints for the same document, layers and state.
    void widgetPaintsThePaintersPicture_data()
    {
        QTest::addColumn<QString>("scene");
        for (const char* name : { "clear over dark", "markers", "fiducials", "board" })
            row(name, QString::fromLatin1(name));
    }
    void widgetPaintsThePaintersPicture()
    {
        QFETCH(QString, scene);
        Scene s;
        QVERIFY(build(scene, s));
        Darstellg v;
        v.resize(sceneSize);
        v.viewState().gridShown = false;
        QVERIFY(build(scene, v.document(), v.layers(), v.viewState()));
        v.setZoomLevel(v.viewState().zoomLevel);
        QCOMPARE(widgetPicture(v), s.paint());
    }

    // Exit 2 for usage errors, 1 when a reader fails (the reason names the file), and nothing
    // on standard error beyond the reason.
    void commandLineStatus_data()
    {
        columns<QStringList, int, QString>("args", "status", "reason");
        row("no output", QStringList {}, 2, "no output file");
        row("slot 7", QStringList { "--layer", "top:7=a.gbr", "-o", "x.png" }, 2, "SLOT 0 to 6");
        row("zoom 15", QStringList { "--zoom", "15", "-o", "x.png" }, 2, "--zoom");
        row("size 0", QStringList { "--size", "0x10", "-o", "x.png" }, 2, "--size");
        row("pnp without format", QStringList { "--pnp", "p.mnt", "-o", "x.png" }, 2, "--format");
        row("missing layer", QStringList { "--layer", "top:0=missing.gbr", "-o", "x.png" }, 1, "missing.gbr");
        row("cut layer", QStringList { "--layer", "bottom:3=cut.gbr", "-o", "x.png" }, 1, "cut.gbr");
        row("empty board", QStringList { "--side", "gerber", "-o", "x.png" }, 0, "");
    }
    void commandLineStatus()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("cut.gbr")), "%FSLAX34Y34*%\n%MOMM*%\n");
        QProcess cli;
        cli.setWorkingDirectory(dir.path());
        cli.start(QStringLiteral(TESSAVRANT_CLI), QStringList { "view" } + args);
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), status);
        const QString errors = QString::fromUtf8(cli.readAllStandardError());
        QVERIFY2(reason.isEmpty() ? errors.isEmpty() : errors.contains(reason), qPrintable(errors));
        QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("x.png"))), status == 0);
    }

    // tessavrant-cli view draws what the widget draws for the same file.
    void commandLineDrawsTheWidgetsPicture()
    {
        QTemporaryDir dir;
        const QString gerber = dir.filePath(QStringLiteral("pad.gbr"));
        writeFile(gerber, padWithCut);
        const QString out = dir.filePath(QStringLiteral("view.png"));
        const CliRun r
            = runCli({ "view", "--layer", "top:0=" + gerber, "--size", "320x200", "--fit", "-o", out });
        QVERIFY2(r.status == 0 && r.err.isEmpty(), r.err.constData());

        Darstellg v;
        v.resize(320, 200);
        v.viewState().gridShown = true;
        auto layer = std::make_unique<GerberLayer>(0);
        QVERIFY(loadGerber(gerber, *layer));
        v.installSideLayer(LayerSlot::Signal, std::move(layer));
        v.fitToBoard();
        QCOMPARE(v.zoomLevel(), 31);
        QCOMPARE(widgetPicture(v), QImage(out).convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(TstBoardView)
#include "tst_boardview.moc"
