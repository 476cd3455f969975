#include "line/optimizer.h"

#include "line/feederentry.h"
#include "line/feederlist.h"
#include "line/machinetables.h"
#include "line/quadrantpicks.h"
#include "model/pnpentry.h"

#include <QHash>
#include <QMap>
#include <QPair>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <vector>

Q_LOGGING_CATEGORY(lcOptimizer, "tessavrant.optimizer")
Q_LOGGING_CATEGORY(lcOptimizerFeeders, "tessavrant.optimizer.feeders", QtWarningMsg)

namespace {

struct WorkFeeder
{
    const FeederEntry* entry;
    int partType;
    int qty;
};

class Run
{
public:
    Run(OptimizerResult& result, const MachineTables& tables)
        : m_result(result)
        , m_tables(tables)
    { }

    void note(const QString& line)
    {
        m_result.log.append(line);
        qCDebug(lcOptimizer).noquote() << line;
    }

    int partTypeOf(const QString& name, const QString& value)
    {
        const QPair<QString, QString> key { name, value };
        auto it = m_partTypes.find(key);
        if (it == m_partTypes.end())
            it = m_partTypes.insert(key, m_partTypes.size());
        return it.value();
    }

    void addFeeders(const QList<FeederEntry*>& feeders)
    {
        for (const FeederEntry* f : feeders) {
            if (f->optimize <= 0)
                continue;
            const int index = int(m_feeders.size());
            m_feeders.push_back({ f, partTypeOf(f->name, f->value), f->qty });
            m_bySlot[{ f->setNo, f->nozzle }].append(index);
        }
    }

    QMap<int, int> nozzleTotals() const
    {
        QMap<int, int> totals;
        for (const WorkFeeder& f : m_feeders)
            totals[f.entry->nozzle] += f.qty;
        return totals;
    }

    void setHead(const QVector<int>& head) { m_head = head; }

    void runQuadrant(QuadrantPicks& quadrant)
    {
        for (WorkFeeder& f : m_feeders)
            f.qty = 0;
        QHash<int, int> firstOfType;
        for (int i = int(m_feeders.size()) - 1; i >= 0; --i)
            firstOfType.insert(m_feeders[size_t(i)].partType, i);
        for (int item = 0; item < int(quadrant.size()); ++item) {
            const int f = firstOfType.value(quadrant.partType(item), -1);
            if (f >= 0)
                ++m_feeders[size_t(f)].qty;
        }
        note(QStringLiteral("Quadrant Länge: ") + QString::number(quadrant.size()));
        note(QStringLiteral("Optimierungsschleife"));
        // A cycle that places nothing ends the quadrant: what is left cannot be picked.
        while (!quadrant.empty() && cycle(quadrant))
            ++m_result.cycles;
    }

private:
    bool cycle(QuadrantPicks& quadrant)
    {
        note(QStringLiteral("Kopf aufbauen"));
        note(QStringLiteral("Aufnahme"));
        QVector<int> picked; // head positions in the order they were filled
        QVector<int> feederAt(m_head.size(), -1);
        const int nozzles = m_tables.nozzleCount;
        const int slotsUsed = m_tables.slotTable.size();
        walk(0, slotsUsed, 0, feederAt, picked);
        if (picked.size() < nozzles)
            walk(1 - nozzles, 0, 1 - nozzles, feederAt, picked);
        if (picked.isEmpty())
            return false;
        note(QStringLiteral("Bestückung"));
        const PnPEntry* previous = nullptr;
        for (int position : picked) {
            const WorkFeeder& feeder = m_feeders[size_t(feederAt[position])];
            // The cycle's first placement is the type's earliest, each further one the nearest.
            double bestDistance = 0.0;
            const int best = previous ? quadrant.nearest(feeder.partType, *previous, bestDistance)
                                      : quadrant.first(feeder.partType);
            if (best < 0)
                continue;
            if (previous)
                m_result.placementTravel += bestDistance;
            previous = quadrant.entry(best);
            m_result.steps.append(
                { quadrant.entry(best), feeder.entry->setNo, feeder.entry->nozzle, m_result.cycles + 1 });
            quadrant.take(best);
        }
        return true;
    }

