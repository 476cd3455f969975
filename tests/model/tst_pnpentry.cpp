#include "model/pnpentry.h"

#include <QtTest>
#include <limits>

class TstPnPEntry : public QObject
{
    Q_OBJECT
private slots:
    void constructorCleansTexts_data();
    void constructorCleansTexts();
    void constructorSide_data();
    void constructorSide();
    void constructorRotation_data();
    void constructorRotation();
    void newEntryDefaults();
    void rotationSetter_data();
    void rotationSetter();
    void execKindTexts_data();
    void execKindTexts();
};

void TstPnPEntry::constructorCleansTexts_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("stored");
    QTest::newRow("hyphen and space") << "R-1 A"
                                      << "R_1_A";
    QTest::newRow("angle brackets") << "<10k>"
                                    << "_10k_";
    QTest::newRow("all seven") << "a<b>c=d\"e$f g-h"
                               << "a_b_c_d_e_f_g_h";
    QTest::newRow("runs of them") << "--  $$"
                                  << "______";
    QTest::newRow("others kept") << "C1.5;/\\*_+"
                                 << "C1.5;/\\*_+";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("non latin kept") << QString::fromUtf8("µF Ω") << QString::fromUtf8("µF_Ω");
}

void TstPnPEntry::constructorCleansTexts()
{
    QFETCH(QString, input);
    QFETCH(QString, stored);
    const PnPEntry e(input, input, 0, 0, "top", 0, input, input, input, 1);
    QCOMPARE(e.refDes(), stored);
    QCOMPARE(e.name(), stored);
    QCOMPARE(e.value(), stored);
    QCOMPARE(e.exec(), stored);
    QCOMPARE(e.comment(), stored);
    QCOMPARE(PnPEntry::sanitiseText(input), stored);
}

void TstPnPEntry::constructorSide_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("stored");
    QTest::newRow("upper") << "TOP"
                           << "top";
    QTest::newRow("mixed") << "BoTtOm"
                           << "bottom";
    QTest::newRow("lower") << "bottom"
                           << "bottom";
    // Cleaned like the other texts before lower-casing.
    QTest::newRow("space") << "Top Side"
                           << "top_side";
}

void TstPnPEntry::constructorSide()
{
    QFETCH(QString, input);
    QFETCH(QString, stored);
    const PnPEntry e("R1", "0603", 1, 2, input, 0, "1k", "1", "", 1);
    QCOMPARE(e.side(), stored);
}

void TstPnPEntry::constructorRotation_data()
{
    QTest::addColumn<double>("input");
    QTest::addColumn<double>("stored");
    QTest::newRow("0") << 0.0 << 0.0;
    QTest::newRow("90") << 90.0 << 90.0;
    QTest::newRow("359.9") << 359.9 << 359.9;
    QTest::newRow("360") << 360.0 << 0.0;
    QTest::newRow("725") << 725.0 << 5.0;
    QTest::newRow("-90 is 270") << -90.0 << 270.0;
    QTest::newRow("-720 is 0") << -720.0 << 0.0;
    QTest::newRow("-97.5 is 262.5") << -97.5 << 262.5;
    QTest::newRow("-1e-17 stays below 360") << -1e-17 << 0.0;
    QTest::newRow("-450 is 270") << -450.0 << 270.0;
    QTest::newRow("725.3 stepwise") << 725.3 << (725.3 - 360.0 - 360.0);
    QTest::newRow("huge") << 1e300 << std::fmod(1e300, 360.0);
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0.0;
    QTest::newRow("inf") << std::numeric_limits<double>::infinity() << 0.0;
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << 0.0;
}

void TstPnPEntry::constructorRotation()
{
    QFETCH(double, input);
    QFETCH(double, stored);
    const PnPEntry e("R1", "0603", 0, 0, "top", input, "1k", "1", "", 1);
    QCOMPARE(e.rotation(), stored);
    QVERIFY(e.rotation() >= 0.0 && e.rotation() < 360.0);
}

