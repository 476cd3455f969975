#pragma once

#include "view/selectionhits.h"

#include <QList>
#include <QPointF>
#include <QString>

class PnPEntry;

// Marks the placements under the cursor for the view's highlight, one timer tick at a time.
namespace HoverTracker {

// Half width of the square around a placement that counts as "under the cursor", mm.
constexpr double catchDistance = SelectionHits::hoverDistance;

struct Result
{
    QString text; // "RefDes Name Value" of the last placement found; empty when none
    bool repaint = false; // a highlight appeared or went away
};

// cursorX/Y: board position of the cursor in mm; bases: what is added to an entry's x/y to get
// the absolute position of each drawn copy (SelectionHits::placementBases).
Result track(const QList<PnPEntry*>& entries, double cursorX, double cursorY, const QList<QPointF>& bases);

// The second half of a tick without a cursor position: lets earlier highlights fade.
bool fade(const QList<PnPEntry*>& entries);

} // namespace HoverTracker
