#include "datatable.h"
#include "model/pnpentry.h"
#include "pnpio/pnpexport.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray pnpHeader = "RefDes;Name;X (mm);Y (mm);Side;Rotate;Value;Comment;Execute\n";
const QByteArray partHeader = "Quantity;RefDes;Value;Name\n";

QByteArray withLines(QByteArray header, const QStringList& lines)
{
    for (const QString& line : lines)
        header += line.toUtf8() + '\n';
    return header;
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
        return PnPExportOptions { side, kinds.contains('1'), kinds.contains('2'), kinds.contains('3'),
            kinds.contains('0'), panels };
    }

private slots:
    void cleanup()
    {
        qDeleteAll(owned);
        owned.clear();
    }

    void pickAndPlaceList_data()
    {
        columns<QStringList, QStringList, int, QString, QStringList>(
            "top", "bottom", "side", "kinds", "lines");

        const QStringList top { "R1|0603|12.5|3|top|90.5|10k|1|", "C2|0805|1|2|top|0|100n|3|" };
        const QStringList bottom { "U1|SO8|-4.25|7|bottom|270|LM358|2|", "X9|DNP|0|0|bottom|0|1k|0|" };
        const QString r1 = "R1;0603;12,5;3;top;90.5;10k;;1", c2 = "C2;0805;1;2;top;0;100n;;3",
                      u1 = "U1;SO8;-4,25;7;bottom;270;LM358;;2", x9 = "X9;DNP;0;0;bottom;0;1k;;0";

        row("empty document", QStringList(), QStringList(), 0, "0123", QStringList());
        row("six significant digits, exponent when shorter",
            QStringList { "A|P|123.4567|-0.000012|top|359.99999|v|1|", "B|P|1234567|1e-9|top|0.25|v|1|" },
            QStringList(), 0, "0123",
            QStringList { "A;P;123,457;-1,2e-05;top;360;v;;1", "B;P;1,23457e+06;1e-09;top;0.25;v;;1" });
        row("both: all top, then all bottom", top, bottom, 0, "0123", QStringList { r1, c2, u1, x9 });
        row("top only", top, bottom, 1, "0123", QStringList { r1, c2 });
        row("machine off", top, bottom, 0, "023", QStringList { c2, u1, x9 });
        row("nothing checked", top, bottom, 0, "", QStringList());
        row("comment semicolon becomes a comma", QStringList { "R1|0603|1|2|top|0|10k|1|a;b;c" },
            QStringList(), 0, "0123", QStringList { "R1;0603;1;2;top;0;10k;a,b,c;1" });
        row("semicolon in a value keeps nine fields", QStringList { "R1|0603|1|2|top|0|x|1||10k;1%" },
            QStringList(), 0, "0123", QStringList { "R1;0603;1;2;top;0;10k,1%;;1" });
        row("entries with an odd execute value are never written",
            QStringList {
                "A|P|0|0|top|0|v|7|", "B|P|0|0|top|0|v||", "C|P|0|0|top|0|v|11|", "D|P|0|0|top|0|v|1|" },
            QStringList(), 0, "0123", QStringList { "D;P;0;0;top;0;v;;1" });
        row("non-ASCII texts go out as UTF-8",
            QStringList { QString::fromUtf8("R1|0603|1|2|top|0|4µ7Ω|1|±5%") }, QStringList(), 0, "0123",
            QStringList { QString::fromUtf8("R1;0603;1;2;top;0;4µ7Ω;±5%;1") });
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
        columns<QStringList, QStringList, int, QString, int, QStringList>(
            "top", "bottom", "side", "kinds", "panels", "lines");

        const QStringList resistors { "R1|R|0|0|top|0|10k|1|", "R2|R|0|0|top|0|10k|1|",
            "R10|R|0|0|top|0|10k|2|", "R3|R|0|0|top|0|10k|1|", "R4|R|0|0|top|0|10k|3|" };

        row("empty", QStringList(), QStringList(), 0, "0123", 1, QStringList());
        row("panel multiplier and plain sort", resistors, QStringList(), 0, "0123", 3,
            QStringList { "15;R1,R10,R2,R3,R4;10k;R" });
        row("groups in order of first appearance, top before bottom",
            QStringList {
                "C1|0603|0|0|top|0|100n|1|", "R1|0603|0|0|top|0|10k|1|", "C2|0603|0|0|top|0|100n|1|" },
            QStringList { "R7|0603|0|0|bottom|0|10k|1|", "C9|0805|0|0|bottom|0|100n|1|" }, 0, "0123", 1,
            QStringList { "2;C1,C2;100n;0603", "2;R1,R7;10k;0603", "1;C9;100n;0805" });
        row("same value, other name is another group",
            QStringList { "R1|0603|0|0|top|0|10k|1|", "R2|0805|0|0|top|0|10k|1|" }, QStringList(), 0, "0123",
            1, QStringList { "1;R1;10k;0603", "1;R2;10k;0805" });
        row("case-sensitive character order",
            QStringList { "r1|R|0|0|top|0|1k|1|", "R2|R|0|0|top|0|1k|1|", "C1|R|0|0|top|0|1k|1|" },
            QStringList(), 0, "0123", 1, QStringList { "3;C1,R2,r1;1k;R" });
        row("panels below 1 count as 1", QStringList { "R1|R|0|0|top|0|10k|1|" }, QStringList(), 0, "0123", 0,
            QStringList { "1;R1;10k;R" });
        row("no placement entries are exported when checked", QStringList { "X1|R|0|0|top|0|10k|0|" },
            QStringList(), 0, "0", 1, QStringList { "1;X1;10k;R" });
        row("entries with an odd execute value are never counted",
            QStringList {
                "A|P|0|0|top|0|v|7|", "B|P|0|0|top|0|v||", "C|P|0|0|top|0|v|11|", "D|P|0|0|top|0|v|1|" },
            QStringList(), 0, "0123", 1, QStringList { "1;D;v;P" });
        row("semicolon in a value is not a column", QStringList { "R1|R|0|0|top|0|x|1||1k;1%" },
            QStringList(), 0, "0123", 1, QStringList { "1;R1;1k,1%;R" });
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

    // The file goes through the atomic write (its refusals are checked with FileIo): it is
    // replaced whole and no temporary file is left beside it.
    void exportReplacesExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.csv"));
        writeFile(path, QByteArray(5000, 'x'));
        const QList<PnPEntry*> top = entries({ "R1|0603|1|2|top|0|10k|1|" });
        const PnPExportOptions all = options(0, QStringLiteral("0123"), 1);
        QString error;
        QVERIFY2(writePartList(path, top, {}, all, &error), qPrintable(error));
        QCOMPARE(readFile(path), partListText(top, {}, all));
        QVERIFY(writePickAndPlaceList(path, top, {}, all, &error));
        QCOMPARE(readFile(path), pickAndPlaceListText(top, {}, all));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "out.csv" });
    }
};

QTEST_GUILESS_MAIN(TestPnPExport)
#include "tst_pnpexport.moc"
