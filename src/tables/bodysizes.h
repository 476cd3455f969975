#pragma once

#include <QList>
#include <QSizeF>
#include <QString>
#include <functional>

class PnPEntry;

// One feeder row as the body sizes need it: the part it holds and its database number.
struct FeederPart
{
    QString name;
    QString value;
    int dbNo = 0;
};

// Body sizes of the placements from the feeder list and the part database.
namespace BodySizes {
// Size of a part without a database record.
QSizeF fallback();
// For each feeder row in order, the placements of list with its name and value get the body
// size of database record dbNo (lookup returns an invalid QSizeF() when there is none), or the
// fallback size when dbNo is below 1 or unknown. Placements of no feeder row keep theirs.
void apply(const QList<PnPEntry*>& list, const QList<FeederPart>& feeders,
    const std::function<QSizeF(int dbNo)>& lookup);
} // namespace BodySizes
