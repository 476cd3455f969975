// The origin generator's grid, the panel size and panelize.
#include "board/panel.h"
#include "gerber/gerberlayer.h"
#include "gerber/layerset.h"
#include "model/document.h"

#include <QtTest>

using namespace Panel;

namespace {

// 2 columns x 3 rows of 50 x 40 boards, spacing 2 x 3, left 5, bottom 7, right 4, top 1.
OriginGen grid()
{
    OriginGen g;
    g.columns = 2;
    g.rows = 3;
    g.sizeX = 50;
    g.sizeY = 40;
    g.spacingX = 2;
    g.spacingY = 3;
    g.borderLeft = 5;
    g.borderBottom = 7;
    g.borderRight = 4;
    g.borderTop = 1;
    return g;
}

} // namespace

class TestPanel : public QObject
{
    Q_OBJECT

private slots:
    void gridOrderAndPanelSize()
    {
        const Origins o = generateOrigins(grid());
        const Origins expected { { 5, 7, 1 }, { 57, 7, 1 }, { 5, 50, 1 }, { 57, 50, 1 }, { 5, 93, 1 },
            { 57, 93, 1 } };
        QCOMPARE(o, expected);
        QCOMPARE(grid().panelWidth(), 5 + 2 * 50 + 2 + 4.0);
        QCOMPARE(grid().panelHeight(), 7 + 3 * 40 + 2 * 3 + 1.0);
        QCOMPARE(panelInfoText(111.25), QStringLiteral("111,25mm"));
    }

    void gridRefusals_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<double>("size");
        QTest::addColumn<QString>("problem");
        QTest::newRow("a thousand") << 40 << 25 << 1.0 << QString();
        QTest::newRow("a million") << 1000 << 1000 << 1.0 << tooManyBoardsText();
        QTest::newRow("overflowing product") << 65536 << 65536 << 1.0 << tooManyBoardsText();
        QTest::newRow("no columns") << 0 << 3 << 1.0 << tooManyBoardsText();
        QTest::newRow("negative rows") << 2 << -1 << 1.0 << tooManyBoardsText();
        QTest::newRow("infinite size") << 2 << 2 << qInf() << invalidSizeText();
    }
    void gridRefusals()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(double, size);
        QFETCH(QString, problem);
        OriginGen g;
        g.columns = columns;
        g.rows = rows;
        g.sizeX = size;
        Document doc;
        const Outcome out = applyGenerator(doc, g, GenerateSide::Top, true);
        QCOMPARE(out.message, problem);
        QCOMPARE(out.ok, problem.isEmpty());
        QCOMPARE(doc.origins().size(), problem.isEmpty() ? columns * rows : 0);
        QCOMPARE(doc.isModified(), problem.isEmpty());
    }

    void generatorWritesTheNamedSides_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<bool>("generateSize");
        QTest::addColumn<int>("topCount");
        QTest::addColumn<int>("bottomCount");
        QTest::addColumn<double>("topWidth");
        QTest::newRow("top") << 0 << true << 6 << 0 << 111.0;
        QTest::newRow("bottom") << 1 << true << 0 << 6 << 10.0;
        QTest::newRow("both, no size") << 2 << false << 6 << 6 << 10.0;
    }
    void generatorWritesTheNamedSides()
    {
        QFETCH(int, side);
        QFETCH(bool, generateSize);
        QFETCH(int, topCount);
        QFETCH(int, bottomCount);
        QFETCH(double, topWidth);
        Document doc;
        doc.boardInfo()->setWidth(10);
        QVERIFY(applyGenerator(doc, grid(), GenerateSide(side), generateSize).ok);
        QCOMPARE(doc.sideOrigins(true).size(), topCount);
        QCOMPARE(doc.sideOrigins(false).size(), bottomCount);
        QCOMPARE(doc.sideBoardInfo(true)->width(), topWidth);
        QCOMPARE(doc.sideOriginGen(true) == grid(), topCount > 0);
    }

    // A second panelize starts from the single board, not from the panel the first one made.
    void panelizeTwiceKeepsTheSingleBoard()
    {
        Document doc;
        LayerSet layers;
        doc.boardInfo()->setWidth(50);
        doc.boardInfo()->setHeight(40);
        doc.setGerberMode(true);
        doc.setOrigins({ Origin {} });
        PanelizeRequest r = panelizePreset(doc);
        QCOMPARE(r.width, 50.0);
        r.columns = 3;
        r.rows = 2;
        QVERIFY(panelize(doc, layers, r).ok);
        QCOMPARE(doc.boardInfo()->width(), 150.0);
        QCOMPARE(doc.boardInfo()->height(), 80.0);
        QVERIFY(doc.origins().isEmpty());
        const GerberLayer& layer = *layers.layer(LayerList::GerberMode, 0);
        QCOMPARE(layer.repeatCountX, 3);
        QCOMPARE(layer.repeatStepY, 40.0);
        const PanelizeRequest again = panelizePreset(doc);
        QCOMPARE(again.width, 50.0);
        QCOMPARE(again.height, 40.0);
        QCOMPARE(again.columns, 3);
        r.rows = 5000;
        QVERIFY(!panelize(doc, layers, r).ok);
        QCOMPARE(doc.boardInfo()->height(), 80.0);
    }
};

QTEST_GUILESS_MAIN(TestPanel)
#include "tst_panel.moc"
