#include "datatable.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "view/layerbounds.h"
#include "view/layerpainter.h"
#include "view/polygonclip.h"

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
    layer.createObject(a, x, y, kind, dark);
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

// Small layers whose drawing is known, built by name.
void build(const QString& c, GerberLayer& l)
{
    l.unitFactor = 1.0;
    const QMap<QString, QStringList> flashes { { "circle", { "C", "2" } },
        { "circle with hole", { "C", "2", "1" } }, { "rectangle", { "R", "4", "2" } },
        { "rectangle with hole", { "R", "4", "2", "1", "1" } }, { "obround", { "O", "4", "2" } },
        { "diamond", { "P", "4", "4" } }, { "rotated square", { "P", "4", "4", "45" } },
        { "panel repeat", { "C", "2" } } };
    if (flashes.contains(c)) {
        add(l, addAperture(l, flashes[c].first(), flashes[c].mid(1)), "D3", 5, 5);
    } else if (c == "round stroke" || c == "zero-width stroke") {
        Aperture* a = addAperture(l, "C", { c == "round stroke" ? "1" : "0" });
        add(l, a, "D2", 2, 5);
        add(l, a, "D1", 8, 5);
    } else if (c == "rectangle stroke") {
        Aperture* a = addAperture(l, "R", { "1", "2" });
        add(l, a, "D2", 2, 2);
        add(l, a, "D1", 6, 6);
    } else if (c == "clear region") {
        addRect(l, QRectF(1, 1, 8, 8), true);
        addRect(l, QRectF(4, 4, 2, 2), false);
    } else if (c == "clear flash") {
        addRect(l, QRectF(1, 1, 8, 8), true);
        add(l, addAperture(l, "C", { "2" }), "D3", 5, 5, false);
    } else if (c == "dark after clear") {
        addRect(l, QRectF(1, 1, 8, 8), true);
        addRect(l, QRectF(3, 3, 4, 4), false);
        add(l, addAperture(l, "C", { "1" }), "D3", 5, 5, true);
    } else if (c.startsWith("thermal")) {
        if (c == "thermal over copper")
            addRect(l, QRectF(1, 1, 8, 8), true);
        Aperture* a = addAperture(l, "C", { "0.005" });
        a->macroImage.reset(new MacroImage);
        MacroImage& m = *a->macroImage;
        const auto primitive = [&m](qint32 i, const char* shape, QLineF l, double w, bool dark) {
            MacroPrimitive p;
            p.shape = shape;
            p.x = l.x1(), p.y = l.y1(), p.x2 = l.x2(), p.y2 = l.y2();
            p.width = w;
            if (*shape == 'C')
                p.height = w;
            m.indexes << i;
            m.primitives.insert(i, p);
            m.exposures.insert(i, dark);
        };
        primitive(0, "C", QLineF(), 4, true);
        primitive(1, "C", QLineF(), 2, false);
        primitive(2, "L", QLineF(0, -2, 0, 2), 0.5, false);
        primitive(3, "L", QLineF(-2, 0, 2, 0), 0.5, false);
        add(l, a, "D3", 5, 5);
    } else if (c == "moire") {
        // Outer diameter 4, rings 0.4 thick with gaps of 0.4, two rings, a cross-hair 0.1 by 5.
        l.rawLines = gerberLinesFromBytes("%FSLAX24Y24*%\n%MOMM*%\n%AMM*6,0,0,4,0.4,0.4,2,0.1,5,0*%\n"
                                          "%ADD10M*%\nD10*\nX50000Y50000D03*\nM02*\n");
        parseGerber(l);
    } else if (c == "hairlines") {
        // Thinner than the 0.05 mm pixel: a region, a pad, a bar, a diagonal with a square pen.
        addRect(l, QRectF(1, 5.0245, 8, 0.001), true);
        add(l, addAperture(l, "C", { "0.001" }), "D3", 3.025, 3.025);
        add(l, addAperture(l, "R", { "4", "0.001" }), "D3", 5, 7.025);
        Aperture* square = addAperture(l, "R", { "0.001", "0.001" });
        add(l, square, "D2", 10.025, 1.025);
        add(l, square, "D1", 18.025, 9.025);
    } else if (c == "first draw") {
        add(l, addAperture(l, "C", { "1" }), "D1", 5, 5);
    } else if (c == "inch layer") {
        l.unitFactor = 25.4;
        add(l, addAperture(l, "C", { "0.1" }), "D3", 0.2, 0.2);
    } else if (c == "far away") {
        Aperture* a = addAperture(l, "C", { "1" });
        add(l, a, "D2", -1e9, 5);
        add(l, a, "D1", 1e9, 5); // crosses the picture
        add(l, a, "D3", 1e12, 1e12);
        add(l, a, "D3", std::numeric_limits<double>::quiet_NaN(), 5);
        add(l, a, "D1", 5, std::numeric_limits<double>::infinity());
        l.addRegion(new QPolygonF({ { -1e10, -1e10 }, { 1e10, -1e10 }, { 1e10, 2 }, { -1e10, 2 } }), true);
    }
    if (c == "panel repeat") {
        l.repeatCountX = l.repeatCountY = 2;
        l.repeatStepX = 10;
        l.repeatStepY = 8;
    }
}

