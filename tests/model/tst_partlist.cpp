#include "model/document.h"

#include <QtTest>

namespace {

struct EntryRow
{
    QString value;
    QString name;
    QString exec;
    bool placed;
};

} // namespace

Q_DECLARE_METATYPE(EntryRow)
Q_DECLARE_METATYPE(PartListFilter)
Q_DECLARE_METATYPE(PartListRow)

class TstPartList : public QObject
{
    Q_OBJECT
private slots:
    void grouping_data();
    void grouping();
    void counters_data();
    void counters();
    void largeListIsLinear();

private:
    static void fill(Document& doc, const QList<EntryRow>& rows)
    {
        for (const EntryRow& s : rows) {
            auto* e = new PnPEntry("R", s.name, 0, 0, "top", 0, s.value, s.exec, "", 1);
            e->setPlaced(s.placed);
            doc.appendEntry(e);
        }
    }
};

void TstPartList::grouping_data()
{
    QTest::addColumn<QList<EntryRow>>("entries");
    QTest::addColumn<PartListFilter>("filter");
    QTest::addColumn<QList<PartListRow>>("rows");

    const PartListFilter all;
    QTest::newRow("exec 0 never shown")
        << QList<EntryRow> { { "1k", "0603", "0", false }, { "1k", "0603", "1", false } } << all
        << QList<PartListRow> { { 1, "1k", "0603" } };
    QTest::newRow("different exec, same group") << QList<EntryRow> { { "1k", "0603", "1", false },
        { "1k", "0603", "2", false }, { "1k", "0603", "3", false } }
                                                << all << QList<PartListRow> { { 3, "1k", "0603" } };
    QTest::newRow("first appearance order") << QList<EntryRow> {
        { "B", "n", "1", false }, { "A", "n", "1", false }, { "B", "n", "1", false }, { "A", "m", "1", false }
    } << all << QList<PartListRow> { { 2, "B", "n" }, { 1, "A", "n" }, { 1, "A", "m" } };
    // A hidden entry opens a group first; the row still appears where the first shown
    // entry of the group is.
    QTest::newRow("hidden entry does not count")
        << QList<EntryRow> { { "C", "n", "1", true }, { "D", "n", "1", false }, { "C", "n", "1", false } }
        << all << QList<PartListRow> { { 1, "D", "n" }, { 1, "C", "n" } };
    QTest::newRow("placed shown with toggle")
        << QList<EntryRow> { { "C", "n", "1", true }, { "C", "n", "1", false } }
        << PartListFilter { true, true, true, true } << QList<PartListRow> { { 2, "C", "n" } };
    QTest::newRow("machine toggle off")
        << QList<EntryRow> { { "A", "n", "1", false }, { "A", "n", "2", false } }
        << PartListFilter { true, false, true, false } << QList<PartListRow> { { 1, "A", "n" } };
    QTest::newRow("hand and tht off")
        << QList<EntryRow> { { "A", "n", "2", false }, { "B", "n", "3", false }, { "C", "n", "1", false } }
        << PartListFilter { false, true, false, false } << QList<PartListRow> { { 1, "C", "n" } };
    QTest::newRow("exec text not a kind") << QList<EntryRow> { { "A", "n", "x", false },
        { "A", "n", "4", false } } << all << QList<PartListRow> {};
    // The value/name boundary matters: "ab"+"c" and "a"+"bc" are different parts.
    QTest::newRow("split point kept")
        << QList<EntryRow> { { "ab", "c", "1", false }, { "a", "bc", "1", false } } << all
        << QList<PartListRow> { { 1, "ab", "c" }, { 1, "a", "bc" } };
    QTest::newRow("empty value and name") << QList<EntryRow> { { "", "", "1", false },
        { "", "", "1", false } } << all << QList<PartListRow> { { 2, "", "" } };
    QTest::newRow("empty list") << QList<EntryRow> {} << all << QList<PartListRow> {};
}

void TstPartList::grouping()
{
    QFETCH(QList<EntryRow>, entries);
    QFETCH(PartListFilter, filter);
    QFETCH(QList<PartListRow>, rows);
    Document doc;
    fill(doc, entries);
    QCOMPARE(doc.partList(filter), rows);
}

void TstPartList::counters_data()
{
    QTest::addColumn<QStringList>("execs");
    QTest::addColumn<QList<int>>("expected"); // not placed, machine, other, tht, total
    QTest::newRow("each kind") << QStringList { "0", "1", "2", "3", "1" } << QList<int> { 1, 2, 1, 1, 5 };
    QTest::newRow("text counts as 0") << QStringList { "x", "", "1" } << QList<int> { 2, 1, 0, 0, 3 };
    QTest::newRow("4 and above not counted")
        << QStringList { "4", "9", "12", "2" } << QList<int> { 0, 0, 1, 0, 1 };
    QTest::newRow("empty") << QStringList {} << QList<int> { 0, 0, 0, 0, 0 };
}

void TstPartList::counters()
{
    QFETCH(QStringList, execs);
    QFETCH(QList<int>, expected);
    Document doc;
    for (const QString& x : execs)
        doc.appendEntry(new PnPEntry("R", "n", 0, 0, "top", 0, "v", x, "", 1));
    const ExecCounts c = doc.execCounts();
    QCOMPARE((QList<int> { c.notPlaced, c.machine, c.other, c.tht, c.total() }), expected);
}

void TstPartList::largeListIsLinear()
{
    // 200 000 placements in 2 000 groups: a quadratic grouping would take minutes.
    Document doc;
    QList<PnPEntry*> list;
    for (int i = 0; i < 200000; ++i)
        list << new PnPEntry("R", "n", 0, 0, "top", 0, QString::number(i % 2000), "1", "", 1);
    doc.setCurrentList(list);
    QElapsedTimer t;
    t.start();
    const QList<PartListRow> rows = doc.partList(PartListFilter());
    QCOMPARE(rows.size(), 2000);
    QCOMPARE(rows.first().qty, 100);
    QVERIFY2(t.elapsed() < 20000, "part list grouping is far too slow");
}

QTEST_GUILESS_MAIN(TstPartList)
#include "tst_partlist.moc"
