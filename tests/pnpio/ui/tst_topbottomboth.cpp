#include "pnpio/ui/topbottomboth.h"

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
    void controlsAndDefaults()
    {
        topbottomboth dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Export Pick-and-Place"));
        QCOMPARE(dialog.size(), QSize(191, 181));
        const QList<std::tuple<QString, QString, bool>> controls { { "both", "Both", true },
            { "top", "Top", false }, { "bottom", "Bottom", false }, { "Machine", "Machine", true },
            { "Hand", "Hand", true }, { "THT", "THT", true }, { "None", "No Placement", true } };
        for (const auto& [object, text, checked] : controls) {
            auto* button = dialog.findChild<QAbstractButton*>(object);
            QVERIFY2(button, qPrintable(object));
            QCOMPARE(button->text(), text);
            QCOMPARE(button->isChecked(), checked);
            QCOMPARE(bool(qobject_cast<QRadioButton*>(button)), object == object.toLower());
        }
        auto* spin = dialog.findChild<QSpinBox*>(QStringLiteral("spinBox"));
        QVERIFY(spin);
        QCOMPARE(spin->minimum(), 1);
        QCOMPARE(spin->maximum(), 9999999);
        QCOMPARE(spin->value(), 1);
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("okButton"))->text(), QStringLiteral("OK"));

        // The panels row (spin box and its label) hides for the pick-and-place export.
        dialog.setPanelsVisible(false);
        dialog.show();
        QVERIFY(!spin->isVisible());
        const auto labels = dialog.findChildren<QLabel*>();
        auto panels
            = std::find_if(labels.begin(), labels.end(), [](QLabel* l) { return l->text() == "Panels:"; });
        QVERIFY(panels != labels.end());
        QVERIFY(!(*panels)->isVisible());
        dialog.setPanelsVisible(true);
        QVERIFY(spin->isVisible());
    }

    void okStoresTheChoices_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QStringList>("cleared");
        QTest::addColumn<int>("panels");
        QTest::addColumn<int>("side");
        QTest::addColumn<QString>("kinds"); // exec kinds still included, in "0123" order
        QTest::newRow("defaults") << "both" << QStringList() << 1 << 0 << "0123";
        QTest::newRow("top, everything off")
            << "top" << QStringList { "Machine", "Hand", "THT", "None" } << 2 << 1 << "";
        QTest::newRow("bottom, hand and THT off")
            << "bottom" << QStringList { "Hand", "THT" } << 7 << 2 << "01";
        QTest::newRow("no placement off, many panels")
            << "both" << QStringList { "None" } << 9999999 << 0 << "123";
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
        QCOMPARE(o.side, int(PnPExportOptions::Both));
        QVERIFY(o.machine);
        QCOMPARE(o.panels, 1);
    }
};

QTEST_MAIN(TestTopBottomBoth)
#include "tst_topbottomboth.moc"
