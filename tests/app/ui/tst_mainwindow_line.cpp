#include "datatable.h"
#include "line/feederentry.h"
#include "line/machine.h"
#include "line/partdatabase.h"
#include "line/ui/linie_dlg.h"
#include "ui_mainwindow.h"
#include "windowfixture.h"

#include <QPushButton>

namespace {

QStringList items(QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

} // namespace

// The main window's side of the production line and the part database: selectors in step
// with the dialog, export and import of line.cfg, the two menu entries.
class TstMainWindowLine : public QObject
{
    Q_OBJECT
private slots:
    void selectorsFollowTheConfiguration()
    {
        auto&& [home, scripted, w] = WindowUnderTest({ { "line.cfg", "A;0;0\nB;1;0\nC;2;1\n" } });
        runTicks(w);
        QCOMPARE(items(w.form()->lineselect), (QStringList { "1", "2" }));
        QCOMPARE(items(w.form()->comboBox), (QStringList { "(none)", "A", "B" }));
        w.form()->lineselect->setCurrentIndex(1);
        QCOMPARE(items(w.form()->comboBox), (QStringList { "(none)", "C" }));
        QCOMPARE(w.feeders().lineDialog()->currentLine(), 1);
        runTicks(w);
        QCOMPARE(w.form()->lineselect->currentIndex(), 1);
        // Clearing the selector reports -1: nothing may follow it.
        w.form()->lineselect->clear();
        QCOMPARE(w.feeders().lineDialog()->currentLine(), 1);

        // "Production Line" opens the dialog; a machine added there reaches the selectors.
        QVERIFY(w.form()->actionLinie_erstellen->isEnabled());
        scripted.dialogHandlers.enqueue([](QDialog* d) {
            d->findChild<QPushButton*>("addMachineButton")->click();
            d->findChild<QPushButton*>("okButton")->click();
            return d->result();
        });
        w.form()->actionLinie_erstellen->trigger();
        QCOMPARE(scripted.callsOf("exec").first().title, QStringLiteral("Production Line"));
        runTicks(w);
        QCOMPARE(items(w.form()->lineselect), (QStringList { "1", "2" }));
        QCOMPARE(items(w.form()->comboBox), (QStringList { "(none)", "C", "unnamed" }));
        QCOMPARE(readFile(home.configPath() + "/line.cfg"), QByteArray("A;0;0\nB;1;0\nC;2;1\nunnamed;0;1\n"));
    }

    void exportCopiesLineCfg()
    {
        auto&& [home, scripted, w] = WindowUnderTest();
        w.form()->actionProduction_Line_Config_export->trigger();
        QCOMPARE(scripted.said("warning"), QStringList { "Error: Config File doesn't exist" });

        const QString line = home.configPath() + "/line.cfg";
        writeFile(line, "A;0;0\n");
        const QString target = home.path() + "/shared/exported.cfg";
        writeFile(target, "old\n");
        scripted.calls.clear();
        scripted.fileAnswers.enqueue(target);
        w.form()->actionProduction_Line_Config_export->trigger();
        QCOMPARE(scripted.calls.size(), 1);
        QCOMPARE(scripted.calls.first().title + " | " + scripted.calls.first().filter,
            QStringLiteral("Save Machine Config | Config-File (*.cfg)"));
        QCOMPARE(readFile(target), QByteArray("A;0;0\n"));
        QCOMPARE(w.documentSession().lastDirectory(), home.path() + "/shared");

        // Onto line.cfg itself: the only copy stays.
        scripted.calls.clear();
        scripted.fileAnswers.enqueue(line);
        w.form()->actionProduction_Line_Config_export->trigger();
        QCOMPARE(readFile(line), QByteArray("A;0;0\n"));
        QVERIFY(scripted.callsOf("warning").isEmpty());
    }

