#include "settings/sessionsettings.h"

#include "model/configfolder.h"
#include "model/fileio.h"

#include <QDir>
#include <QFileInfo>

namespace {

// One spelling per file, so the same project opened as "./a.tvx" and "/home/u/a.tvx" is one entry.
QString canonicalEntry(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

WindowPlacement WindowPlacement::fittedInto(const QRect& available) const
{
    if (!geometry.isValid() || !available.isValid())
        return *this;
    WindowPlacement fitted = *this;
    QRect& g = fitted.geometry;
    g.setWidth(qMin(g.width(), available.width()));
    g.setHeight(qMin(g.height(), available.height()));
    g.moveLeft(qBound(available.left(), g.left(), available.right() - g.width() + 1));
    g.moveTop(qBound(available.top(), g.top(), available.bottom() - g.height() + 1));
    return fitted;
}

QString SessionSettings::path()
{
    return ConfigFolder::file(QStringLiteral("session.cfg"));
}

void SessionSettings::addRecentProject(const QString& path)
{
    if (path.isEmpty())
        return;
    const QString entry = canonicalEntry(path);
    m_recent.removeAll(entry);
    m_recent.prepend(entry);
    while (m_recent.size() > maxRecentProjects)
        m_recent.removeLast();
}

QStringList SessionSettings::removeMissingProjects()
{
    QStringList missing;
    for (const QString& entry : qAsConst(m_recent)) {
        if (!QFileInfo(entry).isFile())
            missing << entry;
    }
    for (const QString& entry : qAsConst(missing))
        m_recent.removeAll(entry);
    return missing;
}

QByteArray SessionSettings::toText() const
{
    QByteArray text;
    for (const QString& entry : m_recent)
        text += "recent;" + entry.toUtf8() + '\n';
    if (window.geometry.isValid()) {
        const QRect& g = window.geometry;
        text += QStringLiteral("window;%1;%2;%3;%4;%5\n")
                    .arg(g.x())
                    .arg(g.y())
                    .arg(g.width())
                    .arg(g.height())
                    .arg(window.maximized ? 1 : 0)
                    .toUtf8();
    }
    return text;
}

SessionSettings SessionSettings::fromText(const QByteArray& text)
{
    SessionSettings settings;
    for (const QByteArray& rawLine : text.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(QLatin1String("recent;"))) {
            // The path is the rest of the line: a ";" in a folder name stays part of it.
            const QString entry = line.mid(7);
            if (!entry.isEmpty() && settings.m_recent.size() < maxRecentProjects
                && !settings.m_recent.contains(canonicalEntry(entry)))
                settings.m_recent << canonicalEntry(entry);
        } else if (line.startsWith(QLatin1String("window;"))) {
            const QStringList f = line.split(QLatin1Char(';'));
            if (f.size() != 6)
                continue;
            int v[5];
            bool all = true;
            for (int i = 0; i < 5; ++i) {
                bool ok = false;
                v[i] = f.at(i + 1).toInt(&ok);
                all &= ok;
            }
            if (!all || v[2] <= 0 || v[3] <= 0 || (v[4] != 0 && v[4] != 1))
                continue;
            settings.window.geometry = QRect(v[0], v[1], v[2], v[3]);
            settings.window.maximized = v[4] == 1;
        }
    }
    return settings;
}

SessionSettings SessionSettings::read(const QString& path)
{
    QByteArray text;
    QString error;
    if (!QFileInfo::exists(path) || !FileIo::readAll(path, &text, &error))
        return SessionSettings();
    return fromText(text);
}

bool SessionSettings::write(const QString& path, QString* error) const
{
    if (!QDir().mkpath(QFileInfo(path).path())) {
        if (error)
            *error = FileIo::errorText(path, 0, QStringLiteral("cannot create its folder"));
        return false;
    }
    return FileIo::writeAtomically(path, toText(), error);
}
