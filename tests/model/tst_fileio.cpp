#include "datatable.h"
#include "model/fileio.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

class TestFileIo : public QObject
{
    Q_OBJECT
private slots:
    // Only a regular file is replaced: a device, pipe or folder at the path stays what it is.
    void refusesWhatIsNoRegularFile_data()
    {
        columns<QString, QString>("kind", "reason");
        row("pipe", "fifo", "it is not a regular file (a device, pipe or socket is never replaced)");
        row("device", "device", "it is not a regular file (a device, pipe or socket is never replaced)");
        row("folder", "folder", "it is a folder");
    }
    void refusesWhatIsNoRegularFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString path = dir.filePath("target");
        if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkdir("target"));
        else
            path = "/dev/null";
        struct stat before;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
        QString error;
        QVERIFY(!FileIo::writeAtomically(path, "data", &error));
        QCOMPARE(error, QStringLiteral("Cannot write %1: %2").arg(path, reason));
        struct stat after;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
        QVERIFY(after.st_mode == before.st_mode && after.st_ino == before.st_ino);
        QCOMPARE(QDir(dir.path())
                     .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden | QDir::System)
                     .size(),
            kind == "device" ? 0 : 1);
    }

    // A path that cannot be written fails with a reason and leaves the folder as it was.
    void unwritablePathKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("target");
        row("folder does not exist", "missing/out.csv");
        row("parent is a file", "good.csv/out.csv");
        row("existing file in a read-only folder", "locked/good.csv");
        row("empty path", "");
    }
    void unwritablePathKeepsTheOldFile()
    {
        QFETCH(QString, target);
        QTemporaryDir dir;
        const QByteArray good = "OLD;P;1;2;top;0;v;;1\n";
        writeFile(dir.filePath("good.csv"), good);
        writeFile(dir.filePath("locked/good.csv"), good);
        const QString locked = dir.filePath("locked");
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        if (target.startsWith("locked") && ::access(QFile::encodeName(locked).constData(), W_OK) == 0) {
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("this user may write into read-only folders (root), so the case cannot fail here");
        }
        QString error;
        QVERIFY(!FileIo::writeAtomically(target.isEmpty() ? QString() : dir.filePath(target), "new", &error)
            && !error.isEmpty());
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(readFile(dir.filePath("good.csv")) + readFile(dir.filePath("locked/good.csv")), good + good);
        QCOMPARE(QDir(locked).entryList(QDir::Files | QDir::Hidden), QStringList { "good.csv" });
        QVERIFY(!QFileInfo::exists(dir.filePath("missing")));
    }

    // A write the system cuts short fails with the system's own words and keeps the old file;
    // a link is followed and stays a link.
    void failedWriteKeepsOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("board.csv");
        writeFile(path, "old");
        const QString link = dir.filePath("link.csv");
        QVERIFY(QFile::link(path, link));
        QString error;

        rlimit saved, small;
        ::getrlimit(RLIMIT_FSIZE, &saved);
        small = saved;
        small.rlim_cur = 1000;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &small);
        const bool written = FileIo::writeAtomically(link, QByteArray(4000, 'x'), &error);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!written);
        QCOMPARE(error,
            QStringLiteral("Cannot write %1: %2").arg(link, QString::fromLocal8Bit(std::strerror(EFBIG))));
        QCOMPARE(readFile(path), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::Files | QDir::Hidden).size(), 2);

        QVERIFY(FileIo::writeAtomically(link, "new", &error) && QFileInfo(link).isSymLink());
        QCOMPARE(readFile(path), QByteArray("new"));
    }
};

QTEST_GUILESS_MAIN(TestFileIo)
#include "tst_fileio.moc"
