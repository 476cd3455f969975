// tessavrant-cli gerber-dump: exit status for success, reader failure and usage errors.
#include "cli/commands.h"
#include "datatable.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

class TestGerberDump : public QObject
{
    Q_OBJECT

private slots:

    void exitStatus_data()
    {
        columns<QByteArray, QStringList, int>("content", "options", "status");
        const QByteArray good = "%FSLAX24Y24*%\n%ADD10C,0.1*%\nD10*\nX0Y0D03*\nM02*\n";
        row("full dump", good, QStringList(), 0);
        row("summary", good, QStringList("--summary"), 0);
        row("no M02", QByteArray("%FSLAX24Y24*%\n"), QStringList(), 1);
        row("rejected block", QByteArray("%FSQ*%\nM02*\n"), QStringList("--summary"), 1);
        row("drill file", QByteArray("M48\nINCH,LZ\nT1C0.035\n%\nT1\nX010000Y010000\nM30\n"),
            QStringList({ "--drill", "L,2,4" }), 0);
        row("bad drill format", good, QStringList({ "--drill", "Q,2,4" }), 2);
        row("drill format missing", good, QStringList("--drill"), 2);
    }

    void exitStatus()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, options);
        QTemporaryDir dir;
        const QString path = dir.filePath("layer.gbr");
        writeFile(path, content);
        QTEST(runCommand(gerberDumpCommand(), QStringList(path) + options), "status");
    }
};

QTEST_GUILESS_MAIN(TestGerberDump)
#include "tst_gerberdump.moc"
