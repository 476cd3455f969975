#include "tables/bodysizes.h"

#include "model/pnpentry.h"
#include "tables/partgroups.h"

#include <QHash>

namespace BodySizes {

QSizeF fallback()
{
    return QSizeF(1.6, 0.8);
}

void apply(const QList<PnPEntry*>& list, const QList<FeederPart>& feeders,
    const std::function<QSizeF(int dbNo)>& lookup)
{
    if (feeders.isEmpty())
        return;
    // The last feeder row of a part decides, as if the rows were applied one after the other.
    QHash<QString, QSizeF> sizeOfPart;
    for (const FeederPart& f : feeders) {
        QSizeF size = f.dbNo >= 1 && lookup ? lookup(f.dbNo) : QSizeF();
        if (!size.isValid())
            size = fallback();
        sizeOfPart.insert(PartGroups::key(f.value, f.name), size);
    }
    for (PnPEntry* e : list) {
        const auto it = sizeOfPart.constFind(PartGroups::keyOf(*e));
        if (it == sizeOfPart.constEnd())
            continue;
        e->setSizeX(it->width());
        e->setSizeY(it->height());
    }
}

} // namespace BodySizes
