#include "line/machinedetails.h"

#include "line/lineconfig.h"
#include "line/machine.h"

#include <QVector>
#include <cmath>

namespace {

constexpr double positionLimit = 9999.99;

QByteArray number(double v)
{
    return QByteArray::number(v, 'g', 10);
}

// A finite number kept within [low, high]; `ok` is cleared for anything else.
double readNumber(const QStringRef& text, double low, double high, bool* ok)
{
    bool good = false;
    const double v = text.toDouble(&good);
    if (!good || !std::isfinite(v)) {
        *ok = false;
        return 0.0;
    }
    return qBound(low, v, high);
}

int readInt(const QStringRef& text, int low, int high, bool* ok)
{
    return int(readNumber(text, low, high, ok));
}

bool readBench(const QVector<QStringRef>& f, FeederBench* bench)
{
    if (f.size() != 6)
        return false;
    bool ok = true;
    bench->type = BenchType(readInt(f[1], 0, 1, &ok));
    bench->x = readNumber(f[2], -positionLimit, positionLimit, &ok);
    bench->y = readNumber(f[3], -positionLimit, positionLimit, &ok);
    bench->rotation = readNumber(f[4], 0.0, 359.99, &ok);
    bench->pitch = readNumber(f[5], 0.0, positionLimit, &ok);
    return ok;
}

bool readHead(const QVector<QStringRef>& f, Head* head)
{
    if (f.size() != 11)
        return false;
    bool ok = true;
    head->x = readNumber(f[1], -positionLimit, positionLimit, &ok);
    head->y = readNumber(f[2], -positionLimit, positionLimit, &ok);
    head->multipickGroup = readInt(f[3], 1, Machine::multipickGroupCount, &ok);
    head->type = HeadType(readInt(f[4], 0, 1, &ok));
    head->centerType = CenterType(readInt(f[5], 0, 1, &ok));
    head->centerCount = readInt(f[6], 0, 2, &ok);
    head->cam1X = readNumber(f[7], -positionLimit, positionLimit, &ok);
    head->cam1Y = readNumber(f[8], -positionLimit, positionLimit, &ok);
    head->cam2X = readNumber(f[9], -positionLimit, positionLimit, &ok);
    head->cam2Y = readNumber(f[10], -positionLimit, positionLimit, &ok);
    return ok;
}

} // namespace

namespace MachineDetails {

QByteArray serialize(const LineConfig& config)
{
    QByteArray out;
    int row = 0;
    for (const ProductionLine& line : config.lines()) {
        for (const Machine* m : line.machines) {
            // Each line is made whole before it is appended (see LineConfig::serialize).
            out += QByteArray("machine " + QByteArray::number(row++) + ' ' + m->name.toUtf8() + '\n');
            for (const FeederBench& b : m->benches)
                out += QByteArray("bench " + QByteArray::number(int(b.type)) + ' ' + number(b.x) + ' '
                    + number(b.y) + ' ' + number(b.rotation) + ' ' + number(b.pitch) + '\n');
            for (const Head& h : m->heads)
                out += QByteArray("head " + number(h.x) + ' ' + number(h.y) + ' '
                    + QByteArray::number(h.multipickGroup) + ' ' + QByteArray::number(int(h.type)) + ' '
                    + QByteArray::number(int(h.centerType)) + ' ' + QByteArray::number(h.centerCount) + ' '
                    + number(h.cam1X) + ' ' + number(h.cam1Y) + ' ' + number(h.cam2X) + ' ' + number(h.cam2Y)
                    + '\n');
            for (int g = 0; g < m->multipickGroups.size(); ++g) {
                if (m->multipickGroups.at(g).pitch != 0.0)
                    out += QByteArray("pitch " + QByteArray::number(g + 1) + ' '
                        + number(m->multipickGroups.at(g).pitch) + '\n');
            }
        }
    }
    return out;
}

void apply(const QByteArray& data, LineConfig& config)
{
    QList<Machine*> rows;
    for (const ProductionLine& line : config.lines())
        rows << line.machines;

    Machine* current = nullptr;
    bool benchesRead = false;
    bool headsRead = false;
    const QString text = QString::fromUtf8(data);
    for (const QStringRef& rawLine : text.splitRef(QLatin1Char('\n'))) {
        // The header is not trimmed: a machine name may end in blanks or be empty.
        if (rawLine.startsWith(QLatin1String("machine "))) {
            const QStringRef rest = rawLine.mid(8);
            const int space = rest.indexOf(QLatin1Char(' '));
            bool ok = false;
            const int row = rest.left(space < 0 ? rest.size() : space).toInt(&ok);
            const QStringRef name = space < 0 ? QStringRef() : rest.mid(space + 1);
            Machine* candidate = ok && row >= 0 && row < rows.size() ? rows.at(row) : nullptr;
            // A file saved with CRLF line ends still matches.
            const bool matches = candidate
                && (candidate->name == name
                    || (name.endsWith(QLatin1Char('\r')) && candidate->name == name.left(name.size() - 1)));
            current = matches ? candidate : nullptr;
            benchesRead = headsRead = false;
            continue;
        }
        if (!current)
            continue;
        const QStringRef line = rawLine.trimmed();
        const QVector<QStringRef> f = line.split(QLatin1Char(' '), QString::SkipEmptyParts);
        if (f.isEmpty() || f.size() > 11)
            continue;
        if (f[0] == QLatin1String("bench")) {
            FeederBench bench;
            if (!readBench(f, &bench) || (benchesRead && current->benches.size() >= Machine::maxBenches))
                continue;
            if (!benchesRead)
                current->benches.clear();
            benchesRead = true;
            current->benches.append(bench);
        } else if (f[0] == QLatin1String("head")) {
            Head head;
            if (!readHead(f, &head) || (headsRead && current->heads.size() >= Machine::maxHeads))
                continue;
            if (!headsRead)
                current->heads.clear();
            headsRead = true;
            current->heads.append(head);
        } else if (f[0] == QLatin1String("pitch") && f.size() == 3) {
            bool ok = true;
            const int group = readInt(f[1], 0, Machine::multipickGroupCount, &ok);
            const double pitch = readNumber(f[2], 0.0, positionLimit, &ok);
            if (ok && group >= 1)
                current->multipickGroups[group - 1].pitch = pitch;
        }
    }
}

} // namespace MachineDetails
