#pragma once

#include "gerber/excellonformat.h"
#include "gerber/linelist.h"

#include <QByteArray>
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

// The file's lines, trimmed and decoded as UTF-8. False with the reason when it cannot be read.
bool readExcellonLines(const QString& path, LineList* lines, QString* error = nullptr);

// Reads the drill file at `path` into `layer` (owned by the caller, which also gives it its
// colour) with `format`: lines, file name, image; the layer becomes visible. False when the file
// cannot be read or the reader stops, with the reason naming the file and line in `error`.
bool loadExcellon(
    const QString& path, GerberLayer& layer, const ExcellonFormat& format, QString* error = nullptr);
// The same with the file's lines already read (the import reads them first to find the format).
bool readExcellonInto(GerberLayer& layer, const QString& path, const LineList& lines,
    const ExcellonFormat& format, QString* error = nullptr);

// One pass over the Excellon lines of `layer`, adding tools and hits. True at "M30" or at the end
// of the lines; false when a hit comes without a tool or a tool is selected that was never
// defined. What was read before a stop stays in the layer.
bool parseExcellon(GerberLayer& layer, QString* error = nullptr);

// True when `head` (the start of a file) is drill data: one of its first non-empty lines begins
// with "M48", the mark of an Excellon header, or, for a file without header, it selects tools
// ("T1") and drills hits ("X...Y...") and holds no line with a Gerber block's "*".
bool looksLikeExcellon(const QByteArray& head);
