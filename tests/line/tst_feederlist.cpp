#include "datatable.h"
#include "line/feederedit.h"
#include "line/feederentry.h"
#include "line/feederlist.h"
#include "line/machinetables.h"
#include "line/partdatabase.h"
#include "model/pnpentry.h"

#include <QtTest>

#include <memory>

using namespace FeederList;

namespace {

const QVector<int> opalSets = generationSets(MachineType::Opal);

PartDatabase smallDatabase()
{
    PartDatabase db;
    db.parse("#ASYS\n120 R0603,10k\n150 C0805\n#DBASE\n120 RES-0603 1.60 0.80 0.45 1 8\n"
             "150 CAP-0805 2.00 1.25 0.60 2 8\n");
    return db;
}

struct Placements
{
    QList<PnPEntry*> list;
    ~Placements() { qDeleteAll(list); }
    void add(
        const QString& name, const QString& value, int line = 1, int machine = 1, const QString& exec = "1")
    {
        auto* e
            = new PnPEntry("X" + QString::number(list.size()), name, 0, 0, "top", 0, value, exec, QString());
        e->setLine(line);
        e->setMachine(machine);
        list.append(e);
    }
};

QStringList rows(const QList<FeederEntry*>& entries)
{
    QStringList out;
    for (const FeederEntry* f : entries)
        out << f->name + " " + f->value + QString::asprintf(" db%d set%d q%d", f->dbNo, f->setNo, f->qty);
    return out;
}

} // namespace

class TestFeederList : public QObject
{
    Q_OBJECT
private slots:
    void generateFromPlacements()
    {
        Placements p;
        p.add("R0603", "10k");
        p.add("R0603", "10k");
        p.add("R0603", "22k");
        p.add("C0805", "100n");
        p.add("C0805", "100n", 1, 1, "2"); // by hand
        p.add("SO8", "LM358", 1, 2); // other machine
        p.add("SO8", "LM358", 0, 0); // no line
        const Generated g = generate(p.list, 1, 1, smallDatabase(), {}, opalSets);
        QCOMPARE(rows(g.entries),
            (QStringList {
                "R0603 10k db120 set1 q2", "R0603 22k db120 set2 q1", "C0805 100n db150 set3 q1" }));
        QVERIFY(g.partMap.value(partKey("R0603", "22k"), -1.0) == 0.0 && g.warnings.isEmpty());

        const Generated none = generate(p.list, 1, 0, smallDatabase(), {}, opalSets);
        QCOMPARE(rows(none.entries), (QStringList { "SO8 LM358 db0 set1 q1" }));
        qDeleteAll(g.entries);
        qDeleteAll(none.entries);
    }

    void regenerateKeepsSettings()
    {
        Placements p;
        p.add("C0805", "100n");
        p.add("R0603", "10k");
        std::unique_ptr<FeederEntry> old(
            fromFields({ "0", "10k", "R0603", "7", "44", "12mm", "3", "0", "1", "90", "2" }));
        const Generated g = generate(p.list, 1, 1, smallDatabase(), { old.get() }, opalSets);
        // Database number, feeder, nozzle, optimize flag, rotation and head stay; set and qty are new.
        QCOMPARE(toFields(*g.entries.at(1)),
            (QStringList { "1", "10k", "R0603", "7", "2", "12mm", "3", "0", "1", "90", "2" }));
        QVERIFY(g.partMap.value(partKey("R0603", "10k")) == 90.0 && g.entries.at(0)->feederType == "8mm");
        qDeleteAll(g.entries);
    }

    // Sets go 1..50 then 101..150, skipping those the machine family never picks (the Topaz
    // walks 1..40 at the front).
    void setNumbersPastOneHundred_data()
    {
        // sets: of part types 0, 39, 40, 49, 50, 89, 90, 99, 100
        columns<int, QList<int>, int>("type", "sets", "unslotted");
        row("Opal", int(MachineType::Opal), QList<int> { 1, 40, 41, 50, 101, 140, 141, 150, 0 }, 2);
        row("Eclipse", int(MachineType::Eclipse), QList<int> { 1, 40, 41, 50, 101, 140, 141, 150, 0 }, 2);
        row("Topaz", int(MachineType::Topaz), QList<int> { 1, 40, 101, 110, 111, 150, 0, 0, 0 }, 12);
    }

    void setNumbersPastOneHundred()
    {
        QFETCH(int, type);
        QFETCH(int, unslotted);
        Placements p;
        for (int i = 0; i < 102; ++i)
            p.add("R0603", QString::number(i));
        const Generated g = generate(p.list, 1, 1, PartDatabase(), {}, generationSets(MachineType(type)));
        QList<int> got;
        for (int i : { 0, 39, 40, 49, 50, 89, 90, 99, 100 })
            got << g.entries.at(i)->setNo;
        QTEST(got, "sets");
        QVERIFY(g.warnings.size() == 1
            && g.warnings.first().startsWith(QString::number(unslotted) + " part types"));
        qDeleteAll(g.entries);
    }

