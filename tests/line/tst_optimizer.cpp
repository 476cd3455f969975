#include "datatable.h"
#include "documentsetup.h"
#include "line/feederentry.h"
#include "line/feederlist.h"
#include "line/machinetables.h"
#include "line/optimizer.h"
#include "line/quadrantpicks.h"
#include "model/pnpentry.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>

Q_DECLARE_METATYPE(MachineType)
using NozzleMap = QMap<int, int>;
Q_DECLARE_METATYPE(NozzleMap)

namespace {

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
        const auto n = [](int v) { return QString::number(v); };
        feeders.append(
            FeederList::fromFields({ "0", "v", name, "0", n(setNo), "8mm", n(nozzle), "1", n(qty), "0" }));
        return feeders.last();
    }
};

} // namespace

class TestOptimizer : public QObject
{
    Q_OBJECT
private slots:
    void tables_data()
    {
        // probes: pairs: index into the walk, slot number there
        columns<MachineType, int, QVector<int>, int, QVector<int>>(
            "type", "nozzles", "order", "size", "probes");
        // Each family: the ends of the walk and where it turns and changes benches.
        row("Topaz", MachineType::Topaz, 8, QVector<int> { 1, 3, 5, 7, 0, 2, 4, 6 }, 90,
            QVector<int> { 0, 21, 19, 40, 20, 20, 39, 1, 40, 126, 64, 150, 65, 125, 89, 101 });
        row("Opal", MachineType::Opal, 8, QVector<int> { 0, 2, 4, 6, 1, 3, 5, 7 }, 100,
            QVector<int> { 0, 21, 29, 50, 30, 20, 49, 1, 50, 126, 99, 101 });
        row("Eclipse", MachineType::Eclipse, 2, QVector<int> { 0, 1 }, 100,
            QVector<int> {
                0, 35, 20, 15, 21, 36, 26, 14, 30, 10, 31, 41, 32, 9, 48, 1, 49, 50, 50, 135, 99, 150 });
    }

    void tables()
    {
        QFETCH(MachineType, type);
        QFETCH(int, size);
        QFETCH(QVector<int>, probes);
        const MachineTables t = MachineTables::of(type);
        QTEST(t.nozzleCount, "nozzles");
        QTEST(t.positionOrder, "order");
        QCOMPARE(t.slotTable.size(), size);
        QCOMPARE(QSet<int>(t.slotTable.cbegin(), t.slotTable.cend()).size(), size);
        for (int i = 0; i + 1 < probes.size(); i += 2)
            QCOMPARE(t.slotTable.value(probes.at(i)), probes.at(i + 1));
    }

    void distribution_data()
    {
        // head: Opal position order for 8 nozzles
        columns<NozzleMap, int, NozzleMap, QVector<int>>("totals", "nozzles", "positions", "head");
        row("6-3-1 on an Opal", NozzleMap { { 1, 6 }, { 2, 3 }, { 3, 1 } }, 8,
            NozzleMap { { 1, 5 }, { 2, 2 }, { 3, 1 } }, QVector<int> { 1, 1, 1, 2, 1, 2, 1, 3 });
        row("one nozzle", NozzleMap { { 4, 17 } }, 8, NozzleMap { { 4, 8 } },
            QVector<int> { 4, 4, 4, 4, 4, 4, 4, 4 });
        row("surplus taken from the largest", NozzleMap { { 1, 1 }, { 2, 1 }, { 3, 1 }, { 5, 97 } }, 8,
            NozzleMap { { 1, 1 }, { 2, 1 }, { 3, 1 }, { 5, 5 } }, QVector<int> { 5, 5, 5, 1, 5, 2, 5, 3 });
        row("all quantities 0", NozzleMap { { 2, 0 }, { 3, 0 } }, 8, NozzleMap { { 2, 7 }, { 3, 1 } },
            QVector<int> { 2, 2, 2, 2, 2, 2, 2, 3 });
        row("Eclipse", NozzleMap { { 1, 9 }, { 2, 1 } }, 2, NozzleMap { { 1, 1 }, { 2, 1 } }, QVector<int>());
        row("more nozzle numbers than positions", NozzleMap { { 1, 1 }, { 2, 1 }, { 3, 1 } }, 2, NozzleMap(),
            QVector<int>());
        row("no feeder", NozzleMap(), 8, NozzleMap(), QVector<int>());
    }

    void distribution()
    {
        QFETCH(NozzleMap, totals);
        QFETCH(int, nozzles);
        QFETCH(NozzleMap, positions);
        QFETCH(QVector<int>, head);
        QCOMPARE(distributeNozzles(totals, nozzles), positions);
        if (!head.isEmpty())
            QCOMPARE(buildHead(positions, MachineTables::of(MachineType::Opal).positionOrder), head);
    }

    void timeText_data()
    {
        columns<double, QString>("seconds", "text");
        row("3700 s", 3700.0, "1:01:40");
        row("65.5 s", 65.5, "0:01:05.5");
        row("just below a minute", 59.99999, "0:01:00");
        row("just below an hour", 3599.99999, "1:00:00");
        row("tiny", 1e-7, "0:00:00");
        row("ten-thousandth", 0.0001, "0:00:00.0001");
        row("not a number", qQNaN(), "0:00:00");
    }

    void timeText()
    {
        QFETCH(double, seconds);
        QTEST(placementTimeText(seconds), "text");
    }

