#include "model/pnpentry.h"

#include <cmath>

namespace ExecKind {

int counterIndex(const QString& exec)
{
    // A failed conversion gives 0, so any non-number counts as "not placed".
    const int n = exec.toInt();
    return (n >= 0 && n <= 3) ? n : -1;
}

QString menuText(const QString& exec)
{
    if (exec == None)
        return QStringLiteral("No Execute");
    if (exec == Machine)
        return QStringLiteral("SMD");
    if (exec == Hand)
        return QStringLiteral("Other");
    if (exec == Tht)
        return QStringLiteral("THT");
    return QString();
}

QString labelText(const QString& exec)
{
    if (exec == None)
        return QStringLiteral("Not Placed:");
    if (exec == Machine)
        return QStringLiteral("Machine:");
    if (exec == Hand)
        return QStringLiteral("Other:");
    if (exec == Tht)
        return QStringLiteral("THT:");
    return QString();
}

QString exportCategory(const QString& exec)
{
    if (exec == None)
        return QStringLiteral("No Placement");
    if (exec == Machine)
        return QStringLiteral("Machine");
    if (exec == Hand)
        return QStringLiteral("Hand");
    if (exec == Tht)
        return QStringLiteral("THT");
    return QString();
}

} // namespace ExecKind

PnPEntry::PnPEntry(const QString& refDes, const QString& name, double x, double y, const QString& side,
    double rotation, const QString& value, const QString& exec, const QString& comment, int head)
    : m_refDes(sanitiseText(refDes))
    , m_name(sanitiseText(name))
    , m_x(x)
    , m_y(y)
    , m_side(sanitiseText(side).toLower())
    , m_rotation(reduceRotation(wrapNegativeRotation(rotation)))
    , m_value(sanitiseText(value))
    , m_exec(sanitiseText(exec))
    , m_comment(sanitiseText(comment))
    , m_head(head)
{
    touch();
}

QString PnPEntry::sanitiseText(const QString& text)
{
    static const char forbidden[] = { '<', '>', '=', '"', '$', ' ', '-' };
    QString out = text;
    for (char c : forbidden)
        out.replace(QLatin1Char(c), QLatin1Char('_'));
    return out;
}

// CAD files write clockwise turns as negative angles (-90 for 270). Cutting them to 0 would
// silently place the part in the wrong orientation, so they are wrapped into 0..360 instead.
double PnPEntry::wrapNegativeRotation(double r)
{
    if (!(r < 0.0))
        return r;
    r = std::fmod(r, 360.0);
    if (r < 0.0)
        r += 360.0;
    // -720 gives -0.0 from fmod; 359.99999999999997 + 360 may round up to exactly 360.
    if (r >= 360.0 || r == 0.0)
        r = 0.0;
    return r;
}

void PnPEntry::setRotation(double v)
{
    m_rotation = reduceRotation(v);
}

double PnPEntry::reduceRotation(double r)
{
    // NaN or infinity would never leave the subtraction loop (or leave it unchanged);
    // such a value only comes from broken input, so it is treated as no rotation.
    if (!std::isfinite(r))
        return 0.0;
    // Step by step for every angle a user or a file can sensibly give, so results stay
    // bit-identical to repeated subtraction; fmod only where the loop would take ages.
    constexpr double loopLimit = 360.0 * 100000.0;
    if (r >= loopLimit)
        r = std::fmod(r, 360.0);
    while (r >= 360.0)
        r -= 360.0;
    return r;
}
