#pragma once

#include <QTemporaryDir>
#include <QtTest>

// Points the user's home (and so the documents and desktop folders) into a temporary folder,
// so a window under test never touches the real configuration folder.
class TemporaryHome
{
public:
    TemporaryHome()
    {
        m_oldHome = qgetenv("HOME");
        qputenv("HOME", m_dir.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DOCUMENTS_DIR");
        qunsetenv("XDG_DESKTOP_DIR");
    }
    ~TemporaryHome() { qputenv("HOME", m_oldHome); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
};

// Runs the window's 20 ms driver, as its timer would, without waiting for the timer.
template <typename Window> void runTicks(Window& window, int count = 2)
{
    for (int i = 0; i < count; ++i)
        window.tick();
}
