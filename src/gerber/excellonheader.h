#pragma once

#include "gerber/excellonformat.h"
#include "gerber/linelist.h"

#include <QStringList>

// What the header of a drill file says about its number format. CAD tools state it in their own
// ways: ";FILE_FORMAT=4:4", ";FORMAT={2:4/ absolute / inch / keep zeros}",
// "; Format  : 3.3 / Absolute / MM / Leading", "METRIC,TZ,000.000" or "INCH,LZ".
struct ExcellonHeaderFormat
{
    bool zerosStated = false;
    bool digitsStated = false;
    bool metric = false; // the header says METRIC (or M71) before the first hit
    ExcellonFormat format; // the stated parts; the rest as `fallback` gave them

    bool anyStated() const { return zerosStated || digitsStated; }
};

// Reads the lines before the first hit. Parts the header does not state keep the values of
// `fallback`, except that a metric file without stated digits takes Excellon's metric default
// 3.3. Later statements override earlier ones.
ExcellonHeaderFormat detectExcellonFormat(const LineList& lines, const ExcellonFormat& fallback = {});

// The format of the file at `path` as its header states it, `fallback` where it does not.
// False when the file cannot be read.
bool detectExcellonFormat(const QString& path, ExcellonFormat* format, const ExcellonFormat& fallback = {});

// The value of a command-line drill option: "auto" (take the format from the file's header, as
// `*fromHeader` then says) or "L,2,4"-style digits. False when it is neither.
bool readDrillOption(const QString& text, ExcellonFormat* format, bool* fromHeader);
