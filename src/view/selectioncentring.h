#pragma once

#include "view/viewstate.h"

#include <QList>
#include <QPointF>
#include <QSize>

class PnPEntry;

// Scrolls the view so that a newly selected single placement lies in the middle, once per new
// selection: the first step of every repaint while centring is switched on.
struct SelectionCentring
{
    int counter = 0; // paints since the placement was centred
    int lastIndex = -1; // list index of the placement centred last

    // `entries` is the shown list, `base` the world offset of the drawn copy (board origin plus
    // the first panel origin). True when the offsets moved.
    bool apply(ViewState& state, const QList<PnPEntry*>& entries, const QPointF& base, bool enabled,
        const QSize& size);
};
