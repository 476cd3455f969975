#pragma once

#include "gerber/linelist.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class GerberLayer;

// Reads the Gerber file at `path` into `layer`, which the caller owns: its raw lines, file name and
// image; the layer becomes visible. True only when the reader reached "M02*". Otherwise `error`
// says why, naming the file and, when a block was refused, its line and text; what was read up
// to there stays in the layer (a caller that keeps only good layers drops it).
bool loadGerber(const QString& path, GerberLayer& layer, QString* error = nullptr);

// A file's bytes as the reader keeps them: lines split at "\n", trimmed at both ends, UTF-8.
// Lines beyond LineList::MaxBytes are dropped (the reading then ends without "M02*").
LineList gerberLinesFromBytes(QByteArray data);

// Runs the reader over `layer.rawLines`, adding to the layer. True only when "M02*" was reached;
// false when a block was rejected (reading stops there) or the lines end without "M02*", with
// the reason in `error` as loadGerber gives it.
bool parseGerber(GerberLayer& layer, QString* error = nullptr);
