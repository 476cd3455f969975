#pragma once

#include <QString>

// One row of a machine's feeder list: a part type (package and value), the feeder slot it
// sits in and how it is picked. Heap object owned by the Machine whose list holds it.
struct FeederEntry
{
    int index = 0;
    QString value;
    QString name;
    int dbNo = 0;
    int setNo = 0; // 1..50 front bench, 101..150 rear bench, 0 none
    QString feederType = QStringLiteral("8mm");
    int nozzle = 1;
    int optimize = 1;
    int qty = 0;
    int rotation = 0;
    bool highlighted = false;
    int head = 0;
};
