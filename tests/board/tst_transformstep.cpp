// Command-line transform steps: their syntax and the sides they act on.
#include "board/transformstep.h"
#include "gerber/layerset.h"
#include "model/document.h"

#include <QtTest>

class TestTransformStep : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        using K = TransformStep::Kind;
        QTest::newRow("rotate") << "rotate" << true << int(K::Rotate) << 0.0 << 0.0;
        QTest::newRow("shift comma") << "shift-x:1,5" << true << int(K::ShiftX) << 1.5 << 0.0;
        QTest::newRow("shift y") << "shift-y:-2" << true << int(K::ShiftY) << -2.0 << 0.0;
        QTest::newRow("origin exponent") << "origin:1e-05,2.5" << true << int(K::Origin) << 1e-05 << 2.5;
        QTest::newRow("rotation") << "rotation:30" << true << int(K::Rotation) << 30.0 << 0.0;
        QTest::newRow("origin one value") << "origin:3" << false << 0 << 0.0 << 0.0;
        QTest::newRow("nan") << "rotation:nan" << false << 0 << 0.0 << 0.0;
        QTest::newRow("inf") << "shift-x:inf" << false << 0 << 0.0 << 0.0;
        QTest::newRow("missing value") << "shift-x:" << false << 0 << 0.0 << 0.0;
        QTest::newRow("unknown") << "spin" << false << 0 << 0.0 << 0.0;
        QTest::newRow("value on a plain step") << "mirror:2" << false << 0 << 0.0 << 0.0;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, kind);
        QFETCH(double, a);
        QFETCH(double, b);
        const std::optional<TransformStep> step = TransformStep::parse(text);
        QCOMPARE(step.has_value(), ok);
        if (step) {
            QCOMPARE(int(step->kind), kind);
            QCOMPARE(step->a, a);
            QCOMPARE(step->b, b);
        }
    }

    // A bottom-side file mirrored for the line: the bottom side changes, the empty top does not;
    // switch-side then carries the placements across.
    void stepsActOnTheSidesThatHoldPlacements()
    {
        Document doc;
        LayerSet layers;
        doc.setSide(false);
        doc.appendEntry(new PnPEntry("C1", "0402", 10, 5, "bottom", 0, "1u", "1", ""));
        doc.writeBackWorkingList();
        setBoardSize(doc, 100, 50);
        applyTransformSteps(doc, layers,
            { *TransformStep::parse("mirror"), *TransformStep::parse("switch-side"),
                *TransformStep::parse("shift-y:2") });
        QVERIFY(doc.activeSideIsTop());
        QCOMPARE(doc.bottomList().size(), 0);
        QCOMPARE(doc.topList().size(), 1);
        const PnPEntry& e = *doc.topList().first();
        QCOMPARE(QPointF(e.x(), e.y()), QPointF(90, 7));
        QCOMPARE(e.rotation(), 180.0);
        QCOMPARE(e.side(), QStringLiteral("top"));
    }
};

QTEST_GUILESS_MAIN(TestTransformStep)
#include "tst_transformstep.moc"
