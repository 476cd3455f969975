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
        QTest::addColumn<double>("v");
        QTest::addColumn<QString>("shown");
        QTest::newRow("integer") << 7.0 << "7,00";
        QTest::newRow("one decimal") << 12.5 << "12,50";
        QTest::newRow("six digits") << 0.1234567 << "0,123457";
        QTest::newRow("negative") << -3.25 << "-3,25";
    }
    void coordinateDisplay()
    {
        QFETCH(double, v);
        QFETCH(QString, shown);
        QCOMPARE(PlacementText::coordinate(v), shown);
    }

    // Typed text -> shown text, warning and what the entry holds afterwards (column text).
    void cellEdit_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("stored");
        const QString none;
        QTest::newRow("x comma") << 3 << "12,5"
                                 << "12,5" << none << "12,50";
        QTest::newRow("x integer") << 3 << "7"
                                   << "7,00" << none << "7,00";
        QTest::newRow("y negative") << 4 << "-3.2"
                                    << "-3,2" << none << "-3,20";
        QTest::newRow("x text") << 3 << "abc"
                                << "1,50"
                                << "invalid format"
                                << "1,50";
        QTest::newRow("x 400 digits") << 3 << QString(400, '9') << "1,50"
                                      << "invalid format"
                                      << "1,50";
        QTest::newRow("rotate small") << 5 << "45"
                                      << "45" << none << "45";
        QTest::newRow("rotate 450") << 5 << "450"
                                    << "90" << none << "90";
        QTest::newRow("rotate fraction") << 5 << "45.5"
                                         << "90"
                                         << "Only positive integers are allowed"
                                         << "90";
        QTest::newRow("rotate negative") << 5 << "-5"
                                         << "90"
                                         << "Only positive integers are allowed"
                                         << "90";
        QTest::newRow("refdes cleaned") << 0 << "R-1 A"
                                        << "R_1_A" << none << "R_1_A";
        QTest::newRow("refdes semicolon") << 0 << "R;1"
                                          << "R1"
                                          << "An invalid character was used"
                                          << "R1";
        QTest::newRow("value semicolon") << 1 << "1;0"
                                         << "10k"
                                         << "An invalid character was used"
                                         << "10k";
        QTest::newRow("comment semicolon") << 6 << "a;b"
                                           << "c"
                                           << "An invalid character was used"
                                           << "c";
        QTest::newRow("exec ok") << 7 << "3"
                                 << "3" << none << "3";
        QTest::newRow("exec bad") << 7 << "4"
                                  << "1"
                                  << "valid characters: 2,1,0"
                                  << "1";
        QTest::newRow("head ok") << 8 << "24"
                                 << "24" << none << "24";
        QTest::newRow("head out of range") << 8 << "25"
                                           << "3" << none << "3";
        QTest::newRow("side bad") << 9 << "left"
                                  << "top" << none << "top";
        QTest::newRow("machine") << 10 << "5"
                                 << "0" << none << "0";
        QTest::newRow("line") << 11 << "5"
                              << "0" << none << "0";
    }
    void cellEdit()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, warning);
        QFETCH(QString, stored);
        Document doc;
        PnPEntry* e = entry();
        doc.appendEntry(e);
        const CellEditResult r = PlacementEdit::editPlacementCell(doc, *e, column, typed);
        QCOMPARE(r.shown, shown);
        QCOMPARE(r.warning, warning);
        QCOMPARE(PlacementText::cell(*e, column), stored);
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
        QCOMPARE(doc.bottomList(), QList<PnPEntry*>({ edited }));
        QCOMPARE(edited->side(), QStringLiteral("bottom"));
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
        QCOMPARE(r.shown, QStringLiteral("1"));
        QVERIFY(!r.changed);
        r = PlacementEdit::editPartCell(doc, "100", "603R", 1, 1, "1;0");
        QCOMPARE(r.warning, PlacementEdit::invalidCharacter());
        QCOMPARE(doc.currentList().at(1)->value(), QStringLiteral("100"));
    }
};

QTEST_GUILESS_MAIN(TstPlacementEdit)
#include "tst_placementedit.moc"
