#include "gerber/gerberlayer.h"
#include "view/layerbounds.h"
#include "view/layerpainter.h"
#include "view/polygonclip.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cmath>
#include <limits>

namespace {

const double pxPerMm = 20.0;
const int sizePx = 400; // 20 mm square, world (0,0) at the bottom left

Aperture* addAperture(GerberLayer& layer, const QString& shape, const QStringList& params)
{
    QString texts[Aperture::ParameterCount] = { "x", "x", "x", "x" };
    for (int i = 0; i < params.size() && i < Aperture::ParameterCount; ++i)
        texts[i] = params[i];
    return layer.addAperture(new Aperture(QStringLiteral("D10"), shape, texts));
}

void add(GerberLayer& layer, Aperture* a, const QString& kind, double x, double y, bool dark = true)
{
    layer.addObject(new ImageObject(a, x, y, kind, dark));
}

void addRect(GerberLayer& layer, QRectF r, bool dark)
{
    layer.addRegion(new QPolygonF(QPolygonF(r) /* closed */), dark);
}

QImage render(const GerberLayer& layer, QImage::Format format = QImage::Format_Grayscale8,
    const QColor& clear = Qt::white)
{
    QImage image(sizePx, sizePx, format);
    image.fill(format == QImage::Format_Grayscale8 ? QColor(Qt::white) : QColor(Qt::transparent));
    QPainter painter(&image);
    LayerPaintTransform t;
    t.scale = pxPerMm;
    t.originX = 0;
    t.originY = sizePx;
    LayerPainter::paint(painter, layer, t, Qt::black, clear);
    return image;
}

bool blackAt(const QImage& image, double xMm, double yMm)
{
    return qGray(image.pixel(int(xMm * pxPerMm), int(sizePx - yMm * pxPerMm))) < 128;
}

using Probes = QList<QPair<QPointF, bool>>; // world point, covered

// Small layers whose drawing is known, each with points that must be covered and points that
// must stay clear.
enum class Case
{
    Circle,
    CircleWithHole,
    Rectangle,
    RectangleWithRectHole,
    Obround,
    Diamond,
    RotatedSquare,
    RoundStroke,
    RectangleStroke,
    ClearRegionCuts,
    ClearFlashCuts,
    DarkAfterClear,
    Thermal,
    ThermalOverCopper,
    PanelRepeat,
    FirstDrawIsDot,
    ZeroWidthStroke,
    InchLayer,
    FarAwayCoordinates,
};

void build(Case c, GerberLayer& l)
{
    l.unitFactor = 1.0;
    switch (c) {
    case Case::Circle:
        add(l, addAperture(l, "C", { "2" }), "D3", 5, 5);
        break;
    case Case::CircleWithHole:
        add(l, addAperture(l, "C", { "2", "1" }), "D3", 5, 5);
        break;
    case Case::Rectangle:
        add(l, addAperture(l, "R", { "4", "2" }), "D3", 5, 5);
        break;
    case Case::RectangleWithRectHole:
        add(l, addAperture(l, "R", { "4", "2", "1", "1" }), "D3", 5, 5);
        break;
    case Case::Obround:
        add(l, addAperture(l, "O", { "4", "2" }), "D3", 5, 5);
        break;
    case Case::Diamond:
        add(l, addAperture(l, "P", { "4", "4" }), "D3", 5, 5);
        break;
    case Case::RotatedSquare:
        add(l, addAperture(l, "P", { "4", "4", "45" }), "D3", 5, 5);
        break;
    case Case::RoundStroke: {
        Aperture* a = addAperture(l, "C", { "1" });
        add(l, a, "D2", 2, 5);
        add(l, a, "D1", 8, 5);
        break;
    }
    case Case::RectangleStroke: {
        Aperture* a = addAperture(l, "R", { "1", "2" });
        add(l, a, "D2", 2, 2);
        add(l, a, "D1", 6, 6);
        break;
    }
    case Case::ClearRegionCuts:
        addRect(l, QRectF(1, 1, 8, 8), true);
        addRect(l, QRectF(4, 4, 2, 2), false);
        break;
    case Case::ClearFlashCuts:
        addRect(l, QRectF(1, 1, 8, 8), true);
        add(l, addAperture(l, "C", { "2" }), "D3", 5, 5, false);
        break;
    case Case::DarkAfterClear:
        addRect(l, QRectF(1, 1, 8, 8), true);
        addRect(l, QRectF(3, 3, 4, 4), false);
        add(l, addAperture(l, "C", { "1" }), "D3", 5, 5, true);
        break;
    case Case::Thermal:
    case Case::ThermalOverCopper: {
        if (c == Case::ThermalOverCopper)
            addRect(l, QRectF(1, 1, 8, 8), true);
        Aperture* a = addAperture(l, "C", { "0.005" });
        a->macroImage.reset(new MacroImage);
        MacroImage& m = *a->macroImage;
        const auto circle = [&m](qint32 i, double d, bool dark) {
            MacroPrimitive p;
            p.shape = "C";
            p.width = p.height = d;
            m.indexes << i;
            m.primitives.insert(i, p);
            m.exposures.insert(i, dark);
        };
        const auto line = [&m](qint32 i, QLineF l, double w) {
            MacroPrimitive p;
            p.shape = "L";
            p.x = l.x1(), p.y = l.y1(), p.x2 = l.x2(), p.y2 = l.y2();
            p.width = w;
            m.indexes << i;
            m.primitives.insert(i, p);
            m.exposures.insert(i, false);
        };
        circle(0, 4, true);
        circle(1, 2, false);
        line(2, QLineF(0, -2, 0, 2), 0.5);
        line(3, QLineF(-2, 0, 2, 0), 0.5);
        add(l, a, "D3", 5, 5);
        break;
    }
    case Case::PanelRepeat:
        add(l, addAperture(l, "C", { "2" }), "D3", 5, 5);
        l.repeatCountX = 2;
        l.repeatCountY = 2;
        l.repeatStepX = 10;
        l.repeatStepY = 8;
        break;
    case Case::FirstDrawIsDot:
        add(l, addAperture(l, "C", { "1" }), "D1", 5, 5);
        break;
    case Case::ZeroWidthStroke: {
        Aperture* a = addAperture(l, "C", { "0" });
        add(l, a, "D2", 2, 5);
        add(l, a, "D1", 8, 5);
        break;
    }
    case Case::InchLayer:
        l.unitFactor = 25.4;
        add(l, addAperture(l, "C", { "0.1" }), "D3", 0.2, 0.2);
        break;
    case Case::FarAwayCoordinates: {
        Aperture* a = addAperture(l, "C", { "1" });
        add(l, a, "D2", -1e9, 5);
        add(l, a, "D1", 1e9, 5); // crosses the picture
        add(l, a, "D3", 1e12, 1e12);
        add(l, a, "D3", std::numeric_limits<double>::quiet_NaN(), 5);
        add(l, a, "D1", 5, std::numeric_limits<double>::infinity());
        l.addRegion(new QPolygonF({ { -1e10, -1e10 }, { 1e10, -1e10 }, { 1e10, 2 }, { -1e10, 2 } }), true);
        break;
    }
    }
}

} // namespace

