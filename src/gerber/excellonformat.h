#pragma once

#include <QString>

// Number format of the coordinates of an Excellon file. Drill files seldom state it reliably,
// so the user chooses it on import; a project keeps it with the layer.
struct ExcellonFormat
{
    bool leadingZeroesOmitted = true; // "L": pad in front; otherwise "T": pad behind
    int integerDigits = 2;
    int decimalDigits = 4;

    // The layer's zero-omission text: "L" or "T".
    QString zeroOmissionText() const
    {
        return leadingZeroesOmitted ? QStringLiteral("L") : QStringLiteral("T");
    }

    // Parses "L,2,4" / "T,3,3" (zeros, integer digits, decimal digits; digits 0 to 9).
    // Returns false and leaves `format` unchanged when the text does not fit.
    static bool fromText(const QString& text, ExcellonFormat* format);
};
