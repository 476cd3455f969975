#include "datatable.h"
#include "line/lineconfig.h"
#include "line/machine.h"
#include "line/machinedetails.h"
#include "memorylimit.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// "line: name/type/field, ..." per line, for comparing a whole configuration at once.
QStringList describe(const LineConfig& config)
{
    QStringList out;
    for (const ProductionLine& line : config.lines()) {
        QStringList machines;
        for (const Machine* m : line.machines)
            machines << QStringLiteral("%1/%2/%3").arg(m->name).arg(int(m->type)).arg(m->lineNumber);
        out << machines.join(QLatin1Char(','));
    }
    return out;
}

} // namespace

// line.cfg: which lines are taken, how lines are formed, what is written back.
class TstLineConfig : public QObject
{
    Q_OBJECT
private slots:
    void readsAndGroups_data()
    {
        columns<QByteArray, QStringList>("file", "lines");
        row("renumbered by first appearance", QByteArray("A;0;5\nB;1;2\nC;2;5\n"),
            QStringList { "A/0/5,C/2/5", "B/1/2" });
        row("skipped lines", QByteArray("t3;3;0\ntneg;-1;0\nlneg;0;-1\nfew;1\n\nok;1;0\n"),
            QStringList { "ok/1/0" });
        row("letters read as 0", QByteArray("L;a;b\n"), QStringList { "L/0/0" });
        row("extra fields ignored, blanks trimmed", QByteArray("  X;2;1;extra;more  \r\n"),
            QStringList { "X/2/1" });
        row("empty name kept", QByteArray(";0;0\n"), QStringList { "/0/0" });
        row("nothing taken: one empty line", QByteArray("#ASYS\n120 R0603\n"), QStringList { "" });
    }
    void readsAndGroups()
    {
        QFETCH(QByteArray, file);
        LineConfig config;
        QVERIFY(config.parse(file));
        QTEST(describe(config), "lines");
    }

    // The line field written is the index of the line holding the machine, so lines read
    // back as they were, whatever numbers the file or a new machine carried.
    void writesLineIndexes()
    {
        LineConfig config;
        config.parse("A;0;5\nB;1;2\nC;2;5\n");
        auto* added = new Machine;
        added->name = QStringLiteral("new;one");
        added->lineNumber = 7;
        config.lines()[1].machines.append(added);
        QCOMPARE(config.serialize(), QByteArray("A;0;0\nC;2;0\nB;1;1\nnew_one;0;1\n"));
        LineConfig again;
        again.parse(config.serialize());
        QCOMPARE(again.serialize(), config.serialize());
    }

    void machineAtTreatsOutOfRangeAsUnassigned()
    {
        LineConfig config;
        config.parse("A;0;0\nB;0;0\nC;0;1\n");
        QCOMPARE(config.machineAt(0, 2)->name + config.machineAt(1, 1)->name, QStringLiteral("BC"));
        for (const auto& [line, number] : { std::pair(0, 0), { 0, 3 }, { 1, 2 }, { 2, 1 }, { -1, 1 } })
            QVERIFY(!config.machineAt(line, number));
    }

    void removeLineKeepsTheLast()
    {
        LineConfig config;
        config.parse("A;0;0\nB;0;1\n");
        QVERIFY(config.removeLine(0));
        QCOMPARE(describe(config), QStringList { "B/0/1" });
        QVERIFY(!config.removeLine(0) && config.machineCount() == 1);
    }

    void importFilter()
    {
        int taken = -1;
        QCOMPARE(LineConfig::filterImport("  A;1;0  \nbad;5;0\nB;2;3;x\n", &taken),
            QByteArray("A;1;0\nB;2;3;x\n"));
        QCOMPARE(taken, 2);
        QVERIFY(LineConfig::filterImport("#ASYS\r\n120 R0603\r\n#DBASE\r\n", &taken).isEmpty() && taken == 0);
    }

