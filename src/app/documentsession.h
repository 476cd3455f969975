#pragma once

#include "settings/sessionsettings.h"

#include <QObject>
#include <QString>
#include <functional>

class Darstellg;
class QWidget;
struct ProjectColours;

namespace Ui {
class MainWindow;
}

// The document session of the main window: the project path, the title, New, Open, Save,
// Save as and the question before closing, the file named on the command line, the folder file
// dialogs start in, and the recent projects kept in session.cfg. The window's widgets are
// refilled through the hooks.
class DocumentSession : public QObject
{
    Q_OBJECT
public:
    // What a document change asks of the rest of the window.
    struct Hooks
    {
        std::function<void()> blockInteraction;
        std::function<void()> unblockInteraction;
        std::function<void()> startNewDocument; // empties every widget and shows the new document
        std::function<void()> prepareForLoad; // layer mode, an empty document, line data handed over
        std::function<void(bool read)> showLoadedDocument; // fields, tables, side; read: the file's
        std::function<void()> handLineDataToView; // before a save: the feeder lists into the document
        std::function<void()> fillBoardInfoFields;
        std::function<void()> showTop;
        std::function<void()> placementsImported;
        std::function<bool(const QString& path, bool drill)> loadLayerFile;
        std::function<void()> writeColorSettings;
        std::function<bool()> colorSettingsChanged;
    };

    DocumentSession(Ui::MainWindow& ui, Darstellg& view, QWidget& window, Hooks hooks);

    QString titleName() const { return m_titleName; }
    QString currentProjectPath() const { return m_currentProjectPath; }
    QString chosenPath() const { return m_chosenPath; }
    // The folder file dialogs start in: the desktop, then the folder of the last chosen file.
    QString& lastDirectory() { return m_lastDirectory; }
    bool pendingOpen() const { return m_pendingOpen; }
    const SessionSettings& settings() const { return m_session; }

    // startupArgument: a project (opened on the first timer tick), a placement file or a
    // Gerber/Excellon file (loaded at once).
    void applyStartupArgument(const QString& argument);
    void newDocument();
    void open();
    void openRecent(const QString& path);
    void loadProject(const QString& path);
    bool save(); // returns whether the document went into its file
    void saveAs();
    // The unsaved-changes question of closing; false when the window must stay open.
    bool confirmClose();
    // Where the window stood, for the next start.
    void rememberWindow(const QRect& geometry, bool maximized);
    // Shows the window where it was last closed: maximised when it was then, and on a first start.
    void showWindowAtSavedPlace();
    // Fills "Open Recent" from the list; projects whose files are gone leave it with a note.
    void fillRecentMenu();
    void updateWindowTitle();

    // Timer steps.
    void tickPendingOpen();
    void tickSaveAction();
    void tickAfterLoad();

private:
    enum class SaveAnswer
    {
        Proceed,
        Stop
    };
    // The unsaved-changes question of New and Open; Proceed when the caller may go on.
    SaveAnswer askToSaveChanges();
    bool saveAsAsked(); // Save as without the entry's own title update
    void forgetProject();
    ProjectColours projectColours() const;
    void restoreProjectColours(const ProjectColours& colours);
    void rememberProject(const QString& path);
    void writeSession();

    Ui::MainWindow& m_ui;
    Darstellg& m_view;
    QWidget& m_window;
    Hooks m_hooks;
    QString m_currentProjectPath;
    QString m_chosenPath;
    QString m_lastDirectory;
    QString m_titleName;
    bool m_saveSucceeded = false;
    bool m_pendingOpen = false;
    bool m_justLoaded = false;
    SessionSettings m_session;
};
