#include "datatable.h"
#include "gerber/gerberlayer.h"
#include "model/version.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"
#include "windowfixture.h"

// New, Open, Save, Save as, Close and the command line: every answer to the unsaved-changes
// question, and no path that loses the user's placements or claims a save that did not happen.
// Saves that fail (a folder that is not there) and files that are no project are the cases here;
// working saves and loads are in tst_mainwindow_project.
class TstMainWindowLifecycle : public QObject
{
    Q_OBJECT
private:
    static void addPlacement(MainWindow& w)
    {
        w.view()->document().appendEntry(new PnPEntry("R1", "0805", 1, 2, "top", 0, "10k", "1", ""));
        w.view()->document().setModified(true);
    }
    static const QString question() { return QStringLiteral("Do you want to save changes?\n"); }

private slots:
    void close_data()
    {
        columns<bool, int, QString, bool, QStringList>(
            "modified", "answer", "savePath", "closes", "warnings");
        row("nothing changed", false, 0, QString(), true, QStringList());
        row("no", true, int(QMessageBox::No), QString(), true, QStringList());
        row("cancel", true, int(QMessageBox::Cancel), QString(), false, QStringList());
        row("yes, save dialog cancelled", true, int(QMessageBox::Yes), QString(), false, QStringList());
        row("yes, save fails", true, int(QMessageBox::Yes), "HOME/no/such/folder/board.tvx", false,
            QStringList { "Error: An error occured while saving the file" });
    }

    void close()
    {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(QString, savePath);
        auto&& [home, scripted, w] = WindowUnderTest();
        if (modified)
            addPlacement(w);
        scripted.questionAnswers.enqueue(QMessageBox::StandardButton(answer));
        scripted.fileAnswers.enqueue(QString(savePath).replace(QStringLiteral("HOME"), home.path()));
        QTEST(closeWindow(w), "closes");
        QCOMPARE(scripted.said("question"),
            modified ? QStringList { "Tessavrant: " + question() } : QStringList());
        QTEST(scripted.said("warning"), "warnings");
        // A failed or cancelled save leaves the document marked as changed.
        QCOMPARE(w.view()->document().isModified(), modified);
    }

