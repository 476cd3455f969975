// tessavrant-cli gerber-dump: exit status for success, reader failure and usage errors.
#include "cli/commands.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

class TestGerberDump : public QObject
{
    Q_OBJECT

private slots:

    void exitStatus_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        const QByteArray good = "%FSLAX24Y24*%\n%ADD10C,0.1*%\nD10*\nX0Y0D03*\nM02*\n";
        QTest::newRow("full dump") << good << QStringList() << 0;
        QTest::newRow("summary") << good << QStringList("--summary") << 0;
        QTest::newRow("no M02") << QByteArray("%FSLAX24Y24*%\n") << QStringList() << 1;
        QTest::newRow("rejected block") << QByteArray("%FSQ*%\nM02*\n") << QStringList("--summary") << 1;
        QTest::newRow("drill file") << QByteArray("M48\nINCH,LZ\nT1C0.035\n%\nT1\nX010000Y010000\nM30\n")
                                    << QStringList({ "--drill", "L,2,4" }) << 0;
        QTest::newRow("bad drill format") << good << QStringList({ "--drill", "Q,2,4" }) << 2;
        QTest::newRow("drill format missing") << good << QStringList("--drill") << 2;
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
