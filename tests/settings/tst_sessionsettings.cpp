#include "datatable.h"
#include "settings/sessionsettings.h"

#include <QtTest>

// The recent-projects list and the window placement kept between runs in session.cfg.
class TstSessionSettings : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void recentList_data()
    {
        columns<QStringList, QStringList>("opened", "expected");
        row("most recent first", QStringList { "a", "b", "c" }, QStringList { "c", "b", "a" });
        row("opening again moves it to the top", QStringList { "a", "b", "c", "a" },
            QStringList { "a", "c", "b" });
        row("another spelling of the same file is one entry", QStringList { "a", "sub/../b", "./a" },
            QStringList { "a", "b" });
        QStringList twelve;
        for (int i = 1; i <= 12; ++i)
            twelve << QString::number(i);
        row("the eleventh pushes out the oldest", twelve,
            QStringList { "12", "11", "10", "9", "8", "7", "6", "5", "4", "3" });
    }

    void recentList()
    {
        QFETCH(QStringList, opened);
        QDir::setCurrent(m_dir.path());
        QDir().mkpath(QStringLiteral("sub"));
        SessionSettings settings;
        for (const QString& name : opened)
            settings.addRecentProject(name);
        QStringList shown;
        for (const QString& path : settings.recentProjects())
            shown << QDir(m_dir.path()).relativeFilePath(path);
        QTEST(shown, "expected");
        // What was written is what the next start reads.
        const QString path = m_dir.path() + QStringLiteral("/cfg/session.cfg");
        QString error;
        QVERIFY2(settings.write(path, &error), qPrintable(error));
        QCOMPARE(SessionSettings::read(path).recentProjects(), settings.recentProjects());
    }

    void readsWhatFits_data()
    {
        columns<QByteArray, QStringList, QRect, bool>("text", "recent", "geometry", "maximized");
        row("window and a path with ;", QByteArray("  recent;/p/a;b.tvx \r\nwindow;-10;20;800;600;1\n"),
            QStringList { "/p/a;b.tvx" }, QRect(-10, 20, 800, 600), true);
        row("broken window lines are skipped",
            QByteArray("window;1;2;0;600;0\nwindow;1;2;3\nwindow;x;2;3;4;0\nwindow;1;2;3;4;2\nrecent;\n"),
            QStringList(), QRect(), false);
        QByteArray many;
        for (int i = 0; i < 15; ++i)
            many += "recent;/p/" + QByteArray::number(i) + "\n";
        row("at most ten projects", many,
            QStringList { "/p/0", "/p/1", "/p/2", "/p/3", "/p/4", "/p/5", "/p/6", "/p/7", "/p/8", "/p/9" },
            QRect(), false);
        row("binary", QByteArray("\x00\xff\nrecent\n;;;\n", 14), QStringList(), QRect(), false);
    }

    void readsWhatFits()
    {
        QFETCH(QByteArray, text);
        const SessionSettings settings = SessionSettings::fromText(text);
        QTEST(settings.recentProjects(), "recent");
        QTEST(settings.window.geometry, "geometry");
        QTEST(settings.window.maximized, "maximized");
    }

    void windowComesBackOnScreen_data()
    {
        columns<QRect, QRect>("saved", "shown");
        const QRect screen(0, 0, 1920, 1080);
        row("on screen stays", QRect(100, 50, 800, 600), QRect(100, 50, 800, 600));
        row("screen to the right is gone", QRect(2500, 50, 800, 600), QRect(1120, 50, 800, 600));
        row("larger than the screen", QRect(10, 10, 3000, 2000), screen);
    }

    void windowComesBackOnScreen()
    {
        QFETCH(QRect, saved);
        WindowPlacement placement;
        placement.geometry = saved;
        QTEST(placement.fittedInto(QRect(0, 0, 1920, 1080)).geometry, "shown");
    }
};

QTEST_GUILESS_MAIN(TstSessionSettings)
#include "tst_sessionsettings.moc"
