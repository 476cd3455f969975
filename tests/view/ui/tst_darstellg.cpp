#include "view/ui/darstellg.h"

#include "gerber/gerberlayer.h"
#include "scriptedprompt.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QProgressBar>
#include <QtTest>

class TstDarstellg : public QObject
{
    Q_OBJECT

private slots:

    void initialState()
    {
        Darstellg v;
        QCOMPARE(
            QList<int>({ v.zoomLevel(), v.viewOffsetX(), v.viewOffsetY() }), QList<int>({ 10, 15, -21 }));
        QCOMPARE(v.gridSpacing(), 1.0);
        QVERIFY(v.gridShown() && v.topView() && !v.gerberMode());
        QVERIFY(v.showHandExec() && v.showMachineExec() && v.showThtExec() && !v.showPlaced());
        QVERIFY(v.showRefDes() && v.showPickAndPlace() && v.showDrawings() && v.fastRendering());
        QVERIFY(!v.loading() && !v.centreOnSelection() && !v.isModified() && !v.interactionBlocked());
        QCOMPARE(v.backgroundColor(), QColor(10, 10, 10));
        QVERIFY(v.testAttribute(Qt::WA_OpaquePaintEvent) && v.acceptDrops());
        QVERIFY(v.progressBar()->isHidden() && v.stepLabel()->isHidden());
        QCOMPARE(Darstellg::versionString(), QString("Tessavrant 0.0.80"));
        QCOMPARE(Darstellg::buildString(), QString("Build 210503"));

        QCOMPARE(QList<int>({ v.topLayers().size(), v.bottomLayers().size(), v.gerberLayers().size() }),
            QList<int>({ 7, 7, 255 }));
        for (const GerberLayer* l : v.gerberLayers())
            QVERIFY(!l->visible);
        for (const QList<GerberLayer*>* side : { &v.topLayers(), &v.bottomLayers() }) {
            QCOMPARE(side->at(Darstellg::Signal)->color, QColor(4, 180, 4));
            QCOMPARE(side->at(Darstellg::Silk)->color, QColor(252, 254, 252));
            QCOMPARE(side->at(Darstellg::Drill)->color, QColor(10, 10, 10));
            QCOMPARE(side->at(Darstellg::Mask)->color, GerberLayer::colorForIndex(1));
        }
        QCOMPARE(v.gerberLayers().at(13)->color, GerberLayer::colorForIndex(3));

        const QMetaObject* mo = v.metaObject();
        const int first = mo->indexOfSlot("setNewZoom()");
        QVERIFY(first >= 0);
        QCOMPARE(mo->indexOfSlot("setNewGridAbst()"), first + 1);
        QCOMPARE(mo->indexOfSlot("setNewBgColor()"), first + 2);
        QCOMPARE(mo->indexOfSlot("incrementProgress()"), first + 3);
    }

    void zoomComboAndClamping()
    {
        Darstellg v;
        QCOMPARE(v.zoomBox()->count(), 1000);
        for (auto [index, text] :
            { std::pair(0, "10%"), { 9, "100%" }, { 499, "5000%" }, { 999, "10000%" } }) {
            QCOMPARE(v.zoomBox()->itemText(index), QString(text));
            v.zoomBox()->setCurrentIndex(index);
            QCOMPARE(v.zoomLevel(), index + 1);
        }
        for (auto [requested, level] : { std::pair(37, 37), { 0, 1 }, { -5, 1 }, { 5000, 1000 } }) {
            v.setZoomLevel(requested);
            QCOMPARE(v.zoomLevel(), level);
            QCOMPARE(v.zoomBox()->currentIndex(), level - 1);
        }
    }

    void gridSpacingStaysPositive_data()
    {
        QTest::addColumn<double>("requested");
        QTest::addColumn<double>("spacing");
        QTest::newRow("normal") << 2.5 << 2.5;
        QTest::newRow("zero") << 0.0 << 0.01;
        QTest::newRow("negative") << -3.0 << 0.01;
        QTest::newRow("too large") << 1000.0 << 100.0;
        QTest::newRow("nan ignored") << std::nan("") << 1.0;
    }

