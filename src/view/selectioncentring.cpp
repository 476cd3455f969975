#include "view/selectioncentring.h"

#include "model/pnpentry.h"
#include "view/viewmapping.h"

#include <cmath>

bool SelectionCentring::apply(
    ViewState& state, const QList<PnPEntry*>& entries, const QPointF& base, bool enabled, const QSize& size)
{
    int count = 0;
    int index = -1;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i) && entries.at(i)->selected()) {
            ++count;
            index = i;
        }
    }
    if (count != 1) {
        counter = 0;
        lastIndex = -1;
        return false;
    }
    if (!enabled || (counter != 0 && index == lastIndex)) {
        ++counter;
        return false;
    }
    const PnPEntry& e = *entries.at(index);
    const ViewMapping m = ViewMapping::of(state, size.height());
    const double worldY = base.y() + e.y();
    const double limit = ViewMapping::pixelLimit;
    state.offsetX += size.width() / 2 - m.x(base.x() + e.x());
    state.offsetX = int(qBound(-limit, double(state.offsetX), limit));
    state.offsetY = int(std::lround(qBound(-limit, m.zoom * worldY - size.height() / 2.0, limit)));
    ++counter;
    lastIndex = index;
    return true;
}