Q_DECLARE_METATYPE(Case)

class TestLayerPainter : public QObject
{
    Q_OBJECT

private slots:
    void pixels_data()
    {
        QTest::addColumn<Case>("layerCase");
        QTest::addColumn<Probes>("probes");
        QTest::newRow("circle") << Case::Circle
                                << Probes { { { 5, 5 }, true }, { { 5.9, 5 }, true }, { { 6.2, 5 }, false },
                                       { { 5.8, 5.8 }, false } };
        QTest::newRow("circle with hole")
            << Case::CircleWithHole
            << Probes { { { 5, 5 }, false }, { { 5.75, 5 }, true }, { { 6.2, 5 }, false } };
        QTest::newRow("rectangle") << Case::Rectangle
                                   << Probes { { { 6.8, 5.8 }, true }, { { 3.2, 4.2 }, true },
                                          { { 7.2, 5 }, false }, { { 5, 6.2 }, false } };
        QTest::newRow("rectangle with rectangular hole")
            << Case::RectangleWithRectHole
            << Probes { { { 5, 5 }, false }, { { 5.4, 5.4 }, false }, { { 5.7, 5 }, true },
                   { { 5, 5.8 }, true } };
        QTest::newRow("obround") << Case::Obround
                                 << Probes { { { 6.5, 5 }, true }, { { 5, 5.9 }, true },
                                        { { 6.9, 5.9 }, false }, { { 3.1, 4.1 }, false } };
        QTest::newRow("polygon, vertex on the x axis")
            << Case::Diamond
            << Probes { { { 6.8, 5 }, true }, { { 5, 6.8 }, true }, { { 6.5, 6.5 }, false } };
        QTest::newRow("polygon rotated 45 degrees")
            << Case::RotatedSquare << Probes { { { 6.3, 6.3 }, true }, { { 6.8, 5 }, false } };
        QTest::newRow("round stroke with round ends")
            << Case::RoundStroke
            << Probes { { { 5, 5 }, true }, { { 5, 5.4 }, true }, { { 5, 5.7 }, false }, { { 8.4, 5 }, true },
                   { { 8.7, 5 }, false }, { { 1.6, 5 }, true } };
        QTest::newRow("rectangle swept along a diagonal")
            << Case::RectangleStroke
            << Probes { { { 2, 2 }, true }, { { 6.4, 6.9 }, true }, { { 1.6, 1.1 }, true },
                   { { 4, 4 }, true }, { { 6, 2 }, false }, { { 2, 6 }, false } };
        QTest::newRow("clear region cuts a dark one")
            << Case::ClearRegionCuts
            << Probes { { { 2, 2 }, true }, { { 5, 5 }, false }, { { 6.5, 5 }, true } };
        QTest::newRow("clear flash cuts a dark region")
            << Case::ClearFlashCuts << Probes { { { 5, 5 }, false }, { { 6.5, 5 }, true } };
        QTest::newRow("dark drawn after clear covers again")
            << Case::DarkAfterClear
            << Probes { { { 5, 5 }, true }, { { 3.5, 3.5 }, false }, { { 2, 2 }, true } };
        QTest::newRow("thermal macro: ring with gaps")
            << Case::Thermal
            << Probes { { { 6.1, 6.1 }, true }, { { 3.9, 3.9 }, true }, { { 5, 5 }, false },
                   { { 6.5, 5 }, false }, { { 5, 3.5 }, false }, { { 7.2, 5 }, false } };
        QTest::newRow("thermal macro keeps the copper below")
            << Case::ThermalOverCopper
            << Probes { { { 5, 5 }, true }, { { 6.5, 5 }, true }, { { 2, 2 }, true } };
        QTest::newRow("panel repeat")
            << Case::PanelRepeat
            << Probes { { { 5, 5 }, true }, { { 15, 5 }, true }, { { 5, 13 }, true }, { { 15, 13 }, true },
                   { { 10, 9 }, false } };
        QTest::newRow("first draw leaves a dot") << Case::FirstDrawIsDot << Probes { { { 5, 5 }, true } };
        QTest::newRow("zero-width stroke stays visible")
            << Case::ZeroWidthStroke << Probes { { { 5, 5 }, true }, { { 5, 5.3 }, false } };
        QTest::newRow("inch layer in millimetres")
            << Case::InchLayer << Probes { { { 5.08, 5.08 }, true }, { { 6.5, 5.08 }, false } };
        QTest::newRow("far-away and broken coordinates")
            << Case::FarAwayCoordinates
            << Probes { { { 10, 5 }, true }, { { 10, 6 }, false }, { { 10, 1 }, true } };
    }
    void pixels()
    {
        QFETCH(Case, layerCase);
        QFETCH(Probes, probes);
        GerberLayer layer;
        build(layerCase, layer);
        QElapsedTimer timer;
        timer.start();
        const QImage image = render(layer);
        QVERIFY2(timer.elapsed() < 5000, "drawing took far too long");
        for (const auto& probe : probes) {
            const QPointF& p = probe.first;
            QVERIFY2(blackAt(image, p.x(), p.y()) == probe.second,
                qPrintable(
                    QStringLiteral("at (%1, %2) expected %3").arg(p.x()).arg(p.y()).arg(probe.second)));
        }
    }

