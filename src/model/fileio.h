#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

// The one error and file-writing convention of every reader and writer: a function returns a
// success flag and fills an error text that names the file and, where known, the line and the
// text that was refused. The warning boxes keep their fixed texts and show this as the reason.
namespace FileIo {

// "FILE: reason", or "FILE, line N: reason" for N > 0; with `offending` non-empty the refused
// text follows as ` in "TEXT"` (cut to 80 characters).
QString errorText(const QString& file, int line, const QString& reason, const QString& offending = {});

// Writes `data` to `path` through a temporary file beside it and renames it only when every
// byte is out, so a failure leaves the old file as it was. False with "Cannot write FILE: why".
bool writeAtomically(const QString& path, const QByteArray& data, QString* error);

// Replaces a configuration file and keeps its previous bytes in `backupPath`. Nothing is
// written when the file already holds `data` (so repeating a save never turns the backup
// into a copy of the new text); `withBackup` false leaves the backup alone.
bool replaceWithBackup(const QString& path, const QString& backupPath, const QByteArray& data, QString* error,
    bool withBackup = true);

// Reads the whole file; false with "Cannot read FILE: why" when it cannot be opened or is
// larger than maxReadBytes() (a pipe or device is read up to that size).
qint64 maxReadBytes();
bool readAll(const QString& path, QByteArray* data, QString* error);
// Reads the file a piece at a time, with readAll's checks and messages: each piece of at most
// pieceBytes bytes is appended to `buffer`, then `took` is called (and may take from the buffer).
bool readPieces(const QString& path, int pieceBytes, QByteArray& buffer, const std::function<void()>& took,
    QString* error);
// Opens the file for reading and closes it again: the same check and message as readAll.
bool checkReadable(const QString& path, QString* error);

// The folder of a chosen file, where the next file dialog starts ("/a/b" of "/a/b/board.gbr").
QString folderOf(const QString& path);

// The local files among dropped or pasted URLs, in their order (other URLs are left out).
QStringList localPaths(const QList<QUrl>& urls);

// The display name of a path: its last component ("board.gbr" of "/a/b/board.gbr").
QString fileName(const QString& path);

} // namespace FileIo
