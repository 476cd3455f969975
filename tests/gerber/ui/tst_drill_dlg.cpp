#include "gerber/gerberlayer.h"
#include "gerber/ui/drill_dlg.h"
#include "gerber/ui/excellonimport.h"
#include "scriptedprompt.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
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

QString writeFile(const QTemporaryDir& dir, const QByteArray& content)
{
    const QString path = dir.filePath(QStringLiteral("holes.drl"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
    return path;
}

} // namespace

class TestDrillDlg : public QObject
{
    Q_OBJECT

private slots:
    void form()
    {
        Drill_dlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Import Drill File"));
        QCOMPARE(dlg.minimumSize(), QSize(250, 160));
        QCOMPARE(dlg.maximumSize(), QSize(250, 160));
        QStringList groups;
        for (const QGroupBox* g : dlg.findChildren<QGroupBox*>())
            groups << g->title();
        QCOMPARE(groups, QStringList({ "Zeroes", "Digits to comma" }));

        const auto* leading = dlg.findChild<QRadioButton*>("leadingZeroes");
        const auto* trailing = dlg.findChild<QRadioButton*>("trailingZeroes");
        QVERIFY(leading && trailing);
        QCOMPARE(leading->text() + "/" + trailing->text(), QStringLiteral("Leading/Trailing"));
        QVERIFY(leading->isChecked() && !trailing->isChecked());

        const auto* before = dlg.findChild<QSpinBox*>("preCommaDigits");
        const auto* after = dlg.findChild<QSpinBox*>("postCommaDigits");
        QVERIFY(before && after);
        QCOMPARE(
            QList<int>({ before->minimum(), before->maximum(), before->value() }), QList<int>({ 0, 9, 2 }));
        QCOMPARE(QList<int>({ after->minimum(), after->maximum(), after->value() }), QList<int>({ 0, 9, 4 }));
        QStringList labels;
        for (const QLabel* l : dlg.findChildren<QLabel*>())
            labels << l->text();
        QVERIFY(labels.contains("previous") && labels.contains("post"));

        const ExcellonFormat f = dlg.format();
        QVERIFY(f.leadingZeroesOmitted);
        QCOMPARE(QPoint(f.integerDigits, f.decimalDigits), QPoint(2, 4));
    }

    void importReadsWithTheChosenFormat()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "M48\nINCH\nT01C0.8\n%\nT01\nX12Y5\nM30\n");
        ScriptedPrompt prompt;
        prompt.dialogHandlers.enqueue(answer(true, 2, 4));
        QList<GerberLayer*> layers;
        QVERIFY(loadExcellon(nullptr, path, 6, layers, QColor(10, 10, 10)));
        QCOMPARE(prompt.callsOf("exec").size(), 1);
        QCOMPARE(prompt.callsOf("exec").first().title, QStringLiteral("Import Drill File"));
        const GerberLayer* layer = layers.at(6);
        QCOMPARE(layer->color, QColor(10, 10, 10));
        QCOMPARE(layer->zeroOmission, QStringLiteral("T"));
        QCOMPARE(QPoint(layer->xIntegerDigits, layer->xDecimalDigits), QPoint(2, 4));
        QCOMPARE(layer->objects().size(), 1);
        QCOMPARE(QPointF(layer->objects()[0]->x, layer->objects()[0]->y), QPointF(12.0, 50.0));
        qDeleteAll(layers);
    }

    // The dialog opens with the format the file's header states (here Altium's 3:5 with the
    // trailing zeros left out); OK as shown reads the holes where they belong.
    void dialogOpensWithTheStatedFormat()
    {
        QTemporaryDir dir;
        const QString path
            = writeFile(dir, "M48\n;FILE_FORMAT=3:5\nMETRIC,LZ\nT01C0.8\n%\nT01\nX0012Y5\nM30\n");
        ScriptedPrompt prompt;
        ExcellonFormat shown;
        prompt.dialogHandlers.enqueue([&](QDialog* d) {
            shown = static_cast<Drill_dlg*>(d)->format();
            return int(QDialog::Accepted);
        });
        QList<GerberLayer*> layers;
        QVERIFY(loadExcellon(nullptr, path, 0, layers, Qt::black));
        QCOMPARE(formatLine(shown), QStringLiteral("T 3 5"));
        QCOMPARE(QPointF(layers[0]->objects()[0]->x, layers[0]->objects()[0]->y), QPointF(1.2, 500.0));
        qDeleteAll(layers);
    }

    // Cancelling is no failure: the slot holds an empty layer and nothing is read.
    void cancelLeavesAnEmptyLayer()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "M48\nT01C0.8\n%\nT01\nX12Y5\n");
        ScriptedPrompt prompt;
        QList<GerberLayer*> layers { new GerberLayer(0) };
        QVERIFY(loadExcellon(nullptr, path, 0, layers, Qt::black));
        QCOMPARE(prompt.callsOf("exec").size(), 1);
        QVERIFY(layers[0] && layers[0]->objects().isEmpty() && layers[0]->excellonLines.isEmpty());
        qDeleteAll(layers);
    }

    void unreadableFileFailsBeforeTheDialog()
    {
        QTemporaryDir dir;
        ScriptedPrompt prompt;
        QList<GerberLayer*> layers;
        QVERIFY(!loadExcellon(nullptr, dir.filePath("missing.drl"), 1, layers, Qt::black));
        QVERIFY(prompt.callsOf("exec").isEmpty());
        QCOMPARE(layers.size(), 2);
        QVERIFY(layers[1]->objects().isEmpty());
        qDeleteAll(layers);
    }

    void readerStopIsAFailure()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "M48\nT01C0.8\n%\nT02\nX12Y5\n");
        ScriptedPrompt prompt;
        prompt.dialogHandlers.enqueue(answer(false, 2, 4));
        QList<GerberLayer*> layers;
        QVERIFY(!loadExcellon(nullptr, path, 0, layers, Qt::black));
        qDeleteAll(layers);
    }
};

QTEST_MAIN(TestDrillDlg)
#include "tst_drill_dlg.moc"