    // With a transparent clear colour, clear parts are erased, so layers can be stacked.
    void clearErasesToTransparency()
    {
        GerberLayer layer;
        build(Case::ClearRegionCuts, layer);
        const QImage image = render(layer, QImage::Format_ARGB32_Premultiplied, QColor(0, 0, 0, 0));
        QCOMPARE(qAlpha(image.pixel(int(5 * pxPerMm), int(sizePx - 5 * pxPerMm))), 0);
        QCOMPARE(qAlpha(image.pixel(int(2 * pxPerMm), int(sizePx - 2 * pxPerMm))), 255);
    }

    void extent_data()
    {
        QTest::addColumn<Case>("layerCase");
        QTest::addColumn<bool>("withRepeat");
        QTest::addColumn<QRectF>("extent");
        QTest::newRow("flash") << Case::Circle << false << QRectF(4, 4, 2, 2);
        QTest::newRow("rectangle flash") << Case::Rectangle << false << QRectF(3, 4, 4, 2);
        QTest::newRow("stroke with its width, move point included")
            << Case::RoundStroke << false << QRectF(1.5, 4.5, 7, 1);
        QTest::newRow("regions by their points") << Case::ClearRegionCuts << false << QRectF(1, 1, 8, 8);
        QTest::newRow("macro image") << Case::Thermal << false << QRectF(3, 3, 4, 4);
        QTest::newRow("inch scaled to mm") << Case::InchLayer << false << QRectF(3.81, 3.81, 2.54, 2.54);
        QTest::newRow("without repeat") << Case::PanelRepeat << false << QRectF(4, 4, 2, 2);
        QTest::newRow("with repeat") << Case::PanelRepeat << true << QRectF(4, 4, 12, 10);
    }
    void extent()
    {
        QFETCH(Case, layerCase);
        QFETCH(bool, withRepeat);
        QFETCH(QRectF, extent);
        GerberLayer layer;
        build(layerCase, layer);
        const QRectF got = LayerBounds::extentMm(layer, withRepeat);
        QVERIFY2(std::abs(got.left() - extent.left()) < 1e-9 && std::abs(got.top() - extent.top()) < 1e-9
                && std::abs(got.right() - extent.right()) < 1e-9
                && std::abs(got.bottom() - extent.bottom()) < 1e-9,
            qPrintable(QStringLiteral("got %1,%2 %3x%4")
                           .arg(got.left())
                           .arg(got.top())
                           .arg(got.width())
                           .arg(got.height())));
    }

