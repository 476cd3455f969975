#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

// The variables of one macro aperture: $1...$n from the aperture's modifiers, then whatever the
// macro's definitions ("$4=$1x2") assign, in order. A variable never given reads as 0.
class MacroVariables
{
public:
    double value(quint32 number) const { return m_values.value(number, 0.0); }
    void set(quint32 number, double value) { m_values.insert(number, value); }

private:
    QHash<quint32, double> m_values;
};

// Arithmetic of aperture macro modifiers: decimal numbers, variables $n, the operators + - x
// (also X) and /, parentheses and unary signs, with the usual precedence. A text that is not such
// an expression, a division by zero and a result that is not a finite number are refused with a
// short reason.
class MacroExpression
{
public:
    // Deeper nesting than this is no drawing anyone made; it is refused rather than recursed.
    static constexpr int MaxDepth = 100;
    // Variable numbers above this are refused (no aperture has that many modifiers).
    static constexpr quint32 MaxVariable = 1000000;

    static bool evaluate(QStringView text, const MacroVariables& variables, double* value, QString* reason);

    // "$n=expression": the variable number and the expression text. False for anything else.
    static bool splitDefinition(QStringView text, quint32* number, QStringView* expression);
};
