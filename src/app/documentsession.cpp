#include "app/documentsession.h"

#include "app/startupfile.h"
#include "app/statustext.h"
#include "model/fileio.h"
#include "project/projectfile.h"
#include "ui_mainwindow.h"
#include "uikit/prompt.h"
#include "view/ui/darstellg.h"

#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QStandardPaths>

namespace {
const char* const projectFilter = "Tessavrant-File (*.tvx)";

// A save advances the progress bar through its steps; the step label keeps "0 / 2".
ProjectProgress saveProgress(Darstellg& view)
{
    view.showSteps(2, 0);
    return [&view](int done, int total) {
        QProgressBar* bar = view.progressBar();
        bar->setRange(0, total);
        bar->setValue(done);
        bar->show();
        bar->repaint();
    };
}

// The bar goes with the save, unless a layer render still uses it.
void endSaveProgress(Darstellg& view)
{
    view.hideSteps();
    if (!view.viewState().render.rendering)
        view.progressBar()->hide();
}

void warnLoadFailed(QWidget* parent, const QString& detail)
{
    prompt().warning(
        parent, QStringLiteral("Error"), QStringLiteral("An error occured while loading the file"), detail);
}
} // namespace

DocumentSession::DocumentSession(Ui::MainWindow& ui, Darstellg& view, QWidget& window, Hooks hooks)
    : m_ui(ui)
    , m_view(view)
    , m_window(window)
    , m_hooks(std::move(hooks))
    , m_lastDirectory(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation))
    , m_titleName(BoardInfo::defaultName())
    , m_session(SessionSettings::read(SessionSettings::path()))
{ }

void DocumentSession::updateWindowTitle()
{
    // "[*]" after the name is where the window system shows "*" while the document has
    // unsaved changes (set each tick from the modified flag, so it follows undo and redo).
    QString title = StatusText::windowTitle(m_titleName);
    title.insert(m_titleName.size(), QLatin1String("[*]"));
    m_window.setWindowTitle(title);
}

void DocumentSession::forgetProject()
{
    m_currentProjectPath.clear();
    m_titleName = BoardInfo::defaultName();
    updateWindowTitle();
}

