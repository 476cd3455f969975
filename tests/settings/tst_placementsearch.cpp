#include "datatable.h"
#include "model/pnpentry.h"
#include "settings/placementsearch.h"

#include <QtTest>

Q_DECLARE_METATYPE(SearchOptions)

class TstPlacementSearch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_list = { new PnPEntry("R1", "0603", 0, 0, "top", 0, "10k", "1", "pull up"),
            new PnPEntry("R10", "0603", 0, 0, "top", 0, "r1", "1", ""),
            new PnPEntry("C1", "0402", 0, 0, "bottom", 0, "100n", "1", "R1 area"),
            new PnPEntry("U1", "SOIC8", 0, 0, "bottom", 0, "LM358", "1", "") };
    }
    void cleanupTestCase() { qDeleteAll(m_list); }

    void finds_data()
    {
        columns<SearchOptions, QList<int>>("options", "hits");
        SearchOptions o;
        o.term = "  R1 ";
        row("standard, any case, once per placement", o, QList<int>({ 0, 1, 2 }));
        o.mode = SearchMode::Absolute;
        row("absolute", o, QList<int>({ 0, 1 }));
        o.refDes = o.name = o.value = o.comment = false;
        row("no fields", o, QList<int>());
        o = SearchOptions();
        o.term = "r1";
        o.side = SearchSide::Bottom;
        row("bottom only", o, QList<int>({ 2 }));
        o.term = "   ";
        o.side = SearchSide::Both;
        row("spaces match nothing", o, QList<int>());
        o.term = "r1";
        o.mode = SearchMode::None;
        row("no mode", o, QList<int>());
    }
    void finds()
    {
        QFETCH(SearchOptions, options);
        QList<int> found;
        for (const SearchHit& h : PlacementSearch::run(m_list, options))
            found << h.index;
        QTEST(found, "hits");
    }

    void resultText()
    {
        SearchOptions o;
        o.term = "lm";
        const QList<SearchHit> hits = PlacementSearch::run(m_list, o);
        QCOMPARE(hits.size(), 1);
        QCOMPARE(hits.first().text, QStringLiteral("1 | U1 | SOIC8 | LM358 | "));
    }

    // The dialog never covers the placement it shows, and stays on the screen.
    void dialogLeavesTheHitFree_data()
    {
        columns<QRect, QPoint>("screen", "hit");
        const QRect small(0, 0, 1366, 768);
        row("hit in the middle", small, QPoint(683, 384));
        row("hit at the right edge", small, QPoint(1300, 384));
        row("hit at the top left", small, QPoint(10, 10));
        row("screen narrower than two dialogs", QRect(0, 0, 700, 768), QPoint(350, 700));
        row("second screen", QRect(1920, 0, 1920, 1080), QPoint(2880, 540));
    }
    void dialogLeavesTheHitFree()
    {
        QFETCH(QRect, screen);
        QFETCH(QPoint, hit);
        const QSize dialog(420, 330);
        const QRect placed(PlacementSearch::dialogBesideHit(screen, dialog, hit), dialog);
        QVERIFY2(!placed.adjusted(-30, -30, 30, 30).contains(hit), "dialog covers the hit");
        QVERIFY2(screen.contains(placed), "dialog off the screen");
    }

private:
    QList<PnPEntry*> m_list;
};

QTEST_GUILESS_MAIN(TstPlacementSearch)
#include "tst_placementsearch.moc"
