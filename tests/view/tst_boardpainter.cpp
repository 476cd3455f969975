#include "boardscenes.h"
#include "datatable.h"
#include "documentsetup.h"
#include "view/layercomposer.h"
#include "view/placementmarker.h"
#include "view/selectioncentring.h"
#include "view/viewmapping.h"

#include <QDir>
#include <QtTest>

using namespace BoardScenes;

namespace {

const QString goldenDir = QStringLiteral(TESSAVRANT_GOLDEN_DIR);

QString fileNameOf(const QString& scene)
{
    return QString(scene).replace(QLatin1Char(' '), QLatin1Char('_')) + QStringLiteral(".png");
}

// Share of pixels whose colour differs by more than a small amount on any channel.
double differingShare(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 1.0;
    qint64 differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (qAbs(qRed(p) - qRed(q)) > 24 || qAbs(qGreen(p) - qGreen(q)) > 24
                || qAbs(qBlue(p) - qBlue(q)) > 24)
                ++differing;
        }
    return double(differing) / (a.width() * a.height());
}

} // namespace

class TstBoardPainter : public QObject
{
    Q_OBJECT

private slots:
    // Each scene against its reviewed image. A missing or different image fails and leaves the
    // actual picture in the temporary folder for review; the goldens are never written here.
    void matchesGolden_data()
    {
        QTest::addColumn<QString>("scene");
        for (const QString& name : names())
            row(qPrintable(name), name);
    }
    void matchesGolden()
    {
        QFETCH(QString, scene);
        Scene s;
        QVERIFY(build(scene, s));
        const QImage actual = s.paint();
        const QString name = fileNameOf(scene);
        const QImage golden(goldenDir + QLatin1Char('/') + name);
        const QString review = QDir::temp().filePath(QStringLiteral("tessavrant-actual-") + name);
        if (golden.isNull() || differingShare(actual, golden.convertToFormat(QImage::Format_RGB32)) > 0.002) {
            actual.save(review);
            QFAIL(qPrintable(
                QStringLiteral("differs from %1/%2; actual picture: %3").arg(goldenDir, name, review)));
        }
    }

    // Spacing 0.15 mm at zoom 7 is a pitch of 10.5 px: the 10th point lies 105 px from the
    // origin, where whole-pixel pitches would have put it at 100.
    void gridKeepsFractionalPitch()
    {
        QCOMPARE(QVector<double>({ BoardPainter::gridPitch(7, 0.15), BoardPainter::gridPitch(10, 0.1),
                     BoardPainter::gridPitch(1, 0.01), BoardPainter::gridPitch(10, 0.0) }),
            QVector<double>({ 10.5, 10, 10, 0 }));
        Scene s;
        build(QStringLiteral("grid"), s);
        s.state.offsetX = 0;
        const QImage image = s.paint();
        const int y = sceneSize.height() + s.state.offsetY - 21; // two pitches above world Y = 0
        const QRgb grid = s.state.colours.grid.rgb();
        QVERIFY(image.pixel(105, y) == grid && image.pixel(100, y) != grid);
    }

    void markerAngleAndFont_data()
    {
        columns<double, double, int>("rotation", "extra", "angle");
        row("0 is 0", 0.0, 0.0, 0);
        row("90 counter-clockwise", 90.0, 0.0, 270);
        row("fraction truncated", 10.5, 0.0, 349);
        row("extra angle", 90.0, 90.0, 180);
        row("extra beyond a turn", 10.0, 400.0, 310);
        row("nan", std::nan(""), 0.0, 0);
    }
    void markerAngleAndFont()
    {
        QFETCH(double, rotation);
        QFETCH(double, extra);
        QTEST(PlacementMarker::drawnAngle(rotation, extra), "angle");
        QCOMPARE(QPoint(PlacementMarker::fontPixelSize(1), PlacementMarker::fontPixelSize(10)), QPoint(0, 8));
    }

    // A feeder's rotation turns the markers of its own part type only: package "R060" with
    // value "310k" is not package "R0603" with value "10k".
    void feederRotationTurnsItsPartTypeOnly()
    {
        Scene s;
        PnPEntry* e = entry("R1", 5, 5, 0, "1");
        e->setSizeX(1.6);
        e->setSizeY(0.8);
        s.document.appendEntry(e);
        const auto paintWith = [&s](const QHash<QString, double>& offsets) {
            QImage image(sceneSize, QImage::Format_ARGB32_Premultiplied);
            QPainter p(&image);
            BoardScene scene = s.scene();
            scene.rotationOffsets = &offsets;
            BoardPainter().paint(p, sceneSize, scene);
            return image;
        };
        const QImage plain = paintWith({});
        QCOMPARE(paintWith({ { "R060;310k", 90.0 } }), plain);
        QVERIFY(paintWith({ { "R0603;10k", 90.0 } }) != plain);
    }

