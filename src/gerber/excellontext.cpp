#include "gerber/excellontext.h"

#include "gerber/decimaltext.h"

#include <cmath>

namespace {

bool isNumberChar(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') || c == QLatin1Char('+')
        || c == QLatin1Char('-');
}

} // namespace

QStringView numberAfter(QStringView line, int letterPos)
{
    int end = letterPos + 1;
    while (end < line.size() && isNumberChar(line[end]))
        ++end;
    return line.mid(letterPos + 1, end - letterPos - 1);
}

double convertCoordinate(QStringView text, const ExcellonFormat& format)
{
    QString digits;
    digits.reserve(text.size());
    for (QChar c : text) {
        if (c != QLatin1Char('+'))
            digits.append(c);
    }
    bool negative = false;
    if (!digits.isEmpty() && digits[0] == QLatin1Char('-')) {
        negative = true;
        digits.remove(0, 1);
    }

    double value = 0.0;
    if (digits.contains(QLatin1Char('.'))) {
        value = digits.toDouble();
    } else {
        const int total = format.integerDigits + format.decimalDigits;
        bool plain = digits.size() <= 18;
        qint64 mantissa = 0;
        for (int i = 0; plain && i < digits.size(); ++i) {
            const QChar c = digits[i];
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                plain = false;
            else
                mantissa = mantissa * 10 + (c.unicode() - '0');
        }
        if (plain) {
            if (!format.leadingZeroesOmitted && digits.size() < total)
                value = double(mantissa) * exactPowerOfTen(total - digits.size())
                    / exactPowerOfTen(format.decimalDigits);
            else
                value = double(mantissa) / exactPowerOfTen(format.decimalDigits);
        } else {
            // Not a plain digit string: follow the textual rule; garbage reads as 0.
            if (digits.size() < total) {
                const QString pad(total - digits.size(), QLatin1Char('0'));
                digits = format.leadingZeroesOmitted ? pad + digits : digits + pad;
            }
            digits.insert(digits.size() - format.decimalDigits, QLatin1Char('.'));
            value = digits.toDouble();
        }
    }
    value = std::isfinite(value) ? value : 0.0;
    if (value == 0.0)
        return 0.0;
    return negative ? -value : value;
}

bool parseToolLine(QStringView line, ToolLine* tool)
{
    if (line.isEmpty() || line[0] != QLatin1Char('T'))
        return false;
    int end = 1;
    while (end < line.size() && line[end].isDigit() && line[end].unicode() < 128)
        ++end;
    if (end == 1)
        return false;
    tool->name = line.left(end).toString();
    tool->number = end - 1 <= 9 ? line.mid(1, end - 1).toInt() : -1;
    const int c = line.indexOf(QLatin1Char('C'), end);
    if (c >= 0) {
        tool->hasDiameter = true;
        tool->diameter = numberAfter(line, c).toString();
    }
    return true;
}
