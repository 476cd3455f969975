#include "datatable.h"
#include "dialogfit.h"
#include "gerber/gerberlayer.h"
#include "gerber/ui/drill_dlg.h"
#include "gerber/ui/excellonimport.h"
#include "scriptedprompt.h"
#include "testfiles.h"

#include <QDialog>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Fills the import dialog as a user would and presses OK.
std::function<int(QDialog*)> answer(bool trailing, int before, int after)
{
    return [=](QDialog* d) {
        d->findChild<QRadioButton*>(trailing ? "trailingZeroes" : "leadingZeroes")->setChecked(true);
        d->findChild<QSpinBox*>("preCommaDigits")->setValue(before);
        d->findChild<QSpinBox*>("postCommaDigits")->setValue(after);
        return int(QDialog::Accepted);
    };
}

QString formatLine(const ExcellonFormat& f)
{
    return QStringLiteral("%1 %2 %3").arg(f.zeroOmissionText()).arg(f.integerDigits).arg(f.decimalDigits);
}

} // namespace

class TestDrillDlg : public QObject
{
    Q_OBJECT

private slots:
    void formFits()
    {
        Drill_dlg dlg;
        QCOMPARE(cutTexts(dlg, "drill-import"), QStringList());
    }

    void import_data()
    {
        // text: empty: no file
        columns<QString, bool, int, int, int, QString>(
            "text", "accept", "result", "dialogs", "objects", "reason");
        const int loaded = int(DrillImport::Loaded), failed = int(DrillImport::Failed);
        row("read with the chosen format", "M48\nINCH\nT01C0.8\n%\nT01\nX12Y5\nM30\n", true, loaded, 1, 1,
            QString());
        // Cancelling is no failure and reads nothing.
        row("cancelled", "M48\nT01C0.8\n%\nT01\nX12Y5\n", false, int(DrillImport::Cancelled), 1, 0,
            QString());
        row("unreadable file fails before the dialog", QString(), true, failed, 0, 0, "Cannot read ");
        row("reader stop", "M48\nT01C0.8\n%\nT02\nX12Y5\n", true, failed, 1, 0,
            "holes.drl, line 4: tool not defined in \"T02\"");
    }
    // The dialog opens with the format the file's header states (here Altium's 3:5 with the
    // trailing zeros left out); OK as shown reads the holes where they belong.
    void dialogOpensWithTheStatedFormat()
    {
        QTemporaryDir dir;
        const QString path = writeFile(
            dir, "holes.drl", "M48\n;FILE_FORMAT=3:5\nMETRIC,LZ\nT01C0.8\n%\nT01\nX0012Y5\nM30\n");
        ScriptedPrompt prompt;
        ExcellonFormat shown;
        prompt.dialogHandlers.enqueue([&](QDialog* d) {
            shown = static_cast<Drill_dlg*>(d)->format();
            return int(QDialog::Accepted);
        });
        GerberLayer layer;
        QCOMPARE(importExcellon(nullptr, path, layer, QRectF(), nullptr), DrillImport::Loaded);
        QCOMPARE(formatLine(shown), QStringLiteral("T 3 5"));
        QCOMPARE(QPointF(layer.objects()[0]->x, layer.objects()[0]->y), QPointF(1.2, 500.0));
    }

    void import()
    {
        QFETCH(QString, text);
        QFETCH(bool, accept);
        QFETCH(int, objects);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path
            = text.isEmpty() ? dir.filePath("board.drl") : writeFile(dir, "holes.drl", text.toUtf8());
        ScriptedPrompt prompt;
        if (accept) // an unanswered dialog is closed
            prompt.dialogHandlers.enqueue(answer(true, 2, 4));
        GerberLayer layer(6);
        QString error;
        QTEST(int(importExcellon(nullptr, path, layer, QRectF(), &error)), "result");
        QTEST(prompt.callsOf("exec").size(), "dialogs");
        QCOMPARE(layer.objects().size(), objects);
        QVERIFY2(error.startsWith(reason), qPrintable(error));
        if (objects > 0) {
            QCOMPARE(prompt.callsOf("exec").first().title, QStringLiteral("Import Drill File"));
            QCOMPARE(layer.zeroOmission, QStringLiteral("T"));
            QCOMPARE(QPointF(layer.objects()[0]->x, layer.objects()[0]->y), QPointF(12.0, 50.0));
        }
    }

    // Digits that put the holes off the loaded copper keep the layer only when the user says so,
    // and the question names the reading that fits.
    void holesOffTheCopperAsk_data()
    {
        columns<int, int>("reply", "result");
        row("kept", int(QMessageBox::Yes), int(DrillImport::Loaded));
        row("dropped", int(QMessageBox::No), int(DrillImport::Cancelled));
    }
    void holesOffTheCopperAsk()
    {
        QFETCH(int, reply);
        QTemporaryDir dir;
        const QString path
            = writeFile(dir, "holes.drl", "M48\nMETRIC\nT01C0.8\n%\nT01\nX10000Y20000\nX40000Y30000\nM30\n");
        ScriptedPrompt prompt;
        prompt.dialogHandlers.enqueue(answer(true, 3, 3)); // 100 mm off a 50 mm board
        prompt.questionAnswers.enqueue(QMessageBox::StandardButton(reply));
        GerberLayer layer(6);
        QTEST(int(importExcellon(nullptr, path, layer, QRectF(0, 0, 50, 40), nullptr)), "result");
        const QList<ScriptedPrompt::Call> asked = prompt.callsOf("question");
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].title, QStringLiteral("Drill Holes Outside the Board"));
        QVERIFY2(asked[0].text.startsWith("2 of the 2 holes in \"holes.drl\"")
                && asked[0].text.contains(
                    "Read as Leading, 3, 3 in millimetres, every hole lies on the board."),
            qPrintable(asked[0].text));
    }
};

QTEST_MAIN(TestDrillDlg)
#include "tst_drill_dlg.moc"
