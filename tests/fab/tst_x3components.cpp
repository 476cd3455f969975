#include "corpus.h"
#include "datatable.h"
#include "fab/fabload.h"
#include "fab/x3components.h"
#include "pnpio/pnpimport.h"

#include <QtTest>

namespace {

const QString data = QStringLiteral(TESSAVRANT_TESTDATA_DIR "/fab/");

QString describe(const ImportedPlacement& p)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
        .arg(p.refDes, QString::number(p.x, 'f', 3), QString::number(p.y, 'f', 3),
            QString::number(p.rotation), p.side, p.value, p.name, p.exec);
}

} // namespace

// Placements from Gerber X3 component layers, and how they compare with a centroid file.
class TstX3Components : public QObject
{
    Q_OBJECT
private slots:
    // Reference points of the main aperture only (outlines and pins skipped), rotations brought
    // below 360, the package before the footprint, inch files in millimetres, attributes deleted
    // one by one with %TD.
    void readsComponentLayers()
    {
        ImportedPlacements read;
        QString error;
        QVERIFY2(X3Components::readFile(data + "x3-top.gbr", read, &error), qPrintable(error));
        QVERIFY2(X3Components::readFile(data + "x3-bottom.gbr", read, &error), qPrintable(error));
        QStringList got;
        for (const ImportedPlacement& p : read)
            got << describe(p);
        QCOMPARE(got,
            QStringList(
                { "R2 10.000 20.000 90 top 100k 0603 1", "U5 25.400 12.700 315 top NE555 DIP-8_W7.62mm 3",
                    "C7 12.700 -6.350 180 bottom 100nF 0402 1", "FID1 25.400 -6.350 0 bottom   1" }));
    }

    void refusesBrokenData_data()
    {
        columns<QByteArray, QString>("bytes", "reason");
        row("open extended command", QByteArray("%FSLAX46Y46*%\n%TO.C,R1*\n"), "line 2");
        row("rotation no number", QByteArray("%TO.C,R1*%\n%TO.CRot,ninety*%\nX1Y1D03*\n"),
            "rotation 'ninety'");
    }
    void refusesBrokenData()
    {
        ImportedPlacements read;
        QString error;
        QFETCH(QByteArray, bytes);
        QVERIFY(!X3Components::read(bytes, "x.gbr", read, &error));
        QFETCH(QString, reason);
        QVERIFY2(error.startsWith("x.gbr") && error.contains(reason), qPrintable(error));
    }

    // Component layers written by scripts/x3-from-centroid.py from a corpus centroid file (both
    // sides, fractional and odd rotations) read back to that file's placements.
    void matchesTheCentroidFileItWasWrittenFrom()
    {
        if (!corpusPresent(QStringLiteral("pnp")))
            QSKIP("corpus absent");
        ImportedPlacements centroid;
        QString error;
        QVERIFY2(PnPImport::readFile(PnPFormat::Altium,
                     corpusRoot() + "/pnp/altium/google-deepmind_barkour_robot__Pick_Place_for_Ada.txt",
                     centroid, &error),
            qPrintable(error));
        ImportedPlacements x3;
        QVERIFY(X3Components::readFile(data + "ada-top.gbr", x3, &error));
        QVERIFY(X3Components::readFile(data + "ada-bottom.gbr", x3, &error));
        QCOMPARE(x3.size(), centroid.size());
        QCOMPARE(FabLoad::compare(centroid, x3), QStringList());
        int bottom = 0;
        for (const ImportedPlacement& c : centroid) {
            const auto x = std::find_if(
                x3.begin(), x3.end(), [&](const ImportedPlacement& p) { return p.refDes == c.refDes; });
            QCOMPARE(x->value + ' ' + x->name, c.value + ' ' + c.name);
            bottom += c.side == QLatin1String("bottom");
        }
        QCOMPARE(bottom, 3);

        // A part moved by 0.02 mm, one turned by 0.2 degrees and one missing are each reported.
        x3[0].x += 0.02;
        x3[1].rotation += 0.2;
        const QString gone = x3.takeLast().refDes;
        const QStringList diff = FabLoad::compare(centroid, x3);
        QCOMPARE(diff.size(), 3);
        QVERIFY(diff.at(0).startsWith(x3[0].refDes + ": centroid file"));
        QVERIFY(diff.last().startsWith(gone + ": in the centroid file, not in the X3"));
    }
};

QTEST_GUILESS_MAIN(TstX3Components)
#include "tst_x3components.moc"
