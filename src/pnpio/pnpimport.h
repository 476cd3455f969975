#pragma once

#include "pnpio/importedplacement.h"

#include <QString>

class Document;
class QIODevice;

// The centroid layouts the importers read.
enum class PnPFormat
{
    Tessavrant,
    Eagle,
    EaglePart,
    Altium,
    AltiumCsv,
    Target,
    KiCad
};

// Answers of the import options dialog (loadPnP_dlp).
struct PnPImportOptions
{
    enum Side
    {
        Top = 0,
        Bottom = 1,
        NoChanges = 2
    };

    int side = NoChanges;
    bool add = false; // "Add": keep the entries already there; else "New" empties the sides

    // The dialog's defaults for a format: "No Changes" when the file gives sides, else "Top".
    static PnPImportOptions defaultsFor(PnPFormat format);
};

// The import frame around the readers: read the whole file, then prepare the side
// lists, hand every new entry to its side and mark the document modified. A file that
// cannot be read leaves the document exactly as it was.
class PnPImport
{
public:
    // False for Eagle MNT and Eagle PART, whose files do not say which side a part is on.
    static bool formatHasSide(PnPFormat format);

    // Runs the format's reader over device.
    static bool read(PnPFormat format, QIODevice& device, const QString& fileName, ImportedPlacements& out,
        QString* error);
    // Opens path read-only and runs the format's reader.
    static bool readFile(PnPFormat format, const QString& path, ImportedPlacements& out, QString* error);

    // Applies the options to placements already read: prepares the lists, appends the
    // entries with their side replaced as chosen, distributes them and marks modified.
    static void apply(
        Document& document, const ImportedPlacements& placements, const PnPImportOptions& options);

    // readFile, then apply on success. On failure the document is untouched.
    static bool importFile(Document& document, PnPFormat format, const QString& path,
        const PnPImportOptions& options, QString* error);
};
