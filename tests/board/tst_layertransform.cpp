// Replaying a layer's stored transform on a freshly read image.
#include "board/layertransform.h"
#include "datatable.h"
#include "gerber/gerberlayer.h"

#include <QtTest>

namespace {

const QString rect[Aperture::ParameterCount] = { "2", "1", "x", "x" };
const QString poly[Aperture::ParameterCount] = { "1", "6", "x", "x" };

void fill(GerberLayer& layer)
{
    Aperture* r = layer.addAperture(new Aperture(QStringLiteral("D10"), QStringLiteral("R"), rect));
    layer.addAperture(new Aperture(QStringLiteral("D11"), QStringLiteral("P"), poly));
    layer.createObject(r, 3, 1, ImageObject::flash(), true);
    layer.addRegion(new QPolygonF(QVector<QPointF> { QPointF(1, 2), QPointF(3, 4) }), true);
}

} // namespace

class TestLayerTransform : public QObject
{
    Q_OBJECT

private slots:
    void replayMirrorsThenTurns_data()
    {
        columns<bool, bool, int, double, QPointF, QPointF, QString, QPointF>(
            "mirror1", "mirror2", "turns", "unitFactor", "object", "regionStart", "rectX", "offset");
        const QPointF none;
        row("none", false, false, 0, 1.0, QPointF(3, 1), QPointF(1, 2), "2", none);
        // (x, y) -> (-y, x), then plus the offset.
        row("one turn", false, false, 1, 1.0, QPointF(-1, 3), QPointF(-2, 1), "1", none);
        row("one turn, offset", false, false, 1, 25.4, QPointF(-11, 3), QPointF(-12, 1), "1",
            QPointF(-10, 0));
        row("huge count", false, false, 1000000001, 1.0, QPointF(-1, 3), QPointF(-2, 1), "1", none);
        row("negative count", false, false, -1, 1.0, QPointF(1, -3), QPointF(2, -1), "1", none);
        row("mirror 1", true, false, 0, 1.0, QPointF(-3, 1), QPointF(-1, 2), "2", none);
        row("mirror 2 then turn", false, true, 1, 1.0, QPointF(1, 3), QPointF(2, 1), "1", none);
    }
    void replayMirrorsThenTurns()
    {
        QFETCH(bool, mirror1);
        QFETCH(bool, mirror2);
        QFETCH(int, turns);
        QFETCH(double, unitFactor);
        QFETCH(QPointF, object);
        QFETCH(QPointF, regionStart);
        QFETCH(QPointF, offset);
        GerberLayer layer;
        fill(layer);
        layer.mirror1 = mirror1;
        layer.mirror2 = mirror2;
        layer.quarterTurns = turns;
        layer.unitFactor = unitFactor;
        layer.offsetX = offset.x();
        layer.offsetY = offset.y();
        LayerTransform::replay(layer);
        QVERIFY(qFuzzyCompare(layer.objects().first()->x + 100, object.x() + 100));
        QVERIFY(qFuzzyCompare(layer.objects().first()->y + 100, object.y() + 100));
        QVERIFY(qFuzzyCompare(layer.regionPolygons().first()->first().x() + 100, regionStart.x() + 100));
        QTEST(layer.apertures().first()->parameterText[0], "rectX");
        QCOMPARE(layer.quarterTurns, turns); // the record stays as read
        // A polygon without rotation gets 90 on its first turn and turns with the coordinates
        // after that, so a turn and its inverse give back the shape.
        const int quarter = ((turns % 4) + 4) % 4;
        if (quarter != 0 && !mirror1)
            QCOMPARE(layer.apertures().at(1)->parameterText[2], QString::number(90 * quarter));
    }
};

QTEST_GUILESS_MAIN(TestLayerTransform)
#include "tst_layertransform.moc"
