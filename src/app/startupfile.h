#pragma once

#include "pnpio/pnpimport.h"

#include <QString>

// What a file named on the command line is, decided before anything is loaded.
struct StartupFile
{
    enum Kind
    {
        None, // no argument, or it names nothing readable as a file
        Project, // a .tvx project, opened by the first timer tick
        Drill, // an Excellon file (a line "M48" before the end)
        Placements, // a centroid file whose name says its layout: .mnt, .mnb (Eagle), .pos (KiCad)
        Gerber // anything else
    };
    Kind kind = None;
    QString path; // the "/" form of the argument when that names the file
    // For Placements: the reader and the side the file's name gives (an Eagle .mnb is the bottom).
    PnPFormat format = PnPFormat::Tessavrant;
    PnPImportOptions options;
};

// Classifies the first command-line argument. A missing path or a folder gives None;
// an unreadable file is still classified so that its import fails with the usual message.
StartupFile classifyStartupFile(const QString& argument);

// True when a trimmed line equal to "M48" comes before the end of the file.
bool looksLikeExcellon(const QString& path);
