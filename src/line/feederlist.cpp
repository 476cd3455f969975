#include "line/feederlist.h"

#include "line/feederentry.h"
#include "line/partdatabase.h"
#include "model/pnpentry.h"

#include <QDebug>
#include <QPair>
#include <QSet>

namespace FeederList {

namespace {
using PartType = QPair<QString, QString>; // name, value
const QString stickType = QStringLiteral("0mm");
} // namespace

QString partKey(const QString& name, const QString& value)
{
    return name + QLatin1Char(';') + value;
}

bool taken(const PnPEntry& entry, int line, int machine)
{
    if (entry.exec() != ExecKind::Machine)
        return false;
    return (entry.machine() == machine && entry.line() == line) || (machine == 0 && entry.line() == 0);
}

int databaseNumber(const PartDatabase& db, const QString& name, const QString& value)
{
    if (db.isAlias(value))
        return db.numberOf(value).toInt();
    if (db.isAlias(name))
        return db.numberOf(name).toInt();
    return 0;
}

Generated generate(const QList<PnPEntry*>& placements, int line, int machine, const PartDatabase& db,
    const QList<FeederEntry*>& previous, const QVector<int>& sets)
{
    Generated out;
    QHash<PartType, FeederEntry*> byType;
    for (const PnPEntry* e : placements) {
        if (!taken(*e, line, machine))
            continue;
        const PartType type { e->name(), e->value() };
        if (FeederEntry* known = byType.value(type)) {
            ++known->qty;
            continue;
        }
        auto* f = new FeederEntry;
        f->index = out.entries.size();
        f->name = e->name();
        f->value = e->value();
        f->dbNo = databaseNumber(db, f->name, f->value);
        f->setNo = sets.value(f->index, 0);
        f->qty = 1;
        out.entries.append(f);
        byType.insert(type, f);
    }
    QHash<PartType, const FeederEntry*> before;
    for (const FeederEntry* p : previous)
        if (!before.contains({ p->name, p->value }))
            before.insert({ p->name, p->value }, p);
    int unslotted = 0;
    for (FeederEntry* f : qAsConst(out.entries)) {
        if (const FeederEntry* p = before.value({ f->name, f->value })) {
            f->dbNo = p->dbNo;
            f->feederType = p->feederType;
            f->nozzle = p->nozzle;
            f->optimize = p->optimize;
            f->rotation = p->rotation;
            f->head = p->head;
        }
        out.partMap.insert(partKey(f->name, f->value), f->rotation);
        if (f->setNo == 0)
            ++unslotted;
    }
    if (unslotted > 0)
        out.warnings << QStringLiteral("%1 part types found no free feeder slot; they were given Set 0.")
                            .arg(unslotted);
    return out;
}

void updateFromDatabase(
    const QList<FeederEntry*>& entries, const PartDatabase& db, QHash<QString, double>& partMap)
{
    for (FeederEntry* f : entries) {
        f->dbNo = databaseNumber(db, f->name, f->value);
        partMap.insert(partKey(f->name, f->value), f->rotation);
    }
}

bool turnHighlighted(const QList<FeederEntry*>& entries, QHash<QString, double>& partMap)
{
    bool turned = false;
    for (FeederEntry* f : entries) {
        if (!f->highlighted)
            continue;
        qDebug() << "before" << f->rotation;
        // A rotation read from a file may be any integer; it is brought into 0..359 first.
        f->rotation = ((f->rotation % 360) + 90 + 360) % 360;
        qDebug() << "after" << f->rotation;
        partMap.insert(partKey(f->name, f->value), f->rotation);
        turned = true;
    }
    return turned;
}

bool matches(const QList<PnPEntry*>& placements, int line, int machine, const QList<FeederEntry*>& feeders)
{
    QSet<PartType> placed;
    for (const PnPEntry* e : placements)
        if (taken(*e, line, machine))
            placed.insert({ e->name(), e->value() });
    QSet<PartType> listed;
    for (const FeederEntry* f : feeders)
        listed.insert({ f->name, f->value });
    if (placed.size() != listed.size())
        qDebug() << "ungleiche Länge";
    return placed == listed;
}

std::pair<int, int> mostAssigned(const QList<PnPEntry*>& placements)
{
    QHash<QPair<int, int>, int> counts;
    QList<QPair<int, int>> order;
    for (const PnPEntry* e : placements) {
        if (!e || e->line() < 1 || e->machine() < 1)
            continue;
        const QPair<int, int> key { e->line(), e->machine() };
        if (!counts.contains(key))
            order.append(key);
        ++counts[key];
    }
    QPair<int, int> best { 0, 0 };
    int most = 0;
    for (const QPair<int, int>& key : qAsConst(order)) {
        if (counts.value(key) > most) {
            most = counts.value(key);
            best = key;
        }
    }
    return { best.first, best.second };
}

FeederEntry* fromFields(const QStringList& fields)
{
    auto* f = new FeederEntry;
    const auto number = [&fields](int i, int fallback) {
        bool ok = false;
        const int v = fields.value(i).toInt(&ok);
        return ok ? v : fallback;
    };
    f->index = number(0, 0);
    f->value = fields.value(1);
    f->name = fields.value(2);
    f->dbNo = number(3, 0);
    f->setNo = number(4, 0);
    if (!fields.value(5).isEmpty())
        f->feederType = fields.value(5);
    f->nozzle = number(6, f->nozzle);
    f->optimize = number(7, f->optimize);
    f->qty = number(8, 0);
    f->rotation = number(9, 0);
    f->head = number(10, 0);
    return f;
}

QStringList toFields(const FeederEntry& f)
{
    QStringList fields { QString::number(f.index), f.value, f.name, QString::number(f.dbNo),
        QString::number(f.setNo), f.feederType, QString::number(f.nozzle), QString::number(f.optimize),
        QString::number(f.qty), QString::number(f.rotation) };
    if (f.head != 0)
        fields.append(QString::number(f.head));
    return fields;
}

std::optional<int> acceptedSetNumber(const QString& text, int row, const QList<FeederEntry*>& entries)
{
    bool ok = false;
    const int set = text.trimmed().toInt(&ok);
    const bool inRange
        = set == 0 || (set >= frontFirst && set <= frontLast) || (set >= rearFirst && set <= rearLast);
    if (!ok || !inRange)
        return std::nullopt;
    for (int i = 0; set != 0 && i < entries.size(); ++i)
        if (i != row && entries.at(i)->setNo == set)
            return std::nullopt;
    return set;
}

std::optional<QString> acceptedFeederType(const QString& text)
{
    if (text == QLatin1String("Stick") || text == QLatin1String("stick"))
        return stickType;
    static const QStringList widths { "0", "8", "12", "16", "24", "32", "44" };
    for (const QString& w : widths)
        if (text == w || text == w + QLatin1String("mm") || text == w + QLatin1String(" mm"))
            return w + QLatin1String("mm");
    return std::nullopt;
}

QString feederTypeText(const QString& feederType)
{
    return feederType == stickType ? QStringLiteral("Stick") : feederType;
}

} // namespace FeederList