    void roundedBounds()
    {
        GerberLayer layer;
        layer.unitFactor = 1.0;
        Aperture* a = addAperture(layer, "C", { "2" });
        add(layer, a, "D3", 5.5, -5.5);
        add(layer, a, "D2", 100, 100); // a move draws nothing
        qint32 b[4];
        LayerBounds::roundedMm(layer, b);
        QCOMPARE(QList<qint32>({ b[0], b[1], b[2], b[3] }), QList<qint32>({ 7, 4, -4, -7 }));

        GerberLayer empty;
        LayerBounds::roundedMm(empty, b);
        QCOMPARE(QList<qint32>({ b[0], b[1], b[2], b[3] }), QList<qint32>({ 0, 0, 0, 0 }));
    }

    void clipSegment_data()
    {
        QTest::addColumn<QLineF>("line");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QLineF>("clipped");
        QTest::newRow("inside") << QLineF(1, 1, 9, 9) << true << QLineF(1, 1, 9, 9);
        QTest::newRow("across") << QLineF(-10, 5, 20, 5) << true << QLineF(0, 5, 10, 5);
        QTest::newRow("diagonal in from a corner") << QLineF(-5, -5, 5, 5) << true << QLineF(0, 0, 5, 5);
        QTest::newRow("beside") << QLineF(-5, 11, 20, 11) << false << QLineF();
        QTest::newRow("passing a corner") << QLineF(-1, 8, 3, 12) << true << QLineF(0, 9, 1, 10);
        QTest::newRow("missing a corner") << QLineF(-2, 9, 2, 13) << false << QLineF();
    }
    void clipSegment()
    {
        QFETCH(QLineF, line);
        QFETCH(bool, visible);
        QFETCH(QLineF, clipped);
        QPointF a = line.p1();
        QPointF b = line.p2();
        QCOMPARE(::clipSegment(QRectF(0, 0, 10, 10), &a, &b), visible);
        if (visible)
            QCOMPARE(QLineF(a, b), clipped);
    }

    void clipPolygon()
    {
        std::vector<QPointF> inside { { 1, 1 }, { 9, 1 }, { 5, 9 } };
        const std::vector<QPointF> unchanged = inside;
        ::clipPolygon(QRectF(0, 0, 10, 10), &inside);
        QCOMPARE(inside, unchanged);

        std::vector<QPointF> big { { -100, -100 }, { 100, -100 }, { 100, 100 }, { -100, 100 } };
        ::clipPolygon(QRectF(0, 0, 10, 10), &big);
        QCOMPARE(QPolygonF(QVector<QPointF>(big.begin(), big.end())).boundingRect(), QRectF(0, 0, 10, 10));

        std::vector<QPointF> outside { { 20, 20 }, { 30, 20 }, { 25, 30 } };
        ::clipPolygon(QRectF(0, 0, 10, 10), &outside);
        QVERIFY(outside.empty());
    }
};

QTEST_MAIN(TestLayerPainter)
#include "tst_layerpainter.moc"
