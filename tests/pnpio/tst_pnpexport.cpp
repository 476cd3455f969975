#include "model/pnpentry.h"
#include "pnpio/pnpexport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

const QByteArray pnpHeader = "RefDes;Name;X (mm);Y (mm);Side;Rotate;Value;Comment;Execute\n";
const QByteArray partHeader = "Quantity;RefDes;Value;Name\n";

QByteArray withLines(QByteArray header, const QStringList& lines)
{
    for (const QString& line : lines)
        header += line.toUtf8() + '\n';
    return header;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

// The two CSV exports: the exact bytes a line receives, and how a file is replaced.
class TestPnPExport : public QObject
{
    Q_OBJECT
    QList<PnPEntry*> owned;

    // "R1|0603|12.5|3|top|90.5|10k|1|comment" -> an entry owned by the test.
    QList<PnPEntry*> entries(const QStringList& rows)
    {
        QList<PnPEntry*> list;
        for (const QString& row : rows) {
            const QStringList f = row.split(QLatin1Char('|'));
            auto* e = new PnPEntry(f.value(0), f.value(1), f.value(2).toDouble(), f.value(3).toDouble(),
                f.value(4), f.value(5).toDouble(), f.value(6), f.value(7), f.value(8));
            // The constructor cleans texts; tests that need raw characters set them afterwards.
            if (f.size() > 9)
                e->setValue(f.value(9));
            owned.append(e);
            list.append(e);
        }
        return list;
    }

    static PnPExportOptions options(int side, const QString& kinds, int panels)
    {
        PnPExportOptions o;
        o.side = side;
        o.none = kinds.contains(QLatin1Char('0'));
        o.machine = kinds.contains(QLatin1Char('1'));
        o.hand = kinds.contains(QLatin1Char('2'));
        o.tht = kinds.contains(QLatin1Char('3'));
        o.panels = panels;
        return o;
    }

private slots:
    void cleanup()
    {
        qDeleteAll(owned);
        owned.clear();
    }

    void pickAndPlaceList_data()
    {
        QTest::addColumn<QStringList>("top");
        QTest::addColumn<QStringList>("bottom");
        QTest::addColumn<int>("side");
        QTest::addColumn<QString>("kinds");
        QTest::addColumn<QStringList>("lines");

        const QStringList top { "R1|0603|12.5|3|top|90.5|10k|1|", "C2|0805|1|2|top|0|100n|3|" };
        const QStringList bottom { "U1|SO8|-4.25|7|bottom|270|LM358|2|", "X9|DNP|0|0|bottom|0|1k|0|" };
        const QString r1 = "R1;0603;12,5;3;top;90.5;10k;;1", c2 = "C2;0805;1;2;top;0;100n;;3",
                      u1 = "U1;SO8;-4,25;7;bottom;270;LM358;;2", x9 = "X9;DNP;0;0;bottom;0;1k;;0";

        QTest::newRow("empty document") << QStringList() << QStringList() << 0 << "0123" << QStringList();
        QTest::newRow("six significant digits, exponent when shorter")
            << QStringList { "A|P|123.4567|-0.000012|top|359.99999|v|1|", "B|P|1234567|1e-9|top|0.25|v|1|" }
            << QStringList() << 0 << "0123"
            << QStringList { "A;P;123,457;-1,2e-05;top;360;v;;1", "B;P;1,23457e+06;1e-09;top;0.25;v;;1" };
        QTest::newRow("both: all top, then all bottom")
            << top << bottom << 0 << "0123" << QStringList { r1, c2, u1, x9 };
        QTest::newRow("top only") << top << bottom << 1 << "0123" << QStringList { r1, c2 };
        QTest::newRow("machine off") << top << bottom << 0 << "023" << QStringList { c2, u1, x9 };
        QTest::newRow("nothing checked") << top << bottom << 0 << "" << QStringList();
        QTest::newRow("comment semicolon becomes a comma")
            << QStringList { "R1|0603|1|2|top|0|10k|1|a;b;c" } << QStringList() << 0 << "0123"
            << QStringList { "R1;0603;1;2;top;0;10k;a,b,c;1" };
        QTest::newRow("semicolon in a value keeps nine fields")
            << QStringList { "R1|0603|1|2|top|0|x|1||10k;1%" } << QStringList() << 0 << "0123"
            << QStringList { "R1;0603;1;2;top;0;10k,1%;;1" };
        QTest::newRow("entries with an odd execute value are never written") << QStringList {
            "A|P|0|0|top|0|v|7|", "B|P|0|0|top|0|v||", "C|P|0|0|top|0|v|11|", "D|P|0|0|top|0|v|1|"
        } << QStringList() << 0 << "0123" << QStringList { "D;P;0;0;top;0;v;;1" };
        QTest::newRow("non-ASCII texts go out as UTF-8")
            << QStringList { QString::fromUtf8("R1|0603|1|2|top|0|4µ7Ω|1|±5%") } << QStringList() << 0
            << "0123" << QStringList { QString::fromUtf8("R1;0603;1;2;top;0;4µ7Ω;±5%;1") };
    }

    void pickAndPlaceList()
    {
        QFETCH(QStringList, top);
        QFETCH(QStringList, bottom);
        QFETCH(int, side);
        QFETCH(QString, kinds);
        QFETCH(QStringList, lines);

        const QByteArray text = pickAndPlaceListText(entries(top), entries(bottom), options(side, kinds, 1));
        QCOMPARE(text, withLines(pnpHeader, lines));
    }

    void partList_data()
    {
        QTest::addColumn<QStringList>("top");
        QTest::addColumn<QStringList>("bottom");
        QTest::addColumn<int>("side");
        QTest::addColumn<QString>("kinds");
        QTest::addColumn<int>("panels");
        QTest::addColumn<QStringList>("lines");

        const QStringList resistors { "R1|R|0|0|top|0|10k|1|", "R2|R|0|0|top|0|10k|1|",
            "R10|R|0|0|top|0|10k|2|", "R3|R|0|0|top|0|10k|1|", "R4|R|0|0|top|0|10k|3|" };

        QTest::newRow("empty") << QStringList() << QStringList() << 0 << "0123" << 1 << QStringList();
        QTest::newRow("panel multiplier and plain sort")
            << resistors << QStringList() << 0 << "0123" << 3 << QStringList { "15;R1,R10,R2,R3,R4;10k;R" };
        QTest::newRow("groups in order of first appearance, top before bottom")
            << QStringList { "C1|0603|0|0|top|0|100n|1|", "R1|0603|0|0|top|0|10k|1|",
                   "C2|0603|0|0|top|0|100n|1|" }
            << QStringList { "R7|0603|0|0|bottom|0|10k|1|", "C9|0805|0|0|bottom|0|100n|1|" } << 0 << "0123"
            << 1 << QStringList { "2;C1,C2;100n;0603", "2;R1,R7;10k;0603", "1;C9;100n;0805" };
        QTest::newRow("same value, other name is another group")
            << QStringList { "R1|0603|0|0|top|0|10k|1|", "R2|0805|0|0|top|0|10k|1|" } << QStringList() << 0
            << "0123" << 1 << QStringList { "1;R1;10k;0603", "1;R2;10k;0805" };
        QTest::newRow("case-sensitive character order")
            << QStringList { "r1|R|0|0|top|0|1k|1|", "R2|R|0|0|top|0|1k|1|", "C1|R|0|0|top|0|1k|1|" }
            << QStringList() << 0 << "0123" << 1 << QStringList { "3;C1,R2,r1;1k;R" };
        QTest::newRow("panels below 1 count as 1") << QStringList { "R1|R|0|0|top|0|10k|1|" } << QStringList()
                                                   << 0 << "0123" << 0 << QStringList { "1;R1;10k;R" };
        QTest::newRow("no placement entries are exported when checked")
            << QStringList { "X1|R|0|0|top|0|10k|0|" } << QStringList() << 0 << "0" << 1
            << QStringList { "1;X1;10k;R" };
        QTest::newRow("entries with an odd execute value are never counted") << QStringList {
            "A|P|0|0|top|0|v|7|", "B|P|0|0|top|0|v||", "C|P|0|0|top|0|v|11|", "D|P|0|0|top|0|v|1|"
        } << QStringList() << 0 << "0123" << 1 << QStringList { "1;D;v;P" };
        QTest::newRow("semicolon in a value is not a column")
            << QStringList { "R1|R|0|0|top|0|x|1||1k;1%" } << QStringList() << 0 << "0123" << 1
            << QStringList { "1;R1;1k,1%;R" };
    }

    void partList()
    {
        QFETCH(QStringList, top);
        QFETCH(QStringList, bottom);
        QFETCH(int, side);
        QFETCH(QString, kinds);
        QFETCH(int, panels);
        QFETCH(QStringList, lines);

        QCOMPARE(partListText(entries(top), entries(bottom), options(side, kinds, panels)),
            withLines(partHeader, lines));
    }

    void partListQuantityDoesNotOverflow()
    {
        QStringList rows;
        for (int i = 0; i < 300; ++i)
            rows << QStringLiteral("R%1|R|0|0|top|0|10k|1|").arg(i);
        const QByteArray text = partListText(entries(rows), {}, options(0, QStringLiteral("0123"), 9999999));
        QVERIFY2(text.split('\n').value(1).startsWith("2999999700;"), text.left(80).constData());
    }

    void exportReplacesExistingFile_data()
    {
        QTest::addColumn<bool>("partList");
        QTest::newRow("pick and place") << false;
        QTest::newRow("part list") << true;
    }

    void exportReplacesExistingFile()
    {
        QFETCH(bool, partList);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("out.csv"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(5000, 'x'));
        }
        const QList<PnPEntry*> top = entries({ "R1|0603|1|2|top|0|10k|1|" });
        const PnPExportOptions all = options(0, QStringLiteral("0123"), 1);
        QString error;
        const bool ok = partList ? writePartList(path, top, {}, all, &error)
                                 : writePickAndPlaceList(path, top, {}, all, &error);
        QVERIFY2(ok, qPrintable(error));
        QCOMPARE(readAll(path), partList ? partListText(top, {}, all) : pickAndPlaceListText(top, {}, all));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "out.csv" });
    }

    void failedExportKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("target is a folder") << "folder" << false;
        QTest::newRow("folder does not exist") << "missing/out.csv" << false;
        QTest::newRow("parent is a file") << "good.csv/out.csv" << false;
        QTest::newRow("existing file in a read-only folder") << "locked/good.csv" << true;
        QTest::newRow("empty path") << "" << false;
    }

    void failedExportKeepsTheOldFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, readOnlyFolder);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray good
            = "RefDes;Name;X (mm);Y (mm);Side;Rotate;Value;Comment;Execute\nOLD;P;1;2;top;0;v;;1\n";
        QDir(dir.path()).mkdir(QStringLiteral("folder"));
        QDir(dir.path()).mkdir(QStringLiteral("locked"));
        for (const QString& name : { QStringLiteral("good.csv"), QStringLiteral("locked/good.csv") }) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(good);
        }
        const QString lockedPath = dir.filePath(QStringLiteral("locked"));
        QFile::setPermissions(lockedPath, QFile::ReadOwner | QFile::ExeOwner);
        if (readOnlyFolder && ::access(QFile::encodeName(lockedPath).constData(), W_OK) == 0) {
            QFile::setPermissions(lockedPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("this user may write into read-only folders (root), so the case cannot fail here");
        }

        const QString path = target.isEmpty() ? QString() : dir.filePath(target);
        const QList<PnPEntry*> top = entries({ "R1|0603|1|2|top|0|10k|1|" });
        QString error;
        QVERIFY(!writePickAndPlaceList(path, top, {}, PnPExportOptions(), &error));
        QVERIFY(!error.isEmpty());
        QString partError;
        QVERIFY(!writePartList(path, top, {}, PnPExportOptions(), &partError));
        QVERIFY(!partError.isEmpty());

        QFile::setPermissions(lockedPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(readAll(dir.filePath(QStringLiteral("good.csv"))), good);
        QCOMPARE(readAll(dir.filePath(QStringLiteral("locked/good.csv"))), good);
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("folder"))).isDir());
        QCOMPARE(QDir(dir.filePath(QStringLiteral("folder")))
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList());
        QCOMPARE(QDir(lockedPath).entryList(QDir::Files | QDir::Hidden), QStringList { "good.csv" });
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
    }
};

QTEST_GUILESS_MAIN(TestPnPExport)
#include "tst_pnpexport.moc"
