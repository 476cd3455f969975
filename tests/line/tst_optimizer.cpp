#include "line/feederentry.h"
#include "line/machinetables.h"
#include "line/optimizer.h"
#include "model/pnpentry.h"

#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(MachineType)
using NozzleMap = QMap<int, int>;
Q_DECLARE_METATYPE(NozzleMap)

namespace {

// Lines of the per-feeder trace category, while a test listens.
QStringList traced;

// Placements and feeders of one test board, deleted with it.
struct Board
{
    QList<PnPEntry*> placements;
    QList<FeederEntry*> feeders;
    ~Board()
    {
        qDeleteAll(placements);
        qDeleteAll(feeders);
    }
    PnPEntry* place(const QString& ref, const QString& name, double x, double y, const QString& exec = "1")
    {
        auto* e = new PnPEntry(ref, name, x, y, "top", 0, "v", exec, QString());
        e->setLine(1);
        e->setMachine(1);
        placements.append(e);
        return e;
    }
    FeederEntry* feeder(const QString& name, int setNo, int nozzle = 1, int qty = 1)
    {
        auto* f = new FeederEntry;
        f->name = name;
        f->value = "v";
        f->setNo = setNo;
        f->nozzle = nozzle;
        f->qty = qty;
        feeders.append(f);
        return f;
    }
    QStringList refs(const QList<PnPEntry*>& list) const
    {
        QStringList out;
        for (const PnPEntry* e : list)
            out << e->refDes();
        return out;
    }
};

} // namespace

class TestOptimizer : public QObject
{
    Q_OBJECT
private slots:
    void tables_data();
    void tables();
    void distribution_data();
    void distribution();
    void timeText_data();
    void timeText();
    void smallBoardByHand();
    void unpickableEndsTheRun_data();
    void unpickableEndsTheRun();
    void lastPartIsReservedAtPick();
    void feederTraceIsOffByDefault();
};

void TestOptimizer::tables_data()
{
    QTest::addColumn<MachineType>("type");
    QTest::addColumn<int>("nozzles");
    QTest::addColumn<QVector<int>>("order");
    QTest::addColumn<QVector<int>>("head");
    QTest::addColumn<QVector<int>>("tail");
    QTest::addColumn<int>("size");
    // Each family: the first and last slots of the walk and where the benches turn.
    QTest::newRow("Topaz") << MachineType::Topaz << 8 << QVector<int> { 1, 3, 5, 7, 0, 2, 4, 6 }
                           << QVector<int> { 21, 22 } << QVector<int> { 102, 101 } << 90;
    QTest::newRow("Opal") << MachineType::Opal << 8 << QVector<int> { 0, 2, 4, 6, 1, 3, 5, 7 }
                          << QVector<int> { 21, 22 } << QVector<int> { 102, 101 } << 100;
    QTest::newRow("Eclipse") << MachineType::Eclipse << 2 << QVector<int> { 0, 1 } << QVector<int> { 35, 34 }
                             << QVector<int> { 101, 150 } << 100;
}

void TestOptimizer::tables()
{
    QFETCH(MachineType, type);
    QFETCH(int, nozzles);
    QFETCH(QVector<int>, order);
    QFETCH(QVector<int>, head);
    QFETCH(QVector<int>, tail);
    QFETCH(int, size);
    const MachineTables t = MachineTables::of(type);
    QCOMPARE(t.nozzleCount, nozzles);
    QCOMPARE(t.positionOrder, order);
    QCOMPARE(t.slotTable.size(), size);
    QCOMPARE(t.slotTable.mid(0, 2), head);
    QCOMPARE(t.slotTable.mid(size - 2), tail);
    QCOMPARE(QSet<int>(t.slotTable.cbegin(), t.slotTable.cend()).size(), size);
    if (type == MachineType::Topaz) {
        QCOMPARE(t.slotTable.mid(18, 4), (QVector<int> { 39, 40, 20, 19 }));
        QCOMPARE(t.slotTable.mid(38, 4), (QVector<int> { 2, 1, 126, 127 }));
        QVERIFY(!t.slotTable.contains(41) && !t.slotTable.contains(50));
    } else if (type == MachineType::Opal) {
        QCOMPARE(t.slotTable.mid(28, 4), (QVector<int> { 49, 50, 20, 19 }));
        QCOMPARE(t.slotTable.mid(48, 4), (QVector<int> { 2, 1, 126, 127 }));
    } else {
        QCOMPARE(t.slotTable.mid(19, 8), (QVector<int> { 16, 15, 36, 37, 38, 39, 40, 14 }));
        QCOMPARE(t.slotTable.mid(30, 4), (QVector<int> { 10, 41, 9, 42 }));
        QCOMPARE(t.slotTable.mid(48, 5), (QVector<int> { 1, 50, 135, 134, 133 }));
    }
}

