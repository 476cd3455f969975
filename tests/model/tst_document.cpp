#include "model/document.h"

#include <QtTest>

namespace {

PnPEntry* entry(const QString& ref, const QString& side = "top", bool selected = false)
{
    auto* e = new PnPEntry(ref, "0603", 1, 2, side, 0, "1k", "1", "", 1);
    e->setSelected(selected);
    return e;
}

QStringList refs(const QList<PnPEntry*>& list)
{
    QStringList out;
    for (const PnPEntry* e : list)
        out << e->refDes();
    return out;
}

// A document with top entries T1..Tn and bottom entries B1..Bm, top side shown.
void fill(Document& doc, int top, int bottom)
{
    QList<PnPEntry*> b;
    for (int i = 1; i <= bottom; ++i)
        b << entry(QString("B%1").arg(i), "bottom");
    doc.setBottomList(b);
    for (int i = 1; i <= top; ++i)
        doc.appendEntry(entry(QString("T%1").arg(i)));
    doc.writeBackWorkingList();
}

Drawing drawing(double x, bool selected = false)
{
    Drawing d;
    d.type = Drawing::Line;
    d.startX = x;
    d.selected = selected;
    return d;
}

} // namespace

class TstDocument : public QObject
{
    Q_OBJECT

private slots:

    void setSideSwapsEverySideItem()
    {
        Document doc;
        fill(doc, 2, 1);
        doc.setOrigins({ Origin { 1, 2, 1 } });
        doc.appendDrawing(drawing(5));
        doc.boardInfo()->setName("topboard");
        doc.fiducials()->setBoard1X(3);
        const OriginGen topGen { 2, 3, 50, 40, 2, 3, 7, 0, 0, 5 };
        doc.setSideOriginGen(true, topGen);
        doc.setSideOriginGen(false, OriginGen { 4, 1 });

        doc.setSide(false);
        QVERIFY(!doc.activeSideIsTop());
        QCOMPARE(refs(doc.currentList()), QStringList { "B1" });
        QCOMPARE(refs(doc.topList()), (QStringList { "T1", "T2" }));
        QVERIFY(doc.origins().isEmpty());
        QVERIFY(doc.drawings().isEmpty());
        QCOMPARE(doc.boardInfo(), doc.sideBoardInfo(false));
        QCOMPARE(doc.fiducials(), doc.sideFiducials(false));
        QCOMPARE(doc.boardInfo()->name(), QString("unbenannt"));
        QCOMPARE(doc.sideOrigins(true), (Origins { Origin { 1, 2, 1 } }));
        QCOMPARE(doc.sideDrawings(true).size(), 1);
        QCOMPARE(doc.originGen(), (OriginGen { 4, 1 }));

        doc.setOrigins({ Origin { 7, 8, 0 } });
        doc.appendEntry(entry("B2", "bottom"));
        doc.setSide(true);
        QCOMPARE(refs(doc.currentList()), (QStringList { "T1", "T2" }));
        QCOMPARE(refs(doc.bottomList()), (QStringList { "B1", "B2" }));
        QCOMPARE(doc.origins(), (Origins { Origin { 1, 2, 1 } }));
        QCOMPARE(doc.sideOrigins(false), (Origins { Origin { 7, 8, 0 } }));
        QCOMPARE(doc.drawings().size(), 1);
        QCOMPARE(doc.boardInfo()->name(), QString("topboard"));
        QCOMPARE(doc.fiducials()->board1X(), 3.0);
        QCOMPARE(doc.originGen(), topGen);
    }

    void setSideToShownSideChangesNothing()
    {
        for (bool top : { true, false }) {
            Document doc;
            fill(doc, 2, 3);
            doc.setSide(top);
            // An addition not yet written back must neither vanish nor reach the other side.
            doc.appendEntry(entry("NEW", top ? "top" : "bottom"));
            const QStringList working = refs(doc.currentList());
            const QStringList topBefore = refs(doc.topList());
            const QStringList bottomBefore = refs(doc.bottomList());
            doc.setSide(top);
            QCOMPARE(doc.activeSideIsTop(), top);
            QCOMPARE(refs(doc.currentList()), working);
            QCOMPARE(refs(doc.topList()), topBefore);
            QCOMPARE(refs(doc.bottomList()), bottomBefore);
        }
    }

