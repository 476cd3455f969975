#include "gerber/layerrows.h"

#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/layerset.h"
#include "model/fileio.h"

namespace LayerRows {

bool inUse(const GerberLayer& layer)
{
    return !layer.rawLines.isEmpty() || !layer.excellonLines.isEmpty();
}

int firstFreeRow(const LayerSet& layers, int startRow)
{
    const QList<GerberLayer*>& rows = layers.list(LayerList::GerberMode);
    for (int row = qMax(0, startRow); row < rows.size(); ++row)
        if (!inUse(*rows.at(row)))
            return row;
    return -1;
}

QString cleanName(const QString& name)
{
    QString cleaned = name;
    cleaned.replace(QLatin1Char(';'), QLatin1Char('_'));
    cleaned.replace(QLatin1Char('+'), QLatin1Char('_'));
    return cleaned;
}

std::unique_ptr<GerberLayer> freshRow(const GerberLayer& old, int row)
{
    auto layer = std::make_unique<GerberLayer>(row);
    layer->color = old.color;
    layer->visible = false;
    return layer;
}

std::unique_ptr<GerberLayer> copyForSlot(
    const GerberLayer& row, int slot, const QColor& slotColour, QString* error)
{
    if (!inUse(row)) {
        if (error)
            *error = QStringLiteral("The row holds no layer");
        return nullptr;
    }
    auto layer = std::make_unique<GerberLayer>(slot);
    layer->color = slotColour;
    layer->rawLines = row.rawLines;
    layer->excellonLines = row.excellonLines;
    layer->visible = true;
    layer->mirror1 = row.mirror1;
    layer->mirror2 = row.mirror2;
    layer->quarterTurns = row.quarterTurns;
    layer->offsetX = row.offsetX;
    layer->offsetY = row.offsetY;
    layer->fileName = cleanName(row.fileName);
    if (layer->rawLines.isEmpty()) {
        layer->xIntegerDigits = row.xIntegerDigits;
        layer->xDecimalDigits = row.xDecimalDigits;
        layer->yIntegerDigits = row.yIntegerDigits;
        layer->yDecimalDigits = row.yDecimalDigits;
        layer->zeroOmission = row.zeroOmission;
    }
    const bool ok = reread(*layer, error);
    return ok ? std::move(layer) : nullptr;
}

bool reread(GerberLayer& layer, QString* error)
{
    if (!layer.rawLines.isEmpty())
        return parseGerber(layer, error);
    // The Excellon reading is the one stored with the layer (its X digits and zero omission).
    applyExcellonFormat(layer, excellonFormatOf(layer));
    return parseExcellon(layer, error);
}

QStringList exportLines(const GerberLayer& layer, bool* isGerber)
{
    QStringList lines;
    const bool gerber = !layer.rawLines.isEmpty();
    if (gerber) {
        lines.reserve(layer.rawLines.size());
        for (int i = 0; i < layer.rawLines.size(); ++i)
            lines << layer.rawLines.at(i);
    } else {
        lines = layer.excellonLines;
    }
    if (isGerber)
        *isGerber = gerber;
    return lines;
}

bool writeLayerFile(const QString& path, const QStringList& lines, QString* error)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    return FileIo::writeAtomically(path, bytes, error);
}

} // namespace LayerRows
