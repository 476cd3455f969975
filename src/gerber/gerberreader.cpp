#include "gerber/gerberreader.h"

#include "gerber/gerberlayer.h"
#include "gerber/gerberparser.h"
#include "model/fileio.h"

LineList gerberLinesFromBytes(QByteArray data)
{
    return LineList::fromFileBytes(std::move(data));
}

bool loadGerber(const QString& path, GerberLayer& layer, QString* error)
{
    QByteArray data;
    if (!FileIo::readAll(path, &data, error))
        return false;
    layer.rawLines = gerberLinesFromBytes(std::move(data));
    layer.visible = true;
    layer.fileName = FileIo::fileName(path);
    return parseGerber(layer, error);
}

bool parseGerber(GerberLayer& layer, QString* error)
{
    GerberParser parser(layer);
    const bool ok = parser.run();
    if (!ok && error)
        *error = parser.errorText();
    return ok;
}