    void saveDialogSuggestsTheBoardName()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        w.form()->boardName->setText(QStringLiteral("panel_7"));
        emit w.form()->boardName->editingFinished();
        w.form()->actionSpeicher->trigger();
        QCOMPARE(scripted.said("save"),
            QStringList { "Save Tessavrant: " + w.documentSession().lastDirectory() + "/panel_7.tvx" });
        QCOMPARE(scripted.callsOf("save").first().filter, QStringLiteral("Tessavrant-File (*.tvx)"));
    }

    void failedSaveAsChangesNothing()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        addPlacement(w);
        scripted.fileAnswers.enqueue(home.path() + QStringLiteral("/out/board.tvx"));
        w.form()->actionSpeichern_unter->trigger();
        QCOMPARE(scripted.said("warning"), QStringList { "Error: An error occured while saving the file" });
        runTicks(w);
        QCOMPARE(shownTitle(w), QStringLiteral("unbenannt* - ") + Version::programText());
        QVERIFY(w.view()->document().isModified() && w.documentSession().currentProjectPath().isEmpty());
        // The folder of the chosen file becomes the start of the next dialog.
        QCOMPARE(w.documentSession().lastDirectory(), home.path() + QStringLiteral("/out"));
        QVERIFY(!w.view()->stepLabel()->isVisibleTo(&w));
    }

    void newDocument_data()
    {
        columns<bool, int, bool>("modified", "answer", "reset");
        row("nothing changed", false, 0, true);
        row("no", true, int(QMessageBox::No), true);
        row("cancel", true, int(QMessageBox::Cancel), false);
        row("yes, save not done", true, int(QMessageBox::Yes), false);
    }

    void newDocument()
    {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(bool, reset);
        auto&& [home, scripted, w] = WindowUnderTest();
        addPlacement(w);
        w.view()->document().setModified(modified);
        w.switchTopBottom();
        scripted.questionAnswers.enqueue(QMessageBox::StandardButton(answer));
        w.form()->actionNeu->trigger();
        QCOMPARE(scripted.callsOf("question").size(), modified ? 1 : 0);
        const int placements = w.view()->document().side(true).placements.size()
            + w.view()->document().side(false).placements.size() + w.view()->document().currentList().size();
        QCOMPARE(QVector<bool>({ placements == 0, w.view()->document().activeSideIsTop() }),
            QVector<bool>({ reset, reset }));
        QVERIFY(w.view()->document().isModified() && !w.modes().layerModeActive());
        QCOMPARE(w.documentSession().titleName(), QStringLiteral("unbenannt"));
    }

    void openFailureLeavesAnEmptyUsableDocument()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        addPlacement(w);
        scripted.questionAnswers.enqueue(QMessageBox::No);
        scripted.fileAnswers.enqueue(writeFile(home.path() + QStringLiteral("/old.tvx"), "not a project"));
        w.form()->action_oeffnen->trigger();
        QCOMPARE(scripted.said("open"), QStringList { "Open Tessavrant: " + home.path() + "/Desktop" });
        QCOMPARE(scripted.callsOf("open").first().filter, QStringLiteral("Tessavrant-File (*.tvx)"));
        QCOMPARE(scripted.said("warning"), QStringList { "Error: An error occured while loading the file" });
        QVERIFY(!w.view()->interactionBlocked() && !w.modes().layerModeActive());
        QVERIFY(w.form()->menuTopPaste->menuAction()->isEnabled());
        QVERIFY(w.view()->document().currentList().isEmpty());
        QCOMPARE(QStringList({ w.documentSession().currentProjectPath(), w.documentSession().titleName(),
                     w.documentSession().lastDirectory() }),
            QStringList({ QString(), "unbenannt", home.path() }));
    }

    void openCancelledDoesNothing()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        addPlacement(w);
        scripted.questionAnswers.enqueue(QMessageBox::No);
        w.form()->action_oeffnen->trigger();
        QCOMPARE(w.view()->document().currentList().size(), 1);
        QVERIFY(scripted.callsOf("warning").isEmpty());
    }

    void commandLine_data()
    {
        columns<QString, QByteArray, bool, int>("name", "content", "pending", "warnings");
        // A name that leads nowhere is said, not silently dropped.
        row("missing file", QString(), QByteArray(), false, 1);
        row("folder", ".", QByteArray(), false, 1);
        row("project", "board.tvx", QByteArray("x"), true, 0);
        row("binary junk", "junk.bin", QByteArray("\x01\x02\xff\xfe", 4), false, 1);
    }

    void commandLine()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        TemporaryHome home;
        QString argument = home.path() + QStringLiteral("/missing.tvx");
        if (name == QLatin1String("."))
            argument = home.path();
        else if (!name.isEmpty())
            argument = writeFile(home.path() + QLatin1Char('/') + name, content);
        ScriptedPrompt scripted;
        MainWindow w(argument);
        QTEST(w.documentSession().pendingOpen(), "pending");
        QTEST(int(scripted.callsOf("warning").size()), "warnings");
        for (const ScriptedPrompt::Call& c : scripted.callsOf("warning"))
            QCOMPARE(c.text, QStringLiteral("An error occured while loading the file"));
        QVERIFY(w.view()->document().currentList().isEmpty());
    }

    void projectOnTheCommandLineOpensOnTheFirstTick()
    {
        TemporaryHome home;
        QVERIFY(QDir(home.path()).mkpath("boards"));
        const QString path = writeFile(home.path() + QStringLiteral("/boards/panel.tvx"), QByteArray());
        QString windowsForm = path;
        windowsForm.replace(QLatin1Char('/'), QLatin1Char('\\'));
        ScriptedPrompt scripted;
        MainWindow w(windowsForm);
        QVERIFY(w.documentSession().pendingOpen());
        QCOMPARE(w.documentSession().chosenPath(), path);
        runTicks(w, 1);
        QVERIFY(!w.documentSession().pendingOpen());
        // An empty file is no project: the user is told, and the window stays usable.
        QCOMPARE(scripted.callsOf("warning").size(), 1);
        QCOMPARE(w.documentSession().lastDirectory(), home.path() + QStringLiteral("/boards"));
        QVERIFY(!w.view()->interactionBlocked() && !w.modes().layerModeActive());
    }

    void gerberOnTheCommandLine_data()
    {
        columns<QByteArray, int, QString>("content", "objects", "reason");
        row("good", QByteArray("%FSLAX24Y24*%\n%ADD10C,0.01*%\nD10*\nX0Y0D03*\nM02*\n"), 1, QString());
        // Far from the origin: out of view at the start zoom, in view once the window is shown.
        row("far away", QByteArray("%FSLAX24Y24*%\n%ADD10C,0.01*%\nD10*\nX500000Y500000D03*\nM02*\n"), 1,
            QString());
        row("refused block", QByteArray("%FSLAX24Y24*%\n%ADD10C,0.01*%\nD11*\nM02*\n"), 0,
            QStringLiteral("top.gbr, line 3: D-Code unbekannt in \"D11*\""));
    }
    void gerberOnTheCommandLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        TemporaryHome home;
        const QString path = writeFile(home.path() + QStringLiteral("/top.gbr"), content);
        ScriptedPrompt scripted;
        MainWindow w(path);
        const GerberLayer* layer = w.view()->layers().slot(true, LayerSlot::Signal);
        QTEST(layer->objects().size(), "objects");
        QCOMPARE(w.view()->zoomLevel(), 5);
        QCOMPARE(w.view()->document().isModified(), reason.isEmpty());
        QStringList warnings;
        for (const ScriptedPrompt::Call& c : scripted.callsOf("warning"))
            warnings << c.text << c.detail;
        const QStringList expected { "An error occured while loading the file", reason };
        QCOMPARE(warnings, reason.isEmpty() ? QStringList() : expected);
        w.show();
        QCoreApplication::processEvents();
        QVERIFY(!w.view()->fitIfBoardOutOfView()); // shown: the layer is in view already
    }

    // Loading a layer into a slot: a failed read or a cancelled drill dialog keeps the layer the
    // user had, and the warning says which file and line failed.
    void failedLayerLoadKeepsThePreviousLayer()
    {
        TemporaryHome home;
        const QString dir = home.path() + QLatin1Char('/');
        const QString good
            = writeFile(dir + "mask.gbr", "%FSLAX24Y24*%\n%ADD10C,0.01*%\nD10*\nX0Y0D03*\nM02*\n");
        const QString bad = writeFile(dir + "bad.gbr", "%FSLAX24Y24*%\nX0Y0D03*\n");
        const QString drill = writeFile(dir + "holes.drl", "M48\nT01C0.8\n%\nT01\nX12Y5\nM30\n");
        ScriptedPrompt scripted;
        MainWindow w;
        scripted.fileAnswers << good << bad;
        w.form()->actionTop_Paste->trigger();
        const GerberLayer* loaded = w.view()->layers().slot(true, LayerSlot::Mask);
        QCOMPARE(loaded->fileName, QStringLiteral("mask.gbr"));
        w.form()->actionTop_Paste->trigger();
        QCOMPARE(w.view()->layers().slot(true, LayerSlot::Mask), loaded);
        QCOMPARE(scripted.callsOf("warning").size(), 1);
        QCOMPARE(scripted.callsOf("warning").first().detail,
            QStringLiteral("bad.gbr: the file ends without \"M02*\""));

        scripted.fileAnswers << drill;
        const GerberLayer* emptyDrill = w.view()->layers().slot(true, LayerSlot::Drill);
        w.form()->actionDrill_Excellon->trigger(); // the drill dialog is cancelled
        QCOMPARE(w.view()->layers().slot(true, LayerSlot::Drill), emptyDrill);
        QCOMPARE(scripted.callsOf("warning").size(), 1);
        QCOMPARE(w.documentSession().lastDirectory(), home.path());
    }
};

QTEST_MAIN(TstMainWindowLifecycle)
#include "tst_mainwindow_lifecycle.moc"
