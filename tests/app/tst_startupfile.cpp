#include "app/startupfile.h"
#include "datatable.h"
#include "testfiles.h"

#include <QtTest>

// The file named on the command line decides what the window does at start; bad names
// must lead to an empty document, never to a crash or a read of something else.
class TstStartupFile : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void classify_data()
    {
        columns<QString, QByteArray, int>("name", "content", "kind");
        row("project", "board.tvx", QByteArray("anything"), int(StartupFile::Project));
        row("drill header", "drill.txt", QByteArray("; comment\n  M48  \r\nINCH\n"), int(StartupFile::Drill));
        row("M48 on the last line without break", "d2.drl", QByteArray("%\nM48"), int(StartupFile::Drill));
        row("gerber", "top.gbr", QByteArray("%FSLAX24Y24*%\nM02*\n"), int(StartupFile::Gerber));
        row("M48 inside a line is not a header", "g2.gbr", QByteArray("G04 M48*\nM48X\n"),
            int(StartupFile::Gerber));
        row("two words", "g3.gbr", QByteArray("M4 8\n"), int(StartupFile::Gerber));
        row("empty file", "empty.gbr", QByteArray(""), int(StartupFile::Gerber));
        row("binary", "bin.gbr", QByteArray("\x00\xff\x00M48\x00", 7), int(StartupFile::Gerber));
        row("header after a megabyte line", "long.drl", (QByteArray(1 << 20, 'x') + "\nM48\n"),
            int(StartupFile::Drill));
        row("M48 followed by blanks and text on a long line", "long2.gbr",
            (QByteArray("M48") + QByteArray(10000, ' ') + "X\n"), int(StartupFile::Gerber));
        // No content: the name is given as it is, and names nothing to read.
        row("no name", QString(), QByteArray(), int(StartupFile::None));
        row("missing", m_dir.path() + QStringLiteral("/missing.tvx"), QByteArray(), int(StartupFile::None));
        row("folder", m_dir.path(), QByteArray(), int(StartupFile::None));
    }

    void classify()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(int, kind);
        const QString path = content.isNull() ? name : writeFile(m_dir, name, content);
        const StartupFile file = classifyStartupFile(path);
        QCOMPARE(int(file.kind), kind);
        QCOMPARE(file.path, kind == int(StartupFile::None) ? QString() : path);
    }

    void backslashesNameTheFile()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("sub")));
        const QString path = writeFile(m_dir, QStringLiteral("sub/panel.tvx"), "x");
        QString windowsForm = path;
        windowsForm.replace(QLatin1Char('/'), QLatin1Char('\\'));
        const StartupFile file = classifyStartupFile(windowsForm);
        QCOMPARE(int(file.kind), int(StartupFile::Project));
        QCOMPARE(file.path, path);
    }
};

QTEST_GUILESS_MAIN(TstStartupFile)
#include "tst_startupfile.moc"