// Probes "x,y" must be covered, "!x,y" must stay clear.
void probes(const char* layerCase, const char* text)
{
    row(layerCase, QString(layerCase), QString(text));
}

} // namespace

class TestLayerPainter : public QObject
{
    Q_OBJECT

private slots:
    void pixels_data()
    {
        columns<QString, QString>("layerCase", "probes");
        probes("circle", "5,5 5.9,5 !6.2,5 !5.8,5.8");
        probes("circle with hole", "!5,5 5.75,5 !6.2,5");
        probes("rectangle", "6.8,5.8 3.2,4.2 !7.2,5 !5,6.2");
        probes("rectangle with hole", "!5,5 !5.4,5.4 5.7,5 5,5.8");
        probes("obround", "6.5,5 5,5.9 !6.9,5.9 !3.1,4.1");
        probes("diamond", "6.8,5 5,6.8 !6.5,6.5"); // polygon with a vertex on the x axis
        probes("rotated square", "6.3,6.3 !6.8,5");
        probes("round stroke", "5,5 5,5.4 !5,5.7 8.4,5 !8.7,5 1.6,5"); // round ends
        probes("rectangle stroke", "2,2 6.4,6.9 1.6,1.1 4,4 !6,2 !2,6"); // swept along a diagonal
        probes("clear region", "2,2 !5,5 6.5,5");
        probes("clear flash", "!5,5 6.5,5");
        probes("dark after clear", "5,5 !3.5,3.5 2,2");
        probes("thermal", "6.1,6.1 3.9,3.9 !5,5 !6.5,5 !5,3.5 !7.2,5"); // ring with gaps
        probes("thermal over copper", "5,5 6.5,5 2,2");
        probes("panel repeat", "5,5 15,5 5,13 15,13 !10,9");
        // Along the diagonal: ring 2 to 1.6 from the centre, gap, ring 1.2 to 0.8, open middle.
        probes("moire", "6.27,6.27 6.2,6.2 !5.99,5.99 5.71,5.71 !5.35,5.35 5,7.4 !5,7.6 2.6,5 !5.2,7.4");
        probes("hairlines", "2,5.025 8,5.025 3.025,3.025 4,7.025 6,7.025 12.025,3.025 16.025,7.025 !3.2,3.2");
        probes("first draw", "5,5"); // leaves a dot
        probes("zero-width stroke", "5,5 !5,5.3");
        probes("inch layer", "5.08,5.08 !6.5,5.08");
        probes("far away", "10,5 !10,6 10,1"); // and broken coordinates
    }
    void pixels()
    {
        QFETCH(QString, layerCase);
        QFETCH(QString, probes);
        GerberLayer layer;
        build(layerCase, layer);
        const QImage image = render(layer);
        for (QString probe : probes.split(' ')) {
            const bool covered = !probe.startsWith('!');
            const QStringList xy = probe.remove('!').split(',');
            QVERIFY2(blackAt(image, xy[0].toDouble(), xy[1].toDouble()) == covered, qPrintable(probe));
        }
    }

