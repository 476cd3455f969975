#pragma once

#include <QString>

// One part type of the part database, as its entry line holds it: database number,
// "CATEGORY-TYPE", body dimensions in mm, nozzle and feeder type ("8mm", or "x" when the
// line gives none). Texts as in the file; the accessors convert.
struct PartDbEntry
{
    QString number = QStringLiteral("0");
    QString name = QStringLiteral("default");
    QString x = QStringLiteral("0.00");
    QString y = QStringLiteral("0.00");
    QString z = QStringLiteral("0.00");
    QString nozzle = QStringLiteral("0");
    QString feederType = QStringLiteral("x");

    int dbNo() const { return number.toInt(); }
    // The text of the name before the first "-", and the rest.
    QString category() const { return name.section(QLatin1Char('-'), 0, 0); }
    QString type() const
    {
        const int dash = name.indexOf(QLatin1Char('-'));
        return dash < 0 ? QString() : name.mid(dash + 1);
    }
    // "NUMBER: NAME", as the entry lists show it.
    QString displayText() const { return number + QStringLiteral(": ") + name; }
};
