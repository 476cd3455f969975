#include "pnpio/pnpimport.h"
#include "pnpio/positionupdate.h"

#include <QBuffer>
#include <QFile>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QList<PnPFormat> allFormats { PnPFormat::Tessavrant, PnPFormat::Eagle, PnPFormat::EaglePart,
    PnPFormat::Altium, PnPFormat::AltiumCsv, PnPFormat::Target };

// Runs every reader over bytes; each must come back with placements or an error text.
void readWithEveryFormat(const QByteArray& bytes)
{
    for (PnPFormat format : allFormats) {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        ImportedPlacements out;
        QString error;
        if (!PnPImport::read(format, buffer, QStringLiteral("input"), out, &error))
            QVERIFY2(error.startsWith(QStringLiteral("input")), qPrintable(error));
    }
}

} // namespace

// Input no CAD tool writes: huge files and endless lines. A reader may refuse it, but must
// not crash, hang or read past the end.
class TstPnPBadInput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false")); }

    void endlessInput_data()
    {
        // Short garbage is the fuzz targets' work; here lines far longer than they try, where a
        // reader that rescans its line would stall.
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray longText(1000000, 'x');
        QTest::newRow("one long line") << longText;
        QTest::newRow("long own csv field") << "h\nR1;" + longText + ";1;2;top;0;v\n";
        QTest::newRow("many separators") << "h\n" + QByteArray(1000000, ';') + "\n";
        QTest::newRow("many quotes") << "Designator,Center-X(mm),Center-Y(mm)\n" + QByteArray(1000000, '"');
        QTest::newRow("many commas") << "Designator\n" + QByteArray(1000000, ',');
        QTest::newRow("many parentheses")
            << "Part Value Package Library Position (mm) Orientation\n" + QByteArray(1000000, '(');
        QTest::newRow("many spaces") << "R1" + QByteArray(1000000, ' ') + "1 2 3 4 5";
    }
    void endlessInput()
    {
        QFETCH(QByteArray, bytes);
        readWithEveryFormat(bytes);
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QVector<PositionUpdate::Record> records;
        QVERIFY(PositionUpdate::read(buffer, records));
    }

    void hundredMegabyteFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("huge.txt"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QRandomGenerator rng(7);
            QByteArray block(1024 * 1024, Qt::Uninitialized);
            for (char& c : block)
                c = char(rng.bounded(256));
            for (int i = 0; i < 100; ++i)
                QCOMPARE(file.write(block), qint64(block.size()));
        }
        for (PnPFormat format : { PnPFormat::EaglePart, PnPFormat::Target }) {
            ImportedPlacements out;
            QString error;
            if (!PnPImport::readFile(format, path, out, &error))
                QVERIFY(error.contains(path));
        }
    }
};

QTEST_GUILESS_MAIN(TstPnPBadInput)
#include "tst_pnpbadinput.moc"
