#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Writes the program's generated resources into one folder: icons/<name>.png and
// icons/<name>_inactive.png for every icon, images/spinner.gif, and the .qrc that lists them
// under the "/ressources" prefix.
class ResourceGenerator
{
public:
    static QString qrcFileName() { return QStringLiteral("tessavrant_resources.qrc"); }

    // Returns false with a message naming the file when a file cannot be written.
    static bool generate(const QString& outputDir, QString* error);

    // Paths relative to the .qrc, as they appear under ":/ressources/".
    static QStringList resourceFiles();

    // All icons, active and inactive side by side at 1x and 2x, on the toolbar colour, for review.
    static QImage contactSheet();
};
