#include "fab/fabload.h"

#include "fab/fabassignment.h"
#include "fab/x3components.h"
#include "gerber/drillfit.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/layerset.h"
#include "model/document.h"
#include "view/layerbounds.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <cmath>

namespace {

// "T3", "T03C0.8", "T3F200S55": the tool number and where it ends; -1 for other lines.
int toolNumber(const QString& line, int* end)
{
    if (line.size() < 2 || line.at(0) != QLatin1Char('T') || !line.at(1).isDigit())
        return -1;
    int i = 1;
    while (i < line.size() && line.at(i).isDigit() && i < 9)
        ++i;
    *end = i;
    return line.midRef(1, i - 1).toInt();
}

std::unique_ptr<GerberLayer> readDrills(const QList<const FabFile*>& group, int slot, QString* error)
{
    QList<QStringList> programs;
    for (const FabFile* f : group) {
        LineList lines;
        if (!readExcellonLines(f->localPath, &lines, error))
            return nullptr;
        programs << lines;
    }
    auto layer = std::make_unique<GerberLayer>(slot);
    const FabFile& first = *group.first();
    const QStringList lines = programs.size() == 1 ? programs.first() : FabLoad::mergeDrillLines(programs);
    if (!readExcellonInto(*layer, first.localPath, lines, first.drillFormat, error))
        return nullptr;
    return layer;
}

// Drill files that do not state their format reliably can land their holes off the board; a
// common format that puts them on it is taken instead (the drill import dialog asks the same).
void checkDrillFit(FabLoadResult& result, const QList<const FabFile*>& drillFiles)
{
    for (FabLayer& drill : result.layers) {
        if (drill.slot != slotIndex(LayerSlot::Drill) || drill.layer->excellonLines.isEmpty())
            continue;
        QList<GerberLayer*> copper;
        for (const FabLayer& l : result.layers)
            if (l.top == drill.top && l.slot != drill.slot)
                copper << l.layer.get();
        const DrillFit fit = DrillFit::check(*drill.layer, LayerBounds::copperExtentMm(copper));
        if (fit.fits())
            continue;
        const FabFile* file = nullptr;
        for (const FabFile* f : drillFiles)
            if (f->path == drill.path)
                file = f;
        auto refit = std::make_unique<GerberLayer>(drill.slot);
        if (file && fit.hasFitting
            && readExcellonInto(*refit, file->localPath, drill.layer->excellonLines, fit.fitting.format)) {
            drill.layer = std::move(refit);
            result.messages << QStringLiteral(
                "%1: %2 of %3 holes lay off the board as the header states the format; "
                "read as %4")
                                   .arg(drill.path)
                                   .arg(fit.outside)
                                   .arg(fit.holes)
                                   .arg(fit.fitting.text());
        } else {
            result.messages << QStringLiteral("%1: %2 of %3 holes lie off the board; check the drill format")
                                   .arg(drill.path)
                                   .arg(fit.outside)
                                   .arg(fit.holes);
        }
    }
}

} // namespace

