#pragma once

#include <QString>
#include <QStringList>

// Saves database.cfg in a folder: a byte copy of the file as it was goes to database.bkp
// first, then the new lines replace database.cfg atomically; a save that changes no byte
// writes nothing. After a failed save the backup
// is the only copy known to be good, so later saves of the same session leave it alone.
class DatabaseFile
{
public:
    explicit DatabaseFile(const QString& folder);

    QString path() const;
    QString backupPath() const;

    // False with the reason when the backup or the file could not be written; the file is
    // then as it was.
    bool save(const QStringList& lines, QString* error = nullptr);
    bool lastSaveFailed() const { return m_failed; }

    // The warning text of a failed save.
    static QString failureText();

private:
    QString m_folder;
    bool m_failed = false;
};
