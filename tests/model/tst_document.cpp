#include "datatable.h"
#include "documentsetup.h"
#include "model/document.h"

#include <QtTest>

namespace {

PnPEntry* entry(const QString& ref, const QString& side = "top", bool selected = false)
{
    auto* e = new PnPEntry(ref, "0603", 1, 2, side, 0, "1k", "1", "", 1);
    e->setSelected(selected);
    return e;
}

Drawing drawing(double x, bool selected = false)
{
    Drawing d;
    d.type = Drawing::Line;
    d.startX = x;
    d.selected = selected;
    return d;
}

// A document with top entries T1..Tn and bottom entries B1..Bm, both sides with a drawing, an
// origin and a board name of their own, top side shown, not modified.
void fill(Document& doc, int top, int bottom)
{
    doc.editSides({}, Change::Placements, [&](BoardSide& t, BoardSide& b) {
        for (int i = 1; i <= top; ++i)
            t.placements << entry(QString("T%1").arg(i));
        for (int i = 1; i <= bottom; ++i)
            b.placements << entry(QString("B%1").arg(i), "bottom");
        t.drawings = { drawing(10) };
        b.drawings = { drawing(20) };
        t.origins = { Origin { 1, 1, 1 } };
        b.origins = { Origin { 2, 2, 1 } };
        t.board.setName("topboard");
        b.board.setName("bottomboard");
    });
    doc.setModified(false);
}

// Everything of a side record, placements by reference, position, side text and selection.
QString dump(const BoardSide& s)
{
    QStringList out;
    for (const PnPEntry* e : s.placements)
        out << QString::asprintf(
            "%s %g %g %s %d", qPrintable(e->refDes()), e->x(), e->y(), qPrintable(e->side()), e->selected());
    const BoardInfo& b = s.board;
    out << QString::asprintf(
        "board %s %g %g %g %g", qPrintable(b.name()), b.width(), b.height(), b.originX(), b.originY());
    const Fiducials& f = s.fiducials;
    out << QString("fid %1 %2 %3").arg(f.board1X()).arg(f.boardExec()).arg(f.blockExec());
    for (const Origin& o : s.origins)
        out << QString("origin %1 %2").arg(o.x).arg(o.y);
    out << QString("gen %1 %2").arg(s.originGen.columns).arg(s.originGen.rows);
    for (const Drawing& d : s.drawings)
        out << QString("drawing %1 %2").arg(d.startX).arg(d.selected);
    return out.join('\n');
}

// One kind of edit by name, on a document filled as fill() does.
void perform(Document& d, const QString& edit)
{
    if (edit == "append entry")
        d.appendEntry(entry("N"));
    else if (edit == "remove entries")
        d.removeEntries({ d.currentList().at(1) });
    else if (edit == "reorder")
        d.setPlacements({ d.currentList().at(1), d.currentList().at(0) });
    else if (edit == "replace list")
        d.setPlacements({ entry("Z") });
    else if (edit == "edit entries")
        d.editEntries(d.currentList(), [](PnPEntry& e) { e.setX(9); });
    else if (edit == "board field")
        d.editBoardField(BoardField::Width, "12,5");
    else if (edit == "board origin")
        d.editBoardField(BoardField::OriginX, "3");
    else if (edit == "fiducials")
        d.edit("f", Change::Fiducials, [](BoardSide& s) { s.fiducials.setBoard1X(4); });
    else if (edit == "origins")
        d.setOrigins({ Origin { 5, 5, 0 } });
    else if (edit.startsWith("generator"))
        d.setOriginGen(d.activeSideIsTop() != edit.endsWith("other side"), OriginGen { 3, 2 });
    else if (edit == "drawings")
        d.setDrawings({ drawing(7) });
    else if (edit == "append drawing")
        d.appendDrawing(drawing(8));
    else if (edit == "feeder rows")
        d.setFeederData(FeederData { { FeederRecord { { "1" } } }, {}, {} });
    else if (edit == "remove drawings") {
        d.setDrawings({ drawing(1, true), drawing(2) });
        d.setModified(false);
        d.removeSelectedDrawings();
    } else if (edit == "selection" || edit == "switch side") {
        d.currentList().first()->setSelected(true);
        edit == "selection" ? d.clearSelection() : d.switchPnPside();
    } else {
        QFAIL(qPrintable("no edit " + edit));
    }
}

} // namespace

class TstDocument : public QObject
{
    Q_OBJECT

private slots:
    // One row per kind of edit: the seam names what it changes, the modified flag follows the
    // rule, the side not edited keeps its record, and the edit is still there after showing the
    // other side and coming back.
    void everyEditGoesThroughTheSeam_data()
    {
        columns<QString, int, bool, bool>("edit", "changes", "modifies", "otherSideChanges");
        const auto edit = [](const char* name, Changes changes, bool modifies, bool other = false) {
            row(name, QString(name), int(changes), modifies, other);
        };
        for (const char* name :
            { "append entry", "remove entries", "reorder", "replace list", "edit entries" })
            edit(name, Change::Placements, true);
        edit("board field", Change::Board, true);
        edit("board origin", Change::Board | Change::Placements, true);
        edit("fiducials", Change::Fiducials, true);
        edit("origins", Change::Origins, true);
        edit("generator", Change::OriginGen, true);
        edit("generator of the other side", Change::OriginGen, true, true);
        for (const char* name : { "drawings", "append drawing", "remove drawings" })
            edit(name, Change::Drawings, true);
        edit("selection", Change::Selection, false);
        edit("feeder rows", Change::Feeders, false);
        edit("switch side", Change::Placements | Change::Drawings | Change::BothSides, true, true);
    }

