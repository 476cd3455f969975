#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>
#include <utility>

class PartDatabase;
class PnPEntry;
struct FeederEntry;

// Rules of a machine's feeder list: which placements it lists, how it is generated and
// refreshed from the part database, and which cell edits it accepts.
namespace FeederList {

inline const QString noMachine = QStringLiteral("No machine selected");
inline const QString nothingToUpdate = QStringLiteral("nothing to update");
inline const QString errorTitle = QStringLiteral("Error");
constexpr int frontFirst = 1;
constexpr int frontLast = 50;
constexpr int rearFirst = 101;
constexpr int rearLast = 150;
constexpr int slotCount = 100;

// Key of a part type in a machine's part map and in look-ups: package ";" value.
QString partKey(const QString& name, const QString& value);

// Whether a placement is listed for machine `machine` of line `line`: an SMD placement of that
// machine, or with machine 0 one that has no line.
bool taken(const PnPEntry& entry, int line, int machine);

// The database number of a part type: by its value when that is an alias, else by its name,
// else 0.
int databaseNumber(const PartDatabase& db, const QString& name, const QString& value);

struct Generated
{
    QList<FeederEntry*> entries; // owned by the caller
    QHash<QString, double> partMap;
    QStringList warnings;
};

// One entry per part type of the taken placements, in order of first appearance. Part types
// already in `previous` keep their database number, feeder type, nozzle, optimize flag,
// rotation and head; set numbers are assigned afresh, in order, from `sets` (the sets the
// machine can pick, generationSets()); a part type beyond them gets set 0.
Generated generate(const QList<PnPEntry*>& placements, int line, int machine, const PartDatabase& db,
    const QList<FeederEntry*>& previous, const QVector<int>& sets);

// Sets every entry's database number from the database and its part map entry to its rotation.
void updateFromDatabase(
    const QList<FeederEntry*>& entries, const PartDatabase& db, QHash<QString, double>& partMap);

// Turns every highlighted entry by 90° in its feeder and puts its new rotation into the part
// map; false when no entry is highlighted.
bool turnHighlighted(const QList<FeederEntry*>& entries, QHash<QString, double>& partMap);

// The part types of the taken placements are exactly those of the feeders.
bool matches(const QList<PnPEntry*>& placements, int line, int machine, const QList<FeederEntry*>& feeders);

// The line and machine (both from 1) most of the placements are assigned to, the first met on
// a tie; {0, 0} when none is assigned.
std::pair<int, int> mostAssigned(const QList<PnPEntry*>& placements);

// A feeder line of a project file: index; value; name; dbNo; setNo; feederType; nozzle;
// optimize; qty; rotation, and the head as an eleventh field when it is not 0 (readers that
// know ten fields ignore it). Missing or unreadable numbers keep the entry's defaults.
FeederEntry* fromFields(const QStringList& fields);
QStringList toFields(const FeederEntry& entry);

// Accepted set number text: 0, 1..50 or 101..150, and (except 0) held by no other row than `row`.
std::optional<int> acceptedSetNumber(const QString& text, int row, const QList<FeederEntry*>& entries);
// Stored feeder type for a typed text ("12 mm" -> "12mm", "stick" -> "0mm"); nothing when invalid.
std::optional<QString> acceptedFeederType(const QString& text);
// Shown text of a stored feeder type: "Stick" for "0mm".
QString feederTypeText(const QString& feederType);

} // namespace FeederList
