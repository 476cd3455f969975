#include "fab/fabpackage.h"

#include "fab/fabassignment.h"
#include "fab/fabclassifier.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <algorithm>
#include <zip.h>

namespace {

// Enough of a file to find its attributes and tell its content.
constexpr qint64 headBytes = 64 * 1024;

QByteArray readHead(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(headBytes) : QByteArray();
}

// The entry name as a relative path with "/" separators, or empty when it is unsafe: absolute,
// a drive letter, or a ".." part that could reach outside the unpacking folder.
QString safeEntryName(const QString& raw)
{
    QString name = raw;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.startsWith(QLatin1Char('/')) || (name.size() > 1 && name.at(1) == QLatin1Char(':')))
        return QString();
    QStringList parts;
    for (const QString& part : name.split(QLatin1Char('/'), QString::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            return QString();
        if (part != QLatin1String("."))
            parts << part;
    }
    return parts.join(QLatin1Char('/'));
}

struct ZipCloser
{
    void operator()(zip_t* z) const { zip_discard(z); }
};

} // namespace

FabPackage::FabPackage() = default;
FabPackage::~FabPackage() = default;

bool FabPackage::isArchive(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("zip"), Qt::CaseInsensitive) == 0;
}

bool FabPackage::open(const QString& path, QString* error, const FabPackageLimits& limits)
{
    m_files.clear();
    m_skipped.clear();
    m_unpacked.reset();
    const QFileInfo info(path);
    bool ok = false;
    if (info.isDir())
        ok = openFolder(path, error, limits);
    else if (info.isFile())
        ok = openZip(path, error, limits);
    else if (error)
        *error = QStringLiteral("%1: no such folder or file").arg(path);
    if (!ok) {
        m_files.clear();
        return false;
    }
    std::sort(m_files.begin(), m_files.end(), [](const FabFile& a, const FabFile& b) {
        return QString::compare(a.path, b.path, Qt::CaseInsensitive) < 0;
    });
    FabAssignment::resolve(m_files);
    return true;
}

void FabPackage::addFile(const QString& inside, const QString& local)
{
    FabFile file;
    file.path = inside;
    file.localPath = local;
    FabClassifier::classify(file, readHead(local));
    m_files << file;
}

bool FabPackage::openFolder(const QString& path, QString* error, const FabPackageLimits& limits)
{
    const QDir root(QFileInfo(path).absoluteFilePath());
    QDirIterator it(root.absolutePath(), QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString local = it.next();
        if (m_files.size() >= limits.maxEntries) {
            if (error)
                *error = QStringLiteral("%1: more than %2 files").arg(path).arg(limits.maxEntries);
            return false;
        }
        addFile(root.relativeFilePath(local), local);
    }
    return true;
}

bool FabPackage::openZip(const QString& path, QString* error, const FabPackageLimits& limits)
{
    auto fail = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, reason);
        return false;
    };
    int code = 0;
    std::unique_ptr<zip_t, ZipCloser> archive(
        zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code));
    if (!archive) {
        zip_error_t e;
        zip_error_init_with_code(&e, code);
        const QString reason = QString::fromLocal8Bit(zip_error_strerror(&e));
        zip_error_fini(&e);
        return fail(QStringLiteral("not a readable zip archive (%1)").arg(reason));
    }
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0 || count > limits.maxEntries)
        return fail(QStringLiteral("%1 entries, more than %2").arg(count).arg(limits.maxEntries));

    // First the whole directory against the limits, so that a refused archive unpacks nothing.
    struct Entry
    {
        zip_uint64_t index;
        QString name;
        qint64 size;
    };
    QVector<Entry> entries;
    QSet<QString> seen;
    qint64 total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME)) {
            m_skipped.append({ QStringLiteral("entry %1").arg(i), QStringLiteral("unreadable") });
            continue;
        }
        const QString raw = QString::fromUtf8(st.name);
        if (raw.endsWith(QLatin1Char('/')))
            continue; // a folder
        const QString name = safeEntryName(raw);
        if (name.isEmpty()) {
            m_skipped.append({ raw, QStringLiteral("unsafe name (absolute or \"..\"), left out") });
            continue;
        }
        if (seen.contains(name.toLower())) {
            m_skipped.append({ raw, QStringLiteral("duplicate name, the first one is kept") });
            continue;
        }
        seen.insert(name.toLower());
        const qint64 size
            = (st.valid & ZIP_STAT_SIZE) ? qint64(qMin<zip_uint64_t>(st.size, zip_uint64_t(1) << 62)) : 0;
        const qint64 packed = (st.valid & ZIP_STAT_COMP_SIZE)
            ? qint64(qMin<zip_uint64_t>(st.comp_size, zip_uint64_t(1) << 62))
            : 0;
        if (size > limits.ratioFloorBytes && double(size) > limits.maxRatio * double(qMax<qint64>(packed, 1)))
            return fail(QStringLiteral("entry %1 unpacks %2 times its packed size (a zip bomb?), refused")
                            .arg(raw)
                            .arg(qint64(double(size) / double(qMax<qint64>(packed, 1)))));
        total += size;
        if (size > limits.maxTotalBytes || total > limits.maxTotalBytes)
            return fail(QStringLiteral("entry %1 takes the unpacked size past %2 bytes, refused")
                            .arg(raw)
                            .arg(limits.maxTotalBytes));
        entries.append({ zip_uint64_t(i), name, size });
    }

    m_unpacked = std::make_unique<QTemporaryDir>();
    if (!m_unpacked->isValid())
        return fail(QStringLiteral("no temporary folder to unpack into"));
    const QString base = QDir(m_unpacked->path()).canonicalPath();
    for (const Entry& e : qAsConst(entries)) {
        const QString local = base + QLatin1Char('/') + e.name;
        if (!QDir::cleanPath(local).startsWith(base + QLatin1Char('/'))
            || !QDir().mkpath(QFileInfo(local).absolutePath())) {
            m_skipped.append({ e.name, QStringLiteral("cannot be unpacked") });
            continue;
        }
        zip_file_t* in = zip_fopen_index(archive.get(), e.index, 0);
        QFile out(local);
        if (!in || !out.open(QIODevice::WriteOnly)) {
            if (in)
                zip_fclose(in);
            m_skipped.append({ e.name, QStringLiteral("cannot be unpacked") });
            continue;
        }
        // Never more than the directory promised: a lying size cannot fill the disk.
        QByteArray buffer(64 * 1024, Qt::Uninitialized);
        qint64 written = 0;
        bool good = true;
        for (;;) {
            const zip_int64_t n = zip_fread(in, buffer.data(), zip_uint64_t(buffer.size()));
            if (n < 0) {
                good = false;
                break;
            }
            if (n == 0)
                break;
            written += n;
            if (written > e.size || out.write(buffer.constData(), n) != n) {
                good = false;
                break;
            }
        }
        zip_fclose(in);
        out.close();
        if (!good) {
            QFile::remove(local);
            m_skipped.append({ e.name, QStringLiteral("damaged entry, left out") });
            continue;
        }
        addFile(e.name, local);
    }
    return true;
}
