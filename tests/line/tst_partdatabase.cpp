#include "datatable.h"
#include "line/databasefile.h"
#include "line/partdatabase.h"
#include "line/partdbedit.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList sample { "kept before any marker", "#ASYS", "120 R0603,0603R", "150 C0805", "200 SO8",
    "#DBASE", "120 RES-0603 1.60 0.80 0.45 1 8", "150 CAP-0805 2.00 1.25 0.60 2 8",
    "200 IC-SO8 5.00 4.00 1.75 3 12" };

PartDatabase parsed(const QStringList& lines)
{
    PartDatabase db;
    db.parse(PartDbEditor::serialize(lines));
    return db;
}

PartDbEdit newEntry(int no, const QString& keywords = QString())
{
    return PartDbEdit { true, 0, no, QStringLiteral("RES"), QStringLiteral("1206"), keywords, 3.2, 1.6, 0.55,
        2, 8 };
}

} // namespace

// database.cfg: the look-ups read from it, the editor's checks, and how a save places,
// removes and backs up lines.
class TstPartDatabase : public QObject
{
    Q_OBJECT
private slots:
    void readsSections()
    {
        PartDatabase db;
        db.parse("120 RES-0603 1 1 1 1 8\n#ASYS\n120  R0603,,0603R \n bad\n#DBASE\n"
                 "150   CAP-0805  2.00 1.25\t0.60 2 8\r\n300 IC-QFN 5.00 5.00 0.90\r\n400 X-Y 1 2 3 4\n"
                 "500 NODASH 1 2 3 4 5 6\n");
        QCOMPARE(QPoint(db.lines().size(), db.entries().size()), QPoint(9, 3));
        QCOMPARE(db.lines().at(3), QStringLiteral("bad"));
        QCOMPARE(db.numberOf(QStringLiteral("0603R")), QStringLiteral("120"));
        QVERIFY(!db.isAlias(QString()));
        QCOMPARE(db.keywordsOf(120), QStringLiteral("R0603,,0603R"));
        const PartDbEntry* cap = db.entryByNumber(150);
        QVERIFY(cap);
        QCOMPARE(QStringList({ cap->category(), cap->type(), cap->z, cap->feederType }),
            QStringList({ "CAP", "0805", "0.60", "8mm" }));
        const PartDbEntry* qfn = db.entryByNumber(300);
        QCOMPARE(QStringList({ qfn->nozzle, qfn->feederType }), QStringList({ "0", "x" }));
        QCOMPARE(db.categories(), (QStringList { "CAP", "IC", "NODASH" }));
        // Fields after the seventh are ignored.
        QCOMPARE(db.entryByNumber(500)->feederType, QStringLiteral("5mm"));
        QVERIFY(!db.entryByNumber(120) && db.usedNumbers().contains(300));
    }

    void aliasLaterLineWins()
    {
        const PartDatabase db = parsed({ "#ASYS", "120 R0603", "130 R0603,X", "#DBASE" });
        QCOMPARE(db.numberOf(QStringLiteral("R0603")), QStringLiteral("130"));
        QCOMPARE(db.aliases().size(), 2);
    }

    void validation_data()
    {
        columns<bool, int, int, QString, QString, QString, QString>(
            "isNew", "original", "number", "name", "type", "message", "cleanName");
        const char* const check = "Please Check DB-No.";
        row("cleaned", true, 0, 160, " sot 23-5 ", "a b", "", "SOT_23_5");
        row("no name", true, 0, 160, "  ", "x", "Please enter part name", "");
        row("no type", true, 0, 160, "R", " ", "Please enter part type", "R");
        row("99", true, 0, 99, "R", "x", check, "R");
        row("1000", true, 0, 1000, "R", "x", check, "R");
        row("used by another", true, 0, 150, "R", "x", check, "R");
        row("edit keeps its number", false, 150, 150, "R", "x", "", "R");
        row("edit onto another", false, 150, 120, "R", "x", check, "R");
        row("edit onto a free one", false, 150, 999, "R", "x", "", "R");
    }
    void validation()
    {
        QFETCH(bool, isNew);
        QFETCH(int, original);
        QFETCH(int, number);
        QFETCH(QString, name);
        QFETCH(QString, type);
        PartDbEdit e { isNew, original, number, name, type, QStringLiteral(" a b,c ") };
        QTEST(PartDbEditor::validate(e, { 120, 150, 200 }), "message");
        QTEST(e.name, "cleanName");
        QCOMPARE(e.keywords, QStringLiteral("a_b,c"));
    }

    void sortedInsertion_data()
    {
        columns<int, int>("number", "entryRow");
        row("between 120 and 200", 170, 8);
        row("first", 100, 6);
        row("last", 999, 9);
    }
    void sortedInsertion()
    {
        QFETCH(int, number);
        QFETCH(int, entryRow);
        const QStringList out = PartDbEditor::applyEdit(sample, newEntry(number, QStringLiteral("R1206")));
        QCOMPARE(out.size(), sample.size() + 2);
        // The alias line closes the alias section, right before "#DBASE".
        QCOMPARE(out.mid(5, 2), QStringList({ PartDbEditor::numberText(number) + " R1206", "#DBASE" }));
        QCOMPARE(out.at(entryRow + 1),
            PartDbEditor::numberText(number) + QStringLiteral(" RES-1206 3.20 1.60 0.55 2 8"));
    }

