#include "testfiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString cli = QStringLiteral(TESSAVRANT_CLI);

} // namespace

// tessavrant-cli config: what it prints, what it writes back, and its exit status.
class TstConfigCli : public QObject
{
    Q_OBJECT
private:
    int run(const QStringList& args, QByteArray* out, QByteArray* err, const QString& envDir = QString())
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // Never the real configuration folder: without a folder of the test's own, one that
        // does not exist.
        env.insert(QStringLiteral("TESSAVRANT_CONFIG_DIR"),
            envDir.isEmpty() ? QStringLiteral("/nonexistent/tessavrant-config") : envDir);
        process.setProcessEnvironment(env);
        process.start(cli, QStringList { "config" } + args);
        if (!process.waitForFinished(60000))
            return -1;
        *out = process.readAllStandardOutput();
        *err = process.readAllStandardError();
        return process.exitCode();
    }

private slots:
    void dumpsAsRead()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("line.cfg"), "Top 1;0;5\nbad;3;0\nEc;2;5\nOp;1;2\n");
        writeFile(dir.filePath("database.cfg"),
            "#ASYS\r\n120 R0603,0603R\r\n#DBASE\r\n120 RES-0603 1.60 0.80 0.45 1 8\r\n300 IC-QFN 5 5 "
            "0.9\r\n");
        QByteArray out, err;
        QCOMPARE(run({ "dump" }, &out, &err, dir.path()), 0);
        QCOMPARE(out,
            QByteArray("line 1 2 machines\n"
                       "machine 1 1 Topaz line-field 5 heads 8 name Top 1\n"
                       "machine 1 2 Eclipse line-field 5 heads 2 name Ec\n"
                       "line 2 1 machines\n"
                       "machine 2 1 Opal line-field 2 heads 8 name Op\n"
                       "alias 0603R 120\nalias R0603 120\n"
                       "entry 120 RES-0603 1.60 0.80 0.45 1 8mm\nentry 300 IC-QFN 5 5 0.9 0 x\n"));
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
        QByteArray out, err;
        for (int run = 0; run < 2; ++run) {
            const QFileInfo before(dir.filePath("line.cfg"));
            QCOMPARE(this->run({ "--dir", dir.path(), "rewrite" }, &out, &err), 0);
            QCOMPARE(readFile(dir.filePath("line.cfg")),
                QByteArray("# shop floor\nA;0;0\n\xe9t\xe9;1;0\n???\nB;2;1\n"));
            QCOMPARE(readFile(dir.filePath("database.cfg")),
                QByteArray("#ASYS\r\n120 R\xb5\r\n#DBASE\r\n120 RES-0603 1.60 0.80 0.45 1 8\r\n"));
            QCOMPARE(readFile(dir.filePath("line.bkp")), lines);
            QCOMPARE(readFile(dir.filePath("database.bkp")), db);
            if (run == 1) // the second rewrite changes nothing and writes nothing
                QCOMPARE(QFileInfo(dir.filePath("line.cfg")).lastModified(), before.lastModified());
        }
        QVERIFY(err.isEmpty());
    }

    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("no action") << QStringList {} << 2 << "dump or rewrite expected";
        QTest::newRow("unknown") << QStringList { "show" } << 2 << "unexpected argument 'show'";
        QTest::newRow("no folder") << QStringList { "--dir", "/nonexistent/x", "dump" } << 1
                                   << "no such folder";
        QTest::newRow("--dir names a file") << QStringList { "--dir", cli, "dump" } << 1 << "not a folder";
    }
    void exitStatus()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QByteArray out, err;
        QTEST(run(args, &out, &err), "status");
        QVERIFY2(err.contains(message.toUtf8()), err.constData());
    }

    void unreadableFileFails()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("database.cfg"));
        QByteArray out, err;
        QCOMPARE(run({ "--dir", dir.path(), "rewrite" }, &out, &err), 1);
        QVERIFY2(err.contains("database.cfg: it is a folder"), err.constData());
    }
};

QTEST_GUILESS_MAIN(TstConfigCli)
#include "tst_configcli.moc"
