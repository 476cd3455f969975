#include "gerber/macroexpression.h"

#include "gerber/decimaltext.h"

#include <cmath>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A recursive-descent reader over one expression; every rule stops at the first fault.
class Evaluator
{
public:
    Evaluator(QStringView text, const MacroVariables& variables)
        : m_text(text)
        , m_variables(variables)
    { }

    bool run(double* value, QString* reason)
    {
        double result = 0.0;
        const bool ok = sum(&result, 0) && atEnd();
        if (ok && !std::isfinite(result))
            fail(QStringLiteral("result is not a finite number"));
        if (!m_reason.isEmpty()) {
            if (reason)
                *reason = m_reason;
            return false;
        }
        *value = result;
        return true;
    }

private:
    void skipSpaces()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }

    QChar peek()
    {
        skipSpaces();
        return m_pos < m_text.size() ? m_text.at(m_pos) : QChar();
    }

    bool fail(const QString& reason)
    {
        if (m_reason.isEmpty())
            m_reason = reason;
        return false;
    }

    bool atEnd()
    {
        if (peek().isNull())
            return true;
        return fail(QStringLiteral("unexpected \"%1\"").arg(m_text.at(m_pos)));
    }

    bool sum(double* value, int depth)
    {
        if (!product(value, depth))
            return false;
        for (QChar op = peek(); op == QLatin1Char('+') || op == QLatin1Char('-'); op = peek()) {
            ++m_pos;
            double right = 0.0;
            if (!product(&right, depth))
                return false;
            *value = op == QLatin1Char('+') ? *value + right : *value - right;
        }
        return true;
    }

    bool product(double* value, int depth)
    {
        if (!factor(value, depth))
            return false;
        for (QChar op = peek(); op == QLatin1Char('x') || op == QLatin1Char('X') || op == QLatin1Char('/');
             op = peek()) {
            ++m_pos;
            double right = 0.0;
            if (!factor(&right, depth))
                return false;
            if (op == QLatin1Char('/')) {
                if (right == 0.0)
                    return fail(QStringLiteral("division by zero"));
                *value /= right;
            } else {
                *value *= right;
            }
        }
        return true;
    }

    bool factor(double* value, int depth)
    {
        if (depth > MacroExpression::MaxDepth)
            return fail(QStringLiteral("nested too deeply"));
        const QChar c = peek();
        if (c == QLatin1Char('+') || c == QLatin1Char('-')) {
            ++m_pos;
            if (!factor(value, depth + 1))
                return false;
            if (c == QLatin1Char('-'))
                *value = -*value;
            return true;
        }
        if (c == QLatin1Char('(')) {
            ++m_pos;
            if (!sum(value, depth + 1))
                return false;
            if (peek() != QLatin1Char(')'))
                return fail(QStringLiteral("missing \")\""));
            ++m_pos;
            return true;
        }
        if (c == QLatin1Char('$'))
            return variable(value);
        if (isDigit(c) || c == QLatin1Char('.'))
            return number(value);
        return fail(
            c.isNull() ? QStringLiteral("value missing") : QStringLiteral("unexpected \"%1\"").arg(c));
    }

    bool variable(double* value)
    {
        const qsizetype start = ++m_pos;
        quint64 n = 0;
        while (m_pos < m_text.size() && isDigit(m_text.at(m_pos)) && n <= MacroExpression::MaxVariable)
            n = n * 10 + quint64(m_text.at(m_pos++).unicode() - '0');
        if (m_pos == start || n == 0 || n > MacroExpression::MaxVariable)
            return fail(QStringLiteral("invalid variable"));
        *value = m_variables.value(quint32(n));
        return true;
    }

    // Digits with at most one point; short ones are read exactly as plain modifiers are.
    bool number(double* value)
    {
        const qsizetype start = m_pos;
        bool point = false;
        while (m_pos < m_text.size()
            && (isDigit(m_text.at(m_pos)) || (m_text.at(m_pos) == QLatin1Char('.') && !point))) {
            point = point || m_text.at(m_pos) == QLatin1Char('.');
            ++m_pos;
        }
        const QStringView digits = m_text.mid(start, m_pos - start);
        PlainDecimal plain;
        if (plain.read(digits, true) && plain.digits > 0) {
            *value = double(plain.mantissa) / exactPowerOfTen(plain.decimals);
            return true;
        }
        bool ok = false;
        *value = digits.toString().toDouble(&ok);
        return ok ? true : fail(QStringLiteral("invalid number"));
    }

    QStringView m_text;
    const MacroVariables& m_variables;
    qsizetype m_pos = 0;
    QString m_reason;
};

} // namespace

bool MacroExpression::evaluate(
    QStringView text, const MacroVariables& variables, double* value, QString* reason)
{
    return Evaluator(text, variables).run(value, reason);
}

bool MacroExpression::splitDefinition(QStringView text, quint32* number, QStringView* expression)
{
    const QStringView t = text.trimmed();
    const qsizetype equals = t.indexOf(QLatin1Char('='));
    if (!t.startsWith(QLatin1Char('$')) || equals < 2)
        return false;
    const QStringView digits = t.mid(1, equals - 1).trimmed();
    quint64 n = 0;
    for (const QChar c : digits) {
        if (!isDigit(c) || n > MaxVariable)
            return false;
        n = n * 10 + quint64(c.unicode() - '0');
    }
    if (n == 0 || n > MaxVariable)
        return false;
    *number = quint32(n);
    *expression = t.mid(equals + 1);
    return true;
}