    void gridSpacingStaysPositive()
    {
        QFETCH(double, requested);
        QFETCH(double, spacing);
        Darstellg v;
        v.setGridSpacing(requested);
        QCOMPARE(v.gridSpacing(), spacing);
        // The spin box drives the same value.
        v.gridSpinBox()->setValue(0.5);
        QCOMPARE(v.gridSpacing(), 0.5);
    }

    void slotVisibilityIsSharedBySides_data()
    {
        QTest::addColumn<int>("slot");
        for (int s = 0; s < Darstellg::SlotCount; ++s)
            QTest::newRow(qPrintable(QString::number(s))) << s;
    }

    void slotVisibilityIsSharedBySides()
    {
        QFETCH(int, slot);
        Darstellg v;
        QVERIFY(v.layerVisible(slot));
        v.setSide(false);
        v.setLayerVisible(slot, false);
        QVERIFY(!v.layerVisible(slot));
        QVERIFY(!v.topLayers().at(slot)->visible);
        QVERIFY(!v.bottomLayers().at(slot)->visible);
        v.setSide(true);
        QVERIFY(!v.layerVisible(slot));
        QVERIFY(v.showPickAndPlace());
        for (int other = 0; other < Darstellg::SlotCount; ++other)
            if (other != slot)
                QVERIFY(v.layerVisible(other));
        v.setLayerVisible(slot, true);
        QVERIFY(v.topLayers().at(slot)->visible && v.bottomLayers().at(slot)->visible);
    }

    void pickAndPlaceSwitch()
    {
        Darstellg v;
        v.setLayerVisible(Darstellg::PickAndPlace, false);
        QVERIFY(!v.showPickAndPlace());
        QVERIFY(!v.layerVisible(-1));
        for (int s = 0; s < Darstellg::SlotCount; ++s)
            QVERIFY(v.layerVisible(s));
        v.setShowPickAndPlace(true);
        QVERIFY(v.layerVisible(-1));
        // Slots outside -1..6 are ignored and read as hidden.
        v.setLayerVisible(7, true);
        v.setLayerVisible(-2, true);
        QVERIFY(!v.layerVisible(7));
        QVERIFY(!v.layerVisible(-2));
    }

    void shownLayersFollowSideAndMode()
    {
        Darstellg v;
        QCOMPARE(v.shownLayers(), v.topLayers());
        v.setSide(false);
        QCOMPARE(v.shownLayers(), v.bottomLayers());
        QVERIFY(!v.topView());
        v.setGerberMode(true);
        QCOMPARE(v.shownLayers(), v.gerberLayers());
    }

    void colorBoxesPaintBothSides_data()
    {
        QTest::addColumn<int>("board");
        QTest::addColumn<QColor>("body");
        QTest::addColumn<QColor>("copper");
        QTest::addColumn<int>("silk");
        QTest::addColumn<QColor>("silkColor");
        const auto row
            = [](const char* name, int board, QColor body, QColor copper, int silk, QColor silkColor) {
                  QTest::newRow(name) << board << body << copper << silk << silkColor;
              };
        row("green white", 0, QColor(12, 58, 12), QColor(0, 130, 0), 0, QColor(252, 254, 252));
        row("white black", 1, QColor(230, 230, 230), QColor(245, 245, 245), 1, QColor(35, 35, 35));
        row("black yellow", 2, QColor(35, 35, 35), QColor(75, 75, 75), 2, QColor(200, 200, 0));
        row("red red", 3, QColor(120, 5, 5), QColor(150, 0, 0), 3, QColor(200, 0, 0));
        row("blue", 4, QColor(10, 10, 150), QColor(30, 30, 150), 0, QColor(252, 254, 252));
    }
    void colorBoxesPaintBothSides()
    {
        QFETCH(int, board);
        QFETCH(QColor, body);
        QFETCH(QColor, copper);
        QFETCH(int, silk);
        QFETCH(QColor, silkColor);
        Darstellg v;
        v.setBoardColorIndex(board);
        v.setSilkColorIndex(silk);
        QVERIFY(v.isModified());
        QCOMPARE(v.boardColorIndex(), board);
        QCOMPARE(v.boardBodyColor(), body);
        QCOMPARE(v.topLayers().at(0)->color, copper);
        QCOMPARE(v.bottomLayers().at(0)->color, copper);
        QCOMPARE(v.topLayers().at(4)->color, silkColor);
        QCOMPARE(v.bottomLayers().at(4)->color, silkColor);

        Darstellg loaded;
        loaded.restoreColorIndexes(board, silk);
        QVERIFY(!loaded.isModified());
        QCOMPARE(loaded.bottomLayers().at(0)->color, copper);
        QCOMPARE(loaded.silkColor(), silkColor);
    }

