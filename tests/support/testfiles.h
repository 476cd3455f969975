#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

// A file's bytes, or "<missing>" when it cannot be read (so a comparison names the problem).
inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Writes the bytes to a file (making its folder); the path, or an empty one when it cannot be written.
inline QString writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size() ? path : QString();
}

inline QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& data)
{
    return writeFile(dir.filePath(name), data);
}
