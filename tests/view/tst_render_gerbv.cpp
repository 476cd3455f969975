// Real files drawn as the peer viewer gerbv draws them: its test suite's reference images
// (corpus gerber/gerbv/test/golden) against this program's painter. The images differ in scale,
// colours and line smoothing, so each is cut to its ink and compared as a coarse grid of cells
// with ink: a lost pad, a mirrored layer or a missing repeat changes many cells, a stroke a
// pixel wider none.
#include "gerber/excellonheader.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "view/layerbounds.h"
#include "view/layerpainter.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

const QString gerbvTests = QStringLiteral(TESSAVRANT_CORPUS_DIR "/gerber/gerbv/test");
constexpr int gridCells = 48;

void quiet(QtMsgType, const QMessageLogContext&, const QString&) { }

// The file drawn black on white, its longer side `size` pixels; null when it draws nothing.
QImage draw(const QString& path, int size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const bool drill = looksLikeExcellon(file.read(4096));
    file.close();
    QList<GerberLayer*> layers;
    if (drill) {
        ExcellonFormat format;
        detectExcellonFormat(path, &format);
        loadExcellon(path, 0, layers, Qt::black, format);
    } else {
        loadGerber(path, 0, layers);
    }
    QImage image;
    const GerberLayer* layer = layers.value(0);
    const QRectF box = layer ? LayerBounds::extentMm(*layer, true) : QRectF();
    if (!box.isEmpty()) {
        const double scale = size / qMax(box.width(), box.height());
        image = QImage(
            qMax(1, int(box.width() * scale)), qMax(1, int(box.height() * scale)), QImage::Format_Grayscale8);
        image.fill(255);
        QPainter painter(&image);
        LayerPaintTransform transform;
        transform.scale = scale;
        transform.originX = -box.left() * scale;
        transform.originY = box.bottom() * scale;
        LayerPainter::paint(painter, *layer, transform, Qt::black, Qt::white);
    }
    qDeleteAll(layers);
    return image;
}

// Where the image has ink: dark pixels of ours, coloured pixels of gerbv's (ink on black).
// `inverted` takes the other pixels: the drawing of a negative image.
QVector<bool> inkOf(const QImage& image, bool inkIsLight, bool inverted, QRect* box)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QVector<bool> ink(rgb.width() * rgb.height());
    int x0 = rgb.width(), y0 = rgb.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const bool on = (inkIsLight ? qGray(line[x]) > 24 : qGray(line[x]) < 128) != inverted;
            ink[y * rgb.width() + x] = on;
            if (on) {
                x0 = qMin(x0, x);
                x1 = qMax(x1, x);
                y0 = qMin(y0, y);
                y1 = qMax(y1, y);
            }
        }
    }
    *box = x1 < 0 ? QRect() : QRect(QPoint(x0, y0), QPoint(x1, y1));
    return ink;
}

// The cells of a grid over the ink's bounding box that hold ink.
QVector<bool> cells(const QVector<bool>& ink, int width, const QRect& box)
{
    QVector<bool> grid(gridCells * gridCells, false);
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if (!ink[y * width + x])
                continue;
            const int cx = qMin(gridCells - 1, (x - box.left()) * gridCells / box.width());
            const int cy = qMin(gridCells - 1, (y - box.top()) * gridCells / box.height());
            grid[cy * gridCells + cx] = true;
        }
    }
    return grid;
}

} // namespace

