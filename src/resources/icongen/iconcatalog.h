#pragma once

#include <QImage>
#include <QString>
#include <QVector>

class IconCanvas;

// One icon of the program: its resource file name (without ".png") and the function that draws it.
struct IconSource
{
    QString name;
    void (*draw)(IconCanvas& canvas);
};

// Every icon compiled into the program.
QVector<IconSource> iconCatalog();

// Icon groups, one source file each.
QVector<IconSource> documentIcons(); // new, open, save, board operations, search
QVector<IconSource> toolIcons(); // the interactive tools and the drawings colour
QVector<IconSource> filterIcons(); // placement filters and view toggles
QVector<IconSource> layerIcons(); // the seven layer slots

// Not compiled in: the application icon ("tessavrant") and the project file icon
// ("application-x-tessavrant-project"), installed in the desktop's icon theme.
QVector<IconSource> desktopIcons();

QImage renderIcon(const IconSource& source);
// The same drawing on a square of pixelSize pixels.
QImage renderIcon(const IconSource& source, int pixelSize);
