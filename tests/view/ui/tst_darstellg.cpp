#include "datatable.h"
#include "view/ui/darstellg.h"

#include "gerber/gerberlayer.h"
#include "scriptedprompt.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QtTest>

class TstDarstellg : public QObject
{
    Q_OBJECT

private slots:
    void zoomFollowsComboAndClamps()
    {
        Darstellg v;
        v.zoomBox()->setCurrentIndex(499);
        QCOMPARE(v.zoomLevel(), 500);
        for (auto [requested, level] : { std::pair(37, 37), { 0, 1 }, { -5, 1 }, { 5000, 1000 } }) {
            v.setZoomLevel(requested);
            QCOMPARE(QPoint(v.zoomLevel(), v.zoomBox()->currentIndex()), QPoint(level, level - 1));
        }
    }

    void gridSpacingStaysPositive_data()
    {
        columns<double, double>("requested", "spacing");
        row("normal", 2.5, 2.5);
        row("zero", 0.0, 0.01);
        row("negative", -3.0, 0.01);
        row("too large", 1000.0, 100.0);
        row("nan ignored", std::nan(""), 1.0);
    }
    void gridSpacingStaysPositive()
    {
        QFETCH(double, requested);
        Darstellg v;
        v.setGridSpacing(requested);
        QTEST(v.viewState().gridSpacing, "spacing");
        v.gridSpinBox()->setValue(0.5);
        QCOMPARE(v.viewState().gridSpacing, 0.5);
    }

    void slotVisibilityIsSharedBySides()
    {
        Darstellg v;
        v.setSide(false);
        v.setLayerVisible(LayerSlot::Assy, false);
        v.setSide(true);
        QVERIFY(!v.layerVisible(LayerSlot::Assy));
        for (bool top : { true, false })
            QVERIFY(!v.layers().slot(top, LayerSlot::Assy)->visible);
        QVERIFY(v.layerVisible(LayerSlot::Silk) && v.layerVisible(LayerSlot::PickAndPlace));
        v.setLayerVisible(LayerSlot::PickAndPlace, false);
        QVERIFY(!v.viewState().filters.showPickAndPlace && v.layerVisible(LayerSlot::Signal));
    }

    void colorBoxesPaintBothSides_data()
    {
        columns<int, QColor, QColor, int, QColor>("board", "body", "copper", "silk", "silkColor");
        row("red red", 3, QColor(120, 5, 5), QColor(150, 0, 0), 3, QColor(200, 0, 0));
        row("blue", 4, QColor(10, 10, 150), QColor(30, 30, 150), 0, QColor(252, 254, 252));
    }
    void colorBoxesPaintBothSides()
    {
        QFETCH(int, board);
        QFETCH(QColor, copper);
        QFETCH(int, silk);
        QFETCH(QColor, silkColor);
        Darstellg v;
        v.setBoardColorIndex(board);
        v.setSilkColorIndex(silk);
        QVERIFY(v.document().isModified());
        QTEST(v.viewState().colours.boardBody, "body");
        for (bool top : { true, false })
            QCOMPARE(QList<QColor>({ v.layers().slot(top, LayerSlot::Signal)->color,
                         v.layers().slot(top, LayerSlot::Silk)->color }),
                QList<QColor>({ copper, silkColor }));

        Darstellg loaded;
        loaded.restoreColorIndexes(board, silk);
        QVERIFY(!loaded.document().isModified());
        QCOMPARE(QList<QColor>({ loaded.layers().slot(false, LayerSlot::Signal)->color,
                     loaded.viewState().colours.silk }),
            QList<QColor>({ copper, silkColor }));
    }

    // A layer read into a slot keeps the board's copper colour, and only the shown side changes.
    void installedLayerTakesBoardColours()
    {
        Darstellg v;
        v.setBoardColorIndex(3);
        v.setSide(false);
        auto layer = std::make_unique<GerberLayer>(0);
        GerberLayer* installed = layer.get();
        layer->color = Qt::yellow;
        v.installSideLayer(LayerSlot::Signal, std::move(layer));
        QVERIFY(v.layers().slot(false, LayerSlot::Signal) == installed
            && v.layers().slot(true, LayerSlot::Signal) != installed);
        QCOMPARE(installed->color, QColor(150, 0, 0));
    }

    void backgroundColorThroughPrompt()
    {
        ScriptedPrompt prompt;
        prompt.colorAnswers.enqueue(QColor()); // cancelled
        prompt.colorAnswers.enqueue(QColor(1, 2, 3));
        Darstellg v;
        v.setNewBgColor();
        QCOMPARE(v.viewState().colours.background, QColor(10, 10, 10));
        v.setNewBgColor();
        // Holes show the new background.
        QCOMPARE(QVector<QColor>(
                     { v.viewState().colours.background, v.layers().slot(true, LayerSlot::Drill)->color,
                         v.layers().slot(false, LayerSlot::Drill)->color }),
            QVector<QColor>(3, QColor(1, 2, 3)));
    }

    void resetDocumentStartsAfreshButKeepsViewSettings()
    {
        Darstellg v;
        v.document().appendEntry(new PnPEntry("R1", "0603", 1, 2, "top", 0, "1k", "1", "", 1));
        v.document().editBoardField(BoardField::Name, QStringLiteral("old"));
        v.viewState().filters.showPlaced = true;
        v.viewState().filters.showMachineExec = false;
        v.setLayerVisible(LayerSlot::Assy, false);
        v.viewState().render.reached = 2;
        v.setZoomLevel(40);
        v.viewState().colours.background = QColor(1, 1, 1);
        v.setSide(false);

        v.resetDocument();
        QVERIFY(v.document().currentList().isEmpty() && v.document().side(true).placements.isEmpty());
        QVERIFY(v.document().activeSideIsTop() && v.layerVisible(LayerSlot::Assy));
        QCOMPARE(v.document().boardInfo()->name(), QString("unbenannt"));
        QVERIFY(!v.viewState().filters.showPlaced && v.viewState().filters.showMachineExec);
        QCOMPARE(QPoint(v.viewState().render.reached, v.zoomLevel()), QPoint(0, 40));
        // Fresh drill slots take the background colour, so holes look like holes.
        QCOMPARE(v.layers().slot(true, LayerSlot::Drill)->color, QColor(1, 1, 1));
    }
};

QTEST_MAIN(TstDarstellg)
#include "tst_darstellg.moc"
