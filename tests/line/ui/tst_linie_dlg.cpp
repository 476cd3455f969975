#include "dialogfit.h"
#include "line/machine.h"
#include "line/ui/linie_dlg.h"
#include "scriptedprompt.h"
#include "testfiles.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The dialog's widgets by object name.
struct Form
{
    Linie_dlg& dialog;
    QComboBox* box(const char* name) const { return child<QComboBox>(&dialog, name); }
    QSpinBox* spin(const char* name) const { return child<QSpinBox>(&dialog, name); }
    QDoubleSpinBox* dspin(const char* name) const { return child<QDoubleSpinBox>(&dialog, name); }
    QPushButton* button(const char* name) const { return child<QPushButton>(&dialog, name); }
    QListWidget* list() const { return child<QListWidget>(&dialog, "machineList"); }
    QLineEdit* nameField() const { return child<QLineEdit>(&dialog, "nameField"); }
    void rename(const QString& text) const
    {
        nameField()->setText(text);
        emit nameField()->editingFinished();
    }
    QStringList rows() const
    {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }
};

} // namespace

// The production line dialog driven through its widgets, checked by what it writes.
class TstLinieDlg : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    QString linePath() const { return dir.filePath("line.cfg"); }

private slots:
    void init()
    {
        QFile::remove(linePath());
        QFile::remove(dir.filePath("line_details.cfg"));
    }

    void buildsLinesAndWrites()
    {
        writeFile(linePath(), "A;0;5\nB;1;2\nC;2;5\n");
        Linie_dlg dialog(dir.path());
        Form f { dialog };
        QCOMPARE(f.box("selectline")->count(), 2);
        QCOMPARE(f.rows(), (QStringList { "A", "C" }));
        QCOMPARE(f.nameField()->text(), QStringLiteral("A"));

        f.box("selectline")->setCurrentIndex(1);
        QCOMPARE(f.rows(), QStringList { "B" });
        f.button("addMachineButton")->click();
        QCOMPARE(f.list()->currentRow(), 1);
        QCOMPARE(f.nameField()->text(), QStringLiteral("unnamed"));
        f.rename(QStringLiteral("  Op;al 2 "));
        f.rename(QStringLiteral("   ")); // a blank name is no name
        QCOMPARE(f.nameField()->text(), QStringLiteral("unnamed"));
        f.rename(QStringLiteral("  Op;al 2 "));
        QCOMPARE(f.rows(), (QStringList { "B", "Op_al 2" }));
        f.box("machineType")->setCurrentIndex(2);
        f.button("oneUp")->click();
        QCOMPARE(f.list()->currentRow(), 0);
        f.button("okButton")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.changed());
        QCOMPARE(readFile(linePath()), QByteArray("A;0;0\nC;2;0\nOp_al 2;2;1\nB;1;1\n"));
    }

    // Enter in the Name field of a machine being added finishes the name; the dialog stays open
    // with the machine, and no button (Add Line, Delete, OK) is clicked by it.
    void enterInNameFieldKeepsTheDialog()
    {
        writeFile(linePath(), "A;0;0\n");
        Linie_dlg dialog(dir.path());
        Form f { dialog };
        dialog.show();
        f.button("addMachineButton")->click();
        f.nameField()->setFocus();
        f.nameField()->selectAll();
        QTest::keyClicks(f.nameField(), QStringLiteral("Opal"));
        QTest::keyClick(f.nameField(), Qt::Key_Return);
        QTest::keyClick(f.nameField(), Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), 0);
        QCOMPARE(f.box("selectline")->count(), 1);
        QCOMPARE(f.rows(), (QStringList { "A", "Opal" }));
    }

    void emptyConfiguration()
    {
        Linie_dlg dialog(dir.path());
        Form f { dialog };
        QCOMPARE(f.box("selectline")->count(), 1);
        QCOMPARE(f.list()->count(), 0);
        for (const char* name :
            { "nameField", "machineType", "fbCount", "headField", "benchXpos", "cam1Xpos" })
            QVERIFY2(!dialog.findChild<QWidget*>(QLatin1String(name))->isEnabled(), name);
        f.button("deleteLine")->click();
        QCOMPARE(f.box("selectline")->count(), 1);
        f.button("addMachineButton")->click();
        QVERIFY(f.nameField()->isEnabled());
        QCOMPARE(dialog.currentLineMachines().first()->lineNumber, 0);
        f.button("deleteMachineButton")->click();
        QVERIFY(!f.nameField()->isEnabled());
        QVERIFY(dialog.currentLineMachines().isEmpty());
    }

    // Deleting the shown line destroys its machines only; the remaining ones stay usable.
    void deleteLineWithMachines()
    {
        writeFile(linePath(), "A;0;0\nB;0;1\nC;1;1\nD;0;2\n");
        Linie_dlg dialog(dir.path());
        Form f { dialog };
        f.box("selectline")->setCurrentIndex(1);
        f.button("deleteLine")->click();
        QCOMPARE(QPoint(f.box("selectline")->count(), f.box("selectline")->currentIndex()), QPoint(2, 0));
        QCOMPARE(f.rows(), QStringList { "A" });
        f.box("selectline")->setCurrentIndex(1);
        QCOMPARE(f.rows(), QStringList { "D" });
        f.button("okButton")->click();
        QCOMPARE(readFile(linePath()), QByteArray("A;0;0\nD;0;1\n"));
    }

    void deleteSelectsTheRowAbove()
    {
        writeFile(linePath(), "A;0;0\nB;0;0\nC;0;0\n");
        Linie_dlg dialog(dir.path());
        Form f { dialog };
        f.list()->setCurrentRow(2);
        f.button("deleteMachineButton")->click();
        QCOMPARE(f.list()->currentItem()->text() + f.nameField()->text(), QStringLiteral("BB"));
        f.list()->setCurrentRow(0);
        f.button("deleteMachineButton")->click();
        QCOMPARE(f.rows(), QStringList { "B" });
        QCOMPARE(f.list()->currentRow(), 0);
        f.button("oneDown")->click();
        f.button("oneUp")->click();
        QCOMPARE(f.rows(), QStringList { "B" });
    }

    // A count typed several steps away makes exactly that many benches and heads.
    void benchAndHeadCounts()
    {
        writeFile(linePath(), "E;2;0\n");
        Linie_dlg dialog(dir.path());
        Form f { dialog };
        QCOMPARE(f.box("currHead")->count(), 2);
        f.spin("fbCount")->setValue(4);
        QCOMPARE(f.box("currBench")->count(), 4);
        f.box("currBench")->setCurrentIndex(3);
        f.box("benchType")->setCurrentIndex(1);
        f.dspin("benchXpos")->setValue(-12.5);
        f.dspin("benchYpos")->setValue(300.25);
        f.dspin("benchRot")->setValue(90);
        f.box("currBench")->setCurrentIndex(0);
        QCOMPARE(QPointF(f.dspin("benchXpos")->value(), f.box("benchType")->currentIndex()), QPointF(0, 0));
        f.spin("headField")->setValue(6);
        QCOMPARE(f.box("currHead")->count(), 6);
        f.box("currHead")->setCurrentIndex(5);
        f.spin("headField")->setValue(3);
        QCOMPARE(QPoint(f.box("currHead")->count(), f.box("currHead")->currentIndex()), QPoint(3, 2));
        f.box("mpGroupNo")->setCurrentIndex(6);
        f.dspin("multiPickPitch")->setValue(12.75);
        f.box("mpGroupNo")->setCurrentIndex(0);
        QCOMPARE(f.dspin("multiPickPitch")->value(), 0.0);
        f.button("okButton")->click();
        QCOMPARE(readFile(linePath()), QByteArray("E;2;0\n"));

        // Benches, heads and pitches come back from the details file.
        Linie_dlg again(dir.path());
        Form g { again };
        g.box("currBench")->setCurrentIndex(3);
        g.box("mpGroupNo")->setCurrentIndex(6);
        QCOMPARE(QVector<double>({ double(g.spin("fbCount")->value()), double(g.spin("headField")->value()),
                     double(g.box("benchType")->currentIndex()), g.dspin("benchXpos")->value(),
                     g.dspin("benchYpos")->value(), g.dspin("benchRot")->value(),
                     g.dspin("multiPickPitch")->value() }),
            QVector<double>({ 4, 3, 1, -12.5, 300.25, 90, 12.75 }));
    }

    void cameraFieldsFollowCentring()
    {
        writeFile(linePath(), "T;0;0\n");
        Linie_dlg dialog(dir.path());
        Form f { dialog };
        auto enabled = [&] {
            QString out;
            for (const char* name : { "cam1Xpos", "cam1Ypos", "cam2Xpos", "cam2Ypos" })
                out += f.dspin(name)->isEnabled() ? '1' : '0';
            return out;
        };
        QCOMPARE(enabled(), QStringLiteral("0000"));
        f.box("headCenterType")->setCurrentIndex(1);
        QCOMPARE(enabled(), QStringLiteral("1100"));
        f.spin("headCenterCount")->setValue(2);
        QCOMPARE(enabled(), QStringLiteral("1111"));
        f.dspin("cam2Ypos")->setValue(-40);
        f.box("currHead")->setCurrentIndex(1);
        QCOMPARE(enabled(), QStringLiteral("0000"));
        f.box("currHead")->setCurrentIndex(0);
        QCOMPARE(enabled(), QStringLiteral("1111"));
        QCOMPARE(f.dspin("cam2Ypos")->value(), -40.0);
        f.box("headCenterType")->setCurrentIndex(0);
        QCOMPARE(enabled(), QStringLiteral("0000"));
    }

    // A line.cfg that was not read whole is not replaced without asking.
    void partlyReadFileAsksBeforeSaving()
    {
        QByteArray many;
        for (int i = 0; i <= LineConfig::maxMachines; ++i)
            many += "M;0;0\n";
        writeFile(linePath(), many);
        ScriptedPrompt scripted;
        Linie_dlg dialog(dir.path());
        scripted.questionAnswers.enqueue(QMessageBox::No);
        Form { dialog }.button("okButton")->click();
        QCOMPARE(scripted.callsOf("question").size(), 1);
        QCOMPARE(scripted.calls.first().title, QStringLiteral("Production Line"));
        QVERIFY(scripted.calls.first().text.startsWith(
            QStringLiteral("%1, line 10001: the file holds more than 10000 machines").arg(linePath())));
        QCOMPARE(readFile(linePath()), many);
        scripted.questionAnswers.enqueue(QMessageBox::Yes);
        Form { dialog }.button("okButton")->click();
        // The machines past the limit are not read but kept in the file.
        QCOMPARE(readFile(linePath()).size(), many.size());
    }

    void writeFailureKeepsTheDialogOpen()
    {
        ScriptedPrompt scripted;
        Linie_dlg dialog(dir.filePath("no/such/folder"));
        dialog.show();
        Form { dialog }.button("okButton")->click();
        QCOMPARE(scripted.calls.size(), 1);
        QCOMPARE(scripted.said("warning"), QStringList { "Error: An error occured while writing the file" });
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(TstLinieDlg)
#include "tst_linie_dlg.moc"