namespace FabLoad {

QStringList mergeDrillLines(const QList<QStringList>& programs)
{
    QStringList out;
    int offset = 0;
    for (const QStringList& program : programs) {
        int highest = 0;
        for (const QString& line : program) {
            if (line == QLatin1String("M30"))
                continue; // the end of the program only after the last file
            int end = 0;
            const int n = toolNumber(line, &end);
            if (n > 0) {
                highest = qMax(highest, n);
                out << QLatin1Char('T') + QString::number(n + offset) + line.mid(end);
            } else {
                out << line;
            }
        }
        offset += highest;
    }
    out << QStringLiteral("M30");
    return out;
}

FabLoadResult read(const FabFiles& files)
{
    FabLoadResult result;
    // Files for each side and slot, in the package's order; plated drill files first.
    QVector<QList<const FabFile*>> groups(2 * layerSlotCount);
    for (const FabFile& f : files) {
        if (!f.placed() || f.content == FabContent::Centroid)
            continue;
        for (bool top : { true, false }) {
            if (f.side != FabSide::Both && (f.side == FabSide::Top) != top)
                continue;
            QList<const FabFile*>& g = groups[(top ? 0 : layerSlotCount) + f.slot];
            if (f.content == FabContent::Drill && !f.nonPlated) {
                int at = 0;
                while (at < g.size() && !g.at(at)->nonPlated)
                    ++at;
                g.insert(at, &f);
            } else {
                g << &f;
            }
        }
    }
    for (int key = 0; key < groups.size(); ++key) {
        QList<const FabFile*> group = groups.at(key);
        if (group.isEmpty())
            continue;
        const bool top = key < layerSlotCount;
        const int slot = key % layerSlotCount;
        QList<const FabFile*> drills;
        for (const FabFile* f : group)
            if (f->content == FabContent::Drill)
                drills << f;
        QString error;
        std::unique_ptr<GerberLayer> layer;
        QString path = group.first()->path;
        if (!drills.isEmpty() && drills.first() == group.first()) {
            layer = readDrills(drills, slot, &error);
            for (const FabFile* f : group)
                if (f->content != FabContent::Drill)
                    result.messages << QStringLiteral("%1 not loaded: the %2 slot of the %3 side holds %4")
                                           .arg(f->path, QString::number(slot),
                                               top ? QStringLiteral("top") : QStringLiteral("bottom"), path);
        } else {
            layer = std::make_unique<GerberLayer>(slot);
            if (!loadGerber(group.first()->localPath, *layer, &error))
                layer.reset();
            for (int i = 1; i < group.size(); ++i)
                result.messages << QStringLiteral("%1 not loaded: the %2 slot of the %3 side holds %4")
                                       .arg(group.at(i)->path, QString::number(slot),
                                           top ? QStringLiteral("top") : QStringLiteral("bottom"), path);
        }
        if (!layer) {
            result.messages << error;
            continue;
        }
        result.layers.push_back({ top, slot, path, std::move(layer) });
    }

    QList<const FabFile*> drillFiles;
    for (const FabFile& f : files)
        if (f.content == FabContent::Drill)
            drillFiles << &f;
    checkDrillFit(result, drillFiles);

    ImportedPlacements centroid;
    ImportedPlacements x3;
    bool haveCentroid = false;
    for (const FabFile& f : files) {
        QString error;
        if (FabAssignment::usesPlacements(f)) {
            ImportedPlacements read;
            if (!PnPImport::readFile(f.centroidFormat, f.localPath, read, &error)) {
                result.messages << error;
                continue;
            }
            // Eagle's MNT and MNB files say their side by their name only.
            if (f.side == FabSide::Top || f.side == FabSide::Bottom)
                for (ImportedPlacement& p : read)
                    p.side = f.side == FabSide::Top ? QStringLiteral("top") : QStringLiteral("bottom");
            centroid += read;
            haveCentroid = true;
        } else if (f.components && f.content == FabContent::Gerber) {
            if (!X3Components::readFile(f.localPath, x3, &error))
                result.messages << error;
        }
    }
    if (haveCentroid) {
        result.placements = centroid;
        if (!x3.isEmpty())
            result.messages += compare(centroid, x3);
    } else {
        result.placements = x3;
        result.placementsFromX3 = !x3.isEmpty();
    }
    return result;
}

QList<GerberLayer*> install(FabLoadResult& result, LayerSet& layers, Document& document)
{
    QList<GerberLayer*> installed;
    for (FabLayer& l : result.layers) {
        const LayerList list = l.top ? LayerList::Top : LayerList::Bottom;
        GerberLayer* layer = l.layer.get();
        if (const GerberLayer* old = layers.layer(list, l.slot))
            layer->color = old->color;
        layer->visible = true;
        if (layers.replace(list, l.slot, std::move(l.layer)))
            installed << layer;
    }
    result.layers.clear();
    if (!result.placements.isEmpty()) {
        PnPImportOptions options;
        options.side = PnPImportOptions::NoChanges;
        options.add = false;
        PnPImport::apply(document, result.placements, options);
    }
    return installed;
}

QStringList compare(const ImportedPlacements& centroid, const ImportedPlacements& x3)
{
    QStringList out;
    QHash<QString, const ImportedPlacement*> byRef;
    for (const ImportedPlacement& p : x3)
        byRef.insert(p.refDes, &p);
    QSet<QString> seen;
    for (const ImportedPlacement& c : centroid) {
        seen.insert(c.refDes);
        const ImportedPlacement* x = byRef.value(c.refDes, nullptr);
        if (!x) {
            out << QStringLiteral("%1: in the centroid file, not in the X3 component layers").arg(c.refDes);
            continue;
        }
        double turn = std::fabs(std::fmod(c.rotation - x->rotation + 720.0, 360.0));
        turn = qMin(turn, 360.0 - turn);
        if (std::hypot(c.x - x->x, c.y - x->y) > 0.01 || turn > 0.1 || c.side != x->side)
            out << QStringLiteral("%1: centroid file %2 %3 %4° %5, X3 %6 %7 %8° %9")
                       .arg(c.refDes)
                       .arg(c.x, 0, 'f', 3)
                       .arg(c.y, 0, 'f', 3)
                       .arg(c.rotation)
                       .arg(c.side)
                       .arg(x->x, 0, 'f', 3)
                       .arg(x->y, 0, 'f', 3)
                       .arg(x->rotation)
                       .arg(x->side);
    }
    for (const ImportedPlacement& x : x3)
        if (!seen.contains(x.refDes))
            out << QStringLiteral("%1: in the X3 component layers, not in the centroid file").arg(x.refDes);
    return out;
}

} // namespace FabLoad
