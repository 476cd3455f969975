#include "corpus.h"

#include <QProcess>
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
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // a line standard output must hold
        QTest::addColumn<QString>("err"); // the start of standard error
        const QString board = corpusRoot() + "/gerber/tracespace/boards/clockblock";
        QTest::newRow("fab-list")
            << QStringList { "fab-list", board } << 0
            << "clockblock-NPTH.drl\ttop\t6\tdrill file name .drl; holes join the drill layer "
               "of clockblock.drl"
            << "";
        QTest::newRow("fab-list missing")
            << QStringList { "fab-list", board + "/nothing" } << 1 << ""
            << "tessavrant-cli fab-list: " + board + "/nothing: no such folder or file";
        QTest::newRow("fab-list no package") << QStringList { "fab-list" } << 2 << ""
                                             << "tessavrant-cli fab-list: needs";
        QTest::newRow("convert") << QStringList { "convert", "--fab", board, "--project", "@/b.tvx" } << 0
                                 << "top: 0 placements"
                                 << "";
        QTest::newRow("view") << QStringList { "view", "--fab", board, "--size", "200x100", "-o", "@/b.png" }
                              << 0 << ""
                              << "";
        QTest::newRow("view not a zip")
            << QStringList { "view", "--fab", board + "/clockblock.drl", "-o", "@/x.png" } << 1 << ""
            << "tessavrant-cli view: " + board + "/clockblock.drl: not a readable zip";
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
        QProcess cli;
        cli.start(QStringLiteral(TESSAVRANT_CLI), args);
        QVERIFY(cli.waitForFinished(60000));
        const QString stdErr = QString::fromUtf8(cli.readAllStandardError());
        QCOMPARE(cli.exitCode(), status);
        QVERIFY2(QString::fromUtf8(cli.readAllStandardOutput()).split('\n').contains(out) || out.isEmpty(),
            qPrintable(out));
        QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.startsWith(err), qPrintable(stdErr));
        for (const QString& written : status == 0 ? args.filter(dir.path()) : QStringList())
            QVERIFY(QFileInfo(written).size() > 0);
    }
};

QTEST_GUILESS_MAIN(TstFabCli)
#include "tst_fabcli.moc"