    void hugeInput()
    {
        // 100 000 fields on one line and more machines than are read.
        QByteArray wide = "W;1;0";
        wide += QByteArray(100000, ';');
        QByteArray many = wide + '\n';
        for (int i = 0; i < LineConfig::maxMachines + 5; ++i)
            many += "M;0;" + QByteArray::number(i % 3) + '\n';
        LineConfig config;
        QString error;
        QVERIFY(!config.parse(many, &error));
        QCOMPARE(config.machineCount(), LineConfig::maxMachines);
        QCOMPARE(config.lines().at(0).machines.first()->name, QStringLiteral("W"));
        QVERIFY2(
            error.startsWith(QStringLiteral("line.cfg, line 10001: the file holds more than 10000 machines")),
            qPrintable(error));

        // ~2 MB, every other line kept unread: all comes back in linear time (each line once
        // copied all before it; only AddressSanitizer's realloc shows it, so there no memory bound).
        QByteArray kept;
        for (int i = 0; i < 110000; ++i)
            kept.append(QByteArray("M" + QByteArray::number(i) + ";0;0\n# " + QByteArray::number(i) + '\n'));
        const auto roundTrip = [&] {
            config.parse(kept);
            return config.serialize() == kept;
        };
        QVERIFY(runWithMemoryLimit(
            memoryBoundsChecked ? 16 * kept.size() + (256LL << 20) : 8LL << 30, roundTrip, 20));
    }

    void fileErrors()
    {
        QTemporaryDir dir;
        LineConfig config;
        QString error;
        QVERIFY(!config.readFile(dir.filePath("missing.cfg"), &error) && config.lines().size() == 1);
        config.parse("A;0;0\n");
        QVERIFY(!config.writeFile(dir.path(), &error));
        QVERIFY2(error.contains(dir.path()), qPrintable(error));
        QVERIFY(config.writeFile(dir.filePath("line.cfg"), &error));
        QCOMPARE(readFile(dir.filePath("line.cfg")), QByteArray("A;0;0\n"));
    }

    void detailsRoundTrip()
    {
        LineConfig config;
        config.parse("A;0;0\nB;2;1\n");
        Machine* b = config.lines().at(1).machines.at(0);
        b->setBenchCount(2);
        b->benches[1] = { BenchType::Tray, -12.5, 300.25, 90.0, 8.0 };
        b->heads[1].centerType = CenterType::Camera;
        b->heads[1].centerCount = 2;
        b->heads[1].cam2Y = -9999.99;
        b->heads[1].multipickGroup = 4;
        b->multipickGroups[3].pitch = 12.75;
        const QByteArray details = MachineDetails::serialize(config);

        LineConfig again;
        again.parse(config.serialize());
        MachineDetails::apply(details, again);
        QCOMPARE(MachineDetails::serialize(again), details);
        const Machine* b2 = again.lines().at(1).machines.at(0);
        QCOMPARE(QList<double>({ double(b2->benches.size()), b2->benches.at(1).y,
                     b2->multipickGroups.at(3).pitch, double(b2->heads.size()) }),
            QList<double>({ 2, 300.25, 12.75, 2 }));

        // A configuration imported since: the names no longer match, defaults stay.
        LineConfig other;
        other.parse("B;2;0\nX;0;0\n");
        MachineDetails::apply(details, other);
        const QList<Machine*> kept = other.lines().at(0).machines;
        QCOMPARE(
            QList<int>({ kept.at(0)->benches.size(), kept.at(0)->heads.size(), kept.at(1)->heads.size() }),
            QList<int>({ 1, 2, 8 }));
    }

    void detailsBadValues()
    {
        LineConfig config;
        config.parse("A;0;0\n");
        MachineDetails::apply("machine 0 A\nbench 1 nan 0 0 0\nbench 7 1e300 -1e300 720 -5\n"
                              "head 1 2\npitch 100 3\npitch 0 3\npitch 5 inf\n\x01\x02 3",
            config);
        const Machine* a = config.lines().at(0).machines.at(0);
        QCOMPARE(QPoint(a->benches.size(), a->heads.size()), QPoint(1, 8));
        const FeederBench& b = a->benches.at(0);
        QCOMPARE(QList<double>({ double(b.type), b.x, b.y, b.rotation, b.pitch }),
            QList<double>({ 1, 9999.99, -9999.99, 359.99, 0 }));
        QCOMPARE(QPointF(a->multipickGroups.at(98).pitch, a->multipickGroups.at(4).pitch), QPointF(3, 0));
    }
};

QTEST_GUILESS_MAIN(TstLineConfig)
#include "tst_lineconfig.moc"
