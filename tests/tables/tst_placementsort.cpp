#include "datatable.h"
#include "documentsetup.h"
#include "model/document.h"
#include "tables/placementsort.h"

#include <QtTest>

namespace {
// Entries "refDes:x:value:name:exec".
QList<PnPEntry*> entries(const QString& rows)
{
    QList<PnPEntry*> list;
    for (const QString& s : rows.split(' ')) {
        const QStringList f = s.split(':');
        list << new PnPEntry(f[0], f.value(3, "N"), f.value(1, "0").toDouble(), 0, "top", 0, f.value(2, "V"),
            f.value(4, "1"), "");
    }
    return list;
}
} // namespace

class TstPlacementSort : public QObject
{
    Q_OBJECT
private slots:
    void naturalOrder_data()
    {
        columns<QString, QString, int>("a", "b", "sign");
        row("R2 before R10", "R2", "R10", -1);
        row("digits before letters", "R1", "RA", -1);
        row("spaces skipped", "R 1", "R1", 0);
        row("leading zeros", "R007", "R7", 0);
        row("shorter first", "R1", "R1A", -1);
        row("huge numbers", QString("C") + QString(30, '9'), QString("C1") + QString(30, '0'), -1);
        row("by code", "B", "a", -1);
    }
    void naturalOrder()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        const int r = PlacementSort::naturalCompare(a, b);
        QCOMPARE((r > 0) - (r < 0), sign);
        const int back = PlacementSort::naturalCompare(b, a);
        QCOMPARE((back > 0) - (back < 0), -sign);
    }

    void sortsStably_data()
    {
        columns<QString, int, bool, QString>("list", "column", "ascending", "order");
        const QString xs = "A:3 B:1 C:3 D:2";
        row("x asc", xs, 3, true, "B D A C");
        row("x desc keeps equal order", xs, 3, false, "A C D B");
        row("refdes natural", "R10 R2 R1 C5", 0, true, "C5 R1 R2 R10");
        row("refdes desc", "R10 R2 R1 C5", 0, false, "R10 R2 R1 C5");
        row("value desc keeps equal order", "A:0:1k B:0:2k C:0:1k", 1, false, "B A C");
        // Qty counts the shown group: exec 0 is hidden, so the 10k group shows 2, not 3.
        row("quantity", "A:0:10k B:0:1k C:0:10k D:0:10k:N:0 E:0:1k F:0:1k", 999, true, "D A C B E F");
        row("unknown column", xs, 42, true, "A B C D");
    }
    void sortsStably()
    {
        QFETCH(QString, list);
        QFETCH(int, column);
        QFETCH(bool, ascending);
        QList<PnPEntry*> l = entries(list);
        PlacementSort::sort(
            l, column, ascending ? SortOrder::Ascending : SortOrder::Descending, PartListFilter());
        QTEST(refs(l).join(' '), "order");
        qDeleteAll(l);
    }
};

QTEST_GUILESS_MAIN(TstPlacementSort)
#include "tst_placementsort.moc"