    void noKeywordsNoAlias()
    {
        const QStringList out = PartDbEditor::applyEdit(sample, newEntry(160));
        QCOMPARE(out.size(), sample.size() + 1);
        QCOMPARE(out.at(8), QStringLiteral("160 RES-1206 3.20 1.60 0.55 2 8"));
    }

    // A file without markers (or with the sections the other way round) still gets each line
    // into its own section.
    void missingMarkers()
    {
        const QStringList none = PartDbEditor::applyEdit({ "note" }, newEntry(160, QStringLiteral("K")));
        QCOMPARE(
            none, (QStringList { "note", "#ASYS", "160 K", "#DBASE", "160 RES-1206 3.20 1.60 0.55 2 8" }));
        const QStringList swapped = PartDbEditor::applyEdit(
            { "#DBASE", "300 A-B 1 1 1 1 8", "#ASYS", "300 AB" }, newEntry(400, QStringLiteral("K")));
        QCOMPARE(swapped,
            (QStringList { "#DBASE", "300 A-B 1 1 1 1 8", "400 RES-1206 3.20 1.60 0.55 2 8", "#ASYS",
                "300 AB", "400 K" }));
        const PartDatabase db = parsed(swapped);
        QCOMPARE(db.entries().size(), 2);
        QCOMPARE(db.numberOf(QStringLiteral("K")), QStringLiteral("400"));
    }

    void editRenumbersAndKeepsOthers()
    {
        QStringList lines = sample;
        lines << QStringLiteral("1500 looks-like 1 1 1 1 8") << QStringLiteral("150x note");
        PartDbEdit e = newEntry(160, QStringLiteral("C0805"));
        e.newEntry = false;
        e.originalNo = 150;
        const QStringList out = PartDbEditor::applyEdit(lines, e);
        QVERIFY(!out.contains(QStringLiteral("150 C0805"))
            && !out.contains(QStringLiteral("150 CAP-0805 2.00 1.25 0.60 2 8")));
        QVERIFY(out.contains(QStringLiteral("1500 looks-like 1 1 1 1 8"))
            && out.contains(QStringLiteral("150x note")));
        QCOMPARE(QPoint(out.indexOf(QStringLiteral("160 C0805")),
                     out.indexOf(QStringLiteral("160 RES-1206 3.20 1.60 0.55 2 8"))),
            QPoint(4, 7));
    }

    void deleteRemovesAliasAndEntry()
    {
        const QStringList out = PartDbEditor::removeNumber(sample, 150);
        QCOMPARE(out.size(), sample.size() - 2);
        QVERIFY(out.contains(QStringLiteral("kept before any marker")));
        QCOMPARE(PartDbEditor::removeNumber({ "150 before markers", "#DBASE" }, 150).size(), 2);
    }

    void writesCrLfAndRoundTrips()
    {
        const QByteArray bytes = PartDbEditor::serialize(sample);
        QVERIFY(bytes.endsWith("200 IC-SO8 5.00 4.00 1.75 3 12\r\n"));
        QVERIFY(!bytes.contains("\r\r"));
        QCOMPARE(PartDbEditor::serialize(parsed(sample).lines()), bytes);
    }

    void backupBeforeEverySave()
    {
        QTemporaryDir dir;
        DatabaseFile file(dir.path());
        // The first save of a new database has nothing to back up.
        QVERIFY(file.save({ "#ASYS", "#DBASE" }));
        QVERIFY(!QFile::exists(file.backupPath()));
        QVERIFY(file.save({ "#ASYS", "#DBASE", "120 A-B 1 1 1 1 8" }));
        QCOMPARE(readFile(file.backupPath()), QByteArray("#ASYS\r\n#DBASE\r\n"));
        QCOMPARE(readFile(file.path()), QByteArray("#ASYS\r\n#DBASE\r\n120 A-B 1 1 1 1 8\r\n"));
    }

    // After a failed save the backup is the only good copy: later saves keep it.
    void failedSaveKeepsTheBackup()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("database.cfg"), "old\r\n");
        writeFile(dir.filePath("database.bkp"), "older\r\n");
        // A folder where the backup goes makes the save fail before the file is touched.
        DatabaseFile blocked(dir.path());
        QFile::remove(blocked.backupPath());
        QVERIFY(QDir(dir.path()).mkdir("database.bkp"));
        QString error;
        QVERIFY(!blocked.save({ "new" }, &error));
        QVERIFY2(error.contains(QStringLiteral("database.bkp")), qPrintable(error));
        QCOMPARE(readFile(blocked.path()), QByteArray("old\r\n"));
        QVERIFY(QDir(dir.path()).rmdir("database.bkp"));
        writeFile(blocked.backupPath(), "good\r\n");
        QVERIFY(blocked.lastSaveFailed());
        QVERIFY(blocked.save({ "new" }));
        QCOMPARE(readFile(blocked.backupPath()), QByteArray("good\r\n"));
        QCOMPARE(readFile(blocked.path()), QByteArray("new\r\n"));
    }
};

QTEST_GUILESS_MAIN(TstPartDatabase)
#include "tst_partdatabase.moc"