    // With a transparent clear colour, clear parts are erased, so layers can be stacked.
    void clearErasesToTransparency()
    {
        GerberLayer layer;
        build("clear region", layer);
        const QImage image = render(layer, QImage::Format_ARGB32_Premultiplied, QColor(0, 0, 0, 0));
        QCOMPARE(qAlpha(image.pixel(int(5 * pxPerMm), int(sizePx - 5 * pxPerMm))), 0);
        QCOMPARE(qAlpha(image.pixel(int(2 * pxPerMm), int(sizePx - 2 * pxPerMm))), 255);
    }

    void extent_data()
    {
        columns<QString, bool, QRectF>("layerCase", "withRepeat", "extent");
        row("flash", QString("circle"), false, QRectF(4, 4, 2, 2));
        row("rectangle flash", QString("rectangle"), false, QRectF(3, 4, 4, 2));
        row("stroke with width and move", QString("round stroke"), false, QRectF(1.5, 4.5, 7, 1));
        row("regions by their points", QString("clear region"), false, QRectF(1, 1, 8, 8));
        row("macro image", QString("thermal"), false, QRectF(3, 3, 4, 4));
        row("inch scaled to mm", QString("inch layer"), false, QRectF(3.81, 3.81, 2.54, 2.54));
        row("without repeat", QString("panel repeat"), false, QRectF(4, 4, 2, 2));
        row("with repeat", QString("panel repeat"), true, QRectF(4, 4, 12, 10));
    }
    void extent()
    {
        QFETCH(QString, layerCase);
        QFETCH(bool, withRepeat);
        GerberLayer layer;
        build(layerCase, layer);
        QTEST(LayerBounds::extentMm(layer, withRepeat), "extent");
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
        columns<QLineF, bool, QLineF>("line", "visible", "clipped");
        row("inside", QLineF(1, 1, 9, 9), true, QLineF(1, 1, 9, 9));
        row("across", QLineF(-10, 5, 20, 5), true, QLineF(0, 5, 10, 5));
        row("diagonal in from a corner", QLineF(-5, -5, 5, 5), true, QLineF(0, 0, 5, 5));
        row("beside", QLineF(-5, 11, 20, 11), false, QLineF());
        row("passing a corner", QLineF(-1, 8, 3, 12), true, QLineF(0, 9, 1, 10));
        row("missing a corner", QLineF(-2, 9, 2, 13), false, QLineF());
    }
    void clipSegment()
    {
        QFETCH(QLineF, line);
        QFETCH(bool, visible);
        QPointF a = line.p1();
        QPointF b = line.p2();
        QCOMPARE(::clipSegment(QRectF(0, 0, 10, 10), &a, &b), visible);
        if (visible)
            QTEST(QLineF(a, b), "clipped");
    }

    void clipPolygon()
    {
        const auto clipped = [](std::vector<QPointF> p) {
            ::clipPolygon(QRectF(0, 0, 10, 10), &p);
            return QPolygonF(QVector<QPointF>(p.begin(), p.end()));
        };
        QCOMPARE(clipped({ { 1, 1 }, { 9, 1 }, { 5, 9 } }), QPolygonF({ { 1, 1 }, { 9, 1 }, { 5, 9 } }));
        QCOMPARE(clipped({ { -100, -100 }, { 100, -100 }, { 100, 100 }, { -100, 100 } }).boundingRect(),
            QRectF(0, 0, 10, 10));
        QVERIFY(clipped({ { 20, 20 }, { 30, 20 }, { 25, 30 } }).isEmpty());
    }
};

QTEST_MAIN(TestLayerPainter)
#include "tst_layerpainter.moc"
