#include "datatable.h"
#include "documentsetup.h"
#include "model/document.h"
#include "pnpio/ui/pnpexportactions.h"
#include "scriptedprompt.h"
#include "testfiles.h"

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void fill(Document& doc)
{
    setSidePlacements(doc, true,
        { new PnPEntry("R1", "0603", 12.5, 3, "top", 90.5, "10k", "1", "c;d"),
            new PnPEntry("R2", "0603", 1, 2, "top", 0, "10k", "2", "") });
    setSidePlacements(doc, false,
        { new PnPEntry("R10", "0603", -1.25, 4, "bottom", 180, "10k", "1", ""),
            new PnPEntry("U1", "SO8", 0, 0, "bottom", 0, "LM358", "3", "") });
}

// A dialog handler that plays the user: pick a radio, clear check boxes, set panels, press OK.
std::function<int(QDialog*)> answer(
    const QString& radio, const QStringList& cleared, int panels, QStringList* seen)
{
    return [=](QDialog* d) {
        auto* spin = d->findChild<QSpinBox*>(QStringLiteral("spinBox"));
        d->show();
        *seen << d->windowTitle() << (spin->isVisible() ? "panels shown" : "panels hidden");
        d->findChild<QAbstractButton*>(radio)->click();
        for (const QString& name : cleared)
            d->findChild<QCheckBox*>(name)->click();
        spin->setValue(panels);
        d->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        return d->result();
    };
}

} // namespace

// The "Export..." menu entries as a user meets them: file dialog, options dialog and
// messages around the two CSV writers.
class TestPnPExportActions : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;

private slots:
    void init() { dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { dir.reset(); }

    void exportsTheChosenSides_data()
    {
        // unsavedEdit: an entry added on the shown bottom side, not written back
        columns<bool, QString, QStringList, int, QString, QByteArray, bool>(
            "partList", "radio", "cleared", "panels", "title", "expected", "unsavedEdit");
        const QByteArray pnp = "RefDes;Name;X (mm);Y (mm);Side;Rotate;Value;Comment;Execute\n";
        const QByteArray parts = "Quantity;RefDes;Value;Name\n";
        row("pick and place, bottom machine only", false, "bottom", QStringList { "Hand", "THT" }, 1,
            "Export Pick and Place Data", QByteArray(pnp + "R10;0603;-1,25;4;bottom;180;10k;;1\n"), false);
        row("pick and place, unsaved edit of the shown side", false, "bottom", QStringList(), 1,
            "Export Pick and Place Data",
            QByteArray(pnp + "R10;0603;-1,25;4;bottom;180;10k;;1\nU1;SO8;0;0;bottom;0;LM358;;3\n"
                + "C5;0402;1;1;bottom;0;1u;;1\n"),
            true);
        row("part list, both, 4 panels", true, "both", QStringList(), 4, "Export Part List",
            QByteArray(parts + "12;R1,R10,R2;10k;0603\n" + "4;U1;LM358;SO8\n"), false);
        row("part list, top, no hand", true, "top", QStringList { "Hand" }, 2, "Export Part List",
            QByteArray(parts + "2;R1;10k;0603\n"), false);
    }

    void exportsTheChosenSides()
    {
        QFETCH(bool, partList);
        QFETCH(QString, radio);
        QFETCH(QStringList, cleared);
        QFETCH(int, panels);
        QFETCH(QString, title);
        QFETCH(bool, unsavedEdit);
        Document doc;
        fill(doc);
        if (unsavedEdit) {
            doc.setSide(false);
            doc.appendEntry(new PnPEntry("C5", "0402", 1, 1, "bottom", 0, "1u", "1", ""));
        }
        QString lastDirectory = QStringLiteral("/start/here");
        const QString path = dir->filePath(QStringLiteral("out.csv"));
        ScriptedPrompt prompt;
        prompt.fileAnswers << path;
        QStringList seen;
        prompt.dialogHandlers << answer(radio, cleared, panels, &seen);

        PnPExportActions actions(nullptr, doc, lastDirectory);
        partList ? actions.exportPartList() : actions.exportPickAndPlace();

        QTEST(readFile(path), "expected");
        QCOMPARE(prompt.said("save"),
            QStringList {
                (partList ? "Export Part List" : "Export Pick And Place Data") + QString(": /start/here") });
        QCOMPARE(prompt.calls.first().filter, QStringLiteral("CSV File (*.csv)"));
        QCOMPARE(seen, QStringList() << title << (partList ? "panels shown" : "panels hidden"));
        QVERIFY(prompt.callsOf(QStringLiteral("warning")).isEmpty());
        QCOMPARE(lastDirectory, dir->path());
    }

    void outcomes_data()
    {
        // target: relative to the test folder
        columns<bool, bool, bool, QString, int, bool, bool>(
            "partList", "gerberMode", "dialogAccepted", "target", "dialogs", "warned", "replaced");
        // Both exports share this path up to the writer (each writer's output is checked above).
        row("file dialog cancelled", false, false, true, "", 0, false, false);
        row("part list file dialog cancelled", true, false, true, "", 0, false, false);
        row("dialog cancelled", false, false, false, "good.csv", 1, false, false);
        row("target is a folder", true, false, true, "folder", 1, true, false);
        row("layer mode", false, true, true, "good.csv", 0, false, false);
        row("existing file", true, false, true, "good.csv", 1, false, true);
    }

    void outcomes()
    {
        QFETCH(bool, partList);
        QFETCH(bool, gerberMode);
        QFETCH(bool, dialogAccepted);
        QFETCH(QString, target);
        QFETCH(bool, warned);
        QFETCH(bool, replaced);
        const QByteArray good = "a good file\n";
        const QString goodPath = dir->filePath(QStringLiteral("good.csv"));
        writeFile(goodPath, good);
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("folder")));
        Document doc;
        fill(doc);
        doc.setGerberMode(gerberMode);
        QString lastDirectory = QStringLiteral("/keep");
        ScriptedPrompt prompt;
        prompt.fileAnswers << (target.isEmpty() ? QString() : dir->filePath(target));
        prompt.dialogHandlers << [&](QDialog* d) {
            if (!dialogAccepted)
                return int(QDialog::Rejected);
            d->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
            return d->result();
        };

        PnPExportActions actions(nullptr, doc, lastDirectory);
        partList ? actions.exportPartList() : actions.exportPickAndPlace();

        QTEST(int(prompt.callsOf(QStringLiteral("exec")).size()), "dialogs");
        QCOMPARE(prompt.said("warning"),
            warned ? QStringList { "Error: An error occured while saving the file" } : QStringList());
        const QByteArray now = readFile(goodPath);
        QVERIFY2((now != good) == replaced, now.constData());
        QVERIFY(QFileInfo(dir->filePath(QStringLiteral("folder"))).isDir());
        QCOMPARE(QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList({ "folder", "good.csv" }));
        QCOMPARE(lastDirectory == QStringLiteral("/keep"), target.isEmpty());
    }
};

QTEST_MAIN(TestPnPExportActions)
#include "tst_pnpexportactions.moc"
