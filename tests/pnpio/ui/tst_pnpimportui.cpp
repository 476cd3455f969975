#include "datatable.h"
#include "dialogfit.h"
#include "documentsetup.h"
#include "model/document.h"
#include "pnpio/ui/loadpnp_dlp.h"
#include "pnpio/ui/pnpimportactions.h"
#include "scriptedprompt.h"
#include "testfiles.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Action = bool (*)(QWidget*, Document&, QString&);

QRadioButton* radio(QDialog* dialog, const char* name)
{
    return dialog->findChild<QRadioButton*>(QLatin1String(name));
}

} // namespace

Q_DECLARE_METATYPE(Action)

// What the user sees of an import: captions, filters, the options dialog and the
// messages, answered through the scripted prompt.
class TstPnPImportUi : public QObject
{
    Q_OBJECT
private slots:
    void dialogChoices()
    {
        loadPnP_dlp dialog;
        QCOMPARE(cutTexts(dialog, "pnp-import"), QStringList());
        dialog.setFileHasSides(false);
        QVERIFY(!radio(&dialog, "radioNo")->isEnabled());
        QVERIFY(radio(&dialog, "radioTop")->isChecked());
        QCOMPARE(dialog.side(), 0);
        radio(&dialog, "radioAdd")->setChecked(true);
        radio(&dialog, "radioBottom")->setChecked(true);
        QCOMPARE(dialog.options().side, 1);
        QVERIFY(dialog.options().add);

        dialog.show();
        dialog.findChild<QPushButton*>()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void captionsAndFilters_data()
    {
        columns<Action, QString, QString>("action", "caption", "filter");
        using I = PnPImportActions;
        const QList<std::tuple<const char*, Action, QString, QString>> rows {
            { "Tessavrant", &I::importTessavrant, "Open DipTrace PnP", "CSV-File (*.*)" },
            { "DipTrace", &I::importDipTrace, "Open DipTrace PnP", "CSV-File (*.*)" },
            { "Eagle", &I::importEagle, "Open Eagle PnP", "MNT-File (*.*)" },
            { "Eagle (Part)", &I::importEaglePart, "Open Eagle PnP (PART)", "PART-File (*.*)" },
            { "Target", &I::importTarget, "Open Target PnP", "TXT-File (*.*)" },
            { "Altium", &I::importAltium, "Open Altium PnP", "TXT-File (*.*)" },
            { "Altium 2", &I::importAltium2, "Open Altium PnP", "TXT-File (*.*)" },
            { "KiCad", &I::importKiCad, "Open KiCad PnP", "POS-File (*.*)" },
            { "PPosition Update (CSV)", &I::importPositionUpdate, "Open Part Positions", "CSV-File (*.*)" }
        };
        for (const auto& [name, action, caption, filter] : rows)
            row(name, action, caption, filter);
    }
    void captionsAndFilters()
    {
        QFETCH(Action, action);
        QTemporaryDir dir;
        const QString path = writeFile(dir, "header.txt",
            action == &PnPImportActions::importEaglePart
                ? QByteArray("Part Value Package Library Position (mm) Orientation\n")
                : QByteArray());
        ScriptedPrompt scripted;
        scripted.fileAnswers << QString() << path;
        scripted.dialogHandlers << [](QDialog*) { return int(QDialog::Accepted); };
        Document doc;
        QString lastDirectory = QStringLiteral("/start");
        // Cancelling the file dialog ends the slot and keeps the folder.
        QVERIFY(!action(nullptr, doc, lastDirectory));
        QCOMPARE(lastDirectory, QStringLiteral("/start"));

        QVERIFY(action(nullptr, doc, lastDirectory));
        const QList<ScriptedPrompt::Call> open = scripted.callsOf("open");
        QCOMPARE(open.size(), 2);
        QTEST(open.at(1).title, "caption");
        QTEST(open.at(1).filter, "filter");
        QCOMPARE(QStringList({ open.at(1).text, lastDirectory }), QStringList({ "/start", dir.path() }));
        QVERIFY(scripted.callsOf("warning").isEmpty());
    }

    void dialogVariantFollowsTheFormat()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "a.mnt", "C3 10.16 5.08 270 100n C0805\n");
        ScriptedPrompt scripted;
        scripted.fileAnswers << path;
        bool noChangesEnabled = true;
        scripted.dialogHandlers << [&](QDialog* d) {
            noChangesEnabled = radio(d, "radioNo")->isEnabled();
            radio(d, "radioBottom")->setChecked(true);
            return int(QDialog::Accepted);
        };
        Document doc;
        QString last;
        QVERIFY(PnPImportActions::importEagle(nullptr, doc, last) && !noChangesEnabled);
        QCOMPARE(scripted.callsOf("exec").value(0).title, QStringLiteral("Import Pick-and-Place"));
        QVERIFY(doc.side(false).placements.size() == 1 && doc.isModified()); // where, how: tst_pnpimportframe
    }

    // An import that fails or is cancelled leaves the document as it was. A failure shows the
    // error box; a cancel of any format shows nothing.
    void failedOrCancelledImportKeepsTheDocument_data()
    {
        columns<Action, QByteArray, bool, bool, bool>("action", "bytes", "accept", "returns", "errorBox");
        row("own csv short line", Action(&PnPImportActions::importTessavrant), QByteArray("h\nR1;1\n"), true,
            false, true);
        row("own csv dialog cancelled", Action(&PnPImportActions::importTessavrant),
            QByteArray("h\nR1;0603;1;2;top;0;1k\n"), false, false, false);
        row("position update of a missing file", Action(&PnPImportActions::importPositionUpdate),
            QByteArray(), true, false, true);
    }
    void failedOrCancelledImportKeepsTheDocument()
    {
        QFETCH(Action, action);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accept);
        QFETCH(bool, errorBox);
        QTemporaryDir dir;
        ScriptedPrompt scripted;
        const QString path = bytes.isNull() ? dir.filePath("missing.csv") : writeFile(dir, "bad.txt", bytes);
        scripted.fileAnswers << path;
        scripted.dialogHandlers <<
            [accept](QDialog*) { return accept ? int(QDialog::Accepted) : int(QDialog::Rejected); };
        Document doc;
        doc.setPlacements({ new PnPEntry("K1", "0603", 1, 1, "top", 0, "1k", "1", QString()) });
        doc.setModified(false);
        QString last;
        QTEST(action(nullptr, doc, last), "returns");
        QCOMPARE(scripted.said("warning"),
            errorBox ? QStringList { "Error: An error occured while loading the file" } : QStringList());
        QVERIFY(doc.side(true).placements.size() == 1 && doc.currentList().size() == 1 && !doc.isModified());
        QCOMPARE(last, dir.path()); // the next dialog starts in the folder of the chosen file
    }

    void positionUpdateWarnsPerMissingDesignator()
    {
        QTemporaryDir dir;
        ScriptedPrompt scripted;
        scripted.fileAnswers << writeFile(dir, "p.csv", "RefDes;X;Y;Rot\nK1;4;5;90\nZ1;1;1;0\nZ2;1;1;0\n");
        Document doc;
        doc.setPlacements({ new PnPEntry("K1", "0603", 1, 1, "top", 0, "1k", "1", QString()) });
        QString last;
        QVERIFY(PnPImportActions::importPositionUpdate(nullptr, doc, last));
        QCOMPARE(scripted.said("warning"),
            QStringList({ "Hinweis: RefDes Z1 nicht vorhanden", "Hinweis: RefDes Z2 nicht vorhanden" }));
        QVERIFY(scripted.callsOf("exec").isEmpty());
    }
};

QTEST_MAIN(TstPnPImportUi)
#include "tst_pnpimportui.moc"
