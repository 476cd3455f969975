#include "model/fileio.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

bool writeAtomically(const QString& path, const QByteArray& data, QString* error)
{
    auto fail = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(path, reason);
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("no file name"));
    if (QFileInfo(path).isDir())
        return fail(QStringLiteral("it is a folder"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(data) != data.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
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
} // namespace

bool readAll(const QString& path, QByteArray* data, QString* error)
{
    QFile file(path);
    if (!openForReading(file, error))
        return false;
    *data = file.readAll();
    return true;
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
