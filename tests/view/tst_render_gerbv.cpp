// Real files drawn as the peer viewer gerbv draws them, against the reference images of its test
// suite (corpus gerber/gerbv/test/golden). Scale, colours and smoothing differ, so each image is
// cut to its ink and compared as a coarse grid of cells with ink: a lost pad, a mirrored layer or
// a missing repeat changes many cells, a stroke a pixel wider none.
#include "datatable.h"
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

void quiet(QtMsgType, const QMessageLogContext&, const QString&) { }

// The file drawn black on white, its longer side 960 pixels; null when it draws nothing.
QImage draw(const QString& path)
{
    QFile file(path);
    GerberLayer layer;
    if (file.open(QIODevice::ReadOnly) && looksLikeExcellon(file.read(4096))) {
        ExcellonFormat format;
        detectExcellonFormat(path, &format);
        loadExcellon(path, layer, format);
    } else {
        loadGerber(path, layer);
    }
    QImage image;
    const QRectF box = LayerBounds::extentMm(layer, true);
    if (!box.isEmpty()) {
        const double scale = 960 / qMax(box.width(), box.height());
        image = QImage(
            qMax(1, int(box.width() * scale)), qMax(1, int(box.height() * scale)), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const LayerPaintTransform transform { scale, -box.left() * scale, box.bottom() * scale };
        LayerPainter::paint(painter, layer, transform, Qt::black, Qt::white);
    }
    return image;
}

// The 48 x 48 cells over the bounding box of the ink that hold ink, and the box's aspect.
// Ink: dark pixels of ours, coloured ones of gerbv's (ink on black); the others when `inverted`.
QVector<bool> inkCells(const QImage& source, bool inkIsLight, bool inverted, double* aspect)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const auto ink = [&](int x, int y) {
        const int gray = qGray(image.pixel(x, y));
        return (inkIsLight ? gray > 24 : gray < 128) != inverted;
    };
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            box |= ink(x, y) ? QRect(x, y, 1, 1) : QRect();
    const int n = 48;
    QVector<bool> cells(n * n, false);
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (ink(x, y))
                cells[(y - box.top()) * n / box.height() * n + (x - box.left()) * n / box.width()] = true;
    *aspect = box.isEmpty() ? 0.0 : double(box.width()) / box.height();
    return cells;
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
        // input: relative to gerbv's test folder
        // tolerance: share of differing cells
        columns<QString, double, bool>("input", "tolerance", "negative");
        const auto row = [](const char* golden, const char* input, double tolerance, bool negative = false) {
            QTest::newRow(golden) << QString::fromLatin1(input) << tolerance << negative;
        };
        // Image transforms, step and repeat, a negative image.
        row("test-layer-mirror-image-1", "inputs/test-layer-mirror-image-1.gbx", 0.05);
        row("test-image-rotation-1", "inputs/test-image-rotation-1.gbx", 0.05);
        row("test-layer-offset-1", "inputs/test-layer-offset-1.gbx", 0.05);
        row("test-layer-scale-factor-1", "inputs/test-layer-scale-factor-1.gbx", 0.05);
        row("test-layer-step-and_repeat-1", "inputs/test-layer-step-and_repeat-1.gbx", 0.25);
        row("test-layer-step-and_repeat-2", "inputs/test-layer-step-and_repeat-2.gbx", 0.05);
        row("example_dan_top_sr", "../example/dan/top_sr.gbx", 0.1);
        row("test-image-polarity-1", "inputs/test-image-polarity-1.gbx", 0.05, true);
        row("example_numpres_numpres_pcb_output_componentmask",
            "../example/numpres/numpres.pcb.output_componentmask.grb", 0.1, true);
        // Aperture macros, with variables (Eagle's octagons, a Mentor rectangle) and without.
        row("example_am_test", "../example/am-test/am-test.gbx", 0.08);
        row("example_eaglecad1", "../example/eaglecad1/top-cop.gbx", 0.1);
        row("example_nollezappare_EtchLayer2Bottom", "../example/nollezappare/EtchLayer2Bottom.gdo", 0.05);
        // Drill files read in the format their header states, and repeated hits.
        row("example_nollezappare_ThruHolePlated", "../example/nollezappare/ThruHolePlated.ncd", 0.1);
        row("Altium_inch_file_format", "inputs/Altium_inch_file_format.drl", 0.1);
        row("test-drill-repeat-1", "inputs/test-drill-repeat-1.exc", 0.2);
    }

    void sameDrawingAsGerbv()
    {
        QFETCH(QString, input);
        QFETCH(double, tolerance);
        QFETCH(bool, negative);
        const QImage reference(gerbvTests + "/golden/" + QTest::currentDataTag() + ".png");
        const QImage ours = draw(gerbvTests + "/" + input);
        QVERIFY(!reference.isNull() && !ours.isNull());
        double ourAspect = 0.0, referenceAspect = 0.0;
        const QVector<bool> a = inkCells(ours, false, negative, &ourAspect);
        const QVector<bool> b = inkCells(reference, true, negative, &referenceAspect);
        QVERIFY2(qAbs(ourAspect / referenceAspect - 1.0) < 0.03,
            qPrintable(QString("aspect %1, gerbv %2").arg(ourAspect).arg(referenceAspect)));
        int both = 0, either = 0;
        for (int i = 0; i < a.size(); ++i) {
            both += a[i] && b[i];
            either += a[i] || b[i];
        }
        const double differing = 1.0 - double(both) / qMax(1, either);
        QVERIFY2(differing <= tolerance, qPrintable(QString("%1 of the cells differ").arg(differing)));
    }
};

QTEST_GUILESS_MAIN(TestRenderGerbv)
#include "tst_render_gerbv.moc"