    void import_data()
    {
        columns<QByteArray, QByteArray, QStringList, QStringList>(
            "chosen", "lineCfg", "warnings", "machines");
        row("valid lines only", QByteArray(" N;2;0 \nx;9;0\nM;1;3\n"), QByteArray("N;2;0\nM;1;3\n"),
            QStringList(), QStringList { "(none)", "N" });
        row("database.cfg by mistake",
            QByteArray("#ASYS\r\n120 R0603\r\n#DBASE\r\n120 RES-0603 1 1 1 1 8\r\n"), QByteArray("A;0;0\n"),
            QStringList { "Error: Import failed" }, QStringList { "(none)", "A" });
    }
    void import()
    {
        QFETCH(QByteArray, chosen);
        auto&& [home, scripted, w] = WindowUnderTest({ { "line.cfg", "A;0;0\n" } });
        scripted.fileAnswers.enqueue(writeFile(home.path() + "/in/other.cfg", chosen));
        w.form()->actionProduction_Line_Config_import->trigger();
        QTEST(readFile(home.configPath() + "/line.cfg"), "lineCfg");
        QTEST(scripted.said("warning"), "warnings");
        runTicks(w);
        QTEST(items(w.form()->comboBox), "machines");
    }

    void importOntoItselfKeepsIt()
    {
        auto&& [home, scripted, w] = WindowUnderTest({ { "line.cfg", "A;0;0\nB;2;1\n" } });
        const QString line = home.configPath() + "/line.cfg";
        scripted.fileAnswers.enqueue(line);
        w.form()->actionProduction_Line_Config_import->trigger();
        QVERIFY(readFile(line) == "A;0;0\nB;2;1\n" && w.feeders().lineDialog()->lines().size() == 2);
    }

    // The imported machines take the project's feeder lists by their place in the lines.
    void importKeepsFeederLists()
    {
        auto&& [home, scripted, w] = WindowUnderTest({ { "line.cfg", "A;0;0\n" } });
        w.feeders().lineDialog()->currentLineMachines().first()->feeders.append(new FeederEntry);
        scripted.fileAnswers.enqueue(writeFile(home.path() + "/other.cfg", "Z;1;0\n"));
        w.form()->actionProduction_Line_Config_import->trigger();
        QVERIFY(scripted.callsOf("question").isEmpty());
        QCOMPARE(readFile(home.configPath() + "/line.cfg"), QByteArray("Z;1;0\n"));
        const Machine* z = w.feeders().lineDialog()->currentLineMachines().first();
        QVERIFY(z->name == "Z" && z->feeders.size() == 1);
    }

    // New drops the project's feeder lists and builds the line anew from line.cfg.
    void newRereadsTheLine()
    {
        auto&& [home, scripted, w] = WindowUnderTest({ { "line.cfg", "A;0;0\nB;0;1\n" } });
        runTicks(w);
        w.form()->lineselect->setCurrentIndex(1);
        w.feeders().lineDialog()->currentLineMachines().first()->feeders.append(new FeederEntry);
        writeFile(home.configPath() + "/line.cfg", "X;1;0\nB;0;1\nC;2;2\n");
        w.form()->actionNeu->trigger();
        runTicks(w);
        QCOMPARE(QVector<int>({ w.feeders().lineDialog()->currentLine(), w.form()->lineselect->count(),
                     w.form()->lineselect->currentIndex() }),
            QVector<int>({ 0, 3, 0 }));
        QCOMPARE(w.form()->comboBox->itemText(1), QStringLiteral("X"));
        QVERIFY(w.feeders().lineDialog()->lines().at(1).machines.first()->feeders.isEmpty());
    }

    void databaseLookupsReReadOnClose()
    {
        auto&& [home, scripted, w] = WindowUnderTest(
            { { "database.cfg", "#ASYS\r\n120 R0603\r\n#DBASE\r\n120 RES-0603 1.60 0.80 0.45 1 8\r\n" } });
        const QString db = home.configPath() + "/database.cfg";
        QCOMPARE(w.feeders().partDatabase().numberOf("R0603"), QStringLiteral("120"));
        scripted.dialogHandlers.enqueue([&](QDialog* d) {
            writeFile(db, "#ASYS\r\n130 R0603\r\n#DBASE\r\n");
            return int(d->result());
        });
        w.form()->actionDatabase->trigger();
        QCOMPARE(scripted.callsOf("exec").size(), 1);
        QCOMPARE(w.feeders().partDatabase().numberOf("R0603"), QStringLiteral("130"));
    }
};

QTEST_MAIN(TstMainWindowLine)
#include "tst_mainwindow_line.moc"
