#include "datatable.h"
#include "scriptedprompt.h"
#include "tables/ui/labelprint.h"
#include "testfiles.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

class TstLabelPrint : public QObject
{
    Q_OBJECT
private slots:
    void printsToPdfLikePaper_data()
    {
        columns<bool, int>("accepted", "outcome");
        row("printed", true, int(LabelPrint::Outcome::Printed));
        row("cancelled", false, int(LabelPrint::Outcome::Cancelled));
    }
    void printsToPdfLikePaper()
    {
        QFETCH(bool, accepted);
        QTemporaryDir dir;
        ScriptedPrompt prompt;
        prompt.printAnswers.enqueue(accepted);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = dir.filePath("label.pdf");
        printer.setOutputFileName(pdf);
        QStringList refs;
        for (int i = 1; i <= 25; ++i)
            refs << QStringLiteral("C%1").arg(i);
        const auto result = LabelPrint::print(nullptr, "100n;0402", "Panel", refs, &printer);
        QTEST(int(result), "outcome");
        QCOMPARE(QPoint(prompt.callsOf("print").size(), QFile::exists(pdf)), QPoint(1, accepted));
        if (accepted) {
            const QByteArray bytes = readFile(pdf);
            QVERIFY(
                bytes.startsWith("%PDF") && bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") == 1);
        }
    }

    void unwritableFileIsReported()
    {
        QTemporaryDir dir;
        ScriptedPrompt prompt;
        prompt.printAnswers.enqueue(true);
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = dir.filePath("missing-folder/label.pdf");
        printer.setOutputFileName(pdf);
        QCOMPARE(LabelPrint::print(nullptr, "1k;0603", "unbenannt", { "R1" }, &printer),
            LabelPrint::Outcome::Failed);
        QCOMPARE(prompt.said("warning"), QStringList { "Error: The label could not be printed" });
        QCOMPARE(prompt.callsOf("warning").first().detail, pdf);
    }
};

QTEST_MAIN(TstLabelPrint)
#include "tst_labelprint.moc"
