#include "clirun.h"
#include "datatable.h"
#include "gerber/layerset.h"
#include "model/document.h"
#include "model/pnpentry.h"
#include "project/projectfile.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

// tessavrant-cli optimize: exit status, the summary, the reason on standard error, the files.
class TestOptimizeCli : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    void write(const QString& name, const QByteArray& bytes) { writeFile(dir.filePath(name), bytes); }

    CliRun run(const QStringList& args)
    {
        const QStringList format { "--format", "tessavrant" };
        return runCli(QStringList { "optimize", "--config-dir", dir.path(), "--line", "1" }
            + (args.first() == "--pnp" ? format : QStringList()) + args);
    }

private slots:
    void initTestCase()
    {
        write("line.cfg", "Top;0;1\nOpal;1;1\n");
        write("database.cfg", "#ASYS\n120 R0603\n#DBASE\n120 RES-0603 1.60 0.80 0.45 1 8\n");
        // R2 is placed by hand; R1 and R3 fall into quadrant 0, C1 into quadrant 3.
        write("board.csv",
            "h\nR1;R0603;0;0;top;0;10k;;1\nR2;R0603;10;10;top;0;10k;;2\nC1;C0805;10;10;top;0;1u;;1\n"
            "R3;R0603;1;1;top;0;10k;;1\n");
        QByteArray many = "h\n";
        for (int i = 0; i < 41; ++i)
            many += QStringLiteral("R%1;R0603;%1;0;top;0;V%1;;1\n").arg(i).toUtf8();
        write("many.csv", many);
        // A feeder list made elsewhere, on a set the Topaz never walks.
        Document document;
        auto* e = new PnPEntry("R1", "R0603", 0, 0, "top", 0, "10k", "1", "");
        e->setLine(1);
        e->setMachine(1);
        document.appendEntry(e);
        FeederData data;
        data.machines.append(
            { 1, 1, { { { "0", "10k", "R0603", "120", "45", "8mm", "1", "1", "1", "0" } } } });
        document.setFeederData(data);
        QString error;
        QVERIFY2(writeProject(dir.filePath("unpickable.tvx"), document, LayerSet(), ProjectColours(), &error),
            qPrintable(error));
    }

    void optimizesAndWritesBothLists()
    {
        const auto [status, out, err] = run({ "--pnp", dir.filePath("board.csv"), "--machine", "Opal",
            "--feeders-out", dir.filePath("f.csv"), "--order-out", dir.filePath("o.csv") });
        QVERIFY2(status == 0 && err.isEmpty() && out.contains("cycles: 2\n") && out.contains("time: 0:00:"),
            out.constData());
        QCOMPARE(readFile(dir.filePath("f.csv")),
            QByteArray("Value;Name;DB;Set;Feeder;N;O;Qty;Head\n10k;R0603;120;1;8mm;1;1;2;0\n1u;C0805;0;2;8mm;"
                       "1;1;1;0\n"));
        QCOMPARE(readFile(dir.filePath("o.csv")),
            QByteArray("RefDes;X;Y;Set;Nozzle;Cycle\nR1;0;0;1;1;1\nR3;1;1;1;1;1\nC1;10;10;2;1;2\n"));
    }

    // A project keeps its assignment (R2 is on machine 2) and its feeder list (slot 30, nozzle 1).
    void projectUsesItsFeeders()
    {
        Document document;
        for (const auto& [ref, machine] : { std::pair { "R1", 1 }, { "R2", 2 }, { "R3", 1 } }) {
            auto* e = new PnPEntry(ref, "R0603", machine, 0, "top", 0, "10k", "1", "");
            e->setLine(1);
            e->setMachine(machine);
            document.appendEntry(e);
        }
        FeederData data;
        data.machines.append(
            { 1, 1, { { { "0", "10k", "R0603", "120", "30", "8mm", "1", "1", "2", "90" } } } });
        document.setFeederData(data);
        QString error;
        QVERIFY2(writeProject(dir.filePath("board.tvx"), document, LayerSet(), ProjectColours(), &error),
            qPrintable(error));
        const CliRun r
            = run({ dir.filePath("board.tvx"), "--machine", "Top", "--order-out", dir.filePath("p.csv") });
        QVERIFY2(r.status == 0 && r.err.isEmpty(), r.err.constData());
        QCOMPARE(readFile(dir.filePath("p.csv")),
            QByteArray("RefDes;X;Y;Set;Nozzle;Cycle\nR1;1;0;30;1;1\nR3;1;0;30;1;1\n"));
    }

    void statuses_data()
    {
        columns<QStringList, int, QString>("args", "status", "reason");
        // The Topaz walks sets 1..40 at the front: the 41st part type is given set 101.
        row("41 part types on a Topaz", QStringList { "--pnp", "many.csv", "--machine", "1" }, 0, QString());
        row("unpickable part", QStringList { "unpickable.tvx", "--machine", "1" }, 1,
            "Pick-and-Place Lists inconsisten: Not picked: R0603 10k: set 45");
        row("no such machine", QStringList { "--pnp", "board.csv", "--machine", "3" }, 1,
            "line 1 has no machine '3'");
        row("project and centroid file", QStringList { "--pnp", "board.csv", "p.tvx", "--machine", "1" }, 2,
            "a project file, or");
        row("missing project", QStringList { "none.tvx", "--machine", "1" }, 1, "none.tvx");
        row("no machine", QStringList { "--pnp", "board.csv" }, 2, "--machine are required");
    }

    void statuses()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, reason);
        if (args.first() == "--pnp")
            args[1] = dir.filePath(args.at(1));
        else
            args[0] = dir.filePath(args.at(0));
        const CliRun r = run(args);
        QTEST(r.status, "status");
        QVERIFY2(r.err.contains(reason.toUtf8()), r.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestOptimizeCli)
#include "tst_optimizecli.moc"
