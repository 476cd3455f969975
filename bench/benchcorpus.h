#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

// The corpus's Gerber folder next to the work tree (../shared/corpus), or under
// TESSAVRANT_CORPUS_DIR when that is set.
inline QString benchCorpusGerberDir()
{
    QString root = qEnvironmentVariable("TESSAVRANT_CORPUS_DIR");
    if (root.isEmpty())
        root = QFileInfo(QStringLiteral(__FILE__))
                   .absoluteDir()
                   .filePath(QStringLiteral("../../shared/corpus"));
    return QDir::cleanPath(root + QStringLiteral("/gerber"));
}