class TestRenderGerbv : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QFile::exists(gerbvTests + "/tests.list"))
            QSKIP("the corpus of real CAD files (gerbv's reference images) is absent");
        qInstallMessageHandler(quiet);
    }

    void sameDrawingAsGerbv_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("golden");
        QTest::addColumn<double>("tolerance"); // share of differing cells
        QTest::addColumn<bool>("negative");
        const auto row = [](const char* golden, const char* input, double tolerance, bool negative = false) {
            QTest::newRow(golden) << QString::fromLatin1(input) << QString::fromLatin1(golden) << tolerance
                                  << negative;
        };
        // Image transforms and step and repeat.
        row("test-layer-mirror-image-1", "inputs/test-layer-mirror-image-1.gbx", 0.05);
        row("test-image-rotation-1", "inputs/test-image-rotation-1.gbx", 0.05);
        row("test-layer-offset-1", "inputs/test-layer-offset-1.gbx", 0.05);
        row("test-layer-scale-factor-1", "inputs/test-layer-scale-factor-1.gbx", 0.05);
        row("test-layer-step-and_repeat-1", "inputs/test-layer-step-and_repeat-1.gbx", 0.25);
        row("test-layer-step-and_repeat-2", "inputs/test-layer-step-and_repeat-2.gbx", 0.05);
        row("example_dan_top_sr", "example/dan/top_sr.gbx", 0.1);
        // A negative image: dark over its extent, the drawing cut clear.
        row("test-image-polarity-1", "inputs/test-image-polarity-1.gbx", 0.05, true);
        row("example_numpres_numpres_pcb_output_componentmask",
            "example/numpres/numpres.pcb.output_componentmask.grb", 0.1, true);
        // Aperture macros, with variables (Eagle's octagons, a Mentor rectangle) and without.
        row("example_am_test", "example/am-test/am-test.gbx", 0.08);
        row("example_eaglecad1", "example/eaglecad1/top-cop.gbx", 0.1);
        row("example_nollezappare_EtchLayer2Bottom", "example/nollezappare/EtchLayer2Bottom.gdo", 0.05);
        // Drill files read in the format their header states, and repeated hits.
        row("example_nollezappare_ThruHolePlated", "example/nollezappare/ThruHolePlated.ncd", 0.1);
        row("Altium_inch_file_format", "inputs/Altium_inch_file_format.drl", 0.1);
        row("test-drill-repeat-1", "inputs/test-drill-repeat-1.exc", 0.2);
    }

    void sameDrawingAsGerbv()
    {
        QFETCH(QString, input);
        QFETCH(QString, golden);
        QFETCH(double, tolerance);
        QFETCH(bool, negative);
        // Paths in the list are relative to gerbv's test folder, the examples two folders up.
        const QString path = gerbvTests
            + (input.startsWith(QLatin1String("example/")) ? QStringLiteral("/../") : QStringLiteral("/"))
            + input;
        const QImage reference(gerbvTests + "/golden/" + golden + ".png");
        QVERIFY(!reference.isNull());
        const QImage ours = draw(path, 960);
        QVERIFY2(!ours.isNull(), "draws nothing");

        QRect ourBox, referenceBox;
        const QVector<bool> ourInk = inkOf(ours, false, negative, &ourBox);
        const QVector<bool> referenceInk = inkOf(reference, true, negative, &referenceBox);
        QVERIFY(!ourBox.isEmpty() && !referenceBox.isEmpty());
        const double ourAspect = double(ourBox.width()) / ourBox.height();
        const double referenceAspect = double(referenceBox.width()) / referenceBox.height();
        QVERIFY2(qAbs(ourAspect / referenceAspect - 1.0) < 0.03,
            qPrintable(QString("aspect %1, gerbv %2").arg(ourAspect).arg(referenceAspect)));

        const QVector<bool> a = cells(ourInk, ours.width(), ourBox);
        const QVector<bool> b = cells(referenceInk, reference.width(), referenceBox);
        int both = 0, either = 0;
        for (int i = 0; i < a.size(); ++i) {
            both += a[i] && b[i];
            either += a[i] || b[i];
        }
        const double differing = either ? 1.0 - double(both) / either : 0.0;
        QVERIFY2(differing <= tolerance, qPrintable(QString("%1 of the cells differ").arg(differing)));
    }
};

QTEST_GUILESS_MAIN(TestRenderGerbv)
#include "tst_render_gerbv.moc"
