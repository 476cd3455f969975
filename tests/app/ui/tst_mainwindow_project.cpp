// The project file and the colour settings as the user meets them in the window: save, close,
// open again; a damaged file; the file named on the command line; "Open Recent"; colors.cfg at
// start-up, from the Config dialog and at close.
#include "gerber/gerberlayer.h"
#include "model/version.h"
#include "settings/colorsettings.h"
#include "settings/sessionsettings.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"
#include "windowfixture.h"

#include <QMenu>

namespace {

QStringList menuTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << a->text();
    return texts;
}

QString configFile(const TemporaryHome& home)
{
    return home.configPath() + QStringLiteral("/colors.cfg");
}

} // namespace

class TstMainWindowProject : public QObject
{
    Q_OBJECT

private slots:
    void savedProjectOpensAgainWithEverything()
    {
        TemporaryHome home;
        ScriptedPrompt scripted;
        const QString gerber = writeFile(home.path() + QStringLiteral("/top.gbr"),
            "%FSLAX24Y24*%\n%MOMM*%\n%ADD10C,0.1*%\nD10*\nX0Y0D03*\nX10000Y0D03*\nM02*\n");
        const QString path = home.path() + QStringLiteral("/boards/panel.A.tvx");
        QDir().mkpath(home.path() + QStringLiteral("/boards"));
        {
            MainWindow w(gerber);
            w.view()->document().appendEntry(new PnPEntry("R1", "0805", 1.5, 2, "top", 90, "10k", "1", ""));
            w.form()->BoardColorBox->setCurrentIndex(3);
            w.view()->layers().slot(true, LayerSlot::Drill)->color = Qt::red; // another background
            scripted.fileAnswers.enqueue(path);
            w.form()->actionSpeichern_unter->trigger();
            QVERIFY(scripted.callsOf("warning").isEmpty());
            QVERIFY(!w.view()->document().isModified());
            QCOMPARE(shownTitle(w), QStringLiteral("panel.A - ") + Version::programText());
            QVERIFY(closeWindow(w));
            QVERIFY(scripted.callsOf("question").isEmpty());
        }
        MainWindow w(path);
        runTicks(w, 2);
        QVERIFY(scripted.callsOf("warning").isEmpty());
        QCOMPARE(w.documentSession().currentProjectPath(), path);
        QCOMPARE(shownTitle(w), QStringLiteral("panel_A - ") + Version::programText());
        QCOMPARE(w.view()->document().currentList().size(), 1);
        QCOMPARE(w.view()->document().currentList().first()->x(), 1.5);
        QCOMPARE(w.view()->layers().slot(true, LayerSlot::Signal)->objects().size(), 2);
        QCOMPARE(w.form()->BoardColorBox->currentIndex(), 3);
        QCOMPARE(
            w.view()->layers().slot(true, LayerSlot::Drill)->color, w.view()->viewState().colours.background);
        QVERIFY(!w.view()->document().isModified());

        // Save goes straight to the same file.
        w.view()->document().setModified(true);
        w.form()->actionSpeicher->trigger();
        QCOMPARE(scripted.callsOf("save").size(), 1);
        QVERIFY(!w.view()->document().isModified());
    }

    void damagedProjectLoadsItsIntactPartWithAWarning()
    {
        TemporaryHome home;
        ScriptedPrompt scripted;
        const QString path = writeFile(home.path() + QStringLiteral("/cut.tvx"),
            "+FileVer\n10\n+Top\n+BoardInfo\ncut;10;10;0;0;0;\n+Pick-and-Place\nR1;0603;1;2;top;0;1k\n");
        MainWindow w(path);
        runTicks(w, 1);
        QCOMPARE(scripted.said("warning"),
            QStringList { "Warning: The file is damaged or incomplete; only its intact part was loaded" });
        QVERIFY(scripted.callsOf("warning").first().detail.startsWith("cut.tvx, line 7: the file ends"));
        QCOMPARE(w.view()->document().currentList().size(), 1);
    }

    void centroidOnCommandLineIsImported()
    {
        TemporaryHome home;
        ScriptedPrompt scripted;
        // An Eagle .mnb holds the bottom side's parts.
        const QString path = writeFile(home.path() + QStringLiteral("/board.mnb"),
            "JP1 43.56  6.10 270 JUMPER SMT-JUMPER\nU3 19.66 15.78 180 SDMMC 06132\n");
        MainWindow w(path);
        runTicks(w, 2);
        QVERIFY(scripted.callsOf("warning").isEmpty());
        w.switchTopBottom();
        QCOMPARE(w.view()->document().currentList().size(), 2);
        QCOMPARE(w.form()->pickandplacepositionen->rowCount(), 2);
    }

