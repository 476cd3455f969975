// Every tessavrant-cli command answers --help on standard output with its options, and refuses
// an option it does not know with its usage on standard error.
#include "clirun.h"
#include "datatable.h"

#include <QtTest>

class TstCli : public QObject
{
    Q_OBJECT
private slots:
    void commands_data()
    {
        columns<QString, QStringList>("command", "options");
        row("gerber-dump", "gerber-dump", QStringList { "--summary", "--drill" });
        row("render", "render", QStringList { "-o, --output", "--dpi", "--drill" });
        row("view", "view",
            QStringList { "--layer", "--drill", "--pnp", "--format", "--side", "--size", "--zoom", "--fit",
                "--fast", "-o, --output" });
        row("convert", "convert",
            QStringList { "--format", "--side", "--update", "--pnp", "--parts", "--include", "--exec",
                "--panels", "--project", "--layer", "--drill", "--board", "--transform" });
        row("project-dump", "project-dump", QStringList {});
        row("config", "config", QStringList { "--dir" });
        row("optimize", "optimize",
            QStringList {
                "--pnp", "--format", "--line", "--machine", "--config-dir", "--feeders-out", "--order-out" });
    }
    void commands()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, options);
        const QByteArray usage = "Usage: tessavrant-cli " + command.toUtf8() + ' ';

        for (const char* help : { "--help", "-h" }) {
            const CliRun r = runCli({ command, help });
            QCOMPARE(r.status, 0);
            QCOMPARE(r.err, QByteArray());
            QVERIFY2(r.out.startsWith(usage), r.out.constData());
            for (const QString& option : options + QStringList { "-h, --help" })
                QVERIFY2(r.out.contains("\n  " + option.toUtf8() + ' '), qPrintable(option));
        }

        const CliRun wrong = runCli({ command, "--no-such-option" });
        QCOMPARE(wrong.status, 2);
        QCOMPARE(wrong.out, QByteArray());
        QVERIFY2(wrong.err.startsWith(
                     "tessavrant-cli " + command.toUtf8() + ": unknown option '--no-such-option'\n" + usage),
            wrong.err.constData());
    }
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
