#include "line/machine.h"

#include "line/feederentry.h"

QStringList machineTypeNames()
{
    return { QStringLiteral("Topaz"), QStringLiteral("Opal"), QStringLiteral("Eclipse") };
}

Machine::Machine()
    : benches { FeederBench() }
    , multipickGroups(multipickGroupCount)
    , heads { Head() }
{ }

Machine::~Machine()
{
    qDeleteAll(feeders);
}

void Machine::setHeadCount(int count)
{
    count = qBound(1, count, maxHeads);
    while (heads.size() < count)
        heads.append(Head());
    while (heads.size() > count)
        heads.removeLast();
}

void Machine::setBenchCount(int count)
{
    count = qBound(1, count, maxBenches);
    while (benches.size() < count)
        benches.append(FeederBench());
    while (benches.size() > count)
        benches.removeLast();
}

int Machine::defaultHeadCount(MachineType type)
{
    return type == MachineType::Eclipse ? 2 : 8;
}

void Machine::clearFeeders()
{
    qDeleteAll(feeders);
    feeders.clear();
    partMap.clear();
}
