#include "line/feederhandover.h"

#include "line/feederentry.h"
#include "line/feederlist.h"
#include "line/machine.h"
#include "model/pnpentry.h"

#include <QHash>
#include <QPair>
#include <algorithm>
#include <memory>

namespace FeederHandOver {

namespace {

int blockOf(const FeederData& data, int line, int machine)
{
    for (int i = 0; i < data.machines.size(); ++i)
        if (data.machines.at(i).line == line && data.machines.at(i).machine == machine)
            return i;
    return -1;
}

bool configured(const QList<ProductionLine>& lines, Place place)
{
    return place.line >= 1 && place.line <= lines.size() && place.machine >= 1
        && place.machine <= lines.at(place.line - 1).machines.size();
}

// Rows as a save writes them: what a list read from `rows` would give back.
QList<QStringList> normalised(const QList<FeederRecord>& rows)
{
    QList<QStringList> out;
    for (const FeederRecord& r : rows) {
        const std::unique_ptr<FeederEntry> f(FeederList::fromFields(r.fields));
        out.append(FeederList::toFields(*f));
    }
    return out;
}

void adoptSideRows(FeederData& data, QList<FeederRecord>& rows, const QList<ProductionLine>& lines,
    const QList<PnPEntry*>& side)
{
    const Place place = sideMachine(side);
    if (rows.isEmpty() || !configured(lines, place) || blockOf(data, place.line, place.machine) >= 0)
        return;
    data.machines.append(MachineFeeders { place.machine, place.line, rows });
    rows.clear();
}

} // namespace

Place sideMachine(const QList<PnPEntry*>& side)
{
    QHash<QPair<int, int>, int> counts;
    QList<QPair<int, int>> order; // places in order of first appearance
    for (const PnPEntry* e : side) {
        if (e->exec() != ExecKind::Machine || e->machine() < 1 || e->line() < 1)
            continue;
        const QPair<int, int> place { e->line(), e->machine() };
        if (counts[place]++ == 0)
            order.append(place);
    }
    Place best;
    int bestCount = 0;
    for (const QPair<int, int>& place : qAsConst(order)) {
        if (counts.value(place) > bestCount) {
            bestCount = counts.value(place);
            best = { place.first, place.second };
        }
    }
    return best;
}

void handOut(FeederData& data, const QList<ProductionLine>& lines, const QList<PnPEntry*>& top,
    const QList<PnPEntry*>& bottom)
{
    adoptSideRows(data, data.topSide, lines, top);
    adoptSideRows(data, data.bottomSide, lines, bottom);
    for (int i = 0; i < lines.size(); ++i) {
        for (int j = 0; j < lines.at(i).machines.size(); ++j) {
            Machine* machine = lines.at(i).machines.at(j);
            machine->clearFeeders();
            const int block = blockOf(data, i + 1, j + 1);
            if (block < 0)
                continue;
            for (const FeederRecord& r : data.machines.at(block).feeders) {
                FeederEntry* f = FeederList::fromFields(r.fields);
                machine->feeders.append(f);
                machine->partMap.insert(FeederList::partKey(f->name, f->value), f->rotation);
            }
        }
    }
}

void collect(FeederData& data, const QList<ProductionLine>& lines)
{
    for (int i = 0; i < lines.size(); ++i) {
        for (int j = 0; j < lines.at(i).machines.size(); ++j) {
            const Machine* machine = lines.at(i).machines.at(j);
            QList<QStringList> rows;
            for (const FeederEntry* f : machine->feeders)
                rows.append(FeederList::toFields(*f));
            int block = blockOf(data, i + 1, j + 1);
            if (block >= 0 && normalised(data.machines.at(block).feeders) == rows)
                continue;
            if (rows.isEmpty()) {
                if (block >= 0)
                    data.machines.removeAt(block);
                continue;
            }
            if (block < 0) {
                data.machines.append(MachineFeeders { j + 1, i + 1, {} });
                block = data.machines.size() - 1;
            }
            QList<FeederRecord>& stored = data.machines[block].feeders;
            stored.clear();
            for (const QStringList& r : qAsConst(rows))
                stored.append(FeederRecord { r });
        }
    }
    std::stable_sort(
        data.machines.begin(), data.machines.end(), [](const MachineFeeders& a, const MachineFeeders& b) {
            return a.line != b.line ? a.line < b.line : a.machine < b.machine;
        });
}

} // namespace FeederHandOver