void TestOptimizer::distribution_data()
{
    QTest::addColumn<NozzleMap>("totals");
    QTest::addColumn<int>("nozzles");
    QTest::addColumn<NozzleMap>("positions");
    QTest::addColumn<QVector<int>>("head"); // Opal position order for 8 nozzles
    QTest::newRow("6-3-1 on an Opal")
        << NozzleMap { { 1, 6 }, { 2, 3 }, { 3, 1 } } << 8 << NozzleMap { { 1, 5 }, { 2, 2 }, { 3, 1 } }
        << QVector<int> { 1, 1, 1, 2, 1, 2, 1, 3 };
    QTest::newRow("one nozzle") << NozzleMap { { 4, 17 } } << 8 << NozzleMap { { 4, 8 } }
                                << QVector<int> { 4, 4, 4, 4, 4, 4, 4, 4 };
    QTest::newRow("surplus taken from the largest")
        << NozzleMap { { 1, 1 }, { 2, 1 }, { 3, 1 }, { 5, 97 } } << 8
        << NozzleMap { { 1, 1 }, { 2, 1 }, { 3, 1 }, { 5, 5 } } << QVector<int> { 5, 5, 5, 1, 5, 2, 5, 3 };
    QTest::newRow("all quantities 0")
        << NozzleMap { { 2, 0 }, { 3, 0 } } << 8 << NozzleMap { { 2, 7 }, { 3, 1 } }
        << QVector<int> { 2, 2, 2, 2, 2, 2, 2, 3 };
    QTest::newRow("Eclipse") << NozzleMap { { 1, 9 }, { 2, 1 } } << 2 << NozzleMap { { 1, 1 }, { 2, 1 } }
                             << QVector<int>();
    QTest::newRow("more nozzle numbers than positions")
        << NozzleMap { { 1, 1 }, { 2, 1 }, { 3, 1 } } << 2 << NozzleMap() << QVector<int>();
    QTest::newRow("no feeder") << NozzleMap() << 8 << NozzleMap() << QVector<int>();
}

void TestOptimizer::distribution()
{
    QFETCH(NozzleMap, totals);
    QFETCH(int, nozzles);
    QFETCH(NozzleMap, positions);
    QFETCH(QVector<int>, head);
    QCOMPARE(distributeNozzles(totals, nozzles), positions);
    if (!head.isEmpty())
        QCOMPARE(buildHead(positions, MachineTables::of(MachineType::Opal).positionOrder), head);
}

void TestOptimizer::timeText_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("3700 s") << 3700.0 << "1:01:40";
    QTest::newRow("65.5 s") << 65.5 << "0:01:05.5";
    QTest::newRow("just below a minute") << 59.99999 << "0:01:00";
    QTest::newRow("just below an hour") << 3599.99999 << "1:00:00";
    QTest::newRow("tiny") << 1e-7 << "0:00:00";
    QTest::newRow("ten-thousandth") << 0.0001 << "0:00:00.0001";
    QTest::newRow("nothing") << 0.0 << "0:00:00";
    QTest::newRow("not a number") << qQNaN() << "0:00:00";
}

void TestOptimizer::timeText()
{
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(placementTimeText(seconds), text);
}

void TestOptimizer::smallBoardByHand()
{
    // Centre (5, 5). Quadrant 0 holds R1 and R3, quadrant 3 R2 and C1; X is placed by hand.
    Board b;
    b.place("R1", "R", 0, 0);
    b.place("R2", "R", 10, 10);
    b.place("X", "X", 2, 8, "2");
    b.place("C1", "C", 9, 9);
    b.place("R3", "R", 1, 1);
    b.feeder("R", 21, 1, 3);
    b.feeder("C", 30, 1, 1);

    const OptimizerResult r = optimizePlacements(b.placements, 1, 1, MachineType::Opal, b.feeders);
    QCOMPARE(r.status, OptimizerStatus::Done);
    QCOMPARE(b.refs(r.order), (QStringList { "R1", "R3", "R2", "C1", "X" }));
    QList<int> cycles;
    for (const OptimizedStep& s : r.steps)
        cycles << s.cycle;
    QCOMPARE(cycles, (QList<int> { 1, 1, 2, 2 }));
    // Quadrant 0: slot 21 under position 0 at offset 0, under position 7 at offset -7.
    // Quadrant 3: R at offset 0, then slot 30 (index 9) under position 7 at offset 2.
    QCOMPARE(r.pickStops, 4);
    QCOMPARE(r.cycles, 2);
    QCOMPARE(r.feederTravel, 32.0);
    QCOMPARE(r.placementTravel, 2.0);
    QCOMPARE(r.timeText, QString("0:00:04.302"));
    QCOMPARE(r.title(), QString("Success"));
    QCOMPARE(r.message(), QString("Pick-and-Place quantized in 0:00:04.302"));
    QCOMPARE(r.log.mid(0, 7),
        (QStringList { "Optimierung", "Opal", "Nozzleverteilung ermitteln", "Quadranten", "Quadrant zuweisen",
            "Quadrant Länge: 2", "Optimierungsschleife" }));
    QCOMPARE(r.log.last(), QString("Entscheidung, Zuweisung"));
    // The inputs are left as they were.
    QCOMPARE(b.refs(b.placements), (QStringList { "R1", "R2", "X", "C1", "R3" }));
    QCOMPARE(b.feeders.first()->qty, 3);
}

