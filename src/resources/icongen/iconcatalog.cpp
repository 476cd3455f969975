#include "resources/icongen/iconcatalog.h"

#include "resources/icongen/iconcanvas.h"

QVector<IconSource> iconCatalog()
{
    return documentIcons() + toolIcons() + filterIcons() + layerIcons();
}

QImage renderIcon(const IconSource& source)
{
    IconCanvas canvas;
    source.draw(canvas);
    return canvas.image();
}
