#include "clirun.h"
#include "datatable.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

// tessavrant-cli config: what it prints, what it writes back, and its exit status.
class TstConfigCli : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir folderAsFile; // holds a folder named database.cfg
    static CliRun run(const QStringList& args, const QString& envDir = QString())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // Never the real configuration folder: without a folder of the test's own, one that
        // does not exist.
        env.insert(QStringLiteral("TESSAVRANT_CONFIG_DIR"),
            envDir.isEmpty() ? QStringLiteral("/nonexistent/tessavrant-config") : envDir);
        return runCli(QStringList { "config" } + args, env);
    }

private slots:
    void dumpsAsRead()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("line.cfg"), "Top 1;0;5\nbad;3;0\nEc;2;5\nOp;1;2\n");
        writeFile(dir.filePath("database.cfg"),
            "#ASYS\r\n120 R0603,0603R\r\n#DBASE\r\n120 RES-0603 1.60 0.80 0.45 1 8\r\n300 IC-QFN 5 5 "
            "0.9\r\n");
        const auto [status, out, err] = run({ "dump" }, dir.path());
        QVERIFY(status == 0);
        QCOMPARE(out,
            QByteArray("line 1 2 machines\n"
                       "machine 1 1 Topaz line-field 5 heads 8 name Top 1\nmachine 1 2 Eclipse line-field 5 "
                       "heads 2 name Ec\nline 2 1 machines\nmachine 2 1 Opal line-field 2 heads 8 name "
                       "Op\nalias 0603R 120\nalias R0603 120\nentry 120 RES-0603 1.60 0.80 0.45 1 8mm\nentry "
                       "300 IC-QFN 5 5 0.9 0 x\n"));
        QVERIFY2(!err.contains("tessavrant-cli"), err.constData());
    }

    // Lines it cannot read stay where they were, bytes that are no UTF-8 stay as they were, and
    // the backups keep the original even when the rewrite is repeated.
    void rewriteKeepsWhatItDoesNotUnderstand()
    {
        QTemporaryDir dir;
        const QByteArray lines = "# shop floor\nA;0;5\n\xe9t\xe9;1;5\n???\nB;2;2\n";
        const QByteArray db = "#ASYS\r\n120 R\xb5\r\n#DBASE\r\n120 RES-0603 1.60 0.80 0.45 1 8\n";
        writeFile(dir.filePath("line.cfg"), lines);
        writeFile(dir.filePath("database.cfg"), db);
        for (int again = 0; again < 2; ++again) {
            const QFileInfo before(dir.filePath("line.cfg"));
            const CliRun r = run({ "--dir", dir.path(), "rewrite" });
            QVERIFY(r.status == 0 && r.err.isEmpty());
            QCOMPARE(readFile(dir.filePath("line.cfg")),
                QByteArray("# shop floor\nA;0;0\n\xe9t\xe9;1;0\n???\nB;2;1\n"));
            QCOMPARE(readFile(dir.filePath("database.cfg")),
                QByteArray("#ASYS\r\n120 R\xb5\r\n#DBASE\r\n120 RES-0603 1.60 0.80 0.45 1 8\r\n"));
            QCOMPARE(readFile(dir.filePath("line.bkp")) + readFile(dir.filePath("database.bkp")), lines + db);
            if (again) // the second rewrite changes nothing and writes nothing
                QCOMPARE(QFileInfo(dir.filePath("line.cfg")).lastModified(), before.lastModified());
        }
    }

    void exitStatus_data()
    {
        columns<QStringList, int, QString>("args", "status", "message");
        row("no action", QStringList {}, 2, "dump or rewrite expected");
        row("unknown", QStringList { "show" }, 2, "unexpected argument 'show'");
        row("no folder", QStringList { "--dir", "/nonexistent/x", "dump" }, 1, "no such folder");
        row("--dir names a file", QStringList { "--dir", TESSAVRANT_CLI, "dump" }, 1, "not a folder");
        QDir(folderAsFile.path()).mkdir("database.cfg");
        row("unreadable file", QStringList { "--dir", folderAsFile.path(), "rewrite" }, 1,
            "database.cfg: it is a folder");
    }
    void exitStatus()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const CliRun r = run(args);
        QTEST(r.status, "status");
        QVERIFY2(r.err.contains(message.toUtf8()), r.err.constData());
    }
};

QTEST_GUILESS_MAIN(TstConfigCli)
#include "tst_configcli.moc"
