#include "dialogfit.h"
#include "line/ui/db_dlg.h"
#include "scriptedprompt.h"
#include "testfiles.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray sample = "#ASYS\r\n120 R0603,0603R\r\n150 C0805\r\n#DBASE\r\n"
                          "120 RES-0603 1.60 0.80 0.45 1 8\r\n150 CAP-0805 2.00 1.25 0.60 2 8\r\n"
                          "200 CAP-1206 3.20 1.60 1.10 2 12\r\n";

} // namespace

// The database dialogs driven through their widgets; the file is what a user keeps.
class TstDbDlg : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("database.cfg"); }
    void select(db_dlg& d, int category, int row)
    {
        child<QListWidget>(&d, "category_list")->setCurrentRow(category);
        child<QListWidget>(&d, "specific_list")->setCurrentRow(row);
    }

private slots:
    void init()
    {
        QFile::remove(dir.filePath("database.bkp"));
        writeFile(path(), sample);
    }

    void browses()
    {
        db_dlg d(dir.path());
        auto* categories = child<QListWidget>(&d, "category_list");
        QVERIFY(categories->count() == 2 && categories->item(1)->text() == "CAP");
        select(d, 1, 1);
        auto* specific = child<QListWidget>(&d, "specific_list");
        QCOMPARE(specific->count(), 2);
        QCOMPARE(QStringList({ specific->item(1)->text(), child<QLabel>(&d, "db_no_value")->text(),
                     child<QLabel>(&d, "feeder_type_value")->text(), child<QLabel>(&d, "z_value")->text() }),
            QStringList({ "200: CAP-1206", "200", "12mm", "1.10" }));
    }

    // The editor receives the entry's keywords, so editing keeps its aliases.
    void editRenumbersAndKeepsKeywords()
    {
        ScriptedPrompt scripted;
        db_dlg d(dir.path());
        select(d, 0, 0);
        QString shownKeywords;
        scripted.dialogHandlers.enqueue([&](QDialog* editor) {
            shownKeywords = child<QLineEdit>(editor, "keywords")->text();
            child<QSpinBox>(editor, "db_no")->setValue(160);
            child<QPushButton>(editor, "ok_button")->click();
            return editor->result();
        });
        child<QPushButton>(&d, "pushButton")->click();
        QCOMPARE(shownKeywords, QStringLiteral("R0603,0603R"));
        // Where the lines go and the backup: tst_partdatabase.
        QVERIFY(readFile(path()).contains("\n160 R0603,0603R\r\n") && !readFile(path()).contains("120 "));
        QCOMPARE(d.database().numberOf(QStringLiteral("0603R")), QStringLiteral("160"));
        // The edited entry stays shown.
        QCOMPARE(child<QLabel>(&d, "db_no_value")->text(), QStringLiteral("160"));
    }

    void newEntryIsValidatedInTheEditor()
    {
        ScriptedPrompt scripted;
        db_dlg d(dir.path());
        QStringList messages;
        scripted.dialogHandlers.enqueue([&](QDialog* editor) {
            auto* ok = child<QPushButton>(editor, "ok_button");
            auto* message = child<QLabel>(editor, "message");
            ok->click();
            messages << message->text();
            child<QLineEdit>(editor, "name")->setText(QStringLiteral("ic qfn-32"));
            ok->click();
            messages << message->text();
            child<QLineEdit>(editor, "type")->setText(QStringLiteral("5x5 mm"));
            child<QSpinBox>(editor, "db_no")->setValue(150);
            ok->click();
            messages << message->text();
            child<QSpinBox>(editor, "db_no")->setValue(170);
            child<QComboBox>(editor, "feeder_type")->setCurrentIndex(2);
            child<QDoubleSpinBox>(editor, "x_dimensions")->setValue(5);
            ok->click();
            return editor->result();
        });
        child<QPushButton>(&d, "pushButton_2")->click();
        QCOMPARE(messages,
            (QStringList { "Please enter part name", "Please enter part type", "Please Check DB-No." }));
        QVERIFY(readFile(path()).contains(
            "150 CAP-0805 2.00 1.25 0.60 2 8\r\n170 IC_QFN_32-5x5_mm 5.00 0.00 0.00 1 16\r\n200 "));
        QCOMPARE(d.database().categories().last(), QStringLiteral("IC_QFN_32"));
    }

    void cancelledEditorChangesNothing()
    {
        ScriptedPrompt scripted;
        db_dlg d(dir.path());
        child<QPushButton>(&d, "pushButton_2")->click();
        QVERIFY(readFile(path()) == sample && !QFile::exists(dir.filePath("database.bkp")));
    }

    void deleteRemovesAliasAndEntry()
    {
        ScriptedPrompt scripted;
        db_dlg d(dir.path());
        select(d, 1, 0);
        child<QPushButton>(&d, "pushButton_3")->click();
        QVERIFY(!readFile(path()).contains("150 ") && scripted.calls.isEmpty());
    }

    void failedDeleteWarnsAndCloses()
    {
        ScriptedPrompt scripted;
        QVERIFY(QDir(dir.path()).mkdir("database.bkp"));
        db_dlg d(dir.path());
        d.show();
        select(d, 1, 0);
        child<QPushButton>(&d, "pushButton_3")->click();
        QVERIFY(QDir(dir.path()).rmdir("database.bkp"));
        QCOMPARE(scripted.said("warning"),
            QStringList { "Error: An error occured while writing the file. Please remove your 'database.cfg' "
                          "and rename your 'database.bkp' to 'database.cfg' to restore your old data." });
        QVERIFY(!d.isVisible() && readFile(path()) == sample);
    }
};

QTEST_MAIN(TstDbDlg)
#include "tst_db_dlg.moc"
