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
    void controlsAndDefaults_data();
    void controlsAndDefaults();
    void okStoresTheChoices_data();
    void okStoresTheChoices();
    void closingWithoutOkStoresNothing();
    void panelsRowFollowsTheExport();
};

void TestTopBottomBoth::controlsAndDefaults_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("checked");
    QTest::newRow("both") << "both"
                          << "Both" << true;
    QTest::newRow("top") << "top"
                         << "Top" << false;
    QTest::newRow("bottom") << "bottom"
                            << "Bottom" << false;
    QTest::newRow("Machine") << "Machine"
                             << "Machine" << true;
    QTest::newRow("Hand") << "Hand"
                          << "Hand" << true;
    QTest::newRow("THT") << "THT"
                         << "THT" << true;
    QTest::newRow("None") << "None"
                          << "No Placement" << true;
}

void TestTopBottomBoth::controlsAndDefaults()
{
    QFETCH(QString, object);
    QFETCH(QString, text);
    QFETCH(bool, checked);

    topbottomboth dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Export Pick-and-Place"));
    QCOMPARE(dialog.size(), QSize(191, 181));
    auto* button = dialog.findChild<QAbstractButton*>(object);
    QVERIFY(button);
    QCOMPARE(button->text(), text);
    QCOMPARE(button->isChecked(), checked);
    QCOMPARE(bool(qobject_cast<QRadioButton*>(button)), object == object.toLower());

    auto* spin = dialog.findChild<QSpinBox*>(QStringLiteral("spinBox"));
    QVERIFY(spin);
    QCOMPARE(spin->minimum(), 1);
    QCOMPARE(spin->maximum(), 9999999);
    QCOMPARE(spin->value(), 1);
    const auto labels = dialog.findChildren<QLabel*>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [](QLabel* l) { return l->text() == "Panels:"; }));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("okButton"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
}

void TestTopBottomBoth::okStoresTheChoices_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QStringList>("cleared");
    QTest::addColumn<int>("panels");
    QTest::addColumn<int>("side");
    QTest::addColumn<QString>("kinds"); // exec kinds still included, in "0123" order
    QTest::newRow("defaults") << "both" << QStringList() << 1 << 0 << "0123";
    QTest::newRow("top without machine") << "top" << QStringList { "Machine" } << 1 << 1 << "023";
    QTest::newRow("bottom, hand and THT off") << "bottom" << QStringList { "Hand", "THT" } << 7 << 2 << "01";
    QTest::newRow("no placement off, many panels")
        << "both" << QStringList { "None" } << 9999999 << 0 << "123";
    QTest::newRow("everything off") << "top" << QStringList { "Machine", "Hand", "THT", "None" } << 2 << 1
                                    << "";
}

void TestTopBottomBoth::okStoresTheChoices()
{
    QFETCH(QString, radio);
    QFETCH(QStringList, cleared);
    QFETCH(int, panels);
    QFETCH(int, side);
    QFETCH(QString, kinds);

    topbottomboth dialog;
    dialog.findChild<QRadioButton*>(radio)->click();
    for (const QString& name : cleared)
        dialog.findChild<QCheckBox*>(name)->click();
    dialog.findChild<QSpinBox*>(QStringLiteral("spinBox"))->setValue(panels);
    dialog.findChild<QPushButton*>(QStringLiteral("okButton"))->click();

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const PnPExportOptions o = dialog.options();
    QCOMPARE(o.side, side);
    QCOMPARE(o.panels, panels);
    QString included;
    for (const char* exec : { "0", "1", "2", "3" }) {
        if (o.includesExec(QString::fromLatin1(exec)))
            included += QLatin1String(exec);
    }
    QCOMPARE(included, kinds);
}

void TestTopBottomBoth::closingWithoutOkStoresNothing()
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

void TestTopBottomBoth::panelsRowFollowsTheExport()
{
    topbottomboth dialog;
    auto* spin = dialog.findChild<QSpinBox*>(QStringLiteral("spinBox"));
    dialog.setPanelsVisible(false);
    dialog.show();
    QVERIFY(!spin->isVisible());
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == QLatin1String("Panels:"))
            QVERIFY(!label->isVisible());
    }
    dialog.setPanelsVisible(true);
    QVERIFY(spin->isVisible());
}

QTEST_MAIN(TestTopBottomBoth)
#include "tst_topbottomboth.moc"
