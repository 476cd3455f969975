// "Open Fabrication Files..." in the window: a package folder chosen through the file dialog, the
// assignment dialog accepted, every layer in its slot on both sides, one render pass, the view
// fitted. With TESSAVRANT_FAB_SHOTS set to a folder (under Xvfb with QT_QPA_PLATFORM=xcb) the
// dialog and the loaded board are saved there as fabrication-dialog.png and fabrication-board.png.
#include "corpus.h"
#include "fab/ui/fabimport_dlg.h"
#include "gerber/gerberlayer.h"
#include "gerber/layerset.h"
#include "view/ui/darstellg.h"
#include "windowfixture.h"

#include <QAction>
#include <QProgressBar>
#include <QTableWidget>

class TstFabricationImport : public QObject
{
    Q_OBJECT
private slots:
    void opensAPackageFolder()
    {
        if (!corpusPresent(QStringLiteral("gerber")))
            QSKIP("corpus absent");
        const QString shots = qEnvironmentVariable("TESSAVRANT_FAB_SHOTS");
        auto&& [home, prompt, w] = WindowUnderTest();
        if (!shots.isEmpty()) {
            w.resize(1920, 1080);
            w.show();
        }
        const QString board = corpusRoot() + "/gerber/tracespace/boards/clockblock";
        prompt.fileAnswers.enqueue(board + "/clockblock.drl"); // any file of the folder
        int rows = 0;
        prompt.dialogHandlers.enqueue([&](QDialog* d) {
            auto* dialog = qobject_cast<FabImport_dlg*>(d);
            rows = dialog ? dialog->table()->rowCount() : -1;
            if (!shots.isEmpty()) {
                d->show();
                QCoreApplication::processEvents();
                d->grab().save(shots + "/fabrication-dialog.png");
            }
            return int(QDialog::Accepted);
        });
        auto* action = w.findChild<QAction*>(QStringLiteral("actionOpen_Fabrication_Files"));
        QVERIFY(action);
        action->trigger();
        QCOMPARE(rows, 12); // ten layer files, LICENSE and manifest.json: none left out
        QVERIFY(prompt.callsOf(QStringLiteral("warning")).isEmpty());

        const LayerSet& layers = w.view()->layers();
        QStringList top, bottom;
        for (int s = 0; s < layerSlotCount; ++s) {
            top << layers.slot(true, LayerSlot(s))->fileName;
            bottom << layers.slot(false, LayerSlot(s))->fileName;
        }
        QCOMPARE(top,
            QStringList({ "clockblock-F_Cu.gbr", "clockblock-F_Mask.gbr", "clockblock-F_Paste.gbr", "",
                "clockblock-F_SilkS.gbr", "clockblock-Edge_Cuts.gbr", "clockblock.drl" }));
        QCOMPARE(bottom,
            QStringList({ "clockblock-B_Cu.gbr", "clockblock-B_Mask.gbr", "", "", "clockblock-B_SilkS.gbr",
                "clockblock-Edge_Cuts.gbr", "clockblock.drl" }));
        // Eleven layers on one bar of two steps each.
        QCOMPARE(w.view()->progressBar()->maximum(), 22);
        w.view()->waitForRenders();
        QVERIFY(w.view()->document().isModified() && !w.view()->fitIfBoardOutOfView()); // fitted already
        if (!shots.isEmpty()) {
            QCoreApplication::processEvents();
            w.grab().save(shots + "/fabrication-board.png");
        }

        // A folder dropped on the view opens the same dialog; cancelled, nothing is loaded and
        // no layer load is tried on the folder itself.
        bool asked = false;
        prompt.dialogHandlers.enqueue([&](QDialog*) {
            asked = true;
            return int(QDialog::Rejected);
        });
        emit w.view()->filesDropped({ board });
        QVERIFY(asked && prompt.callsOf(QStringLiteral("warning")).isEmpty());
        QCOMPARE(layers.slot(true, LayerSlot::Signal)->fileName, QStringLiteral("clockblock-F_Cu.gbr"));
    }
};

QTEST_MAIN(TstFabricationImport)
#include "tst_fabricationimport.moc"
