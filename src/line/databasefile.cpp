#include "line/databasefile.h"

#include "line/partdatabase.h"
#include "line/partdbedit.h"
#include "model/fileio.h"

#include <QFileInfo>

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

bool DatabaseFile::writeBackup(QString* error) const
{
    // The first save of a new database has nothing to back up.
    if (!QFileInfo::exists(path()))
        return true;
    QByteArray old;
    return FileIo::readAll(path(), &old, error) && FileIo::writeAtomically(backupPath(), old, error);
}

bool DatabaseFile::save(const QStringList& lines, QString* error)
{
    const bool ok = (m_failed || writeBackup(error))
        && FileIo::writeAtomically(path(), PartDbEditor::serialize(lines), error);
    if (!ok)
        m_failed = true;
    return ok;
}