    void updateAndMatch()
    {
        Placements p;
        p.add("R0603", "10k");
        p.add("X", "C0805");
        const Generated g = generate(p.list, 1, 1, PartDatabase(), {}, opalSets);
        g.entries.at(0)->rotation = 180;
        QHash<QString, double> map;
        updateFromDatabase(g.entries, smallDatabase(), map);
        QCOMPARE(QPoint(g.entries.at(0)->dbNo, g.entries.at(1)->dbNo),
            QPoint(120, 150)); // the second by its value
        QCOMPARE(map.value(partKey("R0603", "10k")), 180.0);
        // Name and value are kept apart: "R0603" + "10k" is not "R060" + "310k".
        QVERIFY(partKey("R0603", "10k") != partKey("R060", "310k"));

        QVERIFY(matches(p.list, 1, 1, g.entries));
        g.entries.at(1)->value = "other"; // same count, other contents
        QVERIFY(!matches(p.list, 1, 1, g.entries.mid(0, 1)) && !matches(p.list, 1, 1, g.entries));
        qDeleteAll(g.entries);
    }

    void projectFields()
    {
        // A short or damaged project line keeps the defaults of what it lacks.
        std::unique_ptr<FeederEntry> s(fromFields({ "x", "1u", "C0805" }));
        QCOMPARE(toFields(*s), (QStringList { "0", "1u", "C0805", "0", "0", "8mm", "1", "1", "0", "0" }));
    }

    void cellEdit_data()
    {
        // shown: the cell's text afterwards
        columns<int, QString, bool, QString>("column", "text", "accepted", "shown");
        row("value is fixed", 1, "x", false, "10k");
        row("qty is fixed", 8, "4", false, "2");
        row("outside the table", 12, "4", false, "");
        row("known db number", 3, "150", true, "150");
        row("db number not digits", 3, "-1", false, "0");
        row("db number too large", 3, "99999999999", false, "0");
        row("nozzle 10", 6, "10", true, "10");
        row("nozzle 11", 6, "11", false, "1");
        row("optimize 0", 7, "0", true, "0");
        row("optimize 2", 7, "2", false, "1");
        row("head", 9, "3", true, "3");
        row("head text", 9, "x", false, "0");
        row("stick feeder", 5, "Stick", true, "Stick");
        row("set 51", 4, "51", false, "2");
        row("set 100", 4, "100", false, "2");
        row("set 101", 4, "101", true, "101");
        row("set 150", 4, "150", true, "150");
        row("set 0 twice", 4, "0", true, "0");
        row("07 is the set 7 of row 0", 4, "07", false, "2");
        row("12 mm", 5, "12 mm", true, "12mm");
        row("44", 5, "44", true, "44mm");
        row("stick", 5, "stick", true, "Stick");
        row("10mm", 5, "10mm", false, "8mm");
        row("STICK", 5, "STICK", false, "8mm");
    }

    void cellEdit()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        FeederEntry a, b, c;
        a.setNo = 7;
        b.name = "R0603";
        b.value = "10k";
        b.setNo = 2;
        b.qty = 2;
        const PartDatabase db = smallDatabase();
        QCOMPARE(FeederTable::applyEdit({ &a, &b, &c }, 1, column, text, db), accepted);
        if (column < FeederTable::columnCount)
            QTEST(FeederTable::cellText(b, FeederColumn(column)), "shown");
        if (column == 3 && accepted) // the database entry brings nozzle 2 and an 8mm feeder
            QCOMPARE(b.nozzle, 2);
        if (text == "stick")
            QCOMPARE(b.feederType, QString("0mm"));
    }

    // A reopened project shows the machine most of the side's placements are on.
    void mostAssigned_data()
    {
        // assigned: line * 10 + machine per placement
        columns<QList<int>, int>("assigned", "expected");
        row("most", QList<int> { 12, 0, 13, 13, 12, 13 }, 13);
        row("tie: first met", QList<int> { 21, 0, 12, 21, 12 }, 21);
        row("none assigned", QList<int> { 0, 10, 2 }, 0);
    }

    void mostAssigned()
    {
        QFETCH(QList<int>, assigned);
        Placements p;
        for (int a : assigned)
            p.add("R", "1k", a / 10, a % 10);
        const auto [line, machine] = FeederList::mostAssigned(p.list);
        QTEST(line * 10 + machine, "expected");
    }
};

QTEST_GUILESS_MAIN(TestFeederList)
#include "tst_feederlist.moc"
