#include "datatable.h"
#include "documentsetup.h"
#include "model/document.h"
#include "pnpio/pnpexport.h"
#include "pnpio/pnpimport.h"
#include "testfiles.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// "R1|0603|12.5|3|top|90.5|10k|1|comment"
QList<PnPEntry*> build(const QStringList& rows)
{
    QList<PnPEntry*> list;
    for (const QString& row : rows) {
        const QStringList f = row.split(QLatin1Char('|'));
        list << new PnPEntry(f.value(0), f.value(1), f.value(2).toDouble(), f.value(3).toDouble(), f.value(4),
            f.value(5).toDouble(), f.value(6), f.value(7), f.value(8));
    }
    return list;
}

// Positions and rotations carry six significant digits; everything else exactly.
void compareEntries(const QList<PnPEntry*>& got, const QList<PnPEntry*>& sent)
{
    auto six = [](double v) { return QString::number(v, 'g', 6).toDouble(); };
    QCOMPARE(got.size(), sent.size());
    for (int i = 0; i < got.size(); ++i) {
        const PnPEntry& g = *got[i];
        const PnPEntry& s = *sent[i];
        QCOMPARE(QStringList({ g.refDes(), g.name(), g.side(), g.value(), g.comment(), g.exec() }),
            QStringList({ s.refDes(), s.name(), s.side(), s.value(),
                QString(s.comment()).replace(QLatin1Char(';'), QLatin1Char(',')), s.exec() }));
        QCOMPARE(QVector<double>({ g.x(), g.y(), g.rotation() }),
            QVector<double>({ six(s.x()), six(s.y()), PnPEntry::reduceRotation(six(s.rotation())) }));
    }
}

} // namespace

// The pick-and-place list is read back by the own-CSV importer: what goes out must
// come back field for field, on the same side and in the same order.
class TestPnPExportRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void exportThenImport_data()
    {
        // Both sides, in bulk: generatedDocumentIsAFixedPoint.
        columns<QStringList>("top");
        row("empty document", QStringList());
        row("decimal commas in texts stay texts", QStringList { "R1|0603|1|2|top|0|4,7k|1|see,note;2" });
        row("a rotation that rounds up to 360 reads back as 0",
            QStringList { "R1|0603|1|1|top|359.9999999|1k|1|" });
        row("non-ASCII texts", QStringList { QString::fromUtf8("R1|0603|1|1|top|0|4µ7Ω|1|±1%_25°C") });
        row("empty texts", QStringList { "||1|1|top|0||1|" });
    }

    void exportThenImport()
    {
        QFETCH(QStringList, top);
        Document sent;
        setSidePlacements(sent, true, build(top));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("roundtrip.csv"));
        QString error;
        QVERIFY2(writePickAndPlaceList(path, sent.side(true).placements, sent.side(false).placements,
                     PnPExportOptions(), &error),
            qPrintable(error));

        Document got;
        // The default options: "New", sides as in the file.
        QVERIFY2(PnPImport::importFile(got, PnPFormat::Tessavrant, path, PnPImportOptions(), &error),
            qPrintable(error));
        compareEntries(got.side(true).placements, sent.side(true).placements);
        QVERIFY(got.side(false).placements.isEmpty());
    }

    void generatedDocumentIsAFixedPoint()
    {
        // Random values of every magnitude: after one export and import the document must
        // reproduce its own file byte for byte.
        QRandomGenerator rng(4711);
        const QStringList execs { "0", "1", "2", "3" };
        QList<PnPEntry*> top, bottom;
        for (int i = 0; i < 2000; ++i) {
            const double scale = std::pow(10.0, rng.bounded(-4, 5));
            const bool onTop = rng.bounded(2) == 0;
            auto* e = new PnPEntry(QStringLiteral("X%1").arg(i), QStringLiteral("P%1").arg(i % 17),
                (rng.generateDouble() - 0.5) * scale, (rng.generateDouble() - 0.5) * scale,
                onTop ? "top" : "bottom", rng.generateDouble() * 360.0, QStringLiteral("V%1").arg(i % 23),
                execs[i % 4], i % 5 ? QString() : "note");
            (onTop ? top : bottom) << e;
        }
        Document sent;
        setSidePlacements(sent, true, top);
        setSidePlacements(sent, false, bottom);

        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("first.csv"));
        const QString second = dir.filePath(QStringLiteral("second.csv"));
        QVERIFY(writePickAndPlaceList(
            first, sent.side(true).placements, sent.side(false).placements, PnPExportOptions()));

        Document got;
        QString error;
        QVERIFY2(PnPImport::importFile(got, PnPFormat::Tessavrant, first, PnPImportOptions(), &error),
            qPrintable(error));
        compareEntries(got.side(true).placements, sent.side(true).placements);
        compareEntries(got.side(false).placements, sent.side(false).placements);
        QVERIFY(writePickAndPlaceList(
            second, got.side(true).placements, got.side(false).placements, PnPExportOptions()));
        QCOMPARE(readFile(second), readFile(first));
    }
};

QTEST_GUILESS_MAIN(TestPnPExportRoundTrip)
#include "tst_pnpexportroundtrip.moc"
