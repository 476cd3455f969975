// Turning, mirroring and shifting a side: the formulas, their inverses and a real board.
#include "board/boardtransform.h"
#include "board/layertransform.h"
#include "corpus.h"
#include "datatable.h"
#include "documentsetup.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/layerset.h"
#include "model/document.h"
#include "project/projectfile.h"

#include <QtTest>
#include <memory>

using namespace BoardTransform;

namespace {

const QString rect[Aperture::ParameterCount] = { "2", "1", "x", "x" };

PnPEntry* entry(double x, double y, double rotation)
{
    return new PnPEntry("R1", "0603", x, y, "top", rotation, "10k", "1", "");
}

// A side with something of everything: placements, fiducials, a drawing, panel origins and a
// top copper layer with a flash, a draw, a region and an arc.
void fill(Document& doc, LayerSet& layers, QPointF origin = QPointF())
{
    editBoard(doc, [&](BoardInfo& b) {
        b.setWidth(100);
        b.setHeight(50);
        b.setOriginX(origin.x());
        b.setOriginY(origin.y());
    });
    doc.appendEntry(entry(10, 40, 0));
    doc.appendEntry(entry(12.345, 7, 90));
    editFiducials(doc, [](Fiducials& f) {
        f.setBoard1X(1);
        f.setBoard1Y(2);
        f.setBoard2X(98);
        f.setBoard2Y(48);
        f.setBlock1X(5);
        f.setBlock1Y(6);
        f.setBoardExec(true);
        f.setGeometryIndex(Fiducials::Square);
        f.setGeometryY(2);
    });
    Drawing d;
    d.startX = 1;
    d.startY = 2;
    d.endX = 30;
    d.endY = 45;
    doc.setDrawings({ d });
    doc.setOrigins({ Origin { 0, 0, 1 } });
    auto layer = std::make_unique<GerberLayer>();
    layer->unitFactor = 25.4;
    Aperture* a = layer->addAperture(new Aperture("D10", "R", rect));
    layer->createObject(a, 0.5, 1.5, ImageObject::flash(), true);
    layer->createObject(a, 2.5, 0.25, ImageObject::draw(), true);
    layer->addRegion(new QPolygonF(QVector<QPointF> { QPointF(1, 1), QPointF(2, 1), QPointF(2, 3) }), true);
    auto* arc = new ArcRecord;
    arc->startAngle = 100;
    arc->sweepAngle = 700;
    layer->addArcRecord(arc);
    layers.replace(LayerList::Top, 0, std::move(layer));
    doc.setModified(false);
}

// Every number an edit may change, in a fixed order.
QVector<double> numbers(const Document& doc, const LayerSet& layers)
{
    QVector<double> n;
    for (const PnPEntry* e : doc.currentList())
        n << e->x() << e->y() << e->rotation();
    const Fiducials& f = *doc.fiducials();
    n << f.board1X() << f.board1Y() << f.board2X() << f.board2Y() << f.block1X() << f.block1Y() << f.block2X()
      << f.block2Y() << f.geometryX() << f.geometryY();
    const BoardInfo& b = *doc.boardInfo();
    n << b.width() << b.height() << b.originX() << b.originY();
    for (const Drawing& d : doc.drawings())
        n << d.startX << d.startY << d.endX << d.endY;
    const GerberLayer& l = *layers.slot(true, LayerSlot::Signal);
    for (const ImageObject* o : l.objects())
        n << o->x << o->y;
    for (const QPolygonF* p : l.regionPolygons())
        for (const QPointF& q : *p)
            n << q.x() << q.y();
    for (const ArcRecord* a : l.arcRecords())
        n << a->startAngle << a->sweepAngle;
    n << l.offsetX << l.offsetY << l.quarterTurns << l.mirror1;
    return n;
}

QPointF flashMm(const GerberLayer& layer, int i)
{
    const ImageObject* o = layer.objects().at(i);
    return QPointF(o->x, o->y) * layer.unitFactor;
}

QPointF placementMm(const Document& doc)
{
    const PnPEntry* e = doc.currentList().first();
    return QPointF(doc.boardInfo()->originX() + e->x(), doc.boardInfo()->originY() + e->y());
}

} // namespace

