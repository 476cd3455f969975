#include "clirun.h"
#include "corpus.h"
#include "datatable.h"

#include <QTemporaryDir>
#include <QtTest>

// The fabrication package commands of tessavrant-cli: exit status, standard output, and nothing on
// standard error but the reason of a failure.
class TstFabCli : public QObject
{
    Q_OBJECT
private slots:
    void commands_data()
    {
        // out: a line standard output must hold
        // err: the start of standard error
        columns<QStringList, int, QString, QString>("args", "status", "out", "err");
        const QString board = corpusRoot() + "/gerber/tracespace/boards/clockblock";
        row("fab-list", QStringList { "fab-list", board }, 0,
            "clockblock-NPTH.drl\ttop\t6\tdrill file name .drl; holes join the drill layer "
            "of clockblock.drl",
            "");
        row("fab-list missing", QStringList { "fab-list", board + "/nothing" }, 1, "",
            "tessavrant-cli fab-list: " + board + "/nothing: no such folder or file");
        row("fab-list no package", QStringList { "fab-list" }, 2, "", "tessavrant-cli fab-list: needs");
        row("convert", QStringList { "convert", "--fab", board, "--project", "@/b.tvx" }, 0,
            "top: 0 placements", "");
        row("view", QStringList { "view", "--fab", board, "--size", "200x100", "-o", "@/b.png" }, 0, "", "");
        row("view not a zip", QStringList { "view", "--fab", board + "/clockblock.drl", "-o", "@/x.png" }, 1,
            "", "tessavrant-cli view: " + board + "/clockblock.drl: not a readable zip");
    }
    void commands()
    {
        if (!corpusPresent(QStringLiteral("gerber")))
            QSKIP("corpus absent");
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir dir;
        args.replaceInStrings(QRegularExpression("^@"), dir.path());
        const CliRun r = runCli(args);
        const QString stdErr = QString::fromUtf8(r.err);
        QCOMPARE(r.status, status);
        QVERIFY2(QString::fromUtf8(r.out).split('\n').contains(out) || out.isEmpty(), qPrintable(out));
        QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.startsWith(err), qPrintable(stdErr));
        for (const QString& written : status == 0 ? args.filter(dir.path()) : QStringList())
            QVERIFY(QFileInfo(written).size() > 0);
    }
};

QTEST_GUILESS_MAIN(TstFabCli)
#include "tst_fabcli.moc"
