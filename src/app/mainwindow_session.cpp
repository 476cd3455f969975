// "Open Recent" and the window placement, both remembered in session.cfg between runs.
#include "app/mainwindow.h"

#include "model/fileio.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QMenu>
#include <QScreen>

void MainWindow::showAtSavedPlace()
{
    const WindowPlacement saved = m_session.window;
    if (!saved.geometry.isValid()) {
        showMaximized();
        return;
    }
    const QScreen* screen = QGuiApplication::screenAt(saved.geometry.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    setGeometry(screen ? saved.fittedInto(screen->availableGeometry()).geometry : saved.geometry);
    if (saved.maximized)
        showMaximized();
    else
        show();
}

void MainWindow::rememberProject(const QString& path)
{
    m_session.addRecentProject(path);
    writeSession();
}

void MainWindow::writeSession()
{
    QString error;
    if (!m_session.write(SessionSettings::path(), &error))
        qDebug() << "session not saved:" << error;
}

void MainWindow::fillRecentMenu()
{
    QMenu* menu = m_ui->menuOpen_Recent;
    menu->clear();
    const QStringList missing = m_session.removeMissingProjects();
    if (!missing.isEmpty())
        writeSession();
    int number = 0;
    for (const QString& path : m_session.recentProjects()) {
        ++number;
        QString name = FileIo::fileName(path);
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QString folder = QDir::toNativeSeparators(FileIo::folderOf(path));
        folder.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString text = number < 10 ? QStringLiteral("&%1 %2  [%3]").arg(number).arg(name, folder)
                                         : QStringLiteral("1&0 %1  [%2]").arg(name, folder);
        QAction* action = menu->addAction(text);
        connect(action, &QAction::triggered, this, [this, path] { openRecentProject(path); });
    }
    // The note stays until the menu is opened again: the user sees which entries went and why.
    for (const QString& path : missing)
        menu->addAction(QStringLiteral("Not found, removed: %1").arg(QDir::toNativeSeparators(path)))
            ->setEnabled(false);
    menu->addSeparator();
    QAction* clear = menu->addAction(QStringLiteral("Clear Menu"));
    clear->setEnabled(!m_session.recentProjects().isEmpty());
    connect(clear, &QAction::triggered, this, [this] {
        m_session.clearRecentProjects();
        writeSession();
    });
}

void MainWindow::openRecentProject(const QString& path)
{
    if (askToSaveChanges() == SaveAnswer::Stop)
        return;
    m_chosenPath = path;
    m_lastDirectory = FileIo::folderOf(path);
    loadProject(path);
}
