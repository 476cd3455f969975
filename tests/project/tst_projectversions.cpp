// Files of earlier versions, as their writers made them, load; saving them again keeps their data.
#include "board/boardtransform.h"
#include "datatable.h"
#include "gerber/gerberlayer.h"
#include "project/projectcontainer.h"
#include "projectfixture.h"
#include "testfiles.h"

#include <QtTest>

namespace {

const QString data = QStringLiteral(TESSAVRANT_TESTDATA_DIR "/project/");

// The text of a file of `version` the way that version's writer laid it out.
QByteArray oldText(int version)
{
    QStringList t;
    if (version > 0)
        t << "+FileVer" << QString::number(version);
    for (const bool top : { true, false }) {
        t << (top ? "+Top" : "+Bottom") << "\t+BoardInfo"
          << QStringLiteral("\t\tb%1;100;50;1.6;0;0;c").arg(version)
          << QString("\t+OriginGen\n\t\t2;1;40;50;0;0;0;0;5;0\n\t+Origins\n\t\t0;0;1\n\t\t45;0;1\n"
                     "\t+Fiducials\n\t\t1;2;3;4;1;0;0;0;0;0;1;1;0;0")
                 .split('\n');
        if (top && (version >= 8 || version == 0)) {
            t << QString("\t+L1\n\t\tMM;D;L;A;1;sig.gbr;200;10;10;0;0;0;0;0;0\n\t\t+GerberData").split('\n')
              << ProjectFixture::gerberText(1).split('\n')
              << QString("\t+L7\n\t\tMM;D;L;A;1;holes.drl;0;0;0;0;0;0;0;0;0\n\t\t+ExcellonLT\n\t\t\t2;3\n"
                         "\t\t+ExcellonData")
                     .split('\n')
              << ProjectFixture::drillText().split('\n');
        }
        if (top && version == 7) // the stored image records of a layer, as version 7 wrote them
            t << QString::fromLatin1(readFile(data + "version7-layer.txt")).split('\n', Qt::SkipEmptyParts);
        t << QString("\t+Pick-and-Place\n"
            + QString(top ? "\t\tR1;0603;1;2;top;90;10k\n\t\tR2;0603;3;4;top;0;1k;2\n\t\tR3;0603;1;2\n"
                            "\t\tR4;0603;5;6;top;0;1k;3;note;1;1;2;1;1.6;0.8\n"
                          : "\t\tQ1;SOT23;7;8;bottom;180;BC847;1;\n\t\tQ2;SOT23;7;8;sideways;0;BC847;1;\n")
            + "\t+Drawings\n\t\t0;0;0;10;10;255;0;0;x;0")
                 .split('\n');
        if (version < 10)
            t << "\t+Feeder_Data"
              << (top ? "\t\t1;10k;0603;17;3;8mm;2;1;40;0" : "\t\t1;BC847;SOT23;;1;8mm;1;1;2;0");
    }
    if (version >= 10)
        t << QString("\t+Feeder_Data\n\t\t++Machine1Line1\n\t\t\t1;10k;0603;17;3;8mm;2;1;40;0\n"
                     "\t\t++Machine3Line2\n\t\t\t1;BC847;SOT23;;1;8mm;1;1;2;0")
                 .split('\n');
    t << QString("+Gerber\n+General\n1;2\n+++END+++").split('\n');
    return t.join('\n').toLatin1();
}

} // namespace

