#include "scriptedprompt.h"

#include <QDialog>
#include <QtTest>

// Installing the scripted prompt and its handlers is exercised by every window test; here only
// that unanswered questions never block or answer Yes by accident.
class TstPrompt : public QObject
{
    Q_OBJECT
private slots:
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
};

QTEST_MAIN(TstPrompt)
#include "tst_prompt.moc"
