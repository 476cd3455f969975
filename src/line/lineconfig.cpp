#include "line/lineconfig.h"

#include "line/machine.h"
#include "model/fileio.h"

#include <QDebug>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace {

// One line of line.cfg that a reader takes.
struct MachineLine
{
    QString name;
    int type = 0;
    int line = 0;
};

// A line is taken when it has three fields, a known type and a line number of 0 or more;
// a text that is no number reads as 0.
bool takeLine(const QString& rawLine, MachineLine* out)
{
    const QString line = rawLine.trimmed();
    const int first = line.indexOf(QLatin1Char(';'));
    if (first < 0)
        return false;
    const int second = line.indexOf(QLatin1Char(';'), first + 1);
    if (second < 0)
        return false;
    int third = line.indexOf(QLatin1Char(';'), second + 1);
    if (third < 0)
        third = line.size();
    const int type = line.midRef(first + 1, second - first - 1).toInt();
    const int number = line.midRef(second + 1, third - second - 1).toInt();
    if (type < 0 || type >= machineTypeCount || number < 0)
        return false;
    if (out) {
        out->name = line.left(first);
        out->type = type;
        out->line = number;
    }
    return true;
}

// Splits without building a list of every field: a line may carry 100 000 of them.
template <typename Fn> void forEachLine(const QByteArray& data, Fn fn)
{
    int start = 0;
    while (start < data.size()) {
        int end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        // Latin-1 maps every byte to one character and back, so nothing read is changed.
        fn(QString::fromLatin1(data.constData() + start, end - start));
        start = end + 1;
    }
}

} // namespace

LineConfig::~LineConfig()
{
    clear();
}

int LineConfig::machineCount() const
{
    int count = 0;
    for (const ProductionLine& line : m_lines)
        count += line.machines.size();
    return count;
}

QStringList LineConfig::lineNames() const
{
    QStringList names;
    for (int i = 1; i <= m_lines.size(); ++i)
        names << QString::number(i);
    return names;
}

const Machine* LineConfig::machineAt(int lineIndex, int machineNumber) const
{
    if (lineIndex < 0 || lineIndex >= m_lines.size())
        return nullptr;
    const QList<Machine*>& machines = m_lines.at(lineIndex).machines;
    if (machineNumber < 1 || machineNumber > machines.size())
        return nullptr;
    return machines.at(machineNumber - 1);
}

void LineConfig::clear()
{
    for (ProductionLine& line : m_lines)
        qDeleteAll(line.machines);
    m_lines.clear();
}

bool LineConfig::removeLine(int index)
{
    if (m_lines.size() < 2 || index < 0 || index >= m_lines.size())
        return false;
    qDeleteAll(m_lines.at(index).machines);
    m_lines.removeAt(index);
    return true;
}

void LineConfig::clearFeeders()
{
    for (ProductionLine& line : m_lines) {
        for (Machine* machine : line.machines)
            machine->clearFeeders();
    }
}

bool LineConfig::parse(const QByteArray& data, QString* error, const QString& source)
{
    clear();
    m_kept.clear();
    QHash<int, int> lineOfNumber; // number in the file -> index of the line formed
    int lineNumber = 0;
    int skipped = 0;
    int machines = 0;
    int firstWaiting = 0; // kept lines from here on wait for the next machine
    forEachLine(data, [&](const QString& text) {
        ++lineNumber;
        MachineLine taken;
        const bool isMachine = takeLine(text, &taken);
        if (!isMachine || machines >= maxMachines) {
            m_kept.append({ nullptr, text.toLatin1() });
            if (isMachine) {
                if (!skipped && error)
                    *error = FileIo::errorText(source, lineNumber,
                        QStringLiteral("the file holds more than %1 machines; the rest is kept but not read")
                            .arg(maxMachines));
                ++skipped;
            }
            return;
        }
        ++machines;
        auto* machine = new Machine;
        machine->type = MachineType(taken.type);
        machine->name = taken.name;
        machine->lineNumber = taken.line;
        machine->setHeadCount(Machine::defaultHeadCount(machine->type));
        auto it = lineOfNumber.constFind(taken.line);
        if (it == lineOfNumber.constEnd()) {
            it = lineOfNumber.insert(taken.line, m_lines.size());
            m_lines.append(ProductionLine());
        }
        m_lines[*it].machines.append(machine);
        for (; firstWaiting < m_kept.size(); ++firstWaiting)
            m_kept[firstWaiting].first = machine;
    });
    for (int i = 0; i < m_lines.size(); ++i) {
        QStringList names;
        for (const Machine* machine : m_lines.at(i).machines)
            names << machine->name;
        qDebug() << "line" << i + 1 << names;
    }
    if (m_lines.isEmpty())
        m_lines.append(ProductionLine());
    return skipped == 0;
}

// Lines are built on their own and then appended: `out += a + b` through the string builder
// reserves exactly the new size, so each line would copy all written so far.
QByteArray LineConfig::serialize() const
{
    QHash<const Machine*, QVector<int>> keptBefore;
    for (int k = 0; k < m_kept.size(); ++k)
        keptBefore[m_kept.at(k).first].append(k);
    QSet<const Machine*> written;
    QByteArray out;
    for (int i = 0; i < m_lines.size(); ++i) {
        for (const Machine* machine : m_lines.at(i).machines) {
            for (int k : keptBefore.value(machine)) {
                out += m_kept.at(k).second;
                out += '\n';
            }
            written.insert(machine);
            QString name = machine->name;
            name.replace(QLatin1Char(';'), QLatin1Char('_'));
            name.replace(QLatin1Char('\n'), QLatin1Char('_'));
            out += QByteArray(name.toLatin1() + ';' + QByteArray::number(int(machine->type)) + ';'
                + QByteArray::number(i) + '\n');
        }
    }
    // Lines whose machine was removed, and those after the last machine, end the file.
    for (const auto& kept : m_kept)
        if (!kept.first || !written.contains(kept.first)) {
            out += kept.second;
            out += '\n';
        }
    return out;
}

bool LineConfig::readFile(const QString& path, QString* error)
{
    QByteArray data;
    if (!FileIo::readAll(path, &data, error)) {
        clear();
        m_lines.append(ProductionLine());
        return false;
    }
    return parse(data, error, path);
}

bool LineConfig::writeFile(const QString& path, QString* error) const
{
    const QString backup = QFileInfo(path).absolutePath() + QLatin1Char('/') + backupName;
    return FileIo::replaceWithBackup(path, backup, serialize(), error);
}

QByteArray LineConfig::filterImport(const QByteArray& data, int* taken)
{
    QByteArray out;
    int count = 0;
    forEachLine(data, [&](const QString& text) {
        if (!takeLine(text, nullptr))
            return;
        out += text.trimmed().toLatin1();
        out += '\n';
        ++count;
    });
    if (taken)
        *taken = count;
    return out;
}
