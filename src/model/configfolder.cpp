#include "model/configfolder.h"

#include <QDir>
#include <QStandardPaths>

namespace ConfigFolder {

QString path()
{
    const QString overridden = qEnvironmentVariable(environmentVariable);
    if (!overridden.trimmed().isEmpty())
        return QDir::fromNativeSeparators(overridden.trimmed());
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
        + QStringLiteral("/Tessavrant");
}

QString file(const QString& name)
{
    return path() + QLatin1Char('/') + name;
}

bool ensureExists()
{
    const QString folder = path();
    return QDir(folder).exists() || QDir().mkpath(folder);
}

} // namespace ConfigFolder
