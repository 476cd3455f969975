#include "documentsetup.h"
#include "line/feederentry.h"
#include "line/machine.h"
#include "line/ui/feeder_config.h"
#include "line/ui/linie_dlg.h"
#include "model/document.h"
#include "model/feederdata.h"
#include "model/pnpentry.h"
#include "ui_mainwindow.h"
#include "view/ui/darstellg.h"
#include "windowfixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>

namespace {

// Types into a feeder cell as a user does: the cell's editor, the text, Return.
void typeInto(QTableWidget* table, int row, int column, const QString& text)
{
    table->setCurrentCell(row, column);
    table->editItem(table->item(row, column));
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits through a queued call and deletes the editor later.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString cell(QTableWidget* table, int row, int column)
{
    return table->item(row, column) ? table->item(row, column)->text() : QString("<none>");
}

QStringList machineRows(const MainWindow& w, int machine)
{
    QStringList out;
    for (const MachineFeeders& m : w.view()->document().feederData().machines)
        if (m.line == 1 && m.machine == machine)
            for (const FeederRecord& r : m.feeders)
                out << r.fields.join(';');
    return out;
}

} // namespace

// The feeder list of the selected machine and the optimizer, reached from the Edit menu.
class TstMainWindowFeeders : public QObject
{
    Q_OBJECT
private slots:
    // Each machine keeps its own list through machine switches, a save and a reload; rows of a
    // machine left alone are written back exactly as they were read.
    void listsFollowTheMachinesThroughTheProject()
    {
        TemporaryHome home { { "line.cfg", "A;1;0\nB;0;0\n" },
            { "database.cfg",
                "#ASYS\n120 R0603\n#DBASE\n120 RES-0603 1.60 0.80 0.45 1 8\n150 CAP-0805 2.0 1.25 0.6 2 "
                "12\n" } };
        // Rows of three machines of line 1, a set number written "07" by hand.
        const QString path = writeFile(home.path() + "/board.tvx",
            readFile(QStringLiteral(TESSAVRANT_TESTDATA_DIR "/project/three-machines.tvx")));
        ScriptedPrompt scripted;
        const QString saved = home.path() + "/saved.tvx";
        {
            MainWindow w(path);
            runTicks(w);
            QTableWidget* table = w.form()->feeder_config;
            w.form()->comboBox->setCurrentIndex(1);
            QCOMPARE(cell(table, 0, 4), QString("7"));

            // What each cell takes: tst_feederlist cellEdit.
            typeInto(table, 0, 5, "stick");
            QCOMPARE(cell(table, 0, 5), QString("Stick"));
            QVERIFY(w.view()->document().isModified());

            // The table's "Database" entry: the chosen entry brings number, nozzle and feeder.
            w.form()->comboBox->setCurrentIndex(2);
            QCOMPARE(cell(table, 0, 2), QString("C0805"));
            table->setCurrentCell(0, 3);
            scripted.dialogHandlers.enqueue([](QDialog* d) {
                d->findChild<QListWidget*>("category_list")->setCurrentRow(1);
                d->findChild<QListWidget*>("specific_list")->setCurrentRow(0);
                return int(QDialog::Accepted);
            });
            w.form()->feeder_config->contextMenu()->actions().at(1)->trigger();
            runTicks(w, 1);
            QCOMPARE(scripted.callsOf("exec").first().title, QString("Set Part DB no."));
            QCOMPARE(cell(table, 0, 3) + cell(table, 0, 5) + cell(table, 0, 6), QString("15012mm2"));

            // "rotate" turns the highlighted entry on the next tick.
            w.form()->feeder_config->contextMenu()->actions().at(0)->trigger();
            runTicks(w, 1);
            QCOMPARE(w.feeders().lineDialog()->currentLineMachines().at(1)->feeders.first()->rotation, 90);

            w.form()->comboBox->setCurrentIndex(1);
            QCOMPARE(cell(table, 0, 5), QString("Stick"));
            w.form()->comboBox->setCurrentIndex(0);
            QCOMPARE(table->rowCount(), 0);
            // A machine added in the line dialog takes the rows of its place, unknown until now.
            scripted.dialogHandlers.enqueue([](QDialog* d) {
                d->findChild<QPushButton*>("addMachineButton")->click();
                return int(QDialog::Rejected);
            });
            w.form()->actionLinie_erstellen->trigger();
            runTicks(w, 1);
            w.form()->comboBox->setCurrentIndex(3);
            QCOMPARE(cell(table, 0, 2), QString("R0402"));
            scripted.fileAnswers.enqueue(saved);
            w.form()->actionSpeichern_unter->trigger();
            QVERIFY(!w.view()->document().isModified() && !w.view()->progressBar()->isVisible());
        }
        MainWindow w(saved);
        runTicks(w);
        QCOMPARE(machineRows(w, 1), QStringList("0;10k;R0603;0;7;0mm;1;1;1;0"));
        QCOMPARE(machineRows(w, 2), QStringList("0;1u;C0805;150;1;12mm;2;1;1;90"));
        w.form()->comboBox->setCurrentIndex(2);
        QVERIFY(w.form()->feeder_config->rowCount() == 1 && scripted.callsOf("warning").isEmpty());
    }

    void generateThenOptimize()
    {
        auto&& [home, scripted, w] = WindowUnderTest({ { "line.cfg", "Opal;1;0\n" },
            { "database.cfg", "#ASYS\n120 R0603\n#DBASE\n120 RES 1.6 0.8 0.45 1 8\n" } });
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
        QStringList warnings;
        for (const ScriptedPrompt::Call& c : scripted.callsOf("warning"))
            warnings << c.text;
        QCOMPARE(warnings,
            QStringList({ "No machine selected", "nothing to update",
                "Some Data are incorrect or inconsistent. Please Check your Instructions." }));

        w.form()->comboBox->setCurrentIndex(1);
        w.form()->actionGenerate_Feederlist->trigger();
        QCOMPARE(w.feeders().lineDialog()->currentLineMachines().first()->feeders.size(), 1);

        QVERIFY(w.form()->actionTOPAZ_OPAL_single_CAM->isEnabled());
        w.form()->actionTOPAZ_OPAL_single_CAM->trigger();
        QCOMPARE(scripted.said("information").size(), 1);
        QVERIFY(
            scripted.said("information").first().startsWith("Success: Pick-and-Place quantized in 0:00:"));
        // R1 alone right of the centre (5, 0); R2 and R3 on the left, one cycle each side.
        QCOMPARE(refs(document.currentList()), (QStringList { "R2", "R3", "R1" }));
        QVERIFY(document.isModified());
    }
};

QTEST_MAIN(TstMainWindowFeeders)
#include "tst_mainwindow_feeders.moc"