    // Bad input draws without crashing or stalling: coordinates of 1e9, NaN, 100 000 placements
    // at one point, a board of width 0.
    void badInputDraws()
    {
        Scene s;
        auto layer = mmLayer(0);
        Aperture* a = circle(*layer, 1.0);
        flash(*layer, a, 1e9, -1e9);
        flash(*layer, a, std::nan(""), 1);
        rect(*layer, QRectF(-1e9, -1e9, 2e9, 1), true);
        s.layers.replace(LayerList::Top, 0, std::move(layer));
        for (int i = 0; i < 100000; ++i)
            s.document.appendEntry(entry("R", 1, 1, 0, "1"));
        s.document.appendEntry(entry("FAR", 1e9, -1e9, 0, "1"));
        editBoard(s.document, [&](BoardInfo& b) { b.setHeight(5); });
        s.state.zoomLevel = ViewState::maxZoomLevel;
        QCOMPARE(s.paint().size(), sceneSize);
        QVERIFY(BoardPainter::contentExtent(s.scene()).width() > 1e9);
    }

    // A newly selected single placement is moved to the middle once; the user may then scroll
    // away without being pulled back, until another one is selected.
    void centringHappensOncePerSelection()
    {
        Scene s;
        build(QStringLiteral("markers"), s); // R6 (7.5, 4.5) is the one selected
        const QSize size(400, 300);
        SelectionCentring centring;
        QVERIFY(centring.apply(s.state, s.document.currentList(), QPointF(), true, size));
        const ViewMapping m = ViewMapping::of(s.state, size.height());
        QCOMPARE(m.point(7.5, 4.5), QPoint(200, 150));
        s.state.offsetX += 50;
        QVERIFY(!centring.apply(s.state, s.document.currentList(), QPointF(), true, size)
            && centring.counter == 2);
        s.document.currentList().at(0)->setSelected(true); // two selected: nothing moves
        QVERIFY(!centring.apply(s.state, s.document.currentList(), QPointF(), true, size)
            && centring.lastIndex == -1);
        // R1 alone, first with centring off (a click in the view), then on (a click in the table).
        s.document.currentList().at(5)->setSelected(false);
        QVERIFY(!centring.apply(s.state, s.document.currentList(), QPointF(), false, size));
        QVERIFY(centring.apply(s.state, s.document.currentList(), QPointF(), true, size));
        QCOMPARE(ViewMapping::of(s.state, size.height()).point(1.5, 1.5), QPoint(200, 150));
    }

    // Hover and selection repaints reuse the composed layers; a view change composes again.
    void composedLayersAreKept()
    {
        Scene s;
        build(QStringLiteral("clear over dark"), s);
        LayerComposer composer;
        QImage image(sceneSize, QImage::Format_ARGB32_Premultiplied);
        BoardPainter painter(&composer);
        for (int i = 0; i < 3; ++i) {
            QPainter p(&image);
            painter.paint(p, sceneSize, s.scene());
        }
        QCOMPARE(composer.composeCount(), 1);
        s.state.offsetX += 10;
        QPainter p(&image);
        painter.paint(p, sceneSize, s.scene());
        QCOMPARE(composer.composeCount(), 2);
        // While a rebuild processes events, a layer without raster is left out, not painted.
        const int painted = composer.objectPaintCount();
        QVERIFY(painted > 0);
        s.state.rastersOnly = true;
        painter.paint(p, sceneSize, s.scene());
        QCOMPARE(QPoint(composer.composeCount(), composer.objectPaintCount()), QPoint(3, painted));
        // A layer too large to paint on every compose waits for its raster while it is rendered.
        auto large = mmLayer(0);
        GerberLayer* held = large.get();
        Aperture* a = circle(*large, 0.1);
        for (int i = 0; i <= 100000; ++i)
            flash(*large, a, i % 100, i / 1000);
        held->busy = true;
        s.layers.replace(LayerList::Top, 0, std::move(large));
        s.state.rastersOnly = false;
        painter.paint(p, sceneSize, s.scene());
        QCOMPARE(composer.objectPaintCount(), painted + 1); // the paste layer alone
        held->busy = false;
    }
};

QTEST_MAIN(TstBoardPainter)
#include "tst_boardpainter.moc"
