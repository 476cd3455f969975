#include "gerber/gerberlayer.h"
#include "gerber/layerrows.h"
#include "gerber/layerset.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

// Name cleaning is checked where the user meets it: tst_gerbertable (import and rename).
class TstLayerRows : public QObject
{
    Q_OBJECT

private slots:
    void firstFreeRowSkipsUsedRows()
    {
        LayerSet set;
        set.layer(LayerList::GerberMode, 2)->excellonLines.append(u"M48");
        set.layer(LayerList::GerberMode, 3)->rawLines = QStringList { "M02*" };
        QCOMPARE(LayerRows::firstFreeRow(set, 2), 4);
        QCOMPARE(LayerRows::firstFreeRow(set, -1), 0);
        QCOMPARE(LayerRows::firstFreeRow(set, 255), -1);
        set.layer(LayerList::GerberMode, 254)->rawLines = QStringList { "M02*" };
        QCOMPARE(LayerRows::firstFreeRow(set, 254), -1);
    }

    // The copy reads the stored lines again and keeps the row's transform and name.
    void copyForSlotReadsStoredLines()
    {
        GerberLayer row(7);
        row.rawLines
            = QStringList { "%FSLAX34Y34*%", "%MOMM*%", "%ADD10C,1*%", "D10*", "X10000Y0D03*", "M02*" };
        row.fileName = QStringLiteral("x;y");
        row.mirror1 = true;
        row.quarterTurns = 3;
        QString error;
        auto copy = LayerRows::copyForSlot(row, 2, Qt::red, &error);
        QVERIFY2(copy, qPrintable(error));
        QCOMPARE(copy->objects().size(), 1);
        QCOMPARE(copy->fileName, QStringLiteral("x_y"));
        QCOMPARE(copy->color, QColor(Qt::red));
        QVERIFY(copy->mirror1 && copy->quarterTurns == 3 && copy->visible);
        QVERIFY(!LayerRows::copyForSlot(GerberLayer(1), 2, Qt::red, &error));
        row.rawLines = QStringList { "%FSLAX34Y34*%", "D10*" };
        QVERIFY(!LayerRows::copyForSlot(row, 2, Qt::red, &error));
    }

    // A failed write leaves the old file as it was.
    void writeIsAtomic()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.gbr"));
        QString error;
        QVERIFY(LayerRows::writeLayerFile(path, { "G04 µ*", "M02*" }, &error));
        QCOMPARE(readFile(path), QByteArray("G04 \xc2\xb5*\nM02*\n"));
        QVERIFY(!LayerRows::writeLayerFile(
            dir.filePath(QStringLiteral("no/such/folder/x.gbr")), { "M02*" }, &error));
        QVERIFY(error.contains(QStringLiteral("x.gbr")));
    }
};

QTEST_MAIN(TstLayerRows)
#include "tst_layerrows.moc"
