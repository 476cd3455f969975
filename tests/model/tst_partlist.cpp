#include "datatable.h"
#include "documentsetup.h"
#include "model/document.h"

#include <QtTest>

Q_DECLARE_METATYPE(PartListFilter)
Q_DECLARE_METATYPE(PartListRow)
Q_DECLARE_METATYPE(PnPEntry*)

namespace {

// Entries "value/name/exec" (a leading "*" marks a placed one), rows "qty:value/name".
void entriesRow(const char* tag, const QString& entries, const PartListFilter& filter, const QString& rows)
{
    QList<PnPEntry*> list;
    QList<PartListRow> expected;
    for (QString e : entries.split(' ', Qt::SkipEmptyParts)) {
        const bool placed = e.startsWith('*');
        const QStringList f = e.remove('*').split('/');
        list << new PnPEntry("R", f[1], 0, 0, "top", 0, f[0], f[2], "", 1);
        list.last()->setPlaced(placed);
    }
    for (const QString& r : rows.split(' ', Qt::SkipEmptyParts)) {
        const QStringList f = r.section(':', 1).split('/');
        expected << PartListRow { r.section(':', 0, 0).toInt(), f[0], f[1] };
    }
    row(tag, list, filter, expected);
}

} // namespace

class TstPartList : public QObject
{
    Q_OBJECT
private slots:
    void grouping_data()
    {
        columns<QList<PnPEntry*>, PartListFilter, QList<PartListRow>>("entries", "filter", "rows");
        const PartListFilter all;
        entriesRow("exec 0 never shown", "1k/0603/0 1k/0603/1", all, "1:1k/0603");
        entriesRow("different exec, same group", "1k/0603/1 1k/0603/2 1k/0603/3", all, "3:1k/0603");
        entriesRow("first appearance order", "B/n/1 A/n/1 B/n/1 A/m/1", all, "2:B/n 1:A/n 1:A/m");
        // A hidden entry opens a group first; the row still appears where the first shown one is.
        entriesRow("hidden entry does not count", "*C/n/1 D/n/1 C/n/1", all, "1:D/n 1:C/n");
        entriesRow("placed shown with toggle", "*C/n/1 C/n/1", { true, true, true, true }, "2:C/n");
        entriesRow("machine toggle off", "A/n/1 A/n/2", { true, false, true, false }, "1:A/n");
        entriesRow("hand and tht off", "A/n/2 B/n/3 C/n/1", { false, true, false, false }, "1:C/n");
        entriesRow("exec text not a kind", "A/n/x A/n/4", all, "");
        // The value/name boundary matters: "ab"+"c" and "a"+"bc" are different parts.
        entriesRow("split point kept", "ab/c/1 a/bc/1", all, "1:ab/c 1:a/bc");
        entriesRow("empty value and name", "//1 //1", all, "2:/");
        entriesRow("empty list", "", all, "");
    }
    void grouping()
    {
        QFETCH(QList<PnPEntry*>, entries);
        QFETCH(PartListFilter, filter);
        Document doc;
        for (PnPEntry* e : entries)
            doc.appendEntry(e);
        QTEST(doc.partList(filter), "rows");
    }

    void counters_data()
    {
        // expected: not placed, machine, other, tht, total
        columns<QStringList, QList<int>>("execs", "expected");
        row("each kind", QStringList { "0", "1", "2", "3", "1" }, QList<int> { 1, 2, 1, 1, 5 });
        row("text counts as 0", QStringList { "x", "", "1" }, QList<int> { 2, 1, 0, 0, 3 });
        row("4 and above not counted", QStringList { "4", "9", "12", "2" }, QList<int> { 0, 0, 1, 0, 1 });
        row("empty", QStringList {}, QList<int> { 0, 0, 0, 0, 0 });
    }

    void counters()
    {
        QFETCH(QStringList, execs);
        Document doc;
        for (const QString& x : execs)
            doc.appendEntry(new PnPEntry("R", "n", 0, 0, "top", 0, "v", x, "", 1));
        const ExecCounts c = doc.execCounts();
        QTEST((QList<int> { c.notPlaced, c.machine, c.other, c.tht, c.total() }), "expected");
    }

    void largeListGroupsFully()
    {
        // 200 000 placements in 2 000 groups.
        Document doc;
        QList<PnPEntry*> list;
        for (int i = 0; i < 200000; ++i)
            list << new PnPEntry("R", "n", 0, 0, "top", 0, QString::number(i % 2000), "1", "", 1);
        doc.setPlacements(list);
        const QList<PartListRow> rows = doc.partList(PartListFilter());
        QCOMPARE(rows.size(), 2000);
        QCOMPARE(rows.first().qty, 100);
    }
};

QTEST_GUILESS_MAIN(TstPartList)
#include "tst_partlist.moc"
