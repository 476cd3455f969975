#include "gerber/gerberreader.h"

#include "gerber/gerberlayer.h"
#include "gerber/gerberparser.h"

#include <QFile>
#include <cstring>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

} // namespace

LineList gerberLinesFromBytes(const QByteArray& data)
{
    LineList lines;
    const char* p = data.constData();
    const char* const end = p + data.size();
    // Counting first lets the lists be allocated once, without the slack of growing.
    int count = 1;
    for (const char* q = p; q < end; ++count) {
        q = static_cast<const char*>(memchr(q, '\n', size_t(end - q)));
        if (!q)
            break;
        ++q;
    }
    lines.reserve(count, data.size());
    while (p < end) {
        const char* nl = static_cast<const char*>(memchr(p, '\n', size_t(end - p)));
        const char* lineEnd = nl ? nl : end;
        const char* b = p;
        const char* e = lineEnd;
        while (b < e && isSpace(*b))
            ++b;
        while (e > b && isSpace(e[-1]))
            --e;
        bool ascii = true;
        for (const char* c = b; c < e && ascii; ++c)
            ascii = static_cast<unsigned char>(*c) < 0x80;
        const bool appended
            = ascii ? lines.appendLatin1(b, int(e - b)) : lines.append(QString::fromUtf8(b, int(e - b)));
        if (!appended)
            break;
        p = nl ? nl + 1 : end;
    }
    lines.squeeze();
    return lines;
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
