// Every tessavrant-cli command answers --help on standard output with its options, and refuses
// an option it does not know with its usage on standard error.
#include <QProcess>
#include <QtTest>

class TstCli : public QObject
{
    Q_OBJECT
private:
    struct Run
    {
        int status = -1;
        QByteArray out;
        QByteArray err;
    };

    static Run run(const QStringList& args)
    {
        QProcess process;
        process.start(QStringLiteral(TESSAVRANT_CLI), args);
        Run r;
        if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
            r.status = process.exitCode();
        r.out = process.readAllStandardOutput();
        r.err = process.readAllStandardError();
        return r;
    }

private slots:
    void commands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("gerber-dump") << "gerber-dump" << QStringList { "--summary", "--drill" };
        QTest::newRow("render") << "render" << QStringList { "-o, --output", "--dpi", "--drill" };
        QTest::newRow("view") << "view"
                              << QStringList { "--layer", "--drill", "--pnp", "--format", "--side", "--size",
                                     "--zoom", "--fit", "--fast", "-o, --output" };
        QTest::newRow("convert") << "convert"
                                 << QStringList { "--format", "--side", "--update", "--pnp", "--parts",
                                        "--include", "--exec", "--panels", "--project", "--layer", "--drill",
                                        "--board", "--transform" };
        QTest::newRow("project-dump") << "project-dump" << QStringList {};
        QTest::newRow("config") << "config" << QStringList { "--dir" };
        QTest::newRow("optimize") << "optimize"
                                  << QStringList { "--pnp", "--format", "--line", "--machine", "--config-dir",
                                         "--feeders-out", "--order-out" };
    }
    void commands()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, options);
        const QByteArray usage = "Usage: tessavrant-cli " + command.toUtf8() + ' ';

        for (const char* help : { "--help", "-h" }) {
            const Run r = run({ command, help });
            QCOMPARE(r.status, 0);
            QCOMPARE(r.err, QByteArray());
            QVERIFY2(r.out.startsWith(usage), r.out.constData());
            for (const QString& option : options + QStringList { "-h, --help" })
                QVERIFY2(r.out.contains("\n  " + option.toUtf8() + ' '), qPrintable(option));
        }

        const Run wrong = run({ command, "--no-such-option" });
        QCOMPARE(wrong.status, 2);
        QCOMPARE(wrong.out, QByteArray());
        QVERIFY2(wrong.err.startsWith(
                     "tessavrant-cli " + command.toUtf8() + ": unknown option '--no-such-option'\n" + usage),
            wrong.err.constData());
    }
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
