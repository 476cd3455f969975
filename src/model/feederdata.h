#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Feeder rows of a project kept as read, until the production line takes them over: each row
// holds the ten feeder fields (index; value; name; dbNo; setNo; feederType; nozzle; optimize;
// qty; rotation; and the head when it is set) as texts, exactly as the file gave them, so that
// saving writes them back unchanged.
struct FeederRecord
{
    QStringList fields;

    bool operator==(const FeederRecord& o) const { return fields == o.fields; }
};

// The feeder rows of one machine of a production line ("++Machine" block).
struct MachineFeeders
{
    int machine = 0;
    int line = 0;
    QList<FeederRecord> feeders;

    bool operator==(const MachineFeeders& o) const
    {
        return machine == o.machine && line == o.line && feeders == o.feeders;
    }
};

// Every feeder row a project carries: the per-side blocks of files written before version 10
// (the feeders of the machine each side was assigned to) and the per-machine blocks of
// version 10 and later.
struct FeederData
{
    QList<FeederRecord> topSide;
    QList<FeederRecord> bottomSide;
    QList<MachineFeeders> machines;

    bool isEmpty() const { return topSide.isEmpty() && bottomSide.isEmpty() && machines.isEmpty(); }
    bool operator==(const FeederData& o) const
    {
        return topSide == o.topSide && bottomSide == o.bottomSide && machines == o.machines;
    }
};
