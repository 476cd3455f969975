#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QVector>

// Writes the program's generated resources into one folder: icons/<name>.png and
// icons/<name>_inactive.png for every icon, images/spinner.gif, and the .qrc that lists them
// under the "/ressources" prefix.
class ResourceGenerator
{
public:
    static QString qrcFileName() { return QStringLiteral("tessavrant_resources.qrc"); }

    // Returns false with a message naming the file when a file cannot be written.
    static bool generate(const QString& outputDir, QString* error);

    // Writes hicolor/<N>x<N>/apps/tessavrant.png and .../mimetypes/<project icon>.png for every
    // size of desktopIconSizes(), the tree an icon theme installs under share/icons.
    static bool generateDesktopIcons(const QString& outputDir, QString* error);
    static QVector<int> desktopIconSizes() { return { 16, 24, 32, 48, 64, 128, 256 }; }

    // Paths relative to the .qrc, as they appear under ":/ressources/".
    static QStringList resourceFiles();

    // All icons, active and inactive side by side at 1x and 2x, on the toolbar colour, for review.
    static QImage contactSheet();
};
