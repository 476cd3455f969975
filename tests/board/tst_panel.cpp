// The origin generator's grid, the panel size and panelize.
#include "board/panel.h"
#include "documentsetup.h"
#include "gerber/gerberlayer.h"
#include "gerber/layerset.h"
#include "model/document.h"

#include <QtTest>
#include <tuple>

using namespace Panel;

namespace {

// 2 columns x 3 rows of 50 x 40 boards, spacing 2 x 3, left 5, bottom 7, right 4, top 1.
OriginGen grid()
{
    return OriginGen { 2, 3, 50, 40, 2, 3, 7, 1, 4, 5 };
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
        QCOMPARE(QSizeF(grid().panelWidth(), grid().panelHeight()),
            QSizeF(5 + 2 * 50 + 2 + 4, 7 + 3 * 40 + 2 * 3 + 1));
    }

    // A typo of 1000 x 1000 would fill the table with a million rows; a bad size no row at all.
    void gridRefusals()
    {
        Document doc;
        OriginGen g = grid();
        g.rows = 1000;
        QCOMPARE(applyGenerator(doc, g, GenerateSide::Both, true).message, tooManyBoardsText());
        g = grid();
        g.sizeX = qInf();
        QCOMPARE(applyGenerator(doc, g, GenerateSide::Top, true).message, invalidSizeText());
        QVERIFY(doc.origins().isEmpty() && !doc.isModified());
        QVERIFY(applyGenerator(doc, grid(), GenerateSide::Top, true).ok);
        QCOMPARE(doc.boardInfo()->width(), grid().panelWidth());
    }

    // Outside Gerber mode panelize is the generator's grid: generator then panelize, or panelize
    // then generator, leave the same origins and one board size, the panel's.
    void panelizeAndGeneratorAgreeInEitherOrder()
    {
        Document first;
        LayerSet layers;
        QVERIFY(applyGenerator(first, grid(), GenerateSide::Top, true).ok);
        QVERIFY(panelize(first, layers, panelizePreset(first)).ok);
        Document second;
        editBoard(second, [&](BoardInfo& b) {
            b.setWidth(50);
            b.setHeight(40);
        });
        PanelizeRequest r = panelizePreset(second);
        r.columns = 2;
        r.rows = 3;
        QVERIFY(panelize(second, layers, r).ok);
        // The preset holds the panelized grid; spacing and borders as in grid().
        OriginGen g = generatorPreset(second);
        QCOMPARE(g.sizeX, 50.0);
        std::tie(g.spacingX, g.spacingY, g.borderBottom, g.borderTop, g.borderRight, g.borderLeft)
            = std::tuple(2, 3, 7, 1, 4, 5);
        QVERIFY(applyGenerator(second, g, GenerateSide::Top, true).ok);
        for (const Document* doc : { &first, &second }) {
            QCOMPARE(doc->origins(), generateOrigins(grid()));
            QCOMPARE(QSizeF(doc->boardInfo()->width(), doc->boardInfo()->height()),
                QSizeF(grid().panelWidth(), grid().panelHeight()));
        }
    }

    // A second panelize starts from the single board, not from the panel the first one made.
    void panelizeTwiceKeepsTheSingleBoard()
    {
        Document doc;
        LayerSet layers;
        editBoard(doc, [&](BoardInfo& b) {
            b.setWidth(50);
            b.setHeight(40);
        });
        doc.setGerberMode(true);
        doc.setOrigins({ Origin {} });
        PanelizeRequest r = panelizePreset(doc);
        r.columns = 3;
        r.rows = 2;
        QVERIFY(panelize(doc, layers, r).ok);
        QVERIFY(doc.origins().isEmpty());
        const GerberLayer& layer = *layers.layer(LayerList::GerberMode, 0);
        // Board width, the layer's repeat, and the next panelize's preset width.
        QCOMPARE(QVector<double>({ doc.boardInfo()->width(), double(layer.repeatCountX), layer.repeatStepY,
                     panelizePreset(doc).width }),
            QVector<double>({ 150, 3, 40, 50 }));
        r.rows = 5000;
        QVERIFY(!panelize(doc, layers, r).ok);
        QCOMPARE(doc.boardInfo()->height(), 80.0);
    }
};

QTEST_GUILESS_MAIN(TestPanel)
#include "tst_panel.moc"
