#include "scriptedprompt.h"

#include <QDialog>
#include <QtTest>

// The seam itself: a scripted prompt must replace the real one and give it back,
// and unanswered questions must never block or answer Yes by accident.
class TstPrompt : public QObject
{
    Q_OBJECT
private slots:
    void scriptedPromptIsInstalledAndRemoved()
    {
        Prompt* before = &prompt();
        {
            ScriptedPrompt scripted;
            QCOMPARE(&prompt(), static_cast<Prompt*>(&scripted));
            prompt().warning(nullptr, QStringLiteral("Error"), QStringLiteral("An error occured while loading the file"));
            QCOMPARE(scripted.callsOf(QStringLiteral("warning")).size(), 1);
            QCOMPARE(scripted.calls.first().title, QStringLiteral("Error"));
        }
        QCOMPARE(&prompt(), before);
    }

    void unansweredCallsFallBackToCancel()
    {
        ScriptedPrompt scripted;
        QCOMPARE(prompt().question(nullptr, "T", "Q", QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes),
                 QMessageBox::Cancel);
        QVERIFY(prompt().openFileName(nullptr, "c", "d", "f").isEmpty());
        QVERIFY(!prompt().color(nullptr, Qt::red, "t").isValid());
        QDialog dialog;
        QCOMPARE(prompt().exec(&dialog), int(QDialog::Rejected));
    }

    void dialogHandlerSeesTheDialog()
    {
        ScriptedPrompt scripted;
        QDialog dialog;
        dialog.setWindowTitle(QStringLiteral("Import"));
        scripted.dialogHandlers.enqueue([](QDialog* d) {
            d->setProperty("seen", true);
            return int(QDialog::Accepted);
        });
        QCOMPARE(prompt().exec(&dialog), int(QDialog::Accepted));
        QVERIFY(dialog.property("seen").toBool());
        QCOMPARE(scripted.callsOf(QStringLiteral("exec")).first().title, QStringLiteral("Import"));
    }
};

QTEST_MAIN(TstPrompt)
#include "tst_prompt.moc"