    void backgroundColorThroughPrompt()
    {
        ScriptedPrompt prompt;
        prompt.colorAnswers.enqueue(QColor()); // cancelled
        prompt.colorAnswers.enqueue(QColor(1, 2, 3));
        Darstellg v;
        v.setNewBgColor();
        QCOMPARE(v.backgroundColor(), QColor(10, 10, 10));
        v.setNewBgColor();
        QCOMPARE(v.backgroundColor(), QColor(1, 2, 3));
        QCOMPARE(prompt.callsOf("color").size(), 2);
    }

    void replacedBusyLayerOutlivesItsThread()
    {
        Darstellg v;
        GerberLayer* old = v.topLayers().at(2);
        old->busy = true; // as if a render thread were rasterising it
        auto* fresh = new GerberLayer(2);
        QVERIFY(v.replaceSideLayer(true, 2, fresh));
        QCOMPARE(v.topLayers().at(2), fresh);
        old->fileName = "still alive"; // the sanitizer build flags a use after free here
        old->busy = false;
        QVERIFY(v.replaceGerberLayer(0, new GerberLayer(0)));
        QVERIFY(!v.replaceSideLayer(false, 7, fresh));
        QVERIFY(!v.replaceGerberLayer(255, fresh));
        QVERIFY(!v.replaceSideLayer(true, 0, nullptr));
    }

    void resetDocumentStartsAfresh()
    {
        Darstellg v;
        v.document().appendEntry(new PnPEntry("R1", "0603", 1, 2, "top", 0, "1k", "1", "", 1));
        v.document().writeBackWorkingList();
        v.document().boardInfo()->setName("old");
        v.setShowPlaced(true);
        v.setShowMachineExec(false);
        v.setLayerVisible(3, false);
        v.setRenderReached(2);
        v.incrementProgress();
        QCOMPARE(v.renderReached(), 3);
        v.setZoomLevel(40);
        v.setBackgroundColor(QColor(1, 1, 1));
        v.setSide(false);

        v.resetDocument();
        QVERIFY(v.currentList().isEmpty() && v.topList().isEmpty());
        QVERIFY(v.activeSideIsTop());
        QCOMPARE(v.boardInfo()->name(), QString("unbenannt"));
        QVERIFY(!v.showPlaced());
        QVERIFY(v.showMachineExec());
        QVERIFY(v.layerVisible(3));
        QCOMPARE(v.renderReached(), 0);
        QCOMPARE(v.zoomLevel(), 40);
        QCOMPARE(v.topLayers().at(Darstellg::Drill)->color, QColor(1, 1, 1));
        QCOMPARE(v.gerberLayers().size(), 255);
    }

    void paintsBackground()
    {
        Darstellg v;
        v.resize(120, 80);
        v.setBackgroundColor(QColor(20, 40, 60));
        const QImage img = v.grab(QRect(60, 60, 40, 20)).toImage();
        QCOMPARE(img.pixelColor(10, 10), QColor(20, 40, 60));
    }
};

QTEST_MAIN(TstDarstellg)
#include "tst_darstellg.moc"