void TstPnPEntry::newEntryDefaults()
{
    const PnPEntry e("R1", "0603", 1.5, -2.5, "top", 45, "1k", "1", "c");
    QCOMPARE(e.head(), 1);
    QCOMPARE(e.machine(), 0);
    QCOMPARE(e.line(), 0);
    QCOMPARE(e.sizeX(), 1.6);
    QCOMPARE(e.sizeY(), 0.8);
    QCOMPARE(e.hoverState(), 0);
    QVERIFY(!e.selected());
    QVERIFY(!e.placed());
    QVERIFY(!e.moving());
    QVERIFY(e.onSelectedMachine());
    QCOMPARE(e.x(), 1.5);
    QCOMPARE(e.y(), -2.5);
    const PnPEntry h("R2", "0603", 0, 0, "top", 0, "1k", "1", "", 7);
    QCOMPARE(h.head(), 7);
}

void TstPnPEntry::rotationSetter_data()
{
    QTest::addColumn<double>("input");
    QTest::addColumn<double>("stored");
    QTest::newRow("270") << 270.0 << 270.0;
    QTest::newRow("360") << 360.0 << 0.0;
    QTest::newRow("450") << 450.0 << 90.0;
    QTest::newRow("1080") << 1080.0 << 0.0;
    // The setter does not clamp: rotations made negative by an edit stay negative.
    QTest::newRow("-45 kept") << -45.0 << -45.0;
    QTest::newRow("-400 kept") << -400.0 << -400.0;
    QTest::newRow("270+135 stepwise") << (270.0 + 135.0) << (270.0 + 135.0 - 360.0);
    QTest::newRow("1e300 terminates") << 1e300 << std::fmod(1e300, 360.0);
    QTest::newRow("max double terminates")
        << std::numeric_limits<double>::max() << std::fmod(std::numeric_limits<double>::max(), 360.0);
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0.0;
    QTest::newRow("inf") << std::numeric_limits<double>::infinity() << 0.0;
}

void TstPnPEntry::rotationSetter()
{
    QFETCH(double, input);
    QFETCH(double, stored);
    PnPEntry e("R1", "0603", 0, 0, "top", 10, "1k", "1", "", 1);
    e.setRotation(input);
    QCOMPARE(e.rotation(), stored);
}

void TstPnPEntry::execKindTexts_data()
{
    QTest::addColumn<QString>("exec");
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("category");
    QTest::newRow("0") << "0" << 0 << "No Execute"
                       << "Not Placed:"
                       << "No Placement";
    QTest::newRow("1") << "1" << 1 << "SMD"
                       << "Machine:"
                       << "Machine";
    QTest::newRow("2") << "2" << 2 << "Other"
                       << "Other:"
                       << "Hand";
    QTest::newRow("3") << "3" << 3 << "THT"
                       << "THT:"
                       << "THT";
    QTest::newRow("4 not counted") << "4" << -1 << ""
                                   << ""
                                   << "";
    QTest::newRow("text counts as 0") << "x" << 0 << ""
                                      << ""
                                      << "";
    QTest::newRow("empty counts as 0") << "" << 0 << ""
                                       << ""
                                       << "";
    QTest::newRow("negative not counted") << "-1" << -1 << ""
                                          << ""
                                          << "";
}

void TstPnPEntry::execKindTexts()
{
    QFETCH(QString, exec);
    QFETCH(int, counter);
    QFETCH(QString, menu);
    QFETCH(QString, label);
    QFETCH(QString, category);
    QCOMPARE(ExecKind::counterIndex(exec), counter);
    QCOMPARE(ExecKind::menuText(exec), menu);
    QCOMPARE(ExecKind::labelText(exec), label);
    QCOMPARE(ExecKind::exportCategory(exec), category);
}

QTEST_GUILESS_MAIN(TstPnPEntry)
#include "tst_pnpentry.moc"
