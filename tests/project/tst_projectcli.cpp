// tessavrant-cli convert --project and project-dump: exit status, what is printed, where.
#include "clirun.h"
#include "datatable.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

class TstProjectCli : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    QString write(const QString& name, const QByteArray& bytes) { return writeFile(dir, name, bytes); }

private slots:
    void convertWritesAProjectThatDumps()
    {
        const QString pnp = write("board.csv",
            "RefDes;Name;X;Y;Side;Rotation;Value\nR1;0603;1.5;2;top;90;10k\nQ1;SOT23;3;4;bottom;0;BC847\n");
        const QString gerber
            = write("top.gbr", "%FSLAX24Y24*%\n%MOMM*%\n%ADD10C,0.1*%\nD10*\nX0Y0D03*\nX10000Y0D03*\nM02*\n");
        const QString drill = write("holes.drl", "M48\nMETRIC\nT1C0.8\n%\nT1\nX010000Y020000\nM30\n");
        const QString project = dir.filePath("out.tvx");
        QCOMPARE(runCli({ "convert", "--format", "tessavrant", "--side", "file", pnp, "--project", project,
                            "--layer", "top:signal=" + gerber, "--layer", "bottom:7=" + drill, "--drill",
                            "L,2,4" })
                     .status,
            0);
        const auto [status, out, err] = runCli({ "project-dump", project });
        QVERIFY(status == 0 && err.isEmpty());
        QVERIFY(out.startsWith("version 10\nside top\n  board out;"));
        for (const char* line :
            { "  placement R1;0603;1.5;2;top;90;10k;1;", "  placement Q1;SOT23;3;4;bottom;0;BC847;1;",
                "  layer 1;top.gbr;MM;", ";lines 7;objects 2;", "  layer 7;holes.drl;" })
            QVERIFY2(out.contains(line), line);
    }

    void failuresAndUsage_data()
    {
        columns<QStringList, int, QByteArray>("args", "status", "reason");
        row("dump without file", QStringList { "project-dump" }, 2, QByteArray("Usage"));
        row("dump missing file", QStringList { "project-dump", "nope.tvx" }, 1, QByteArray("nope.tvx"));
        row("dump no project", QStringList { "project-dump", "@junk" }, 1, QByteArray("junk.tvx"));
        row("dump cut file", QStringList { "project-dump", "@cut" }, 1, QByteArray("+Pick-and-Place"));
        row("layer without project",
            QStringList { "convert", "--format", "tessavrant", "@pnp", "--layer", "top:signal=x.gbr" }, 2,
            QByteArray("--layer needs --project"));
        row("bad slot",
            QStringList { "convert", "--format", "tessavrant", "@pnp", "--project", "o.tvx", "--layer",
                "top:copper=x.gbr" },
            2, QByteArray("top|bottom:SLOT=FILE"));
        row("bad drill format",
            QStringList {
                "convert", "--format", "tessavrant", "@pnp", "--project", "o.tvx", "--drill", "Z,9" },
            2, QByteArray("--drill takes"));
        row("layer unreadable",
            QStringList { "convert", "--format", "tessavrant", "@pnp", "--project", "o.tvx", "--layer",
                "top:silk=@missing" },
            1, QByteArray("missing.gbr"));
    }
    void failuresAndUsage()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, reason);
        const QString junk = write("junk.tvx", "just some text\n");
        const QString cut = write("cut.tvx", "+FileVer\n10\n+Top\n+Pick-and-Place\nR1;0603;1;2;top;0;1k\n");
        const QString pnp = write("p.csv", "R1;0603;1.5;2;top;90;10k\n");
        for (QString& a : args) {
            a.replace("@junk", junk).replace("@cut", cut).replace("@pnp", pnp);
            a.replace("@missing", dir.filePath("missing.gbr"));
            if (a.endsWith("o.tvx"))
                a = dir.filePath("o.tvx");
        }
        const CliRun r = runCli(args);
        QTEST(r.status, "status");
        QVERIFY2(r.err.contains(reason), r.err.constData());
    }
};

QTEST_GUILESS_MAIN(TstProjectCli)
#include "tst_projectcli.moc"