DocumentSession::SaveAnswer DocumentSession::askToSaveChanges()
{
    if (!m_view.document().isModified())
        return SaveAnswer::Proceed;
    const QMessageBox::StandardButton answer = prompt().question(&m_window, QStringLiteral("Tessavrant"),
        QStringLiteral("Do you want to save changes?\n"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::No)
        return SaveAnswer::Proceed;
    if (answer != QMessageBox::Yes)
        return SaveAnswer::Stop;
    m_saveSucceeded = true;
    save();
    if (!m_saveSucceeded)
        // The user asked to keep the changes; throwing them away now would lose them.
        return SaveAnswer::Stop;
    m_hooks.writeColorSettings();
    return SaveAnswer::Proceed;
}

// ---- New and Open

void DocumentSession::newDocument()
{
    if (askToSaveChanges() == SaveAnswer::Stop)
        return;
    m_hooks.startNewDocument();
    m_currentProjectPath.clear();
    m_titleName = BoardInfo::defaultName();
    m_view.document().setModified(true);
    updateWindowTitle();
}

void DocumentSession::open()
{
    if (askToSaveChanges() == SaveAnswer::Stop)
        return;
    const QString answer = prompt().openFileName(
        &m_window, QStringLiteral("Open Tessavrant"), m_lastDirectory, QLatin1String(projectFilter));
    if (answer.isEmpty())
        return;
    m_chosenPath = answer;
    m_lastDirectory = FileIo::folderOf(answer);
    loadProject(answer);
}

void DocumentSession::openRecent(const QString& path)
{
    if (askToSaveChanges() == SaveAnswer::Stop)
        return;
    m_chosenPath = path;
    m_lastDirectory = FileIo::folderOf(path);
    loadProject(path);
}

void DocumentSession::loadProject(const QString& path)
{
    m_hooks.blockInteraction();
    m_view.showSteps(18, 0);
    m_hooks.prepareForLoad();

    QString error;
    ProjectLoad load;
    // Reading the layers again can take seconds: the step label counts them meanwhile.
    const auto progress = [this](int done, int total) {
        m_view.showSteps(total, done);
        m_view.stepLabel()->repaint();
    };
    const bool read = readProject(path, m_view.document(), m_view.layers(), &load, &error, progress);
    m_view.showSteps(18, 0);
    if (!read) {
        qDebug() << "loading" << path << "failed:" << error;
        warnLoadFailed(&m_window, error);
        // The document is empty now: it must not be saved over the last project by a plain
        // Save, so it becomes a new, unnamed document.
        m_view.resetDocument();
        m_view.setInteractionBlocked(true);
        forgetProject();
        m_hooks.showLoadedDocument(false);
        m_view.hideSteps();
        m_hooks.unblockInteraction();
        return;
    }

    if (load.coloursRead)
        restoreProjectColours(load.colours);
    // The file keeps the background its writer had; holes show this view's.
    m_view.matchDrillsToBackground();
    m_currentProjectPath = path;
    rememberProject(path);
    m_hooks.showLoadedDocument(true);
    m_titleName = m_view.document().boardInfo()->name();
    updateWindowTitle();
    m_view.hideSteps();
    m_justLoaded = true;
    m_hooks.unblockInteraction();
    if (!load.warning.isEmpty())
        prompt().warning(&m_window, QStringLiteral("Warning"),
            QStringLiteral("The file is damaged or incomplete; only its intact part was loaded"),
            load.warning);
}

ProjectColours DocumentSession::projectColours() const
{
    return { m_view.viewState().boardColorIndex, m_view.viewState().silkColorIndex };
}

void DocumentSession::restoreProjectColours(const ProjectColours& colours)
{
    m_view.restoreColorIndexes(colours.boardColorIndex, colours.silkColorIndex);
    // The boxes show the loaded entries; their change handlers would mark the document modified.
    for (const auto& box : { std::make_pair(m_ui.BoardColorBox, colours.boardColorIndex),
             std::make_pair(m_ui.SilkColorBox, colours.silkColorIndex) }) {
        const bool blocked = box.first->blockSignals(true);
        if (box.second >= 0 && box.second < box.first->count())
            box.first->setCurrentIndex(box.second);
        box.first->blockSignals(blocked);
    }
}

// ---- Save and Save as

bool DocumentSession::save()
{
    m_hooks.handLineDataToView();
    if (m_currentProjectPath.isEmpty()) {
        saveAsAsked();
    } else {
        QString error;
        if (!writeProject(m_currentProjectPath, m_view.document(), m_view.layers(), projectColours(), &error,
                saveProgress(m_view))) {
            qDebug() << "saving" << m_currentProjectPath << "failed:" << error;
            m_saveSucceeded = false;
            endSaveProgress(m_view);
            prompt().warning(&m_window, QStringLiteral("Error"),
                QStringLiteral("An error occured while directly saving the file"), error);
            saveAsAsked();
        } else {
            m_saveSucceeded = true;
            m_view.document().setModified(false);
            rememberProject(m_currentProjectPath);
            qDebug() << "saved";
        }
    }
    endSaveProgress(m_view);
    // The title names the file only when the document really went into it.
    if (m_saveSucceeded && !m_view.document().isModified()) {
        m_titleName = StatusText::titleFromPath(m_currentProjectPath);
        updateWindowTitle();
    }
    m_hooks.fillBoardInfoFields();
    return m_saveSucceeded;
}

bool DocumentSession::saveAsAsked()
{
    const QString boardName = m_view.document().boardInfo()->name();
    const QString suggestion = boardName.isEmpty()
        ? m_lastDirectory
        : m_lastDirectory + QLatin1Char('/') + boardName + QStringLiteral(".tvx");
    const QString answer = prompt().saveFileName(
        &m_window, QStringLiteral("Save Tessavrant"), suggestion, QLatin1String(projectFilter));
    if (answer.isEmpty()) {
        m_saveSucceeded = false;
        return false;
    }
    m_lastDirectory = FileIo::folderOf(answer);
    QString error;
    if (writeProject(
            answer, m_view.document(), m_view.layers(), projectColours(), &error, saveProgress(m_view))) {
        m_saveSucceeded = true;
        m_chosenPath = answer;
        m_currentProjectPath = answer;
        m_view.document().setModified(false);
        rememberProject(answer);
        qDebug() << "saved";
    } else {
        qDebug() << "saving" << answer << "failed:" << error;
        m_saveSucceeded = false;
        endSaveProgress(m_view);
        prompt().warning(&m_window, QStringLiteral("Error"),
            QStringLiteral("An error occured while saving the file"), error);
    }
    endSaveProgress(m_view);
    return m_saveSucceeded;
}

void DocumentSession::saveAs()
{
    m_hooks.handLineDataToView();
    if (!saveAsAsked())
        return;
    m_titleName = StatusText::titleFromPath(m_currentProjectPath);
    updateWindowTitle();
    m_hooks.fillBoardInfoFields();
}

// ---- closing

bool DocumentSession::confirmClose()
{
    if (m_view.document().isModified()) {
        const QMessageBox::StandardButton answer = prompt().question(&m_window, QStringLiteral("Tessavrant"),
            QStringLiteral("Do you want to save changes?\n"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
        if (answer == QMessageBox::Yes) {
            m_saveSucceeded = true;
            save();
            if (!m_saveSucceeded)
                return false;
        } else if (answer != QMessageBox::No) {
            return false;
        }
        m_hooks.writeColorSettings();
    } else if (m_hooks.colorSettingsChanged()) {
        // Colours and panel widths changed while the document was unchanged would be lost.
        m_hooks.writeColorSettings();
    }
    return true;
}

void DocumentSession::showWindowAtSavedPlace()
{
    const WindowPlacement saved = m_session.window;
    if (!saved.geometry.isValid()) {
        m_window.showMaximized();
        return;
    }
    const QScreen* screen = QGuiApplication::screenAt(saved.geometry.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    m_window.setGeometry(screen ? saved.fittedInto(screen->availableGeometry()).geometry : saved.geometry);
    if (saved.maximized)
        m_window.showMaximized();
    else
        m_window.show();
}

void DocumentSession::rememberWindow(const QRect& geometry, bool maximized)
{
    m_session.window.geometry = geometry;
    m_session.window.maximized = maximized;
    writeSession();
}

// ---- the command line

void DocumentSession::applyStartupArgument(const QString& argument)
{
    const StartupFile file = classifyStartupFile(argument);
    if (file.kind == StartupFile::None) {
        if (!argument.isEmpty()) {
            // Say why nothing opened; the document stays the empty one.
            qDebug() << "command-line file not found:" << argument;
            warnLoadFailed(&m_window,
                FileIo::errorText(argument, 0,
                    QFileInfo(argument).isDir() ? QStringLiteral("is a folder, not a file")
                                                : QStringLiteral("no such file")));
        }
        return;
    }
    if (file.kind == StartupFile::Placements) {
        QString error;
        if (!PnPImport::importFile(m_view.document(), file.format, file.path, file.options, &error)) {
            qDebug() << error;
            warnLoadFailed(&m_window, error);
            return;
        }
        m_lastDirectory = FileIo::folderOf(file.path);
        m_hooks.placementsImported();
        return;
    }
    if (file.kind == StartupFile::Project) {
        m_view.document().setModified(false);
        m_chosenPath = file.path;
        m_pendingOpen = true;
        return;
    }
    m_view.zoomBox()->setCurrentIndex(4);
    m_view.viewState().offsetY += 225;
    m_hooks.loadLayerFile(file.path, file.kind == StartupFile::Drill);
}

// ---- timer steps

void DocumentSession::tickPendingOpen()
{
    if (!m_pendingOpen)
        return;
    m_pendingOpen = false;
    loadProject(m_chosenPath);
    m_lastDirectory = FileIo::folderOf(m_chosenPath);
    m_hooks.showTop();
}

void DocumentSession::tickSaveAction()
{
    const bool on
        = !m_view.interactionBlocked() && (m_currentProjectPath.isEmpty() || m_view.document().isModified());
    m_ui.actionSpeicher->setEnabled(on);
    m_window.setWindowModified(m_view.document().isModified());
}

void DocumentSession::tickAfterLoad()
{
    if (!m_justLoaded)
        return;
    // Only what the load itself changed is forgiven: the flag does not wait for a later edit.
    m_justLoaded = false;
    if (m_view.document().isModified()) {
        m_view.document().setModified(false);
        m_ui.actionSpeicher->setEnabled(false);
    }
}

// ---- recent projects

void DocumentSession::rememberProject(const QString& path)
{
    m_session.addRecentProject(path);
    writeSession();
}

void DocumentSession::writeSession()
{
    QString error;
    if (!m_session.write(SessionSettings::path(), &error))
        qDebug() << "session not saved:" << error;
}

void DocumentSession::fillRecentMenu()
{
    QMenu* menu = m_ui.menuOpen_Recent;
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
        connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
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
