#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

class Document;
class PnPEntry;
struct PartListFilter;

// Part groups: the placements of one value and name. The key joins both with ";", which no
// placement text may contain, so "10" + "0603R" and "100" + "603R" stay apart. The same key
// names a group on a printed label.
namespace PartGroups {
QString key(const QString& value, const QString& name);
QString keyOf(const PnPEntry& e);

// Entries of list whose key is among keys; with a filter only those the part list shows.
QList<PnPEntry*> members(
    const QList<PnPEntry*>& list, const QSet<QString>& keys, const PartListFilter* filter = nullptr);

// For every entry of list, the Qty the part table shows for its group under filter
// (entries the part list hides count among the hidden ones of their group).
QHash<const PnPEntry*, int> quantities(const QList<PnPEntry*>& list, const PartListFilter& filter);

// Splits a group of the working list into n groups (2..8): counting its members in list
// order from k = 0, each gets the name suffix "_" + (k mod n + 1). Returns how many entries
// changed; marks modified when any.
int split(Document& doc, const QString& key, int n);

// The edits below change nothing (and do not mark the document modified) for no entries.

// Adds angle to the rotation of every member of the groups (brought below 360).
void rotate(Document& doc, const QSet<QString>& keys, double angle);
void rotate(Document& doc, const QList<PnPEntry*>& entries, double angle);

// Assigns entries to a machine of the line chosen in the line selector (lineIndex, 0 based):
// machine = machineIndex, line = lineIndex + 1, or line 0 for machine 0 (no machine).
void assignMachine(Document& doc, const QList<PnPEntry*>& entries, int machineIndex, int lineIndex);

// Sets the execute kind ("0".."3") of entries and clears their selection.
void setExec(Document& doc, const QList<PnPEntry*>& entries, const QString& exec);

// Marks entries placed and clears their selection.
void markPlaced(Document& doc, const QList<PnPEntry*>& entries);
} // namespace PartGroups
