#include "app/windowlayout.h"
#include "datatable.h"

#include <QtTest>

// The window places its widgets by arithmetic alone; these tables pin that arithmetic down,
// including the integer division of the table height and the panel limits while dragging.
class TstWindowLayout : public QObject
{
    Q_OBJECT
private slots:
    void placementMode_data()
    {
        columns<int, int, int, QRect, QRect, QRect, QRect>(
            "W", "H", "F", "view", "feeder", "placementTable", "feederTable");
        // view height 902, h = (902 + 16) / 2 - 3 = 456
        row("feeder closed", 1600, 1000, 16, QRect(240, 0, 1160, 902), QRect(240, 896, 1160, 16),
            QRect(0, 456, 240, 456), QRect(1400, 440, 200, 471));
        // view height 700, the feeder overview takes the room
        row("feeder open", 1600, 1000, 218, QRect(240, 0, 1160, 700), QRect(240, 694, 1160, 218),
            QRect(0, 456, 240, 456), QRect(1400, 440, 200, 471));
        // view height 903, (903 + 16) / 2 = 459 (integer division) - 3
        row("odd height", 1200, 1001, 16, QRect(240, 0, 760, 903), QRect(240, 897, 760, 16),
            QRect(0, 456, 240, 456), QRect(1000, 440, 200, 472));
    }

    void placementMode()
    {
        QFETCH(int, W);
        QFETCH(int, H);
        QFETCH(int, F);
        const WindowLayout l = computeLayout(W, H, 240, 200, F, false);
        QTEST(l.view, "view");
        QTEST(l.feeder, "feeder");
        QTEST(l.placementTable, "placementTable");
        QTEST(l.feederTable, "feederTable");
        QCOMPARE(l.partTable, QRect(0, 0, 240, l.placementTable.y()));
        // The toggle sits in the top right corner of the feeder overview.
        QCOMPARE(l.feederButton, QRect(l.feeder.width() - 15, 0, 15, 15));
        QVERIFY(l.layerTable.isNull());
    }

    void layerModeUsesTheWholeWidth()
    {
        const WindowLayout l = computeLayout(1600, 1000, 300, 250, 218, true);
        QCOMPARE(l.view, QRect(300, 0, 1300, 930));
        QCOMPARE(l.layerTable, QRect(0, 0, 300, 911));
        QVERIFY(l.feeder.isNull() && l.partTable.isNull() && l.infoTabs.isNull());
    }

    void dragPanels_data()
    {
        columns<int, int, int, int, int>("W", "press", "x", "L", "R");
        row("left wider", 1600, 240, 300, 300, 200);
        row("left never below 240", 1600, 245, 100, 240, 200);
        row("left stops 10 px before the right panel", 1000, 245, 900, 790, 200);
        row("right wider", 1600, 1400, 1300, 240, 300);
        row("right never below 200", 1600, 1395, 1500, 240, 200);
        row("right stops 10 px before the left panel", 1000, 800, 100, 240, 750);
        row("press away from both boundaries", 1600, 800, 700, 240, 200);
    }

    void dragPanels()
    {
        QFETCH(int, W);
        QFETCH(int, press);
        QFETCH(int, x);
        int L = 240, R = 200, remembered = press;
        ::dragPanels(W, L, R, remembered, x);
        QTEST(L, "L");
        QTEST(R, "R");
        QCOMPARE(remembered, x);
    }
};

QTEST_APPLESS_MAIN(TstWindowLayout)
#include "tst_windowlayout.moc"
