#include "gerber/gerberreader.h"

#include "gerber/gerberlayer.h"
#include "gerber/gerberparser.h"

#include <QFile>

LineList gerberLinesFromBytes(QByteArray data)
{
    return LineList::fromFileBytes(std::move(data));
}

bool loadGerber(const QString& path, int slot, QList<GerberLayer*>& layers)
{
    if (slot < 0)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    LineList lines = gerberLinesFromBytes(file.readAll());
    file.close();
    while (layers.size() <= slot)
        layers.append(new GerberLayer(layers.size()));
    auto* layer = new GerberLayer(slot);
    if (GerberLayer* old = layers.at(slot)) {
        layer->color = old->color;
        delete old;
    }
    layers[slot] = layer;
    layer->rawLines = std::move(lines);
    layer->visible = true;
    layer->fileName = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return parseGerber(slot, layers);
}

bool parseGerber(int slot, QList<GerberLayer*>& layers)
{
    if (slot < 0 || slot >= layers.size() || !layers[slot])
        return false;
    return parseGerber(*layers[slot]);
}

bool parseGerber(GerberLayer& layer)
{
    GerberParser parser(layer);
    return parser.run();
}
