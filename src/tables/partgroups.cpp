#include "tables/partgroups.h"

#include "model/document.h"

namespace PartGroups {

QString key(const QString& value, const QString& name)
{
    return value + QLatin1Char(';') + name;
}

QString keyOf(const PnPEntry& e)
{
    return key(e.value(), e.name());
}

QList<PnPEntry*> members(
    const QList<PnPEntry*>& list, const QSet<QString>& keys, const PartListFilter* filter)
{
    QList<PnPEntry*> out;
    for (PnPEntry* e : list)
        if ((!filter || filter->shows(*e)) && keys.contains(keyOf(*e)))
            out.append(e);
    return out;
}

QHash<const PnPEntry*, int> quantities(const QList<PnPEntry*>& list, const PartListFilter& filter)
{
    QHash<QString, int> counts;
    QList<QString> keys;
    keys.reserve(list.size());
    for (const PnPEntry* e : list) {
        const QString k = (filter.shows(*e) ? QLatin1Char('1') : QLatin1Char('0')) + keyOf(*e);
        ++counts[k];
        keys.append(k);
    }
    QHash<const PnPEntry*, int> out;
    out.reserve(list.size());
    for (int i = 0; i < list.size(); ++i)
        out.insert(list.at(i), counts.value(keys.at(i)));
    return out;
}

int split(Document& doc, const QString& groupKey, int n)
{
    if (n < 2)
        return 0;
    const QList<PnPEntry*> group = members(doc.currentList(), { groupKey });
    if (group.isEmpty())
        return 0;
    int k = 0;
    doc.editEntries(
        group, [&](PnPEntry& e) { e.setName(e.name() + QLatin1Char('_') + QString::number(k++ % n + 1)); });
    return group.size();
}

void rotate(Document& doc, const QSet<QString>& keys, double angle)
{
    rotate(doc, members(doc.currentList(), keys), angle);
}

void rotate(Document& doc, const QList<PnPEntry*>& entries, double angle)
{
    if (entries.isEmpty())
        return;
    doc.editEntries(entries, [angle](PnPEntry& e) { e.setRotation(e.rotation() + angle); });
}

void assignMachine(Document& doc, const QList<PnPEntry*>& entries, int machineIndex, int lineIndex)
{
    if (entries.isEmpty())
        return;
    doc.editEntries(entries, [&](PnPEntry& e) {
        e.setMachine(machineIndex);
        e.setLine(machineIndex == 0 ? 0 : lineIndex + 1);
    });
}

void setExec(Document& doc, const QList<PnPEntry*>& entries, const QString& exec)
{
    if (entries.isEmpty())
        return;
    doc.editEntries(entries, [&](PnPEntry& e) {
        e.setExec(exec);
        e.setSelected(false);
    });
}

void markPlaced(Document& doc, const QList<PnPEntry*>& entries)
{
    if (entries.isEmpty())
        return;
    doc.editEntries(entries, [](PnPEntry& e) {
        e.setPlaced(true);
        e.setSelected(false);
    });
}

} // namespace PartGroups
