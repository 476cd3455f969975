#pragma once

#include "fab/fabfile.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// An entry of an archive that was left out, and why.
struct FabSkipped
{
    QString path;
    QString reason;
};

// Limits on what a package may hold; an archive past them is refused, not partly unpacked.
struct FabPackageLimits
{
    int maxEntries = 10000;
    qint64 maxTotalBytes = qint64(2) * 1024 * 1024 * 1024; // unpacked, all entries together
    double maxRatio = 1000.0; // unpacked to packed size of one entry
    qint64 ratioFloorBytes = 1024 * 1024; // smaller entries are never refused for their ratio
};

// The files of a fabrication package: a folder (walked with its subfolders) or a zip archive
// (unpacked into a temporary folder that lives as long as this object; nothing is written
// anywhere else). Each file is classified on opening.
class FabPackage
{
public:
    FabPackage();
    ~FabPackage();
    FabPackage(const FabPackage&) = delete;
    FabPackage& operator=(const FabPackage&) = delete;

    // False with the reason (naming the package, or the entry that broke a limit) when the package
    // cannot be read at all.
    bool open(const QString& path, QString* error, const FabPackageLimits& limits = {});

    // Every file, sorted by its path inside the package.
    const FabFiles& files() const { return m_files; }
    FabFiles& files() { return m_files; }
    // Entries left out, each with its reason (unsafe names, duplicates, unreadable entries).
    const QList<FabSkipped>& skipped() const { return m_skipped; }

    static bool isArchive(const QString& path);

private:
    bool openFolder(const QString& path, QString* error, const FabPackageLimits& limits);
    bool openZip(const QString& path, QString* error, const FabPackageLimits& limits);
    void addFile(const QString& inside, const QString& local);

    std::unique_ptr<QTemporaryDir> m_unpacked;
    FabFiles m_files;
    QList<FabSkipped> m_skipped;
};
