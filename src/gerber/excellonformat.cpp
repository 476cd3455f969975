#include "gerber/excellonformat.h"

#include <QStringList>

bool ExcellonFormat::fromText(const QString& text, ExcellonFormat* format)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3)
        return false;
    const QString zeros = parts[0].trimmed().toUpper();
    if (zeros != QLatin1String("L") && zeros != QLatin1String("T"))
        return false;
    bool okInt = false;
    bool okDec = false;
    const int integerDigits = parts[1].trimmed().toInt(&okInt);
    const int decimalDigits = parts[2].trimmed().toInt(&okDec);
    if (!okInt || !okDec || integerDigits < 0 || integerDigits > 9 || decimalDigits < 0 || decimalDigits > 9)
        return false;
    format->leadingZeroesOmitted = zeros == QLatin1String("L");
    format->integerDigits = integerDigits;
    format->decimalDigits = decimalDigits;
    return true;
}
