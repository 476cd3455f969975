#include "app/statustext.h"

#include "model/numbertext.h"
#include "model/version.h"

#include <QFileInfo>

namespace StatusText {

QString windowTitle(const QString& titleName)
{
    return titleName + QStringLiteral(" - ") + Version::programText();
}

QString titleFromPath(const QString& path)
{
    return QFileInfo(path).completeBaseName();
}

QString fixTwoDecimals(const QString& text)
{
    const int dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return text + QStringLiteral(".00");
    if (dot == text.size() - 2)
        return text + QLatin1Char('0');
    return text.left(dot + 3);
}

QString formatCoordinate(double value)
{
    QString text = NumberText::format(value);
    // Six significant digits switch to exponent form for very large or tiny values;
    // the two-decimal rule would mangle those, so they are printed in fixed form.
    if (text.contains(QLatin1Char('e')))
        text = QString::number(value, 'f', 2);
    return fixTwoDecimals(text);
}

QString machineSuffix(int machineCount, int machineIndex, const QString& lineText, const QString& machineText)
{
    if (machineCount > 0 && machineIndex >= 0)
        return QStringLiteral(" | current machine: line ") + lineText + QStringLiteral(" - ") + machineText;
    return QStringLiteral(" | no machine selected");
}

QString statusLine(bool cursorOverView, double x, double y, const QString& hoverText, const QString& suffix)
{
    if (!cursorOverView)
        return QStringLiteral("X: 0.00 mm Y: 0.00 mm") + suffix;
    QString text = QStringLiteral("X: ") + formatCoordinate(x) + QStringLiteral(" mm") + QLatin1Char(' ')
        + QStringLiteral("Y: ") + formatCoordinate(y) + QStringLiteral(" mm");
    if (!hoverText.isEmpty())
        text += QStringLiteral(" | ") + hoverText;
    return text + suffix;
}

} // namespace StatusText
