#include "line/databasefile.h"

#include "line/partdatabase.h"
#include "line/partdbedit.h"
#include "model/fileio.h"

DatabaseFile::DatabaseFile(const QString& folder)
    : m_folder(folder)
{ }

QString DatabaseFile::path() const
{
    return m_folder + QLatin1Char('/') + PartDatabase::fileName;
}

QString DatabaseFile::backupPath() const
{
    return m_folder + QLatin1Char('/') + PartDatabase::backupName;
}

QString DatabaseFile::failureText()
{
    return QStringLiteral(
        "An error occured while writing the file. Please remove your 'database.cfg' and rename "
        "your 'database.bkp' to 'database.cfg' to restore your old data.");
}

bool DatabaseFile::save(const QStringList& lines, QString* error)
{
    const bool ok
        = FileIo::replaceWithBackup(path(), backupPath(), PartDbEditor::serialize(lines), error, !m_failed);
    if (!ok)
        m_failed = true;
    return ok;
}