    void workingCopyReachesStoredListOnWriteBack()
    {
        Document doc;
        fill(doc, 2, 0);
        // A field edit through the working copy is an edit of the stored entry.
        doc.currentList().first()->setX(42);
        QCOMPARE(doc.topList().first()->x(), 42.0);

        doc.appendEntry(entry("T3"));
        QCOMPARE(doc.topList().size(), 2);
        QCOMPARE(doc.sideList(true).size(), 3);
        QVERIFY(doc.writeBackWorkingList());
        QCOMPARE(refs(doc.topList()), (QStringList { "T1", "T2", "T3" }));
        QVERIFY(doc.bottomList().isEmpty());

        doc.setSide(false);
        doc.appendEntry(entry("B1", "bottom"));
        QVERIFY(doc.writeBackWorkingList());
        QCOMPARE(refs(doc.bottomList()), QStringList { "B1" });
        QCOMPARE(doc.topList().size(), 3);
    }

    void gerberModeSkipsWriteBackAndSideSwitch()
    {
        Document doc;
        fill(doc, 1, 0);
        doc.currentList().first()->setSelected(true);
        doc.setGerberMode(true);
        doc.switchPnPside(); // does nothing either
        QVERIFY(doc.bottomList().isEmpty());
        QVERIFY(doc.currentList().first()->selected());
        doc.appendEntry(entry("T2"));
        QVERIFY(!doc.writeBackWorkingList());
        QCOMPARE(refs(doc.topList()), QStringList { "T1" });
        doc.setGerberMode(false);
        QVERIFY(doc.writeBackWorkingList());
        QCOMPARE(refs(doc.topList()), (QStringList { "T1", "T2" }));
    }

    void settingShownSideListSurvivesWriteBack()
    {
        // A loader sets both stored lists while a side is shown; the following write-back of
        // the (old) working list must not undo that.
        for (bool top : { true, false }) {
            Document doc;
            fill(doc, 2, 2);
            doc.setSide(top);
            doc.setTopList({ entry("LT1"), entry("LT2") });
            doc.setBottomList({ entry("LB1", "bottom") });
            doc.writeBackWorkingList();
            QCOMPARE(refs(doc.topList()), (QStringList { "LT1", "LT2" }));
            QCOMPARE(refs(doc.bottomList()), QStringList { "LB1" });
            QCOMPARE(refs(doc.currentList()), (top ? QStringList { "LT1", "LT2" } : QStringList { "LB1" }));
        }
    }

    void switchPnPsideMovesSelected_data()
    {
        QTest::addColumn<bool>("fromTop");
        QTest::addColumn<QList<int>>("selected"); // indexes into the shown list
        QTest::addColumn<QStringList>("staying");
        QTest::addColumn<QStringList>("otherAfter");
        const auto row = [](const char* tag, bool top, QList<int> sel, QStringList staying,
                             QStringList other) { QTest::newRow(tag) << top << sel << staying << other; };
        row("top all", true, { 0, 1, 2 }, {}, { "B1", "B2", "T1", "T2", "T3" });
        row("top some", true, { 2, 0 }, { "T2" }, { "B1", "B2", "T1", "T3" });
        row("top none", true, {}, { "T1", "T2", "T3" }, { "B1", "B2" });
        row("bottom one", false, { 1 }, { "B1" }, { "T1", "T2", "T3", "B2" });
    }

    void switchPnPsideMovesSelected()
    {
        QFETCH(bool, fromTop);
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, staying);
        QFETCH(QStringList, otherAfter);
        Document doc;
        fill(doc, 3, 2);
        if (!fromTop)
            doc.setSide(false);
        const QList<PnPEntry*> shown = doc.currentList();
        for (int i : selected)
            shown.at(i)->setSelected(true);