void TestOptimizer::unpickableEndsTheRun_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    const QString inconsistent = "Pick-and-Place Lists inconsisten";
    const QString refused = "Some Data are incorrect or inconsistent. Please Check your Instructions.";
    QTest::newRow("optimize flag 0") << "flag" << inconsistent;
    QTest::newRow("every optimize flag 0") << "all flags" << inconsistent;
    QTest::newRow("slot not in the table") << "slot" << inconsistent;
    QTest::newRow("three nozzles on an Eclipse") << "nozzles" << inconsistent;
    QTest::newRow("feeder list of other parts") << "list" << refused;
    QTest::newRow("no machine") << "machine" << refused;
}

void TestOptimizer::unpickableEndsTheRun()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    Board b;
    b.place("R1", "R", 0, 0);
    b.place("C1", "C", 10, 10);
    b.place("L1", "L", 5, 5);
    FeederEntry* r = b.feeder("R", 21, 1);
    FeederEntry* c = b.feeder("C", 22, 1);
    b.feeder("L", 23, 1);
    int machine = 1;
    if (fault == "flag")
        c->optimize = 0;
    if (fault == "all flags")
        for (FeederEntry* f : b.feeders)
            f->optimize = 0;
    if (fault == "slot")
        c->setNo = 45; // the Topaz walks slots 1 to 40 only
    if (fault == "nozzles") {
        r->nozzle = 2;
        c->nozzle = 3;
    }
    if (fault == "list")
        c->name = "D";
    if (fault == "machine")
        machine = 0;
    const MachineType type = fault == "nozzles" ? MachineType::Eclipse : MachineType::Topaz;
    const OptimizerResult result = optimizePlacements(b.placements, 1, machine, type, b.feeders);
    QCOMPARE(result.title(), QString("Error"));
    QCOMPARE(result.message(), message);
    QVERIFY(result.order.size() < b.placements.size() || result.status == OptimizerStatus::Refused);
}

void TestOptimizer::lastPartIsReservedAtPick()
{
    // One part on a head of eight positions that all carry its nozzle: one pick, one placement.
    Board b;
    b.place("R1", "R", 0, 0);
    b.place("R2", "R", 10, 0);
    b.feeder("R", 21, 1, 2);
    const OptimizerResult r = optimizePlacements(b.placements, 1, 1, MachineType::Opal, b.feeders);
    QCOMPARE(r.status, OptimizerStatus::Done);
    QCOMPARE(b.refs(r.order), (QStringList { "R1", "R2" }));
    QCOMPARE(r.cycles, 2);
    QCOMPARE(r.pickStops, 2);
}

void TestOptimizer::feederTraceIsOffByDefault()
{
    QVERIFY(!lcOptimizerFeeders().isDebugEnabled());
    QVERIFY(lcOptimizer().isDebugEnabled());
    // When asked for, each feeder examined at a slot gives one line.
    Board b;
    b.place("R1", "R", 0, 0);
    b.feeder("R", 21, 1, 1);
    QLoggingCategory::setFilterRules("tessavrant.optimizer.feeders.debug=true");
    const QtMessageHandler previous
        = qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& text) {
              if (QByteArray(context.category) == "tessavrant.optimizer.feeders")
                  traced << text;
          });
    optimizePlacements(b.placements, 1, 1, MachineType::Eclipse, b.feeders);
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    QVERIFY(!traced.isEmpty());
    QCOMPARE(traced.first(), QString("Qty: 1SetNo: 21 == 35?Nozzle: 1 == 1?"));
}

QTEST_GUILESS_MAIN(TestOptimizer)
#include "tst_optimizer.moc"
