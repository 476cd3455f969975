#pragma once

#include "gerber/linelist.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class GerberLayer;

// Reads the Gerber file at `path` into a new layer in `layers[slot]` (the list grows with empty
// layers up to the slot). The old layer of the slot is deleted; its colour is kept. Returns false
// when the file cannot be opened (slot unchanged) or when parseGerber fails. The caller marks the
// document modified and, on failure, replaces the slot's layer by a fresh one.
bool loadGerber(const QString& path, int slot, QList<GerberLayer*>& layers);

// A file's bytes as the reader keeps them: lines split at "\n", trimmed at both ends, UTF-8.
// Lines beyond LineList::MaxBytes are dropped (the reading then ends without "M02*").
LineList gerberLinesFromBytes(QByteArray data);

// Runs the reader over the raw lines of the layer in `slot`.
bool parseGerber(int slot, QList<GerberLayer*>& layers);

// Runs the reader over `layer.rawLines`, adding to the layer. True only when "M02*" was reached;
// false when a block was rejected (reading stops there) or the lines end without "M02*".
bool parseGerber(GerberLayer& layer);
