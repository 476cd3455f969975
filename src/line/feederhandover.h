#pragma once

#include "line/productionline.h"
#include "model/feederdata.h"

#include <QList>

class PnPEntry;

// Moves feeder lists between a project's feeder rows and the machines of the production
// lines. A machine is known in the project by its place: line i (from 1) and machine j (from
// 1) of that line, as placements name it.
namespace FeederHandOver {

// The machine the placements of one side are assigned to: the (line, machine) pair most of
// its SMD placements carry (the first one met on equal counts). {0, 0} when none is assigned.
struct Place
{
    int line = 0;
    int machine = 0;
};
Place sideMachine(const QList<PnPEntry*>& side);

// Gives every machine of `lines` the rows stored for its place (or an empty list) with the
// part map built from them. Rows of a side block (files before version 10) first move into
// the block of the machine that side's placements are assigned to, when that machine is
// configured and has no block of its own; otherwise they stay where they are.
void handOut(FeederData& data, const QList<ProductionLine>& lines, const QList<PnPEntry*>& top,
    const QList<PnPEntry*>& bottom);

// Writes every configured machine's list into `data`: its block is replaced (an empty list
// removes it); a list that is unchanged keeps its rows exactly as they were read. Blocks of
// places outside the configuration and side rows are kept untouched.
void collect(FeederData& data, const QList<ProductionLine>& lines);

} // namespace FeederHandOver
