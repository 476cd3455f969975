#include "model/numbertext.h"

namespace NumberText {

double parse(const QString& text, bool* ok)
{
    return QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(ok);
}

QString format(double value)
{
    return QString::number(value, 'g', 6);
}

QString formatComma(double value)
{
    return format(value).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace NumberText
