#pragma once

#include <QList>

class Machine;

// An ordered list of machines; the LineConfig that holds the line owns them.
struct ProductionLine
{
    QList<Machine*> machines;
};
