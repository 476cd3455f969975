#include "app/mainwindow.h"
#include "line/feederentry.h"
#include "line/machine.h"
#include "line/ui/linie_dlg.h"
#include "model/document.h"
#include "model/pnpentry.h"
#include "scriptedprompt.h"
#include "testfiles.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"
#include "windowfixture.h"

// The feeder list of the selected machine and the optimizer, reached from the Edit menu.
class TstMainWindowFeeders : public QObject
{
    Q_OBJECT
private slots:
    void generateThenOptimize()
    {
        TemporaryHome home;
        writeFile(home.configPath() + "/line.cfg", "Opal;1;0\n");
        writeFile(
            home.configPath() + "/database.cfg", "#ASYS\n120 R0603\n#DBASE\n120 RES 1.6 0.8 0.45 1 8\n");
        ScriptedPrompt scripted;
        MainWindow w;
        runTicks(w);
        Document& document = w.view()->document();
        for (const auto& [ref, x] : { std::pair { "R1", 10 }, { "R2", 0 }, { "R3", 1 } }) {
            auto* e = new PnPEntry(ref, "R0603", x, 0, "top", 0, "10k", "1", "");
            e->setLine(1);
            e->setMachine(1);
            document.appendEntry(e);
        }

        // "(none)" has no machine record to hold a list.
        w.form()->actionGenerate_Feederlist->trigger();
        w.form()->actionUpdate_DB_No_in_Feederlist->trigger();
        w.form()->actionTOPAZ_OPAL_single_CAM->trigger();
        QCOMPARE(scripted.callsOf("warning").size(), 3);
        QCOMPARE(scripted.callsOf("warning").at(0).text, QStringLiteral("No machine selected"));
        QCOMPARE(scripted.callsOf("warning").at(1).text, QStringLiteral("nothing to update"));
        QCOMPARE(scripted.callsOf("warning").at(2).text,
            QStringLiteral("Some Data are incorrect or inconsistent. Please Check your Instructions."));

        w.form()->comboBox->setCurrentIndex(1);
        w.form()->actionGenerate_Feederlist->trigger();
        const Machine* machine = w.lineDialog()->currentLineMachines().first();
        QCOMPARE(machine->feeders.size(), 1);
        QCOMPARE(machine->feeders.first()->qty, 3);
        QCOMPARE(machine->feeders.first()->dbNo, 120);

        QVERIFY(w.form()->actionTOPAZ_OPAL_single_CAM->isEnabled());
        w.form()->actionTOPAZ_OPAL_single_CAM->trigger();
        QCOMPARE(scripted.callsOf("information").size(), 1);
        QCOMPARE(scripted.callsOf("information").first().title, QStringLiteral("Success"));
        QVERIFY(scripted.callsOf("information").first().text.startsWith("Pick-and-Place quantized in 0:00:"));
        QStringList order;
        for (const PnPEntry* e : document.currentList())
            order << e->refDes();
        // R1 alone right of the centre (5, 0); R2 and R3 on the left, one cycle each side.
        QCOMPARE(order, (QStringList { "R2", "R3", "R1" }));
        QVERIFY(document.isModified());
    }
};

QTEST_MAIN(TstMainWindowFeeders)
#include "tst_mainwindow_feeders.moc"
