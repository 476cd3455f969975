#pragma once

#include "gerber/macroimage.h"
#include "gerber/macroprimitive.h"

#include <QString>
#include <QStringList>

// One %AM definition: its name and the primitive and variable definition texts as written
// (comments dropped). A macro that uses variables is evaluated anew for every aperture.
class ApertureMacro
{
public:
    QString name;
    QStringList primitives; // e.g. "21,1,0.5,0.2,0,0,45", "4,1,4,$2,$3,...", "$4=$1x2"
    QStringList variableNames; // reserved, always empty
    QStringList variableValues; // reserved, always empty
    bool hasVariables = false; // a primitive or definition holds "$"
};