    void smallBoardByHand()
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
        QCOMPARE(refs(r.order), (QStringList { "R1", "R3", "R2", "C1", "X" }));
        QList<int> cycles;
        for (const OptimizedStep& s : r.steps)
            cycles << s.cycle;
        QCOMPARE(cycles, (QList<int> { 1, 1, 2, 2 }));
        // Quadrant 0: slot 21 under position 0 at offset 0, under position 7 at offset -7; the two
        // parts are reserved there, so no third position takes slot 21 on the way back.
        // Quadrant 3: R at offset 0, then slot 30 (index 9) under position 7 at offset 2.
        QCOMPARE(
            QVector<double>({ double(r.pickStops), double(r.cycles), r.feederTravel, r.placementTravel }),
            QVector<double>({ 4, 2, 32, 2 }));
        QCOMPARE(r.timeText, QString("0:00:04.302"));
        QCOMPARE(r.title() + ": " + r.message(), QString("Success: Pick-and-Place quantized in 0:00:04.302"));
        // The inputs are left as they were.
        QCOMPARE(refs(b.placements), (QStringList { "R1", "R2", "X", "C1", "R3" }));
        QCOMPARE(b.feeders.first()->qty, 3);
    }

    void unpickableEndsTheRun_data()
    {
        // detail: part types left over with their sets, placements not ordered
        columns<QString, QString, QString>("fault", "message", "detail");
        const QString inconsistent = "Pick-and-Place Lists inconsisten";
        const QString refused = "Some Data are incorrect or inconsistent. Please Check your Instructions.";
        const QString all = "Not picked: R v: set 21; L v: set 23; C v: set 22. Not ordered: R1, C1, L1";
        row("optimize flag 0", "flag", inconsistent, "Not picked: C v: set 22. Not ordered: C1");
        row("every optimize flag 0", "all flags", inconsistent, all);
        row("slot not in the table", "slot", inconsistent, "Not picked: C v: set 45. Not ordered: C1");
        row("three nozzles on an Eclipse", "nozzles", inconsistent, all);
        row("feeder list of other parts", "list", refused, QString());
        QString many = "Not picked: C v: set 22. Not ordered: C1";
        for (int i = 2; i <= 30; ++i)
            many += QStringLiteral(", C%1").arg(i);
        row("every placement not ordered is named", "many", inconsistent, many);
    }

    void unpickableEndsTheRun()
    {
        QFETCH(QString, fault);
        Board b;
        b.place("R1", "R", 0, 0);
        b.place("C1", "C", 10, 10);
        b.place("L1", "L", 5, 5);
        FeederEntry* r = b.feeder("R", 21, 1);
        FeederEntry* c = b.feeder("C", 22, 1);
        b.feeder("L", 23, 1);
        if (fault == "flag" || fault == "many")
            c->optimize = 0;
        for (int i = 2; fault == "many" && i <= 30; ++i)
            b.place(QStringLiteral("C%1").arg(i), "C", 10, i);
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
        const MachineType type = fault == "nozzles" ? MachineType::Eclipse : MachineType::Topaz;
        const OptimizerResult result = optimizePlacements(b.placements, 1, 1, type, b.feeders);
        QCOMPARE(result.title(), QString("Error"));
        QTEST(result.message(), "message");
        QTEST(result.detail(), "detail");
        QVERIFY(result.order.size() < b.placements.size() || result.status == OptimizerStatus::Refused);
    }

    void picksMatchPlainScan_data()
    {
        QTest::addColumn<QString>("layout");
        for (const char* layout : { "grid with ties", "random", "stacked", "huge", "not finite" })
            row(layout, QString(layout));
    }

    // The indexed picks equal the plain scan the optimizer once ran over the quadrant in list order:
    // the earliest of the type, or the nearest by the larger axis distance with the earliest on ties.
    void picksMatchPlainScan()
    {
        QFETCH(QString, layout);
        QRandomGenerator rng(7);
        const double inf = std::numeric_limits<double>::infinity();
        Board b;
        QuadrantPicks picks;
        std::vector<int> types;
        for (int i = 0; i < 1500; ++i) {
            double x = rng.bounded(40) * 0.5, y = rng.bounded(30) * 0.5;
            if (layout == "random")
                x = rng.generateDouble() * 100, y = rng.generateDouble() * 100;
            if (layout == "stacked")
                x = i % 3, y = 0;
            if (layout == "huge" && i % 5 == 0)
                x = (i % 2 ? 1 : -1) * 1.5e308;
            if (layout == "not finite" && i % 50 == 0)
                (i % 100 ? x : y) = i % 150 ? inf : std::nan("");
            types.push_back(rng.bounded(4));
            picks.add(b.place(QString::number(i), "R", x, y), types.back());
        }
        picks.index();
        std::vector<bool> taken(types.size());
        const PnPEntry* previous = nullptr;
        for (int step = 0; !picks.empty() && step < 6000; ++step) {
            const int type = rng.bounded(5); // type 4 has no placements
            int expected = -1;
            double expectedDistance = inf;
            for (int i = 0; i < int(types.size()); ++i) {
                if (taken[size_t(i)] || types[size_t(i)] != type)
                    continue;
                if (!previous) {
                    expected = i;
                    break;
                }
                const double d = std::max(std::abs(b.placements[i]->x() - previous->x()),
                    std::abs(b.placements[i]->y() - previous->y()));
                if (d < expectedDistance)
                    expectedDistance = d, expected = i;
            }
            double distance = 0;
            const int got = previous ? picks.nearest(type, *previous, distance) : picks.first(type);
            QCOMPARE(got, expected);
            if (previous && got >= 0)
                QCOMPARE(distance, expectedDistance);
            const int next = got >= 0 ? got : picks.first(type);
            if (next >= 0) {
                taken[size_t(next)] = true;
                picks.take(next);
            }
            previous = next < 0 || step % 9 == 0 ? nullptr : b.placements[next];
        }
        QVERIFY(picks.empty());
    }
};

QTEST_GUILESS_MAIN(TestOptimizer)
#include "tst_optimizer.moc"
