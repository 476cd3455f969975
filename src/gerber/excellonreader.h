#pragma once

#include "gerber/excellonformat.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

class GerberLayer;

// Excellon drill files read into the layer model: each tool an aperture named after the
// tool number, each hit a flash, each G85 slot a set of strokes, and each routed path (G00 moves,
// then G01 straight and G02/G03 arc cuts until G05) a move followed by draws. The number format
// comes from the caller (the import dialog or a stored project), not from the file.

// Stores the format in the layer: both axes get the same digits.
void applyExcellonFormat(GerberLayer& layer, const ExcellonFormat& format);
ExcellonFormat excellonFormatOf(const GerberLayer& layer);

// The file's lines, trimmed and decoded as UTF-8. False when the file cannot be opened.
bool readExcellonLines(const QString& path, QStringList* lines);

// Puts a fresh empty drill layer into layers[slot] (the list grows with empty layers up to the
// slot; the old layer is deleted): coloured `colour` so that holes look like holes, visible,
// named after the file. Returns the new layer.
GerberLayer* replaceWithDrillLayer(
    int slot, QList<GerberLayer*>& layers, const QColor& colour, const QString& path);

// Non-interactive load: replaces the slot's layer, reads the file with `format`. False when the
// file cannot be opened or parseExcellon fails.
bool loadExcellon(const QString& path, int slot, QList<GerberLayer*>& layers, const QColor& colour,
    const ExcellonFormat& format);

// One pass over the Excellon lines of the layer in `slot` (or of `layer`), adding tools and
// hits. True at "M30" or at the end of the lines; false when a hit comes without a tool or a
// tool is selected that was never defined. What was read before a stop stays in the layer.
bool parseExcellon(int slot, QList<GerberLayer*>& layers);
bool parseExcellon(GerberLayer& layer);

// True when one of the first non-empty lines of `head` (the start of a file) begins with "M48",
// the mark of an Excellon header.
bool looksLikeExcellon(const QByteArray& head);
