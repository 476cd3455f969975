#include "clirun.h"
#include "datatable.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

// tessavrant-cli convert: the contract scripts rely on (exit status, the per-side counts
// on standard output, reasons and nothing else on standard error, the files written).
class TstConvertCli : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    QString write(const QString& name, const QByteArray& bytes) { return writeFile(dir, name, bytes); }
    QString keep() const { return dir.filePath("keep.csv"); }

    // Converts; the exit status, and standard error empty unless the status says a failure.
    static CliRun run(const QStringList& args)
    {
        CliRun r = runCli(QStringList { "convert" } + args);
        if (r.status == 0 && !r.err.isEmpty())
            r.status = -2;
        return r;
    }

private slots:
    void importsInOrderAndWritesBothLists()
    {
        const QString a = write("a.mnt", "C3 10.16 5.08 270 100n C0805\nR1 1 2 0 10k R0603\n");
        const QString b = write("b.mnt", "R2 3 4 90 10k R0603\n");
        const QString update = write("u.csv", "RefDes;X;Y;Rot\nR2;5,5;6;180\nQ9;1;1;1\n");
        const QString pnp = dir.filePath("out.csv");
        const QString parts = dir.filePath("parts.csv");
        const auto [status, out, err] = run({ "--format", "eagle", "--side", "bottom", a, b, "--update",
            update, "--pnp", pnp, "--parts", parts, "--panels", "3" });
        QCOMPARE(status, 0);
        QVERIFY2(out.contains("top: 0 placements\nbottom: 3 placements\n"), out.constData());
        QVERIFY2(out.contains("Hinweis: RefDes Q9 nicht vorhanden"), out.constData());
        QCOMPARE(readFile(pnp),
            QByteArray("RefDes;Name;X (mm);Y (mm);Side;Rotate;Value;Comment;Execute\n"
                       "C3;C0805;10,16;5,08;bottom;270;100n;;1\nR1;R0603;1;2;bottom;0;10k;;1\nR2;R0603;5,5;6;"
                       "bottom;180;10k;;1\n"));
        QVERIFY2(readFile(parts).contains("6;R1,R2;10k;R0603\n"), readFile(parts).constData());
    }

    // A bottom-side file mirrored for the line, then moved off its edge, in the order given.
    void transformsBeforeTheExport()
    {
        const QString a = write("m.mnt", "R1 10 2 90 10k R0603\nR2 30,5 4 0 10k R0603\n");
        const QString pnp = dir.filePath("mirrored.csv");
        const CliRun r = run({ "--format", "eagle", "--side", "bottom", a, "--board", "100,50", "--transform",
            "mirror", "--transform", "shift-x:-1,5", "--pnp", pnp });
        QCOMPARE(r.status, 0);
        QCOMPARE(readFile(pnp),
            QByteArray("RefDes;Name;X (mm);Y (mm);Side;Rotate;Value;Comment;Execute\n"
                       "R1;R0603;88,5;2;bottom;90;10k;;1\nR2;R0603;68;4;bottom;180;10k;;1\n"));
    }

    // KiCad position files give both sides; "--side file" keeps them.
    void kicadPositionFile()
    {
        const QString in = write("board-all.pos",
            "## Unit = mm, Angle = deg.\n# Ref Val Package PosX PosY Rot Side\n"
            "C1 100nF C_0402 10.5 -20.25 90 top\nR7 4k7 R_0603 -3 4 -90 bottom\n## End\n");
        const QString pnp = dir.filePath("kicad.csv");
        const auto [status, out, err] = run({ "--format", "kicad", "--side", "file", in, "--pnp", pnp });
        QCOMPARE(status, 0);
        QVERIFY2(out.contains("top: 1 placements\nbottom: 1 placements\n"), out.constData());
        QCOMPARE(readFile(pnp),
            QByteArray("RefDes;Name;X (mm);Y (mm);Side;Rotate;Value;Comment;Execute\n"
                       "C1;C_0402;10,5;-20,25;top;90;100nF;;1\nR7;R_0603;-3;4;bottom;270;4k7;;1\n"));
    }

    void exportChoices()
    {
        const QString in = write("own.csv",
            "h\nR1;0603;1;2;top;0;1k;;1\nC1;0402;3;4;bottom;0;1u;;3\n"
            "X1;0402;3;4;top;0;1u;;0\n");
        const QString pnp = dir.filePath("choices.csv");
        const CliRun r
            = run({ "--format", "tessavrant", in, "--pnp", pnp, "--include", "top", "--exec", "01" });
        QCOMPARE(r.status, 0);
        const QByteArray out = readFile(pnp);
        QVERIFY(out.contains("\nR1;") && out.contains("\nX1;") && !out.contains("\nC1;"));
    }

    void failuresAndUsage_data()
    {
        columns<QStringList, int, QString>("args", "status", "message");
        row("no format", QStringList { "x.csv" }, 2, "--format");
        row("unknown format", QStringList { "--format", "pads", "x" }, 2, "unknown format");
        row("no input", QStringList { "--format", "target" }, 2, "no input");
        row("bad side", QStringList { "--format", "target", "--side", "left", "x" }, 2, "--side");
        row("file side without sides", QStringList { "--format", "eagle-part", "--side", "file", "x" }, 2,
            "--side file");
        row("bad exec", QStringList { "--format", "target", "--exec", "14", "x" }, 2, "--exec");
        row("bad panels", QStringList { "--format", "target", "--panels", "0", "x" }, 2, "--panels");
        row("missing value", QStringList { "--format", "target", "x", "--pnp" }, 2, "needs a value");
        row("bad transform", QStringList { "--format", "target", "--transform", "rotation:nan", "x" }, 2,
            "--transform");
        const QString missing = dir.filePath(QStringLiteral("no/such/in.txt"));
        row("missing file", QStringList { "--format", "target", missing, "--pnp", keep() }, 1, missing);
        const QString cut = write("short.csv", "h\nR1;0603;1;2;top;0;1k\nR2;1\n");
        row("reader failure", QStringList { "--format", "tessavrant", cut, "--pnp", keep() }, 1,
            QString(cut + ", line 3"));
    }
    // A failure writes no list: the one named keeps its contents.
    void failuresAndUsage()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        write("keep.csv", "old contents\n");
        const CliRun r = run(args);
        QTEST(r.status, "status");
        QVERIFY2(r.err.contains(message.toUtf8()), r.err.constData());
        QCOMPARE(readFile(keep()), QByteArray("old contents\n"));
    }
};

QTEST_GUILESS_MAIN(TstConvertCli)
#include "tst_convertcli.moc"
