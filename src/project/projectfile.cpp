#include "project/projectfile.h"

namespace {
QString formatMissing()
{
    return QStringLiteral("the project file format is not available in this version");
}
} // namespace

bool readProject(const QString&, Document&, QString& error)
{
    error = formatMissing();
    return false;
}

bool writeProject(const QString&, const Document&, QString& error)
{
    error = formatMissing();
    return false;
}
