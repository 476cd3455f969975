#include "datatable.h"
#include "model/document.h"
#include "tables/bodysizes.h"
#include "tables/labellayout.h"
#include "tables/partgroups.h"

#include <QtTest>

class TstPartGroups : public QObject
{
    Q_OBJECT
private slots:
    void keysKeepValueAndNameApart()
    {
        QVERIFY(PartGroups::key("10", "0603R") != PartGroups::key("100", "603R"));
        QList<PnPEntry*> list = { new PnPEntry("A", "0603R", 0, 0, "top", 0, "10", "1", ""),
            new PnPEntry("B", "603R", 0, 0, "top", 0, "100", "1", ""),
            new PnPEntry("C", "0603R", 0, 0, "top", 0, "10", "0", "") };
        QCOMPARE(PartGroups::members(list, { PartGroups::key("10", "0603R") }).size(), 2);
        const PartListFilter filter;
        QCOMPARE(PartGroups::members(list, { PartGroups::key("10", "0603R") }, &filter).size(), 1);
        qDeleteAll(list);
    }

    void splitNumbersMembersInListOrder_data()
    {
        columns<int, QString>("n", "names");
        row("2", 2, "C_1 x C_2 C_1 C_2 C_1");
        row("3", 3, "C_1 x C_2 C_3 C_1 C_2");
        row("none", 1, "C x C C C C");
    }
    void splitNumbersMembersInListOrder()
    {
        QFETCH(int, n);
        Document doc;
        for (const char* name : { "C", "x", "C", "C", "C", "C" })
            doc.appendEntry(new PnPEntry("R", name, 0, 0, "top", 0, "1u", "1", ""));
        doc.setModified(false);
        PartGroups::split(doc, PartGroups::key("1u", "C"), n);
        QStringList out;
        for (const PnPEntry* e : doc.currentList())
            out << e->name();
        QTEST(out.join(' '), "names");
        QCOMPARE(doc.isModified(), n > 1);
    }

    void machineAssignmentAndRotation()
    {
        Document doc;
        auto* a = new PnPEntry("A", "N", 0, 0, "top", 300, "V", "1", "");
        doc.appendEntry(a);
        PartGroups::assignMachine(doc, { a }, 2, 0);
        QCOMPARE(QPoint(a->machine(), a->line()), QPoint(2, 1));
        PartGroups::assignMachine(doc, { a }, 0, 3);
        QCOMPARE(a->line(), 0);
        PartGroups::rotate(doc, QSet<QString> { PartGroups::keyOf(*a) }, 90);
        QCOMPARE(a->rotation(), 30.0);
    }

    void bodySizesFromFeedersAndDatabase()
    {
        QList<PnPEntry*> list = { new PnPEntry("A", "0603", 0, 0, "top", 0, "1k", "1", ""),
            new PnPEntry("B", "0805", 0, 0, "top", 0, "1k", "1", ""),
            new PnPEntry("C", "SOT23", 0, 0, "top", 0, "BC847", "1", "") };
        list[2]->setSizeX(9);
        const QList<FeederPart> feeders = { { "0603", "1k", 7 }, { "0805", "1k", 99 } };
        BodySizes::apply(list, feeders, [](int no) { return no == 7 ? QSizeF(1.55, 0.85) : QSizeF(); });
        // The second has an unknown number: the fallback size; the third no feeder row: kept.
        QCOMPARE(QVector<double>({ list[0]->sizeX(), list[0]->sizeY(), list[1]->sizeX(), list[2]->sizeX() }),
            QVector<double>({ 1.55, 0.85, 1.6, 9 }));
        qDeleteAll(list);
    }

    void labelContent_data()
    {
        columns<int, QString, QString>("count", "title", "line2");
        row("few, no title", 3, "unbenannt", "");
        row("twenty", 20, "Board", "R11, R12, R13, R14, R15, R16, R17, R18, R19, R20");
        row("more", 21, "Board", "R11, R12, R13, R14, R15, R16, R17, R18, R19, R20...");
    }
    void labelContent()
    {
        QFETCH(int, count);
        QFETCH(QString, title);
        QStringList refs;
        for (int i = 1; i <= count; ++i)
            refs << QStringLiteral("R%1").arg(i);
        const LabelContent c = LabelContent::of("10k;0603", title, refs);
        QCOMPARE(QStringList({ c.group, c.title, c.count }),
            QStringList({ QString::fromUtf8("10k \u00B7 0603"), title == "unbenannt" ? QString() : title,
                QString::number(count) + "x" }));
        QCOMPARE(c.refLine1.count(','), qMin(count, 10) - 1);
        QTEST(c.refLine2, "line2");
    }
};

QTEST_GUILESS_MAIN(TstPartGroups)
#include "tst_partgroups.moc"
