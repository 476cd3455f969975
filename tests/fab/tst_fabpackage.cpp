#include "datatable.h"
#include "fab/fabpackage.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <zip.h>

namespace {

struct Entry
{
    QString name;
    QByteArray data;
};

} // namespace

Q_DECLARE_METATYPE(Entry)

namespace {

// Writes a zip archive with libzip; entries past a kilobyte are deflated.
bool writeZip(const QString& path, const QVector<Entry>& entries)
{
    int code = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z)
        return false;
    for (const Entry& e : entries) {
        zip_source_t* s = zip_source_buffer(z, e.data.constData(), zip_uint64_t(e.data.size()), 0);
        const zip_int64_t i = zip_file_add(z, e.name.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8);
        if (i < 0) {
            zip_source_free(s);
            zip_discard(z);
            return false;
        }
        zip_set_file_compression(z, zip_uint64_t(i), e.data.size() > 1024 ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 9);
    }
    return zip_close(z) == 0;
}

QStringList paths(const FabPackage& p)
{
    QStringList out;
    for (const FabFile& f : p.files())
        out << f.path;
    return out;
}

const QByteArray gerber
    = "%TF.FileFunction,Copper,L1,Top*%\n%FSLAX46Y46*%\n%MOMM*%\n%ADD10C,0.1*%\nD10*\nX0Y0D03*\nM02*\n";

} // namespace

// Archives opened as packages: what is read, what is refused, and that nothing lands outside the
// temporary folder, whatever the archive holds.
class TstFabPackage : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    // The package unpacks under the temporary folder, whose entries the refusals count: a folder
    // of this test's own, so tests running beside it cannot change the count.
    QTemporaryDir temp;

private slots:
    void initTestCase() { qputenv("TMPDIR", QFile::encodeName(temp.path())); }

    void archiveEntries_data()
    {
        columns<QVector<Entry>, QStringList, QStringList>("entries", "read", "skipped");
        row("nested folders",
            QVector<Entry> {
                { "gerber/top/b.gtl", gerber }, { "gerber/", {} }, { "drill/b.drl", "M48\n%\nM30\n" } },
            QStringList { "drill/b.drl", "gerber/top/b.gtl" }, QStringList {});
        row("names that climb out or start at the root",
            QVector<Entry> { { "../../fab-escape.gtl", gerber }, { "a/../../fab-escape2.gtl", gerber },
                { "/tmp/fab-escape3.gtl", gerber }, { "C:\\fab-escape4.gtl", gerber },
                { "./ok.gtl", gerber } },
            QStringList { "ok.gtl" },
            QStringList { "../../fab-escape.gtl", "a/../../fab-escape2.gtl", "/tmp/fab-escape3.gtl",
                "C:\\fab-escape4.gtl" });
        row("duplicates keep the first",
            QVector<Entry> {
                { "b.gtl", gerber }, { "B.GTL", "second" }, { "x/./b.gtl", gerber }, { "x/b.gtl", "third" } },
            QStringList { "b.gtl", "x/b.gtl" }, QStringList { "B.GTL", "x/b.gtl" });
    }
    void archiveEntries()
    {
        QFETCH(QVector<Entry>, entries);
        const QString zip = dir.filePath(QStringLiteral("p%1.zip").arg(QTest::currentDataTag()).remove(' '));
        QVERIFY(writeZip(zip, entries));
        QString unpackedAt;
        {
            FabPackage package;
            QString error;
            QVERIFY2(package.open(zip, &error), qPrintable(error));
            QTEST(paths(package), "read");
            QStringList left;
            for (const FabSkipped& s : package.skipped())
                left << s.path;
            QTEST(left, "skipped");
            for (const FabFile& f : package.files()) {
                QVERIFY(QFile::exists(f.localPath));
                unpackedAt = QFileInfo(f.localPath).absolutePath();
            }
            if (QTest::currentDataTag() == QByteArray("duplicates keep the first"))
                QCOMPARE(package.files().first().slot, 0); // the first b.gtl, not "second"
        }
        // Nothing beside the archive or in the temporary root, and the unpacked copy is gone.
        for (const char* escaped :
            { "fab-escape.gtl", "fab-escape2.gtl", "fab-escape3.gtl", "fab-escape4.gtl" }) {
            for (const QString& folder :
                QStringList { dir.path(), QDir::tempPath(), QDir::tempPath() + "/.." })
                QVERIFY2(!QFile::exists(folder + '/' + escaped), escaped);
        }
        QVERIFY(unpackedAt.isEmpty() || !QFileInfo::exists(unpackedAt));
    }

    void refusedArchives_data()
    {
        columns<QVector<Entry>, qint64, QString>("entries", "totalLimit", "reason");
        QVector<Entry> many;
        for (int i = 0; i <= 10000; ++i) // the default limit
            many.append({ QStringLiteral("d%1/f%2.gbr").arg(i % 50).arg(i), "x" });
        row("more than 10 000 entries", many, qint64(0), "10001 entries, more than 10000");
        // Deflate packs 64 MB of zeros about 1030 times.
        row("zip bomb", QVector<Entry> { { "b.gtl", gerber }, { "bomb.gbr", QByteArray(64 << 20, '\0') } },
            qint64(0), "entry bomb.gbr unpacks");
        row("unpacked size",
            QVector<Entry> { { "a.gbr", QByteArray(4000, 'a') }, { "b.gbr", QByteArray(4000, 'b') } },
            qint64(6000), "entry b.gbr takes the unpacked size past 6000 bytes");
        row("not a zip", QVector<Entry> {}, qint64(-1), "not a readable zip archive");
    }
    void refusedArchives()
    {
        QFETCH(QVector<Entry>, entries);
        QFETCH(qint64, totalLimit);
        const QString zip = dir.filePath(QStringLiteral("r%1.zip").arg(QTest::currentDataTag()).remove(' '));
        if (totalLimit < 0)
            writeFile(zip, "PK\x03\x04 truncated");
        else
            QVERIFY(writeZip(zip, entries));
        FabPackageLimits limits;
        if (totalLimit > 0)
            limits.maxTotalBytes = totalLimit;
        const int tempEntries = QDir::temp().entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size();
        FabPackage package;
        QString error;
        QVERIFY(!package.open(zip, &error, limits));
        QFETCH(QString, reason);
        QVERIFY2(error.startsWith(zip) && error.contains(reason), qPrintable(error));
        QVERIFY(package.files().isEmpty());
        // A refused archive unpacks nothing.
        QCOMPARE(QDir::temp().entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), tempEntries);
    }

    void thousandsOfEntriesAreRead()
    {
        QVector<Entry> entries;
        for (int i = 0; i < 2000; ++i)
            entries.append({ QStringLiteral("a/b/c%1/f%2.txt").arg(i % 7).arg(i), QByteArray::number(i) });
        const QString zip = dir.filePath("many.zip");
        QVERIFY(writeZip(zip, entries));
        FabPackage package;
        QVERIFY(package.open(zip, nullptr));
        QCOMPARE(package.files().size(), 2000);
        QCOMPARE(package.files().first().reason, QStringLiteral("not a Gerber, drill or centroid file"));
    }
};

QTEST_GUILESS_MAIN(TstFabPackage)
#include "tst_fabpackage.moc"
