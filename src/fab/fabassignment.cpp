#include "fab/fabassignment.h"

#include "gerber/excellonheader.h"
#include "gerber/excellonreader.h"
#include "gerber/layerset.h"

#include <QHash>
#include <algorithm>

namespace {

// Attribute before name before content; a component layer gives way to an assembly drawing.
int strength(const FabFile& f)
{
    return int(f.evidence) * 2 - (f.components ? 1 : 0);
}

bool covers(FabSide a, FabSide b)
{
    return a == b || a == FabSide::Both || b == FabSide::Both;
}

bool sameReading(const FabFile& a, const FabFile& b)
{
    return a.drillMetric == b.drillMetric
        && a.drillFormat.leadingZeroesOmitted == b.drillFormat.leadingZeroesOmitted
        && a.drillFormat.integerDigits == b.drillFormat.integerDigits
        && a.drillFormat.decimalDigits == b.drillFormat.decimalDigits;
}

void unplace(FabFile& f, const QString& why)
{
    f.reason += QStringLiteral("; ") + why;
    f.side = FabSide::None;
    f.slot = -1;
}

} // namespace

namespace FabAssignment {

void detectDrillFormat(FabFile& file)
{
    LineList lines;
    if (!readExcellonLines(file.localPath, &lines))
        return;
    const ExcellonHeaderFormat header = detectExcellonFormat(lines);
    file.drillFormat = header.format;
    file.drillMetric = header.metric;
}

bool usesPlacements(const FabFile& file)
{
    return file.content == FabContent::Centroid && file.hasCentroidFormat && file.mergeInto.isEmpty()
        && !file.reason.contains(QLatin1String("another centroid file"));
}

void resolve(FabFiles& files)
{
    QVector<int> order;
    for (int i = 0; i < files.size(); ++i) {
        files[i].mergeInto.clear();
        if (files[i].content == FabContent::Drill)
            detectDrillFormat(files[i]);
        if (files[i].placed())
            order << i;
    }
    // The board most files belong to (several boards in one folder: the largest set wins).
    QHash<QString, int> perBoard;
    QString mainBoard;
    for (int i : qAsConst(order))
        if (++perBoard[files[i].board] > perBoard.value(mainBoard) || mainBoard.isNull())
            mainBoard = files[i].board;
    // Files of the other boards of the folder stay out: their layers would mix with the main board's.
    for (int i : qAsConst(order))
        if (files[i].board != mainBoard && perBoard.value(files[i].board) > 1)
            unplace(files[i],
                QStringLiteral("of board \"%1\"; the package's main board is \"%2\"")
                    .arg(files[i].board, mainBoard));
    order.erase(
        std::remove_if(order.begin(), order.end(), [&](int i) { return !files[i].placed(); }), order.end());
    // Strongest first; among equals the main board's files, plated drill files before non-plated,
    // then by path.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const FabFile& fa = files[a];
        const FabFile& fb = files[b];
        if (strength(fa) != strength(fb))
            return strength(fa) > strength(fb);
        if ((fa.board == mainBoard) != (fb.board == mainBoard))
            return fa.board == mainBoard;
        return fa.nonPlated < fb.nonPlated;
    });
    QVector<int> winners;
    for (int i : qAsConst(order)) {
        FabFile& f = files[i];
        for (int w : qAsConst(winners)) {
            const FabFile& taken = files[w];
            if (taken.slot != f.slot || !covers(taken.side, f.side))
                continue;
            if (f.slot == slotIndex(LayerSlot::Drill) && f.content == FabContent::Drill
                && taken.content == FabContent::Drill && taken.board == f.board) {
                if (sameReading(f, taken)) {
                    f.mergeInto = taken.path;
                    f.reason += QStringLiteral("; holes join the drill layer of %1").arg(taken.path);
                } else {
                    unplace(f, QStringLiteral("number format differs from %1, not merged").arg(taken.path));
                }
            } else {
                unplace(f, QStringLiteral("slot taken by %1").arg(taken.path));
            }
            break;
        }
        if (f.placed() && f.mergeInto.isEmpty())
            winners << i;
    }
    // Placements: one centroid file per side (a file without sides counts for both).
    QVector<FabSide> sidesTaken;
    for (FabFile& f : files) {
        if (f.content != FabContent::Centroid || !f.hasCentroidFormat)
            continue;
        const FabSide side = f.side == FabSide::None ? FabSide::Both : f.side;
        const bool clash
            = std::any_of(sidesTaken.begin(), sidesTaken.end(), [&](FabSide s) { return covers(s, side); });
        if (clash)
            f.reason += QStringLiteral("; another centroid file gives these placements");
        else
            sidesTaken << side;
    }
}

} // namespace FabAssignment