    void openRecentKeepsTenProjectsAcrossStarts()
    {
        TemporaryHome home;
        ScriptedPrompt scripted;
        const QString a = home.path() + QStringLiteral("/a.tvx");
        const QString b = home.path() + QStringLiteral("/b&c.tvx");
        const QString folder = QDir::toNativeSeparators(home.path());
        {
            MainWindow w;
            for (const QString& path : { a, b }) {
                scripted.fileAnswers.enqueue(path);
                w.form()->actionSpeichern_unter->trigger();
            }
            w.documentSession().fillRecentMenu();
            QCOMPARE(menuTexts(w.form()->menuOpen_Recent),
                QStringList(
                    { "&1 b&&c.tvx  [" + folder + "]", "&2 a.tvx  [" + folder + "]", "", "Clear Menu" }));
        }
        // The next start reads the list; a project deleted meanwhile leaves it with a note.
        QVERIFY(QFile::remove(a));
        MainWindow w;
        w.documentSession().fillRecentMenu();
        const QList<QAction*> actions = w.form()->menuOpen_Recent->actions();
        QCOMPARE(menuTexts(w.form()->menuOpen_Recent),
            QStringList({ "&1 b&&c.tvx  [" + folder + "]",
                "Not found, removed: " + QDir::toNativeSeparators(a), "", "Clear Menu" }));
        QVERIFY(!actions.at(1)->isEnabled());
        actions.at(0)->trigger();
        QCOMPARE(w.documentSession().currentProjectPath(), b);
        QVERIFY(scripted.callsOf("warning").isEmpty());
        actions.at(3)->trigger();
        QVERIFY(SessionSettings::read(SessionSettings::path()).recentProjects().isEmpty());
    }

    void colourFileIsReadAtStartAndWrittenWhenConfirmed()
    {
        TemporaryHome home;
        QByteArray file;
        for (int i = 0; i < 12; ++i)
            file += "1;2;" + QByteArray::number(i) + '\n';
        writeFile(configFile(home), file + "260;210");
        ScriptedPrompt scripted;
        MainWindow w;
        w.resize(1200, 800);
        QCOMPARE(w.panelLayout().state().left, 260);
        QCOMPARE(w.view()->viewState().colours.background, QColor(1, 2, 7)); // placement view
        QCOMPARE(w.view()->viewState().colours.measure, QColor(1, 2, 11));

        // Cancelled: nothing changes. Confirmed: the file is written at once.
        scripted.dialogHandlers.enqueue([](QDialog*) { return int(QDialog::Rejected); });
        w.form()->actionConfig->trigger();
        QCOMPARE(w.view()->viewState().colours.background, QColor(1, 2, 7));
        scripted.colorAnswers.enqueue(QColor(200, 100, 50));
        QString title;
        scripted.dialogHandlers.enqueue([&title](QDialog* d) {
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Bgcolor_button")), Qt::LeftButton);
            title = d->windowTitle();
            return int(QDialog::Accepted);
        });
        w.form()->actionConfig->trigger();
        QCOMPARE(title, QStringLiteral("Config"));
        QCOMPARE(w.view()->viewState().colours.background, QColor(200, 100, 50));
        ColorSettings read;
        QVERIFY(ColorSettingsFile::read(configFile(home), 2000, &read));
        QCOMPARE(read.colour(ColorSettings::PlacementBackground), QColor(200, 100, 50));
        QCOMPARE(read.leftPanelWidth, 260);
    }

    void closingWritesChangedColoursEvenWithoutChanges()
    {
        auto&& [home, scripted, first] = WindowUnderTest();
        QVERIFY(closeWindow(first));
        QVERIFY(!QFile::exists(configFile(home))); // nothing changed, nothing written
        MainWindow w;
        w.view()->document().setModified(false);
        w.view()->viewState().colours.measure = QColor(5, 6, 7);
        QVERIFY(closeWindow(w));
        ColorSettings read;
        QVERIFY(ColorSettingsFile::read(configFile(home), 2000, &read));
        QCOMPARE(read.colour(ColorSettings::TapeMeasure), QColor(5, 6, 7));
    }
};

QTEST_MAIN(TstMainWindowProject)
#include "tst_mainwindow_project.moc"
