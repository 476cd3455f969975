#include "line/machinetables.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

void appendRange(QVector<int>& table, int from, int to)
{
    const int step = from <= to ? 1 : -1;
    for (int s = from;; s += step) {
        table.append(s);
        if (s == to)
            break;
    }
}

// Both benches walked the same way: the front half as given, then the rear half (+100).
QVector<int> withRearBench(const QVector<int>& front)
{
    QVector<int> table = front;
    for (int s : front)
        table.append(s + 100);
    return table;
}

QVector<int> topazTable()
{
    QVector<int> t;
    appendRange(t, 21, 40);
    appendRange(t, 20, 1);
    appendRange(t, 126, 150);
    appendRange(t, 125, 101);
    return t;
}

QVector<int> opalTable()
{
    QVector<int> front;
    appendRange(front, 21, 50);
    appendRange(front, 20, 1);
    appendRange(front, 126, 150);
    appendRange(front, 125, 101);
    return front;
}

QVector<int> eclipseTable()
{
    QVector<int> front;
    appendRange(front, 35, 15);
    appendRange(front, 36, 40);
    appendRange(front, 14, 10);
    for (int i = 0; i < 9; ++i) {
        front.append(41 + i);
        front.append(9 - i);
    }
    front.append(50);
    return withRearBench(front);
}

} // namespace

MachineTables MachineTables::of(MachineType type)
{
    switch (type) {
    case MachineType::Opal:
        return { 8, { 0, 2, 4, 6, 1, 3, 5, 7 }, opalTable() };
    case MachineType::Eclipse:
        return { 2, { 0, 1 }, eclipseTable() };
    case MachineType::Topaz:
        break;
    }
    return { 8, { 1, 3, 5, 7, 0, 2, 4, 6 }, topazTable() };
}

QVector<int> generationSets(MachineType type)
{
    const QVector<int> table = MachineTables::of(type).slotTable;
    QVector<int> sets;
    for (const auto& [first, last] : { std::pair<int, int> { 1, 50 }, std::pair<int, int> { 101, 150 } })
        for (int set = first; set <= last; ++set)
            if (table.contains(set))
                sets.append(set);
    return sets;
}

QMap<int, int> distributeNozzles(const QMap<int, int>& totals, int nozzleCount)
{
    QMap<int, int> positions;
    if (totals.isEmpty() || totals.size() > nozzleCount)
        return positions;
    qint64 grandTotal = 0;
    for (int q : totals)
        grandTotal += std::max(q, 0);
    int sum = 0;
    for (auto it = totals.cbegin(); it != totals.cend(); ++it) {
        const int share
            = grandTotal > 0 ? int(qint64(nozzleCount) * std::max(it.value(), 0) / grandTotal) : 0;
        positions.insert(it.key(), std::max(share, 1));
        sum += positions.value(it.key());
    }
    // Every nozzle holds at least one position and there are no more nozzles than positions,
    // so the one with the most positions can always give one up: this ends.
    while (sum != nozzleCount) {
        auto most = positions.begin();
        for (auto it = positions.begin(); it != positions.end(); ++it)
            if (it.value() > most.value())
                most = it;
        const int change = sum < nozzleCount ? 1 : -1;
        most.value() += change;
        sum += change;
    }
    return positions;
}

QVector<int> buildHead(const QMap<int, int>& positions, const QVector<int>& positionOrder)
{
    QVector<int> head(positionOrder.size(), 0);
    QList<int> nozzles = positions.keys();
    std::stable_sort(nozzles.begin(), nozzles.end(),
        [&positions](int a, int b) { return positions.value(a) > positions.value(b); });
    int next = 0;
    for (int nozzle : nozzles)
        for (int i = 0; i < positions.value(nozzle) && next < positionOrder.size(); ++i)
            head[positionOrder.at(next++)] = nozzle;
    return head;
}

QString placementTimeText(double seconds)
{
    if (!std::isfinite(seconds) || seconds < 0.0)
        seconds = 0.0;
    seconds = std::min(seconds, 1e12);
    // Whole ten-thousandths, so that 59.99999 s reads as a full minute.
    const auto units = qint64(std::llround(seconds * 10000.0));
    const qint64 whole = units / 10000;
    const int fraction = int(units % 10000);
    QString secs = QString::number(whole % 60).rightJustified(2, QLatin1Char('0'));
    if (fraction > 0) {
        QString digits = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        secs += QLatin1Char('.') + digits;
    }
    const QString minutes = QString::number((whole / 60) % 60).rightJustified(2, QLatin1Char('0'));
    return QString::number(whole / 3600) + QLatin1Char(':') + minutes + QLatin1Char(':') + secs;
}