    void everyEditGoesThroughTheSeam()
    {
        QFETCH(QString, edit);
        QFETCH(int, changes);
        QFETCH(bool, otherSideChanges);
        for (const bool top : { true, false }) {
            Document doc;
            fill(doc, 2, 2);
            doc.setSide(top);
            const QString other = dump(doc.side(!top));
            QList<DocumentEdit> heard;
            int before = 0;
            doc.setEditObserver([&](const DocumentEdit& e, bool done) {
                if (done)
                    heard << e;
                else
                    ++before;
                // The side edited: the other one only for an edit of that side alone.
                QCOMPARE(e.top, otherSideChanges && !(Changes(changes) & Change::BothSides) ? !top : top);
            });
            perform(doc, edit);
            QVERIFY(!heard.isEmpty());
            QCOMPARE(before, heard.size());
            QCOMPARE(int(heard.last().changes), changes);
            QTEST(doc.isModified(), "modifies");
            QCOMPARE(dump(doc.side(!top)) != other, otherSideChanges);
            // The working side is the side's record: showing the other side and back keeps it.
            const QString edited = dump(doc.working());
            QCOMPARE(dump(doc.side(top)), edited);
            doc.setSide(!top);
            doc.setSide(top);
            QCOMPARE(dump(doc.working()), edited);
        }
    }

    void switchPnPsideMovesSelected_data()
    {
        // selected: indexes into the shown list
        columns<bool, QList<int>, QStringList, QStringList>("fromTop", "selected", "staying", "otherAfter");
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
        Document doc;
        fill(doc, 3, 2);
        doc.setSide(fromTop);
        const QList<PnPEntry*> shown = doc.currentList();
        for (int i : selected)
            shown.at(i)->setSelected(true);
        doc.setDrawings({ drawing(1, true), drawing(2), drawing(3, true) });

        doc.switchPnPside();
        QVERIFY(doc.isModified()); // even when nothing moved
        QTEST(refs(doc.currentList()), "staying");
        const QList<PnPEntry*> other = doc.side(!fromTop).placements;
        QTEST(refs(other), "otherAfter");
        for (const PnPEntry* e : other) {
            QVERIFY(!e->selected());
            QCOMPARE(e->side(), fromTop ? QString("bottom") : QString("top"));
        }
        QCOMPARE(doc.drawings(), (Drawings { drawing(2) }));
        QCOMPARE(
            doc.side(!fromTop).drawings, (Drawings { drawing(fromTop ? 20 : 10), drawing(1), drawing(3) }));
    }

    void gerberModeMovesNothing()
    {
        Document doc;
        fill(doc, 1, 0);
        doc.currentList().first()->setSelected(true);
        doc.setGerberMode(true);
        doc.switchPnPside();
        doc.moveEntriesToOtherSide(doc.currentList());
        QVERIFY(doc.side(false).placements.isEmpty() && doc.currentList().first()->selected());
    }

    void importEntries_data()
    {
        columns<bool, bool, QStringList, QStringList>("clearTop", "clearBottom", "top", "bottom");
        row("add", false, false, QStringList { "T1", "T2", "N1" }, QStringList { "B1", "N2", "N3" });
        row("replace both", true, true, QStringList { "N1" }, QStringList { "N2", "N3" });
        row("replace top", true, false, QStringList { "N1" }, QStringList { "B1", "N2", "N3" });
        row("replace bottom", false, true, QStringList { "T1", "T2", "N1" }, QStringList { "N2", "N3" });
    }

    void importEntries()
    {
        QFETCH(bool, clearTop);
        QFETCH(bool, clearBottom);
        QFETCH(QStringList, top);
        QFETCH(QStringList, bottom);
        for (const bool bottomShown : { false, true }) {
            Document doc;
            fill(doc, 2, 1);
            doc.setSide(!bottomShown);
            // Any side text but "top" goes to the bottom.
            doc.importEntries(
                { entry("N1"), entry("N2", "bottom"), entry("N3", "BOTTOM") }, clearTop, clearBottom);
            QVERIFY(doc.isModified());
            QCOMPARE(refs(doc.side(true).placements), top);
            QCOMPARE(refs(doc.side(false).placements), bottom);
            QCOMPARE(refs(doc.currentList()), bottomShown ? bottom : top);
        }
    }

    void clearResetsEverything()
    {
        Document doc;
        fill(doc, 2, 2);
        doc.setOriginGen(false, OriginGen { 2, 3 });
        doc.setSide(false);
        doc.clear();
        QVERIFY(doc.activeSideIsTop() && !doc.isModified());
        for (const bool top : { true, false })
            QCOMPARE(dump(doc.side(top)), dump(BoardSide()));
    }
};

QTEST_GUILESS_MAIN(TstDocument)
#include "tst_document.moc"
