#pragma once

#include "gerber/macroimage.h"
#include "gerber/macroprimitive.h"

#include <QString>
#include <QStringList>

// One %AM definition: its name and the primitive texts as written (comments dropped).
// Variables and arithmetic are not evaluated; a macro using them has no primitives.
class ApertureMacro
{
public:
    QString name;
    QStringList primitives; // e.g. "21,1,0.5,0.2,0,0,45"
    QStringList variableNames; // reserved, always empty
    QStringList variableValues; // reserved, always empty
    bool hasVariables = false;
};
