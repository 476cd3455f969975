#include "datatable.h"
#include "memorylimit.h"
#include "pnpio/pnpimport.h"
#include "pnpio/positionupdate.h"
#include "testfiles.h"

#include <QBuffer>
#include <QLoggingCategory>
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
        row("one long line", longText);
        row("long own csv field", "h\nR1;" + longText + ";1;2;top;0;v\n");
        row("many separators", "h\n" + QByteArray(1000000, ';') + "\n");
        row("many quotes", "Designator,Center-X(mm),Center-Y(mm)\n" + QByteArray(1000000, '"'));
        row("many commas", "Designator\n" + QByteArray(1000000, ','));
        row("many parentheses",
            "Part Value Package Library Position (mm) Orientation\n" + QByteArray(1000000, '('));
        row("many spaces", "R1" + QByteArray(1000000, ' ') + "1 2 3 4 5");
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

    // Each reader over its shortest line repeated past the placement limit, and over a value no
    // board has: refused with file and line, in at most 16 bytes of memory per file byte + 256 MB.
    void refusedWithinMemoryBound_data()
    {
        // farLine: the line with X at 1e308 or not a number
        columns<int, QByteArray, QByteArray, QByteArray>("format", "head", "line", "farLine");
        const auto row = [](const char* tag, PnPFormat f, const QByteArray& head, const QByteArray& line,
                             const QByteArray& far) { QTest::newRow(tag) << int(f) << head << line << far; };
        row("own csv", PnPFormat::Tessavrant, "h\n", "R;P;1;2;t;0;v\n", "R;P;inf;2;t;0;v\n");
        row("eagle mnt", PnPFormat::Eagle, "", "R 1 2 0 v P\n", "R 1e308 2 0 v P\n");
        row("eagle part", PnPFormat::EaglePart, "Part Value Package Position (mm) Orientation\n",
            "R    v     P       (1 2)         R0\n", "R    v     P       (1e308 2)     R0\n");
        row("altium", PnPFormat::Altium, "Designator Footprint Center-X(mm) Center-Y(mm) Rotation\n",
            "R          P         1            2            0\n",
            "R          P         1e308        2            0\n");
        row("altium csv", PnPFormat::AltiumCsv, "Designator,Footprint,Center-X(mm),Center-Y(mm),Rotation\n",
            "R,P,1,2,0\n", "R,P,-1e308,2,0\n");
        row("target", PnPFormat::Target, "", "1,v,1,2,0,Top,R\n", "1,v,nan,2,0,Top,R\n");
        row("kicad", PnPFormat::KiCad, "## Unit = mm\n", "R v P 1 2 0 top\n", "R v P 1e308 2 0 top\n");
    }
    void refusedWithinMemoryBound()
    {
        QFETCH(int, format);
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, farLine);
        const int headLines = head.count('\n');
        QTemporaryDir dir;
        const QString many = dir.filePath(QStringLiteral("many.txt"));
        const QString far = writeFile(dir, QStringLiteral("far.txt"), head + line + farLine);
        {
            ImportedPlacements out;
            QString error;
            QVERIFY(!PnPImport::readFile(PnPFormat(format), far, out, &error));
            QVERIFY2(error.startsWith(far + QStringLiteral(", line %1: ").arg(headLines + 2))
                    && error.contains(QLatin1String("must be finite and within")),
                qPrintable(error));
        }
        if (!memoryBoundsChecked)
            QSKIP("memory bounds are checked in builds without AddressSanitizer");
        writeFile(many, head + line.repeated(1000001));
        const qint64 bound = 16 * QFileInfo(many).size() + 256LL * 1024 * 1024;
        QVERIFY(runWithMemoryLimit(bound, [&] {
            QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
            ImportedPlacements out;
            QString error;
            return !PnPImport::readFile(PnPFormat(format), many, out, &error)
                && error.startsWith(many
                    + QStringLiteral(", line %1: the file holds 1000001 placements; at most "
                                     "1000000 are read")
                          .arg(headLines + 1000001));
        }));
    }
};

QTEST_GUILESS_MAIN(TstPnPBadInput)
#include "tst_pnpbadinput.moc"