    // Walks the slot offsets [from, to): at each offset every empty head position takes the
    // first feeder with parts left in the slot under it that carries the position's nozzle.
    void walk(int from, int to, int previousStop, QVector<int>& feederAt, QVector<int>& picked)
    {
        const bool traceFeeders = lcOptimizerFeeders().isDebugEnabled();
        for (int offset = from; offset < to && picked.size() < m_tables.nozzleCount; ++offset) {
            bool filled = false;
            for (int position : m_tables.positionOrder) {
                const int index = position + offset;
                if (index < 0 || index >= m_tables.slotTable.size() || feederAt[position] >= 0)
                    continue;
                const int slot = m_tables.slotTable.at(index);
                const int nozzle = m_head.at(position);
                if (traceFeeders)
                    traceSlot(slot, nozzle);
                for (int f : m_bySlot.value({ slot, nozzle })) {
                    WorkFeeder& feeder = m_feeders[size_t(f)];
                    if (feeder.qty <= 0)
                        continue;
                    // Reserved now, so that the next position cannot take the same last part.
                    --feeder.qty;
                    feederAt[position] = f;
                    picked.append(position);
                    filled = true;
                    break;
                }
            }
            if (filled) {
                ++m_result.pickStops;
                m_result.feederTravel += std::abs(offset - previousStop) * PlacementCost::slotPitch;
                previousStop = offset;
            }
        }
    }

    void traceSlot(int slot, int nozzle) const
    {
        for (const WorkFeeder& f : m_feeders)
            qCDebug(lcOptimizerFeeders).noquote()
                << QStringLiteral("Qty: %1SetNo: %2 == %3?Nozzle: %4 == %5?")
                       .arg(f.qty)
                       .arg(f.entry->setNo)
                       .arg(slot)
                       .arg(f.entry->nozzle)
                       .arg(nozzle);
    }

    OptimizerResult& m_result;
    const MachineTables& m_tables;
    std::vector<WorkFeeder> m_feeders;
    QHash<QPair<int, int>, QList<int>> m_bySlot; // (set number, nozzle) -> feeders in list order
    QHash<QPair<QString, QString>, int> m_partTypes;
    QVector<int> m_head;
};

// The part types left in the quadrants, each with the set of its first feeder.
QStringList unpickedTypes(const QuadrantPicks (&quadrants)[4], const QList<FeederEntry*>& feeders)
{
    QStringList lines;
    QSet<QPair<QString, QString>> seen;
    for (const QuadrantPicks& quadrant : quadrants) {
        for (int item = 0; item < int(quadrant.size()); ++item) {
            if (quadrant.taken(item))
                continue;
            const PnPEntry* entry = quadrant.entry(item);
            const QPair<QString, QString> type { entry->name(), entry->value() };
            if (seen.contains(type))
                continue;
            seen.insert(type);
            int set = 0;
            for (const FeederEntry* f : feeders) {
                if (f->name == type.first && f->value == type.second) {
                    set = f->setNo;
                    break;
                }
            }
            lines << QStringLiteral("%1 %2: set %3").arg(type.first, type.second).arg(set);
        }
    }
    return lines;
}

bool qualifies(const PnPEntry& e, int line, int machine)
{
    return e.machine() == machine && e.line() == line && e.exec().toInt() == 1;
}

// The designators of the working list's entries that the order left out, in list order.
QStringList leftOut(const QList<PnPEntry*>& working, const QList<PnPEntry*>& order)
{
    const QSet<const PnPEntry*> ordered(order.cbegin(), order.cend());
    QStringList names;
    for (const PnPEntry* e : working)
        if (!ordered.contains(e))
            names.append(e->refDes());
    return names;
}

} // namespace

