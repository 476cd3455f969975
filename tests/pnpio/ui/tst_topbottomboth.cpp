#include "datatable.h"
#include "pnpio/ui/topbottomboth.h"

#include "dialogfit.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

// The export options dialog: what a user sees first, and what OK hands to the export.
class TestTopBottomBoth : public QObject
{
    Q_OBJECT

private slots:
    // Every text shows in full at the desktop's font, with and without the panels row, and the
    // panels row hides for the pick-and-place export.
    void textsFitAndPanelsRowHides()
    {
        for (bool panels : { true, false }) {
            topbottomboth dialog;
            dialog.setPanelsVisible(panels);
            QCOMPARE(cutTexts(dialog, panels ? "export-part-list" : "export-pick-and-place"), QStringList());
            QCOMPARE(QVector<bool>({ dialog.findChild<QSpinBox*>(QStringLiteral("spinBox"))->isVisible(),
                         dialog.findChild<QLabel*>(QStringLiteral("panelsLabel"))->isVisible() }),
                QVector<bool>(2, panels));
        }
    }

    void okStoresTheChoices_data()
    {
        // kinds: exec kinds still included, in "0123" order
        columns<QString, QStringList, int, int, QString>("radio", "cleared", "panels", "side", "kinds");
        row("top, everything off", "top", QStringList { "Machine", "Hand", "THT", "None" }, 2, 1, "");
        row("bottom, hand and THT off", "bottom", QStringList { "Hand", "THT" }, 7, 2, "01");
        row("no placement off, many panels", "both", QStringList { "None" }, 9999999, 0, "123");
    }

    void okStoresTheChoices()
    {
        QFETCH(QString, radio);
        QFETCH(QStringList, cleared);
        QFETCH(int, panels);
        topbottomboth dialog;
        dialog.findChild<QRadioButton*>(radio)->click();
        for (const QString& name : cleared)
            dialog.findChild<QCheckBox*>(name)->click();
        dialog.findChild<QSpinBox*>(QStringLiteral("spinBox"))->setValue(panels);
        dialog.findChild<QPushButton*>(QStringLiteral("okButton"))->click();

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const PnPExportOptions o = dialog.options();
        QTEST(o.side, "side");
        QCOMPARE(o.panels, panels);
        QString included;
        for (const QString exec : { "0", "1", "2", "3" })
            included += o.includesExec(exec) ? exec : QString();
        QTEST(included, "kinds");
    }

    void closingWithoutOkStoresNothing()
    {
        topbottomboth dialog;
        dialog.findChild<QRadioButton*>(QStringLiteral("bottom"))->click();
        dialog.findChild<QCheckBox*>(QStringLiteral("Machine"))->click();
        dialog.findChild<QSpinBox*>(QStringLiteral("spinBox"))->setValue(5);
        dialog.reject();
        const PnPExportOptions o = dialog.options();
        QVERIFY(o.side == PnPExportOptions::Both && o.machine && o.panels == 1);
    }
};

QTEST_MAIN(TestTopBottomBoth)
#include "tst_topbottomboth.moc"
