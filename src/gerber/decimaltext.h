#pragma once

#include <QStringView>
#include <QtGlobal>

// 10^k for 0 <= k <= 22, the powers of ten a double holds exactly.
inline double exactPowerOfTen(int k)
{
    static constexpr double table[] = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12,
        1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22 };
    return table[k];
}

// A short plain decimal text: an optional sign, at most 15 digits and, where allowed, one point.
// Its digits as an integer over an exact power of ten is its correctly rounded value, the same
// a general number reader gives, at a fraction of the cost.
struct PlainDecimal
{
    qint64 mantissa = 0;
    int digits = 0; // digits read (none for "" or a lone sign)
    int decimals = 0; // of these, the ones after the point
    bool negative = false;

    // False when the text is anything else: more digits, an exponent, spaces, other characters.
    bool read(QStringView text, bool pointAllowed)
    {
        const QChar* p = text.data();
        const QChar* const end = p + text.size();
        if (p < end && (*p == QLatin1Char('-') || *p == QLatin1Char('+'))) {
            negative = *p == QLatin1Char('-');
            ++p;
        }
        bool point = false;
        for (; p < end; ++p) {
            const unsigned digit = unsigned(p->unicode()) - unsigned('0');
            if (digit > 9) {
                if (*p != QLatin1Char('.') || !pointAllowed || point)
                    return false;
                point = true;
                continue;
            }
            if (digits == 15)
                return false;
            mantissa = mantissa * 10 + digit;
            ++digits;
            decimals += point ? 1 : 0;
        }
        return true;
    }
};