class TestProjectVersions : public QObject
{
    Q_OBJECT

private slots:
    void oldFilesLoadAndKeepTheirDataWhenSavedAgain_data()
    {
        columns<int, int, bool>("version", "loadedVersion", "compressed");
        row("7", 7, 7, true);
        row("8", 8, 8, true);
        row("9", 9, 10, true);
        row("10", 10, 10, true);
        row("10 plain", 10, 10, false);
        row("no version line", 0, 10, true);
    }
    void oldFilesLoadAndKeepTheirDataWhenSavedAgain()
    {
        QFETCH(int, version);
        QFETCH(int, loadedVersion);
        QFETCH(bool, compressed);
        const QByteArray text = oldText(version);
        Document document;
        LayerSet layers;
        ProjectLoad load;
        QString error;
        QVERIFY2(readProjectBytes(compressed ? ProjectFixture::referencePack(text) : text,
                     QStringLiteral("old.tvx"), document, layers, &load, &error),
            qPrintable(error));
        QVERIFY2(load.warning.isEmpty(), qPrintable(load.warning));
        QCOMPARE(QPoint(document.fileVersion(), load.colours.silkColorIndex), QPoint(loadedVersion, 2));

        const QList<PnPEntry*> top = document.side(true).placements;
        QCOMPARE(top.size(), 3);
        QCOMPARE(QStringList({ top.at(0)->exec(), top.at(0)->comment(), top.at(1)->exec() }),
            QStringList({ "1", "", "2" }));
        QVERIFY(top.at(2)->placed());
        // The entry with an unknown side text stays on its side, and so does what follows it.
        QCOMPARE(QPoint(document.side(false).placements.size(), document.side(false).origins.size()),
            QPoint(2, 2));

        const GerberLayer* signal = layers.slot(true, LayerSlot::Signal);
        QVERIFY(!signal->objects().isEmpty());
        if (version >= 8)
            QVERIFY(!layers.slot(true, LayerSlot::Drill)->objects().isEmpty());
        if (version == 7) {
            QCOMPARE(QVector<int>({ signal->objects().size(), signal->regionPolygons().size(),
                         signal->arcRecords().size() }),
                QVector<int>({ 3, 1, 1 }));
            QVERIFY(signal->apertures().at(1)->macroImage);
        }

        // Saved again: the version rules, and every machine's feeders survive the round trip.
        const QByteArray saved = projectText(document, layers, load.colours);
        QVERIFY(saved.startsWith("+FileVer\n\t" + QByteArray::number(loadedVersion < 8 ? 7 : 10) + '\n'));
        // Everything but the version line reads back alike.
        const QString before = dumpProject(document, layers, load.colours).section('\n', 1);
        QCOMPARE(ProjectFixture::loadDump(ProjectContainer::pack(saved)).section('\n', 1), before);
        const FeederData& feeders = document.feederData();
        QCOMPARE(feeders.topSide.size() + feeders.bottomSide.size() + feeders.machines.size(), 2);

        // Side rows handed to a machine stay in a file kept at version 7 for its layer images.
        if (version < 10) {
            FeederData moved = feeders;
            moved.machines.append(MachineFeeders { 1, 1, moved.topSide });
            moved.topSide.clear();
            document.setFeederData(moved);
            QVERIFY(projectText(document, layers, load.colours)
                        .contains("++Machine1Line1\n\t\t\t1;10k;0603;17;3;8mm;2;1;40;0\n"));
        }
    }

    // A layer offset is the image's displacement: a file whose origin was set at (10, 5) holds
    // -10;-5, and its flash at (12, 7) lands on the placement moved to (2, 2). The program's own
    // save keeps that, and a further new origin stays aligned through the next save.
    void setOriginOffsetLoadsAligned()
    {
        QByteArray file = ProjectFixture::referencePack(readFile(data + "origin-set.tvx.txt"), "0.0.80");
        for (const QPointF newOrigin : { QPointF(), QPointF(1, 1) }) {
            Document document;
            LayerSet layers;
            ProjectLoad load;
            QString error;
            QVERIFY2(readProjectBytes(file, QStringLiteral("ref.tvx"), document, layers, &load, &error),
                qPrintable(error));
            if (!newOrigin.isNull())
                QVERIFY(BoardTransform::setNewOrigin(document, layers, newOrigin.x(), newOrigin.y()));
            const ImageObject* flash = layers.slot(true, LayerSlot::Signal)->objects().value(0);
            const PnPEntry* r1 = document.side(true).placements.value(0);
            QVERIFY(flash && r1);
            QCOMPARE(QPointF(flash->x, flash->y), QPointF(2, 2) - newOrigin);
            QCOMPARE(QPointF(r1->x(), r1->y()), QPointF(2, 2) - newOrigin);
            const QByteArray saved = projectText(document, layers, load.colours);
            QVERIFY(saved.contains(newOrigin.isNull() ? ";-10;-5;0;0;0\n" : ";-11;-6;0;0;0\n"));
            file = ProjectContainer::pack(saved);
        }
        Document document;
        LayerSet layers;
        ProjectLoad load;
        QString error;
        QVERIFY(readProjectBytes(file, QStringLiteral("own.tvx"), document, layers, &load, &error));
        const ImageObject* flash = layers.slot(true, LayerSlot::Signal)->objects().value(0);
        QVERIFY(flash);
        QCOMPARE(QPointF(flash->x, flash->y), QPointF(1, 1));
    }

    void anyVersionAfterTheMarkIsAccepted()
    {
        const QByteArray packed = ProjectFixture::referencePack(oldText(10), "99.1 beta");
        QVERIFY(!ProjectFixture::loadDump(packed).startsWith(QStringLiteral("FAILED")));
    }
};

QTEST_GUILESS_MAIN(TestProjectVersions)
#include "tst_projectversions.moc"
