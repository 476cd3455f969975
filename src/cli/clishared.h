#pragma once

#include "cli/clicommand.h"
#include "pnpio/pnpimport.h"

#include <QString>

class QImage;

// Pieces several tessavrant-cli commands share.
namespace CliShared {

// The centroid format names of --format: tessavrant, eagle, eagle-part, altium, altium-csv,
// target. False for any other text.
bool parsePnPFormat(const QString& text, PnPFormat& format);

// --drill: how drill files are read ("auto" or L|T,INT,DEC).
CliOption drillOption();
// --format, for the centroid files of `what`.
CliOption formatOption(const QString& what);

// Writes a PNG atomically (the old file stays when writing fails).
bool writePng(const QImage& image, const QString& path, QString* error);

// True when the file starts like an Excellon drill file rather than a Gerber file.
bool isDrillFile(const QString& path);

} // namespace CliShared
