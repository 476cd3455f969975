#include "model/fileio.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileIo {

QString errorText(const QString& file, int line, const QString& reason, const QString& offending)
{
    QString text = line > 0 ? QStringLiteral("%1, line %2: %3").arg(file).arg(line).arg(reason)
                            : QStringLiteral("%1: %2").arg(file, reason);
    if (!offending.isEmpty()) {
        constexpr int maxShown = 80;
        const QString shown
            = offending.size() > maxShown ? offending.left(maxShown) + QStringLiteral("...") : offending;
        text += QStringLiteral(" in \"%1\"").arg(shown);
    }
    return text;
}

namespace {

QString systemReason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// Writes every byte, going on after short writes and interrupted calls; errno on failure.
bool writeEverything(int fd, const QByteArray& data)
{
    const char* next = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const ssize_t done = ::write(fd, next, static_cast<size_t>(left));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            if (done == 0)
                errno = EIO;
            return false;
        }
        next += done;
        left -= done;
    }
    return true;
}

// A new name beside the target, created exclusively so no other file is ever truncated.
int createTemporary(const QByteArray& target, QByteArray* temporary)
{
    for (int attempt = 0;; ++attempt) {
        *temporary = target + ".tmp" + QByteArray::number(static_cast<qint64>(::getpid())) + '.'
            + QByteArray::number(attempt);
        const int fd = ::open(temporary->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST || attempt > 100)
            return fd;
    }
}

} // namespace

bool writeAtomically(const QString& path, const QByteArray& data, QString* error)
{
    auto fail = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(path, reason);
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("no file name"));

    // A link is followed so that its target is replaced and the link stays.
    QFileInfo info(path);
    const QString resolved = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
    const QByteArray target = QFile::encodeName(resolved);
    struct stat old;
    bool replacing = ::stat(target.constData(), &old) == 0;
    if (!replacing && errno != ENOENT)
        return fail(systemReason(errno));
    if (replacing && S_ISDIR(old.st_mode))
        return fail(QStringLiteral("it is a folder"));
    // A device, pipe or socket would be turned into a plain file by the rename.
    if (replacing && !S_ISREG(old.st_mode))
        return fail(QStringLiteral("it is not a regular file (a device, pipe or socket is never replaced)"));

    QByteArray temporary;
    const int fd = createTemporary(target, &temporary);
    if (fd < 0)
        return fail(systemReason(errno));
    auto discard = [&](int code) {
        ::unlink(temporary.constData());
        return fail(systemReason(code));
    };
    if (replacing)
        ::fchmod(fd, old.st_mode & 07777);
    // The data must be on the disk before the rename: a failed sync keeps the old file.
    if (!writeEverything(fd, data) || ::fsync(fd) != 0) {
        const int code = errno;
        ::close(fd);
        return discard(code);
    }
    if (::close(fd) != 0)
        return discard(errno);
    if (::rename(temporary.constData(), target.constData()) != 0)
        return discard(errno);

    // Make the rename itself durable; the file is already replaced, so this is best effort.
    const QByteArray folder = QFile::encodeName(QFileInfo(resolved).absolutePath());
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

bool replaceWithBackup(
    const QString& path, const QString& backupPath, const QByteArray& data, QString* error, bool withBackup)
{
    if (QFileInfo::exists(path)) {
        QByteArray old;
        if (!readAll(path, &old, error))
            return false;
        if (old == data)
            return true;
        if (withBackup && !writeAtomically(backupPath, old, error))
            return false;
    }
    return writeAtomically(path, data, error);
}

qint64 maxReadBytes()
{
    return 512LL * 1024 * 1024;
}

namespace {
bool openForReading(QFile& file, QString* error)
{
    const bool folder = QFileInfo(file.fileName()).isDir();
    if (!folder && file.open(QIODevice::ReadOnly))
        return true;
    if (error)
        *error = QStringLiteral("Cannot read %1: %2")
                     .arg(file.fileName(), folder ? QStringLiteral("it is a folder") : file.errorString());
    return false;
}

// A pipe or device may never end, and no real input comes near this size: a file that asks for
// more is refused instead of filling the memory.
bool withinReadLimit(const QFile& file, QString* error)
{
    if (file.isSequential() || file.size() <= maxReadBytes())
        return true;
    if (error)
        *error = QStringLiteral("Cannot read %1: it holds %2 bytes; at most %3 are read")
                     .arg(file.fileName())
                     .arg(file.size())
                     .arg(maxReadBytes());
    return false;
}

bool tooMuchRead(const QString& path, QString* error)
{
    if (error)
        *error = QStringLiteral("Cannot read %1: it gives more than %2 bytes; at most %2 are read")
                     .arg(path)
                     .arg(maxReadBytes());
    return false;
}

bool readFailed(const QFile& file, const QString& path, QString* error)
{
    if (file.error() == QFileDevice::NoError)
        return false;
    if (error)
        *error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
    return true;
}
} // namespace

bool readAll(const QString& path, QByteArray* data, QString* error)
{
    QFile file(path);
    if (!openForReading(file, error) || !withinReadLimit(file, error))
        return false;
    const qint64 maxBytes = maxReadBytes();
    if (!file.isSequential()) {
        *data = file.readAll();
    } else {
        data->clear();
        while (!file.atEnd() && data->size() <= maxBytes) {
            const QByteArray chunk = file.read(1 << 20);
            if (chunk.isEmpty())
                break;
            *data += chunk;
        }
    }
    if (data->size() > maxBytes) {
        data->clear();
        return tooMuchRead(path, error);
    }
    return !readFailed(file, path, error);
}

bool readPieces(const QString& path, int pieceBytes, QByteArray& buffer, const std::function<void()>& took,
    QString* error)
{
    QFile file(path);
    if (!openForReading(file, error) || !withinReadLimit(file, error))
        return false;
    qint64 total = 0;
    for (;;) {
        const int kept = buffer.size();
        buffer.resize(kept + pieceBytes);
        const qint64 got = file.read(buffer.data() + kept, pieceBytes);
        buffer.resize(kept + int(qMax<qint64>(got, 0)));
        if (got <= 0)
            break;
        total += got;
        if (total > maxReadBytes())
            return tooMuchRead(path, error);
        took();
    }
    return !readFailed(file, path, error);
}

bool checkReadable(const QString& path, QString* error)
{
    QFile file(path);
    return openForReading(file, error);
}

QString folderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

QStringList localPaths(const QList<QUrl>& urls)
{
    QStringList paths;
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

QString fileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace FileIo