class TestBoardTransform : public QObject
{
    Q_OBJECT

private slots:
    void rotateBoardFormulas_data()
    {
        // placement: the first one, (10, 40) at 0 degrees
        // flash: mm, from (0.5, 1.5) inch
        // fiducial: board fiducial 1, absolute, from (1, 2) + origin
        columns<bool, bool, QPointF, QPointF, QSizeF, QPointF, QPointF, QPointF>(
            "gerber", "pnp", "origin", "placement", "board", "newOrigin", "flash", "fiducial");
        row("placements only", false, true, QPointF(), QPointF(10, 10), QSizeF(100, 50), QPointF(),
            QPointF(12.7, 38.1), QPointF(1, 2));
        // Absolute (13, 47) turns to (3, 13); the origin swaps to (7, 3).
        row("both, origin", true, true, QPointF(3, 7), QPointF(-4, 10), QSizeF(50, 100), QPointF(7, 3),
            QPointF(50 - 38.1, 12.7), QPointF(41, 4));
        // Fiducials are copper marks: they turn with the layers.
        row("layers only", true, false, QPointF(), QPointF(10, 40), QSizeF(50, 100), QPointF(),
            QPointF(50 - 38.1, 12.7), QPointF(48, 1));
    }
    void rotateBoardFormulas()
    {
        QFETCH(bool, gerber);
        QFETCH(bool, pnp);
        QFETCH(QPointF, origin);
        QFETCH(QPointF, newOrigin);
        Document doc;
        LayerSet layers;
        fill(doc, layers, origin);
        const double geometryX = doc.fiducials()->geometryX();
        const ChangedLayers changed = rotateBoard(doc, layers, RotateOptions { gerber, pnp });
        const PnPEntry& e = *doc.currentList().first();
        QTEST(QPointF(e.x(), e.y()), "placement");
        QCOMPARE(e.rotation(), pnp ? 90.0 : 0.0);
        QTEST(QSizeF(doc.boardInfo()->width(), doc.boardInfo()->height()), "board");
        QCOMPARE(QPointF(doc.boardInfo()->originX(), doc.boardInfo()->originY()), newOrigin);
        QCOMPARE(doc.origins().isEmpty(), pnp);
        QCOMPARE(changed.size(), gerber ? 1 : 0);
        QTEST(flashMm(*layers.slot(true, LayerSlot::Signal), 0), "flash");
        const Fiducials& f = *doc.fiducials();
        QTEST(QPointF(f.board1X(), f.board1Y()) + newOrigin, "fiducial");
        QCOMPARE(f.geometryX(), gerber ? 2.0 : geometryX);
    }

    void mirrorBoardFormulas()
    {
        Document doc;
        LayerSet layers;
        fill(doc, layers);
        mirrorBoard(doc, layers);
        QCOMPARE(doc.currentList().at(1)->rotation(), 90.0);
        const PnPEntry& e = *doc.currentList().first();
        QCOMPARE(QVector<double>({ e.x(), e.y(), e.rotation() }), QVector<double>({ 90, 40, 180 }));
        QVERIFY(doc.origins().isEmpty());
        QCOMPARE(doc.drawings().first().endX, 70.0);
        // The arc keeps its span: 180 - (start + sweep) over the same sweep.
        const ArcRecord& arc = *layers.slot(true, LayerSlot::Signal)->arcRecords().first();
        QCOMPARE(QPoint(arc.startAngle, arc.sweepAngle), QPoint(2880 - 800, 700));
    }

    void gerberModeMovesOnlyLayersAndDrawings()
    {
        Document doc;
        LayerSet layers;
        fill(doc, layers);
        auto layer = std::make_unique<GerberLayer>();
        layer->unitFactor = 1.0;
        layer->createObject(nullptr, 4, 3, ImageObject::flash(), true);
        layers.replace(LayerList::GerberMode, 0, std::move(layer));
        doc.setGerberMode(true);
        const QVector<double> before = numbers(doc, layers);
        rotateBoard(doc, layers, RotateOptions {});
        mirrorBoard(doc, layers);
        // (4, 3) turns about (0, 0) to (-3, 4), then mirrors about x = 0.
        const ImageObject& o = *layers.layer(LayerList::GerberMode, 0)->objects().first();
        QCOMPARE(QPointF(o.x, o.y), QPointF(3, 4));
        QCOMPARE(doc.drawings().first().startX, 2.0);
        QCOMPARE(doc.origins().size(), 1);
        QCOMPARE(numbers(doc, layers).mid(0, 19), before.mid(0, 19)); // placements, fiducials, board
    }

    void newOriginCutsTheShift_data()
    {
        // placement: the second one, (12.345, 7)
        columns<QPointF, QPointF>("click", "placement");
        row("whole", QPointF(10, 5), QPointF(2.345, 2));
        row("cut to 0.01", QPointF(10.0049, 5.019), QPointF(2.345, 1.99));
        row("just below a step", QPointF(9.99999999999, 5), QPointF(2.345, 2));
        row("tiny", QPointF(1e-05, -1e-05), QPointF(12.345, 7));
    }
    void newOriginCutsTheShift()
    {
        QFETCH(QPointF, click);
        QFETCH(QPointF, placement);
        Document doc;
        LayerSet layers;
        fill(doc, layers);
        const GerberLayer& layer = *layers.slot(true, LayerSlot::Signal);
        const QPointF before = flashMm(layer, 0);
        const std::optional<ChangedLayers> changed = setNewOrigin(doc, layers, click.x(), click.y());
        QVERIFY(changed);
        const PnPEntry& e = *doc.currentList().at(1);
        QCOMPARE(QPointF(e.x(), e.y()), placement);
        // The layer, the enabled fiducials and the drawings moved by the very same amount.
        const QPointF shift = QPointF(12.345, 7) - placement;
        const QPointF moved = before - flashMm(layer, 0);
        QVERIFY(qAbs(moved.x() - shift.x()) < 1e-9 && qAbs(moved.y() - shift.y()) < 1e-9);
        QVERIFY(qAbs(1 - doc.fiducials()->board1X() - shift.x()) < 1e-9);
        QVERIFY(!setNewOrigin(doc, layers, qQNaN(), 0));
    }

