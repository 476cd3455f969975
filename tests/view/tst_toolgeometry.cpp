#include "datatable.h"
#include "documentsetup.h"
#include "model/document.h"
#include "view/selectionhits.h"
#include "view/toolgeometry.h"

#include <QtTest>
#include <cmath>
#include <limits>

// The arithmetic behind the board view's tools: snapping, bearings, read-outs and hit tests.
class TstToolGeometry : public QObject
{
    Q_OBJECT
private slots:
    void snapping_data()
    {
        // movement: the movement tool snaps negatives toward zero
        columns<double, double, double, double>("v", "spacing", "nearest", "movement");
        row("half up", 2.5, 1.0, 3.0, 3.0);
        row("half away from zero", -2.5, 1.0, -3.0, -2.0);
        row("below half", 2.49, 1.0, 2.0, 2.0);
        row("negative beyond half", -0.7, 1.0, -1.0, 0.0);
        row("fine grid", 0.26, 0.1, 0.3, 0.3);
        row("no spacing", 1.7, 0.0, 1.7, 1.7);
    }
    void snapping()
    {
        QFETCH(double, v);
        QFETCH(double, spacing);
        QFETCH(double, nearest);
        QFETCH(double, movement);
        QVERIFY(qFuzzyCompare(1 + ToolGeometry::snap(v, spacing), 1 + nearest));
        QVERIFY(qFuzzyCompare(1 + ToolGeometry::snapMovement(v, spacing), 1 + movement));
    }

    void readOutTruncatesWithoutLosingAHundredth()
    {
        // 0.29 is stored as 0.28999…; the read-out must not show 0.28.
        QStringList shown;
        for (const double v :
            { 0.29, std::fabs(0.3 - 0.01), 1.239, 1.5, std::numeric_limits<double>::quiet_NaN() })
            shown << ToolGeometry::measureText(v);
        QCOMPARE(shown, QStringList({ "0.29mm", "0.29mm", "1.23mm", "1.50mm", "0.00mm" }));
    }

    void bearingIsClockwiseFromPlusY()
    {
        const struct
        {
            QPointF p;
            double degrees;
        } cases[] = { { { 0, 5 }, 0 }, { { 3, 3 }, 45 }, { { 2, 0 }, 90 }, { { 1, -1 }, 135 },
            { { 0, -4 }, 180 }, { { -2, 0 }, 270 }, { { -1, 1 }, 315 } };
        for (const auto& c : cases) {
            const std::optional<double> b = ToolGeometry::bearing(c.p + QPointF(10, 20), QPointF(10, 20));
            QVERIFY2(b && qFuzzyCompare(1 + *b, 1 + c.degrees), qPrintable(QString::number(b.value_or(-1))));
        }
        // No direction at the pivot, and no NaN from it.
        QVERIFY(!ToolGeometry::bearing(QPointF(10, 20), QPointF(10, 20))
            && !ToolGeometry::bearing(QPointF(std::numeric_limits<double>::infinity(), 0)));
    }

    void drawingHitTest_data()
    {
        // corners: start = topLeft, end = bottomRight, as drawn
        columns<int, QRectF, QPointF, bool>("type", "corners", "click", "hit");
        const QRectF rightToLeft(QPointF(10, 5), QPointF(2, 5));
        row("line drawn right to left", 0, rightToLeft, QPointF(6, 5.3), true);
        row("line beyond its end", 0, rightToLeft, QPointF(11, 5), false);
        row("diagonal line off the segment", 0, QRectF(QPointF(0, 0), QPointF(10, 10)), QPointF(8, 2), false);
        row("zero-length line near", 0, QRectF(QPointF(3, 3), QPointF(3, 3)), QPointF(3.3, 3.3), true);
        row("zero-length line away", 0, QRectF(QPointF(3, 3), QPointF(3, 3)), QPointF(4, 3), false);
        const QRectF backwards(QPointF(10, 8), QPointF(2, 1));
        row("rectangle drawn backwards, edge", 1, backwards, QPointF(2.2, 4), true);
        row("rectangle, deep inside", 1, backwards, QPointF(6, 4), false);
        row("filled rectangle, deep inside", 2, backwards, QPointF(6, 4), true);
        row("text box inside", 3, QRectF(QPointF(0, 0), QPointF(8, 2)), QPointF(4, 1), true);
    }
    void drawingHitTest()
    {
        QFETCH(int, type);
        QFETCH(QRectF, corners);
        QFETCH(QPointF, click);
        Drawing d;
        d.type = type;
        d.startX = corners.left();
        d.startY = corners.top();
        d.endX = corners.right();
        d.endY = corners.bottom();
        QTEST(ToolGeometry::hitsDrawing(d, click, 0.5), "hit");
    }

    // The fiducial shape decides the hit: a square uses both sizes, a circle only size X.
    void fiducialHitTest()
    {
        using SelectionHits::FiducialId;
        Document doc;
        editFiducials(doc, [](Fiducials& f) {
            f.setBoardExec(true);
            f.setBoard1X(10);
            f.setBoard1Y(10);
            f.setBoard2X(50);
            f.setGeometryIndex(Fiducials::Square);
            f.setGeometryX(1);
            f.setGeometryY(2);
        });
        QCOMPARE(
            SelectionHits::fiducialsAt(doc, QPointF(10.4, 10.9)), QList<FiducialId> { FiducialId::Board1 });
        QVERIFY(SelectionHits::fiducialsAt(doc, QPointF(10.6, 10)).isEmpty());
        editFiducials(doc, [](Fiducials& f) { f.setGeometryIndex(Fiducials::Circle); });
        QVERIFY(SelectionHits::fiducialsAt(doc, QPointF(10, 10.9)).isEmpty()); // size X only
        QCOMPARE(
            SelectionHits::fiducialsAt(doc, QPointF(10.5, 9.5)), QList<FiducialId> { FiducialId::Board1 });
        // Drawn (and so hit) at the board origin plus their own position.
        editBoard(doc, [&](BoardInfo& b) { b.setOriginX(5); });
        QCOMPARE(SelectionHits::fiducialsAt(doc, QPointF(15, 10)), QList<FiducialId> { FiducialId::Board1 });
        editFiducials(doc, [](Fiducials& f) { f.setBoardExec(false); });
        QVERIFY(SelectionHits::fiducialsAt(doc, QPointF(15, 10)).isEmpty());
    }
};

QTEST_MAIN(TstToolGeometry)
#include "tst_toolgeometry.moc"
