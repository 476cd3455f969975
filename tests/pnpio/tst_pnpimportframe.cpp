#include "datatable.h"
#include "documentsetup.h"
#include "model/document.h"
#include "pnpio/pnpimport.h"
#include "pnpio/positionupdate.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// A document with T1 on top and B1 on the bottom, top side shown.
void seed(Document& doc)
{
    setSidePlacements(doc, true, { new PnPEntry("T1", "0603", 1, 1, "top", 0, "1k", "1", QString()) });
    setSidePlacements(doc, false, { new PnPEntry("B1", "0603", 2, 2, "bottom", 0, "2k", "1", QString()) });

    doc.setModified(false);
}

const QByteArray ownCsv = "RefDes;Name;X (mm);Y (mm);Side;Rotate;Value;Comment;Execute\r\n"
                          "R1;0603;12,5;3;TOP;90;10k\r\n\r\nC1;0402;1;2;bottom;370;1u;hand;2\r\n";

} // namespace

// The import frame: which side lists are emptied, where new entries go, and that a
// failed read never costs the user the placements already there.
class TstPnPImportFrame : public QObject
{
    Q_OBJECT
private slots:
    void sideAndInsertOptions_data()
    {
        columns<int, bool, QStringList, QStringList>("side", "add", "top", "bottom");
        row("no changes, new", 2, false, QStringList { "R1" }, QStringList { "C1" });
        row("no changes, add", 2, true, QStringList { "T1", "R1" }, QStringList { "B1", "C1" });
        row("top, new", 0, false, QStringList { "R1", "C1" }, QStringList { "B1" });
        row("top, add", 0, true, QStringList { "T1", "R1", "C1" }, QStringList { "B1" });
        row("bottom, new", 1, false, QStringList { "T1" }, QStringList { "R1", "C1" });
        row("bottom, add", 1, true, QStringList { "T1" }, QStringList { "B1", "R1", "C1" });
    }
    void sideAndInsertOptions()
    {
        QFETCH(int, side);
        QFETCH(bool, add);
        QTemporaryDir dir;
        const QString path = writeFile(dir, "own.csv", ownCsv);
        Document doc;
        seed(doc);
        QString error;
        QVERIFY2(
            PnPImport::importFile(doc, PnPFormat::Tessavrant, path, PnPImportOptions { side, add }, &error),
            qPrintable(error));
        QTEST(refs(doc.side(true).placements), "top");
        QTEST(refs(doc.side(false).placements), "bottom");
        QCOMPARE(refs(doc.currentList()), refs(doc.side(true).placements));
        QVERIFY(doc.isModified());
        for (const bool top : { true, false })
            for (const PnPEntry* e : doc.side(top).placements)
                QCOMPARE(e->side(), top ? QStringLiteral("top") : QStringLiteral("bottom"));
    }

    void failedReadLeavesTheDocumentAlone_data()
    {
        columns<int, QByteArray, QString>("format", "bytes", "errorPart");
        row("own csv short line", int(PnPFormat::Tessavrant),
            QByteArray("h\nR1;0603;1;2;top;0;1k\nR2;0603;1\n"), "line 3");
        row("altium header without centres", int(PnPFormat::Altium),
            QByteArray("x\nDesignator Comment Layer\nR1 1k Top\n"), "line 2");
        row("missing file", int(PnPFormat::Target), QByteArray(), "cannot open");
        // Values no board has never reach the document (coordinates: tst_pnpbadinput).
        row("own csv absurd rotation", int(PnPFormat::Tessavrant), QByteArray("h\nR1;0603;1;2;top;-1e9;1k\n"),
            "line 2: the rotation is -1e+09; rotations must be finite and within ±10000 degrees");
    }
    void failedReadLeavesTheDocumentAlone()
    {
        QFETCH(int, format);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, errorPart);
        QTemporaryDir dir;
        const QString path = bytes.isNull() ? dir.filePath("missing.txt") : writeFile(dir, "bad.txt", bytes);
        Document doc;
        seed(doc);
        QString error;
        QVERIFY(!PnPImport::importFile(doc, PnPFormat(format), path, PnPImportOptions(), &error));
        QVERIFY2(error.contains(path) && error.contains(errorPart), qPrintable(error));
        // Top, bottom and the shown list as they were.
        QCOMPARE(refs(doc.side(true).placements) + refs(doc.side(false).placements) + refs(doc.currentList()),
            QStringList({ "T1", "B1", "T1" }));
        QVERIFY(!doc.isModified());
    }

    void headerOnlyFileImportsNothing()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "own.csv", "RefDes;Name;X (mm);Y (mm);Side;Rotate;Value\n");
        Document doc;
        seed(doc);
        QString error;
        QVERIFY(PnPImport::importFile(doc, PnPFormat::Tessavrant, path, PnPImportOptions(), &error));
        QVERIFY(doc.side(true).placements.isEmpty() && doc.side(false).placements.isEmpty());
    }

    // Each known designator takes the last position the file gives it; each unknown one is
    // reported once per line; a file that moves nothing leaves the document unmodified.
    void positionUpdate_data()
    {
        // t1: x, y, rotation
        columns<QByteArray, QStringList, QVector<double>, bool>("bytes", "notes", "t1", "modified");
        row("moves and reports",
            QByteArray("RefDes;X;Y;Rot\nT1;5,5;6;370\nX9;1;1;1\nshort;1\nT1;7;8;45\nX9;2;2;2\n"),
            QStringList { "RefDes X9 nicht vorhanden", "RefDes X9 nicht vorhanden" },
            QVector<double> { 7, 8, 45 }, true);
        row("unknown names change nothing", QByteArray("RefDes;X;Y;Rot\nQ1;1;1;1\n"),
            QStringList { "RefDes Q1 nicht vorhanden" }, QVector<double> { 1, 1, 0 }, false);
        row("bottom side found while top is shown", QByteArray("RefDes;X;Y;Rot\nB1;3;4;90\n"), QStringList(),
            QVector<double> { 1, 1, 0 }, true);
    }
    void positionUpdate()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        Document doc;
        seed(doc);
        QStringList notes;
        QVERIFY(PositionUpdate::updateFile(
            doc, writeFile(dir, "pos.csv", bytes), [&](const QString& t) { notes << t; }, nullptr));
        QTEST(notes, "notes");
        const PnPEntry* t1 = doc.currentList().value(0);
        QTEST((QVector<double> { t1->x(), t1->y(), t1->rotation() }), "t1");
        QTEST(doc.isModified(), "modified");
    }

    void positionUpdateRefusesValuesNoBoardHas()
    {
        QTemporaryDir dir;
        Document doc;
        seed(doc);
        const QString path = writeFile(dir, "pos.csv", "RefDes;X;Y;R\nT1;1;2;0\nT1;3;1e308;0\n");
        QString error;
        QVERIFY(!PositionUpdate::updateFile(doc, path, nullptr, &error) && !doc.isModified());
        QCOMPARE(error, path + ", line 3: Y is 1e+308; coordinates must be finite and within ±10 m");
    }

    void positionUpdateFindsCleanedDesignators()
    {
        Document doc;
        doc.setPlacements({ new PnPEntry("R-1", "0603", 1, 1, "top", 0, "1k", "1", QString()) });
        QVector<PositionUpdate::Record> records { { "R-1", 3, 4, 90 } };
        QCOMPARE(PositionUpdate::apply(doc, doc.currentList(), records, nullptr), 1);
        QCOMPARE(doc.currentList().value(0)->x(), 3.0);
    }
};

QTEST_GUILESS_MAIN(TstPnPImportFrame)
#include "tst_pnpimportframe.moc"
