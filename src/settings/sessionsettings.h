#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QStringList>

// Where the main window stood when it was last closed. `geometry` is the normal (not maximised)
// frame-less geometry; an invalid one means nothing was recorded.
struct WindowPlacement
{
    QRect geometry;
    bool maximized = false;

    // The placement moved and, where needed, shrunk so the window lies on `available` (the
    // screen's work area): a window last shown on a screen that is gone comes back in view.
    WindowPlacement fittedInto(const QRect& available) const;
};

// What the program remembers between runs, outside any project: the projects opened recently
// and the window's placement. Kept in session.cfg in the configuration folder.
class SessionSettings
{
public:
    static constexpr int maxRecentProjects = 10;

    // session.cfg in the configuration folder (see ConfigFolder).
    static QString path();

    // Most recent first, each an absolute path, at most maxRecentProjects.
    const QStringList& recentProjects() const { return m_recent; }
    // Puts the project first, dropping its earlier place and whatever falls past the tenth.
    void addRecentProject(const QString& path);
    // Removes the projects whose files are gone and returns them, in their order.
    QStringList removeMissingProjects();
    void clearRecentProjects() { m_recent.clear(); }

    WindowPlacement window;

    // Lines "recent;PATH" (most recent first) and "window;X;Y;WIDTH;HEIGHT;MAXIMISED". Lines that
    // do not fit are skipped, as in every configuration file.
    QByteArray toText() const;
    static SessionSettings fromText(const QByteArray& text);
    // A missing or unreadable file gives the empty settings.
    static SessionSettings read(const QString& path);
    bool write(const QString& path, QString* error) const;

private:
    QStringList m_recent;
};
