#pragma once

#include <QString>
#include <QVector>

// One placement as a centroid reader found it, before it becomes a PnPEntry of the
// document. Readers fill it; the import frame turns it into entries and sorts them
// onto the sides, so a reader can be run and checked without touching a document.
struct ImportedPlacement
{
    QString refDes;
    QString name;
    double x = 0.0;
    double y = 0.0;
    QString side = QStringLiteral("top");
    double rotation = 0.0;
    QString value;
    QString exec = QStringLiteral("1");
    QString comment;
    int line = 0; // where the reader found it, for messages about its values
};

using ImportedPlacements = QVector<ImportedPlacement>;
