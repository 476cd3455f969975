#include "datatable.h"
#include "model/document.h"
#include "tables/placementedit.h"
#include "tables/placementtext.h"

#include <QtTest>

namespace {
PnPEntry* entry()
{
    return new PnPEntry("R1", "0603", 1.5, 2.0, "top", 90, "10k", "1", "c", 3);
}
} // namespace

class TstPlacementEdit : public QObject
{
    Q_OBJECT
private slots:
    void coordinateDisplay_data()
    {
        columns<double, QString>("v", "shown");
        row("integer", 7.0, "7,00");
        row("one decimal", 12.5, "12,50");
        row("six digits", 0.1234567, "0,123457");
        row("negative", -3.25, "-3,25");
    }
    void coordinateDisplay()
    {
        QFETCH(double, v);
        QTEST(PlacementText::coordinate(v), "shown");
    }

    // Typed text -> shown text, warning and what the entry holds afterwards (column text).
    void cellEdit_data()
    {
        columns<int, QString, QString, QString, QString>("column", "typed", "shown", "warning", "stored");
        const char* const invalid = "An invalid character was used";
        const char* const positive = "Only positive integers are allowed";
        row("x comma", 3, "12,5", "12,5", "", "12,50");
        row("x integer", 3, "7", "7,00", "", "7,00");
        row("y negative", 4, "-3.2", "-3,2", "", "-3,20");
        row("x text", 3, "abc", "1,50", "invalid format", "1,50");
        row("x 400 digits", 3, QString(400, '9'), "1,50", "invalid format", "1,50");
        row("rotate small", 5, "45", "45", "", "45");
        row("rotate 450", 5, "450", "90", "", "90");
        row("rotate fraction", 5, "45.5", "90", positive, "90");
        row("rotate negative", 5, "-5", "90", positive, "90");
        row("refdes cleaned", 0, "R-1 A", "R_1_A", "", "R_1_A");
        row("refdes semicolon", 0, "R;1", "R1", invalid, "R1");
        row("value semicolon", 1, "1;0", "10k", invalid, "10k");
        row("comment semicolon", 6, "a;b", "c", invalid, "c");
        row("exec ok", 7, "3", "3", "", "3");
        row("exec bad", 7, "4", "1", "valid characters: 2,1,0", "1");
        row("head ok", 8, "24", "24", "", "24");
        row("head out of range", 8, "25", "3", "", "3");
        row("side bad", 9, "left", "top", "", "top");
        row("machine", 10, "5", "0", "", "0");
        row("line", 11, "5", "0", "", "0");
    }
    void cellEdit()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        Document doc;
        PnPEntry* e = entry();
        doc.appendEntry(e);
        doc.setModified(false);
        const CellEditResult r = PlacementEdit::editPlacementCell(doc, *e, column, typed);
        QTEST(r.shown, "shown");
        QTEST(r.warning, "warning");
        QTEST(PlacementText::cell(*e, column), "stored");
        QCOMPARE(doc.isModified(), r.changed);
    }

    void sideEditMovesOnlyTheEditedEntry()
    {
        Document doc;
        PnPEntry* edited = entry();
        PnPEntry* selected = new PnPEntry("R2", "0603", 0, 0, "top", 0, "1k", "1", "");
        selected->setSelected(true);
        doc.appendEntry(selected);
        doc.appendEntry(edited);
        const CellEditResult r = PlacementEdit::editPlacementCell(doc, *edited, 9, "BOTTOM");
        QCOMPARE(r.rebuild, CellRebuild::All);
        QCOMPARE(doc.currentList(), QList<PnPEntry*>({ selected }));
        QVERIFY(doc.side(false).placements == QList<PnPEntry*>({ edited }) && edited->side() == "bottom");
    }

    void partEditRenamesExactlyTheGroup()
    {
        Document doc;
        const QList<QStringList> entries = { { "10", "0603R" }, { "100", "603R" }, { "10", "0603R" } };
        for (const QStringList& f : entries)
            doc.appendEntry(new PnPEntry("R", f[1], 0, 0, "top", 0, f[0], "1", ""));
        CellEditResult r = PlacementEdit::editPartCell(doc, "10", "0603R", 2, 2, "0805");
        QCOMPARE(r.shown, QStringLiteral("0805"));
        QStringList names;
        for (const PnPEntry* e : doc.currentList())
            names << e->name();
        QCOMPARE(names, QStringList({ "0805", "603R", "0805" }));
        r = PlacementEdit::editPartCell(doc, "100", "603R", 1, 0, "7");
        QVERIFY(r.shown == "1" && !r.changed);
        r = PlacementEdit::editPartCell(doc, "100", "603R", 1, 1, "1;0");
        QCOMPARE(r.warning, PlacementEdit::invalidCharacter());
        QCOMPARE(doc.currentList().at(1)->value(), QStringLiteral("100"));
    }
};

QTEST_GUILESS_MAIN(TstPlacementEdit)
#include "tst_placementedit.moc"