        doc.switchPnPside();
        QVERIFY(doc.isModified()); // even when nothing moved
        QCOMPARE(refs(doc.currentList()), staying);
        QCOMPARE(refs(fromTop ? doc.topList() : doc.bottomList()), staying);
        const QList<PnPEntry*> other = fromTop ? doc.bottomList() : doc.topList();
        QCOMPARE(refs(other), otherAfter);
        for (const PnPEntry* e : other) {
            QVERIFY(!e->selected());
            QCOMPARE(e->side(), fromTop ? QString("bottom") : QString("top"));
        }
    }

    void switchPnPsideKeepsUnwrittenEntries()
    {
        Document doc;
        fill(doc, 2, 0);
        doc.appendEntry(entry("NEW"));
        doc.appendEntry(entry("SEL", "top", true));
        doc.switchPnPside();
        QCOMPARE(refs(doc.currentList()), (QStringList { "T1", "T2", "NEW" }));
        QCOMPARE(refs(doc.topList()), (QStringList { "T1", "T2", "NEW" }));
        QCOMPARE(refs(doc.bottomList()), QStringList { "SEL" });
    }

    void switchPnPsideMovesSelectedDrawings()
    {
        Document doc;
        doc.setSide(false);
        doc.setSideDrawings(true, { drawing(100) });
        doc.setDrawings({ drawing(1, true), drawing(2), drawing(3, true) });
        doc.switchPnPside();
        QCOMPARE(doc.drawings(), (Drawings { drawing(2) }));
        QCOMPARE(doc.sideDrawings(true), (Drawings { drawing(100), drawing(1), drawing(3) }));
    }

    void importFrame_data()
    {
        QTest::addColumn<bool>("bottomShown");
        QTest::addColumn<bool>("clearTop");
        QTest::addColumn<bool>("clearBottom");
        QTest::addColumn<QStringList>("top");
        QTest::addColumn<QStringList>("bottom");
        const auto row = [](const char* tag, bool shown, bool clearTop, bool clearBottom, QStringList top,
                             QStringList bottom) {
            QTest::newRow(tag) << shown << clearTop << clearBottom << top << bottom;
        };
        row("add", false, false, false, { "T1", "T2", "W", "N1" }, { "B1", "N2" });
        row("replace both", false, true, true, { "N1" }, { "N2" });
        row("replace top", false, true, false, { "N1" }, { "B1", "N2" });
        row("replace bottom, bottom shown", true, false, true, { "T1", "T2" }, { "N1", "N2" });
    }

    void importFrame()
    {
        QFETCH(bool, bottomShown);
        QFETCH(bool, clearTop);
        QFETCH(bool, clearBottom);
        QFETCH(QStringList, top);
        QFETCH(QStringList, bottom);
        Document doc;
        fill(doc, 2, 1);
        if (bottomShown) {
            doc.setSide(false);
            doc.appendEntry(entry("N1", "bottom"));
            doc.writeBackWorkingList();
            doc.setCurrentList(doc.currentList().mid(1)); // drop B1 from the working list only
        } else {
            doc.appendEntry(entry("W")); // not yet written back
        }

        doc.prepareImport(clearTop, clearBottom);
        QVERIFY(doc.currentList().isEmpty());
        doc.appendEntry(entry("N1", bottomShown ? "BOTTOM" : "top"));
        doc.appendEntry(entry("N2", "bottom"));
        doc.setModified(false);
        doc.distributeWorkingList();

        QVERIFY(doc.isModified());
        QCOMPARE(refs(doc.topList()), top);
        QCOMPARE(refs(doc.bottomList()), bottom);
        QCOMPARE(refs(doc.currentList()), bottomShown ? bottom : top);
    }

    void removedEntriesLeaveEveryList()
    {
        Document doc;
        fill(doc, 4, 0);
        const QList<PnPEntry*> shown = doc.currentList();
        doc.removeEntries({ shown.at(1), shown.at(3) });
        QCOMPARE(refs(doc.currentList()), (QStringList { "T1", "T3" }));
        doc.writeBackWorkingList();
        QCOMPARE(refs(doc.topList()), (QStringList { "T1", "T3" }));
        // Replacing the working list by a fresh one drops (and frees) the old entries once
        // they are written back; the sanitizer build catches a double delete here.
        doc.setCurrentList({ entry("Z") });
        doc.writeBackWorkingList();
        QCOMPARE(refs(doc.topList()), QStringList { "Z" });
    }

    void clearResetsEverything()
    {
        Document doc;
        fill(doc, 2, 2);
        doc.setOrigins({ Origin { 1, 1, 1 } });
        doc.appendDrawing(drawing(1));
        BoardInfo* topBoard = doc.sideBoardInfo(true);
        topBoard->setWidth(50);
        doc.fiducials()->setBlockExec(true);
        doc.setSideOriginGen(false, OriginGen { 2, 3 });
        doc.setSide(false);
        doc.setModified(true);

        doc.clear();
        QVERIFY(doc.activeSideIsTop());
        QVERIFY(!doc.isModified());
        QVERIFY(doc.currentList().isEmpty() && doc.topList().isEmpty() && doc.bottomList().isEmpty());
        QVERIFY(doc.origins().isEmpty() && doc.sideOrigins(false).isEmpty());
        QVERIFY(doc.drawings().isEmpty() && doc.sideDrawings(false).isEmpty());
        QCOMPARE(doc.sideBoardInfo(true), topBoard);
        QCOMPARE(*topBoard, BoardInfo());
        QVERIFY(doc.sideFiducials(true)->sameValues(Fiducials()));
        QCOMPARE(doc.sideOriginGen(false), OriginGen());
    }
};

QTEST_GUILESS_MAIN(TstDocument)
#include "tst_document.moc"
