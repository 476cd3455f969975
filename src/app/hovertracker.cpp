#include "app/hovertracker.h"

#include "model/pnpentry.h"

#include <cmath>

namespace HoverTracker {

Result track(const QList<PnPEntry*>& entries, double cursorX, double cursorY, const QList<QPointF>& bases)
{
    Result result;
    for (PnPEntry* entry : entries) {
        for (const QPointF& base : bases) {
            const double ax = entry->x() + base.x();
            const double ay = entry->y() + base.y();
            if (std::fabs(cursorX - ax) < catchDistance && std::fabs(cursorY - ay) < catchDistance) {
                result.text
                    = entry->refDes() + QLatin1Char(' ') + entry->name() + QLatin1Char(' ') + entry->value();
                entry->setHoverState(entry->hoverState() != 0 ? 3 : 2);
                break;
            }
        }
    }
    result.repaint = fade(entries);
    return result;
}

bool fade(const QList<PnPEntry*>& entries)
{
    bool repaint = false;
    for (PnPEntry* entry : entries) {
        switch (entry->hoverState()) {
        case 1:
            entry->setHoverState(0);
            repaint = true;
            break;
        case 2:
            entry->setHoverState(1);
            repaint = true;
            break;
        case 3:
            entry->setHoverState(1);
            break;
        default:
            break;
        }
    }
    return repaint;
}

} // namespace HoverTracker
