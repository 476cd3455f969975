#pragma once

#include "app/documentsession.h"
#include "app/feederpanel.h"
#include "app/mainwindow.h"
#include "app/panellayout.h"
#include "app/placementtables.h"
#include "app/toolactions.h"
#include "app/windowmodes.h"
#include "scriptedprompt.h"
#include "testfiles.h"

#include <QCloseEvent>
#include <QTemporaryDir>
#include <QtTest>

using ConfigFiles = std::initializer_list<std::pair<const char*, QByteArray>>;

// Points the user's home (and so the documents and desktop folders) and the configuration
// folder into a temporary folder, so a window under test never touches the real ones.
class TemporaryHome
{
public:
    // `config`: files (name and bytes) put in the configuration folder before anything reads it.
    TemporaryHome(ConfigFiles config = {})
    {
        m_oldHome = qgetenv("HOME");
        qputenv("HOME", m_dir.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DOCUMENTS_DIR");
        qunsetenv("XDG_DESKTOP_DIR");
        m_oldConfig = qgetenv("TESSAVRANT_CONFIG_DIR");
        qputenv("TESSAVRANT_CONFIG_DIR", configPath().toLocal8Bit());
        for (const auto& [name, bytes] : config)
            writeFile(configPath() + QLatin1Char('/') + QLatin1String(name), bytes);
    }
    ~TemporaryHome()
    {
        qputenv("HOME", m_oldHome);
        if (m_oldConfig.isEmpty())
            qunsetenv("TESSAVRANT_CONFIG_DIR");
        else
            qputenv("TESSAVRANT_CONFIG_DIR", m_oldConfig);
    }
    QString path() const { return m_dir.path(); }
    QString configPath() const { return m_dir.path() + QStringLiteral("/config"); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    QByteArray m_oldConfig;
};

// A main window in a temporary home, its messages answered by a scripted prompt. Members are
// built in this order and torn down in reverse: `auto&& [home, prompt, w] = WindowUnderTest();`, or
// with configuration files: `WindowUnderTest({ { "line.cfg", "A;0;0\n" } })`.
struct WindowUnderTest
{
    explicit WindowUnderTest(ConfigFiles config = {})
        : home(config)
    { }
    TemporaryHome home;
    ScriptedPrompt prompt;
    MainWindow window;
};

// The title as the window system shows it: "*" after the name while there are unsaved changes.
inline QString shownTitle(const QWidget& window)
{
    return window.windowTitle().replace(
        QLatin1String("[*]"), window.isWindowModified() ? QStringLiteral("*") : QString());
}

// Runs the window's 20 ms driver, as its timer would, without waiting for the timer.
template <typename Window> void runTicks(Window& window, int count = 2)
{
    for (int i = 0; i < count; ++i)
        window.tick();
}

// Sends the window a close event, as the window system does; whether the window closed.
inline bool closeWindow(QWidget& window)
{
    QCloseEvent event;
    QCoreApplication::sendEvent(&window, &event);
    return event.isAccepted();
}
