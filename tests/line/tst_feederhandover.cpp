#include "line/feederentry.h"
#include "line/feederhandover.h"
#include "line/feederlist.h"
#include "line/machine.h"
#include "model/pnpentry.h"

#include <QtTest>

using namespace FeederHandOver;

namespace {

FeederRecord row(const QString& text)
{
    return FeederRecord { text.split(';') };
}

PnPEntry* placed(int line, int machine, const QString& exec = "1")
{
    auto* e = new PnPEntry("R", "R0603", 0, 0, "top", 0, "10k", exec, QString());
    e->setLine(line);
    e->setMachine(machine);
    return e;
}

} // namespace

// The project's feeder rows reach the machines of the line configuration and come back.
class TestFeederHandOver : public QObject
{
    Q_OBJECT
private slots:
    void sideMachineIsTheMostUsed()
    {
        QList<PnPEntry*> side { placed(1, 2), placed(2, 1), placed(2, 1), placed(1, 2), placed(3, 3, "2"),
            placed(3, 3, "2"), placed(3, 3, "2") };
        QCOMPARE(sideMachine(side).line, 1); // 2 against 2: the first met; hand placements do not count
        QCOMPARE(sideMachine(side).machine, 2);
        QCOMPARE(sideMachine({}).machine, 0);
        qDeleteAll(side);
    }

    void roundTripKeepsEveryRow()
    {
        Machine a, b, c;
        const QList<ProductionLine> lines { ProductionLine { { &a, &b } }, ProductionLine { { &c } } };
        FeederData data;
        // Written by hand, with a set number as "07" and a head field.
        data.machines = { MachineFeeders { 2, 1, { row("0;1u;C0805;150;07;12mm;2;1;3;90;2") } },
            MachineFeeders { 1, 1, { row("0;10k;R0603;0;1;8mm;1;1;1;0") } },
            MachineFeeders { 5, 1, { row("0;x;gone;0;1;8mm;1;1;1;0") } } };
        data.topSide = { row("0;old;SOT23;0;3;8mm;1;1;1;180") };
        data.bottomSide = { row("0;kept;SO8;0;4;8mm;1;1;1;0") };
        QList<PnPEntry*> top { placed(2, 1) };
        QList<PnPEntry*> bottom { placed(1, 1) }; // machine 1 of line 1 has its own block
        const FeederData read = data;

        handOut(data, lines, top, bottom);
        QCOMPARE(QVector<double>({ double(b.feeders.size()), double(b.feeders.first()->setNo),
                     double(b.feeders.first()->head), b.partMap.value(FeederList::partKey("C0805", "1u")) }),
            QVector<double>({ 1, 7, 2, 90 }));
        QCOMPARE(c.feeders.first()->name, QString("SOT23")); // the top side's machine
        QCOMPARE(c.partMap.value(FeederList::partKey("SOT23", "old")), 180.0);
        QVERIFY(data.topSide.isEmpty());
        QCOMPARE(data.bottomSide, read.bottomSide);

        // Nothing edited: every row comes back as it was read, the side rows as c's block.
        collect(data, lines);
        // Machine 5 is not configured: untouched.
        QCOMPARE(data.machines.mid(0, 3),
            QList<MachineFeeders>({ read.machines.at(1), read.machines.at(0), read.machines.at(2) }));
        QCOMPARE(data.machines.size(), 4);
        QVERIFY(data.machines.at(3).feeders == read.topSide && data.machines.at(3).line == 2);

        b.feeders.first()->nozzle = 3;
        a.clearFeeders();
        collect(data, lines);
        QCOMPARE(QPoint(data.machines.size(), data.machines.at(1).machine), QPoint(3, 5));
        QCOMPARE(data.machines.at(0).machine, 2);
        QCOMPARE(data.machines.at(0).feeders.first().fields.join(';'),
            QString("0;1u;C0805;150;7;12mm;3;1;3;90;2"));
        qDeleteAll(top);
        qDeleteAll(bottom);
    }
};

QTEST_GUILESS_MAIN(TestFeederHandOver)
#include "tst_feederhandover.moc"
