#pragma once

#include <QFile>
#include <QString>

// The folder of real CAD files the corpus tests read: TESSAVRANT_CORPUS_DIR from the environment
// when set (an empty folder there shows what a machine without the corpus reports), else the
// folder the build found beside the work tree.
inline QString corpusRoot()
{
    return qEnvironmentVariable("TESSAVRANT_CORPUS_DIR", QStringLiteral(TESSAVRANT_CORPUS_DIR));
}

// True when the named part of the corpus ("gerber", "pnp") is there with its manifest.
inline bool corpusPresent(const QString& part)
{
    return QFile::exists(corpusRoot() + QLatin1Char('/') + part + QStringLiteral("/MANIFEST.tsv"));
}
