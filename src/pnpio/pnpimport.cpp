#include "pnpio/pnpimport.h"

#include "model/document.h"
#include "model/fileio.h"
#include "model/pnpentry.h"
#include "pnpio/altiumcsvreader.h"
#include "pnpio/altiumreader.h"
#include "pnpio/eaglemntreader.h"
#include "pnpio/eaglepartreader.h"
#include "pnpio/kicadreader.h"
#include "pnpio/owncsvreader.h"
#include "pnpio/pnptext.h"
#include "pnpio/targetreader.h"

#include <QFile>

PnPImportOptions PnPImportOptions::defaultsFor(PnPFormat format)
{
    PnPImportOptions options;
    options.side = PnPImport::formatHasSide(format) ? NoChanges : Top;
    return options;
}

bool PnPImport::formatHasSide(PnPFormat format)
{
    return format != PnPFormat::Eagle && format != PnPFormat::EaglePart;
}

namespace {

// More placements than any board has; each costs memory in every list and table after it.
constexpr int maxPlacements = 1000000;

bool runReader(
    PnPFormat format, QIODevice& device, const QString& fileName, ImportedPlacements& out, QString* error)
{
    switch (format) {
    case PnPFormat::Tessavrant:
        return OwnCsvReader::read(device, fileName, out, error);
    case PnPFormat::Eagle:
        return EagleMntReader::read(device, fileName, out, error);
    case PnPFormat::EaglePart:
        return EaglePartReader::read(device, fileName, out, error);
    case PnPFormat::Altium:
        return AltiumReader::read(device, fileName, out, error);
    case PnPFormat::AltiumCsv:
        return AltiumCsvReader::read(device, fileName, out, error);
    case PnPFormat::Target:
        return TargetReader::read(device, fileName, out, error);
    case PnPFormat::KiCad:
        return KiCadReader::read(device, fileName, out, error);
    }
    return false;
}

// Every reader's placements pass here: values no board has and more placements than any
// board has are refused with the line they stand in.
bool checkPlacements(const QString& fileName, const ImportedPlacements& placements, QString* error)
{
    if (placements.size() > maxPlacements) {
        if (error)
            *error = FileIo::errorText(fileName, placements.at(maxPlacements).line,
                QStringLiteral("the file holds %1 placements; at most %2 are read")
                    .arg(placements.size())
                    .arg(maxPlacements));
        return false;
    }
    for (const ImportedPlacement& p : placements) {
        const QString refusal = PnPText::valueRefusal(p.x, p.y, p.rotation);
        if (!refusal.isEmpty()) {
            if (error)
                *error = FileIo::errorText(fileName, p.line, refusal);
            return false;
        }
    }
    return true;
}

} // namespace

bool PnPImport::read(
    PnPFormat format, QIODevice& device, const QString& fileName, ImportedPlacements& out, QString* error)
{
    const int before = out.size();
    if (!runReader(format, device, fileName, out, error))
        return false;
    if (checkPlacements(fileName, out.mid(before), error))
        return true;
    out.resize(before);
    return false;
}

bool PnPImport::readFile(PnPFormat format, const QString& path, ImportedPlacements& out, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = FileIo::errorText(path, 0, QStringLiteral("cannot open: ") + file.errorString());
        return false;
    }
    return read(format, file, path, out, error);
}

void PnPImport::apply(
    Document& document, const ImportedPlacements& placements, const PnPImportOptions& options)
{
    const bool add = options.add;
    QList<PnPEntry*> entries;
    entries.reserve(placements.size());
    for (const ImportedPlacement& p : placements) {
        QString side = p.side;
        if (options.side == PnPImportOptions::Top)
            side = QStringLiteral("top");
        else if (options.side == PnPImportOptions::Bottom)
            side = QStringLiteral("bottom");
        entries.append(
            new PnPEntry(p.refDes, p.name, p.x, p.y, side, p.rotation, p.value, p.exec, p.comment, 1));
    }
    document.importEntries(entries, !add && options.side != PnPImportOptions::Bottom,
        !add && options.side != PnPImportOptions::Top);
}

bool PnPImport::importFile(Document& document, PnPFormat format, const QString& path,
    const PnPImportOptions& options, QString* error)
{
    ImportedPlacements placements;
    if (!readFile(format, path, placements, error))
        return false;
    apply(document, placements, options);
    return true;
}