    void inversesGiveBackTheDocument_data()
    {
        QTest::addColumn<int>("kind");
        row("four turns", 0);
        row("two mirrors", 1);
        row("shift and back", 2);
        row("origin and back", 3);
    }
    void inversesGiveBackTheDocument()
    {
        QFETCH(int, kind);
        Document doc;
        LayerSet layers;
        fill(doc, layers, QPointF(3.5, -7.25));
        doc.setOrigins({});
        const QVector<double> before = numbers(doc, layers);
        for (int i = 0; i < 4; ++i) {
            if (kind == 0)
                rotateBoard(doc, layers, RotateOptions {});
            else if (kind == 1 && i < 2)
                mirrorBoard(doc, layers);
            else if (kind == 2 && i < 2)
                shiftPlacements(doc, i == 0 ? Axis::X : Axis::Y, 0.37);
            else if (kind == 2)
                shiftPlacements(doc, i == 2 ? Axis::X : Axis::Y, -0.37);
            else if (kind == 3 && i < 2)
                setNewOrigin(doc, layers, i == 0 ? 12.34 : -12.34, i == 0 ? -0.07 : 0.07);
        }
        const QVector<double> after = numbers(doc, layers);
        QCOMPARE(after.size(), before.size());
        for (int i = 0; i < before.size(); ++i)
            QVERIFY2(qAbs(after[i] - before[i]) < 1e-9, qPrintable(QString::number(i)));
    }

    // A shift or turn whose result would overflow leaves that placement as it was.
    void overflowingResultsAreNotStored()
    {
        Document doc;
        LayerSet layers;
        PnPEntry* huge = entry(1.5e308, -1.5e308, 10);
        doc.appendEntry(huge);
        editBoard(doc, [&](BoardInfo& b) { b.setHeight(1e308); });
        QVERIFY(shiftPlacements(doc, Axis::X, 1e308) && rotatePlacements(doc, 45));
        rotateBoard(doc, layers, RotateOptions {});
        QCOMPARE(QPointF(huge->x(), huge->y()), QPointF(1.5e308, -1.5e308));
        QCOMPARE(huge->rotation(), 10.0);
    }

    // On a real copper layer, a pad and the placement put on it stay together through turns,
    // mirrors and origin moves, and after the layer is read again from its lines.
    void padAndPlacementStayTogether()
    {
        const QString path = corpusRoot() + "/gerber/gerbonara/resources/diptrace/mainboard_Top.gbr";
        if (!QFile::exists(path))
            QSKIP("the corpus of real CAD files is absent");
        Document doc;
        LayerSet layers;
        auto read = std::make_unique<GerberLayer>();
        QVERIFY(loadGerber(path, *read));
        int pad = 0;
        while (pad < read->objects().size() && read->objects().at(pad)->kind() != ImageObject::flash())
            ++pad;
        QVERIFY(pad < read->objects().size());
        layers.replace(LayerList::Top, 0, std::move(read));
        const GerberLayer& layer = *layers.slot(true, LayerSlot::Signal);
        editBoard(doc, [&](BoardInfo& b) {
            b.setWidth(80);
            b.setHeight(60);
            b.setOriginX(3);
            b.setOriginY(7);
        });
        const QPointF start = flashMm(layer, pad);
        doc.appendEntry(entry(start.x() - 3, start.y() - 7, 0));
        const auto together = [&] {
            const QPointF d = flashMm(layer, pad) - placementMm(doc);
            return qAbs(d.x()) < 1e-6 && qAbs(d.y()) < 1e-6;
        };
        rotateBoard(doc, layers, RotateOptions {});
        QVERIFY(together());
        mirrorBoard(doc, layers);
        QVERIFY(together());
        QVERIFY(setNewOrigin(doc, layers, 12.3456, -4.5));
        QVERIFY(together());
        rotateBoard(doc, layers, RotateOptions {});
        rotateBoard(doc, layers, RotateOptions {});
        QVERIFY(together());

        // Saved and read again: the layer is parsed from its lines and its transform replayed.
        Document loaded;
        LayerSet loadedLayers;
        QString error;
        QVERIFY2(
            readProjectBytes(projectBytes(doc, layers, {}), "saved", loaded, loadedLayers, nullptr, &error),
            qPrintable(error));
        const QPointF d = flashMm(*loadedLayers.slot(true, LayerSlot::Signal), pad) - placementMm(loaded);
        QVERIFY(qAbs(d.x()) < 1e-6 && qAbs(d.y()) < 1e-6);
    }
};

QTEST_GUILESS_MAIN(TestBoardTransform)
#include "tst_boardtransform.moc"