QString OptimizerResult::title() const
{
    return status == OptimizerStatus::Done ? OptimizerText::successTitle : OptimizerText::errorTitle;
}

QString OptimizerResult::message() const
{
    switch (status) {
    case OptimizerStatus::Done:
        return OptimizerText::success + timeText;
    case OptimizerStatus::Refused:
        return OptimizerText::refused;
    case OptimizerStatus::Inconsistent:
        break;
    }
    return OptimizerText::inconsistent;
}

QString OptimizerResult::detail() const
{
    if (status != OptimizerStatus::Inconsistent)
        return QString();
    QStringList parts;
    if (!unpicked.isEmpty())
        parts << QStringLiteral("Not picked: ") + unpicked.join(QStringLiteral("; "));
    // Every one is named: the detail is a scrolled text, and the CLI's reason the whole list.
    if (!unordered.isEmpty())
        parts << QStringLiteral("Not ordered: ") + unordered.join(QStringLiteral(", "));
    return parts.join(QStringLiteral(". "));
}

OptimizerResult optimizePlacements(const QList<PnPEntry*>& working, int line, int machine, MachineType type,
    const QList<FeederEntry*>& feeders)
{
    OptimizerResult result;
    if (line < 1 || machine < 1 || !FeederList::matches(working, line, machine, feeders))
        return result;
    const MachineTables tables = MachineTables::of(type);
    Run run(result, tables);
    run.note(QStringLiteral("Optimierung"));

    double cx = 0.0, cy = 0.0;
    if (!working.isEmpty()) {
        double xmin = working.first()->x(), xmax = xmin, ymin = working.first()->y(), ymax = ymin;
        for (const PnPEntry* e : working) {
            xmin = std::min(xmin, e->x());
            xmax = std::max(xmax, e->x());
            ymin = std::min(ymin, e->y());
            ymax = std::max(ymax, e->y());
        }
        cx = xmin + (xmax - xmin) * 0.5;
        cy = ymin + (ymax - ymin) * 0.5;
    }
    QuadrantPicks quadrants[4];
    QList<PnPEntry*> remaining;
    for (PnPEntry* e : working) {
        if (!qualifies(*e, line, machine)) {
            remaining.append(e);
            continue;
        }
        const int q = (e->x() > cx ? 1 : 0) + (e->y() > cy ? 2 : 0);
        quadrants[q].add(e, run.partTypeOf(e->name(), e->value()));
    }

    run.note(machineTypeNames().value(int(type)));
    run.note(QStringLiteral("Nozzleverteilung ermitteln"));
    run.addFeeders(feeders);
    const QMap<int, int> totals = run.nozzleTotals();
    const QMap<int, int> positions = distributeNozzles(totals, tables.nozzleCount);
    if (!positions.isEmpty()) {
        run.setHead(buildHead(positions, tables.positionOrder));
        run.note(QStringLiteral("Quadranten"));
        for (auto& quadrant : quadrants) {
            quadrant.index();
            run.note(QStringLiteral("Quadrant zuweisen"));
            run.runQuadrant(quadrant);
        }
    }
    run.note(QStringLiteral("Aufräumen"));

    result.seconds = result.pickStops * PlacementCost::perPickStop + result.cycles * PlacementCost::perCycle
        + (result.feederTravel + result.placementTravel) * PlacementCost::perMillimetre;
    result.timeText = placementTimeText(result.seconds);
    run.note(QStringLiteral("Entscheidung, Zuweisung"));
    for (const OptimizedStep& step : qAsConst(result.steps))
        result.order.append(step.entry);
    result.order += remaining;
    if (result.order.size() == working.size()) {
        result.status = OptimizerStatus::Done;
    } else {
        result.unpicked = unpickedTypes(quadrants, feeders);
        result.status = OptimizerStatus::Inconsistent;
        result.unordered = leftOut(working, result.order);
        run.note(QString::number(result.order.size()));
        run.note(QString::number(working.size()));
    }
    return result;
}
