#include "project/projectlayers.h"

#include "gerber/gerberlayer.h"
#include "project/projectmarkers.h"
#include "project/projecttextout.h"

#include <cmath>
#include <string>

using ProjectText::flag;
using ProjectText::number;

namespace ProjectLayers {

namespace {

bool hasImage(const GerberLayer& layer)
{
    return !layer.objects().isEmpty() || !layer.apertures().isEmpty() || !layer.regionPolygons().isEmpty()
        || !layer.arcRecords().isEmpty();
}

void writeMacro(ProjectTextOut& out, int indent, const MacroImage& image)
{
    out.marker(indent, ProjectMarker::macro);
    out.marker(indent + 1, ProjectMarker::macroIndexes);
    QStringList indexes;
    for (const qint32 i : image.indexes)
        indexes << number(int(i));
    out.fields(indent + 2, indexes);
    out.marker(indent + 1, ProjectMarker::macroExposures);
    QStringList exposures;
    for (const qint32 i : image.indexes)
        exposures << number(int(i)) + QLatin1Char(',') + flag(image.exposures.value(i, true));
    out.fields(indent + 2, exposures);
    out.marker(indent + 1, ProjectMarker::macroPrimitives);
    for (auto it = image.primitives.cbegin(); it != image.primitives.cend(); ++it) {
        const MacroPrimitive& p = it.value();
        out.fields(indent + 2,
            { number(int(it.key())), p.shape, number(p.width), number(p.height), number(p.x), number(p.y),
                number(p.x2), number(p.y2) });
    }
    out.marker(indent + 1, ProjectMarker::macroPolygons);
    for (auto it = image.polygons.cbegin(); it != image.polygons.cend(); ++it) {
        QStringList fields { number(int(it.key())) };
        for (const QPointF& p : it.value())
            fields << number(p.x()) << number(p.y());
        out.fields(indent + 2, fields);
    }
}

void writeImage(ProjectTextOut& out, int indent, const GerberLayer& layer)
{
    out.marker(indent, ProjectMarker::shapes);
    for (const Aperture* a : layer.apertures()) {
        out.fields(indent + 1,
            { a->name, a->shape, a->parameterText[0], a->parameterText[1], a->parameterText[2],
                a->parameterText[3] });
        if (a->macroImage) {
            writeMacro(out, indent + 1, *a->macroImage);
            out.marker(indent, ProjectMarker::shapes);
        }
    }
    out.marker(indent, ProjectMarker::arcs);
    for (const ArcRecord* arc : layer.arcRecords()) {
        out.fields(indent + 1,
            { number(arc->value1), number(arc->value2), number(arc->value3), number(int(arc->startAngle)),
                number(int(arc->sweepAngle)), number(arc->value4), arc->text, flag(arc->dark),
                number(int(arc->index)) });
    }
    out.marker(indent, ProjectMarker::polygons);
    for (const qint32 index : layer.order()) {
        const QPolygonF* polygon = layer.regionAt(index);
        if (!polygon)
            continue;
        QStringList fields;
        for (const QPointF& p : *polygon)
            fields << number(p.x()) << number(p.y());
        fields << flag(layer.regionDarkAt(index)) << number(int(index));
        out.fields(indent + 1, fields);
    }
    out.marker(indent, ProjectMarker::imagesPaths);
    ObjectIndexWalk indexes(layer);
    for (const ImageObject* o : layer.objects()) {
        const Aperture* aperture = o->aperture();
        out.fields(indent + 1,
            { aperture ? aperture->name : QString(), number(o->x), number(o->y), o->kind(), flag(o->dark()),
                number(int(indexes.next())) });
    }
}

} // namespace

bool isStored(const GerberLayer& layer, int version)
{
    if (layer.fileName.isEmpty())
        return false;
    if (!layer.rawLines.isEmpty() || !layer.excellonLines.isEmpty())
        return true;
    return version < 8 && hasImage(layer);
}

void write(ProjectTextOut& out, int indent, int slotNumber, const GerberLayer& layer, int version)
{
    out.marker(indent, ProjectMarker::layer + QString::number(slotNumber));
    QStringList header { layer.unit, layer.polarity, layer.zeroOmission, layer.coordinateMode,
        number(layer.unitFactor), layer.fileName, number(layer.color.red()), number(layer.color.green()),
        number(layer.color.blue()), flag(layer.quarterTurnParity) };
    if (version < 8) {
        out.fields(indent + 1, header);
        writeImage(out, indent + 1, layer);
        return;
    }
    header << number(layer.offsetX) << number(layer.offsetY) << number(int(layer.quarterTurns))
           << flag(layer.mirror1) << flag(layer.mirror2);
    out.fields(indent + 1, header);
    if (!layer.rawLines.isEmpty()) {
        out.marker(indent + 1, ProjectMarker::gerberData);
        std::string scratch;
        for (int i = 0; i < layer.rawLines.size(); ++i)
            out.wholeLine(indent + 2, layer.rawLines.bytes(i, scratch));
    }
    if (!layer.excellonLines.isEmpty()) {
        out.marker(indent + 1, ProjectMarker::excellonFormat);
        out.fields(indent + 2, { number(int(layer.xIntegerDigits)), number(int(layer.xDecimalDigits)) });
        out.marker(indent + 1, ProjectMarker::excellonData);
        for (const QString& line : layer.excellonLines)
            out.wholeLine(indent + 2, line);
    }
}

void readHeader(GerberLayer& layer, const QStringList& f, int version)
{
    using namespace ProjectText;
    layer.unit = toText(f, 0, layer.unit);
    layer.polarity = toText(f, 1, layer.polarity);
    layer.zeroOmission = toText(f, 2, layer.zeroOmission);
    layer.coordinateMode = toText(f, 3, layer.coordinateMode);
    const double unitFactor = toDouble(f, 4, layer.unitFactor);
    layer.unitFactor = unitFactor > 0.0 ? unitFactor : (layer.unit == QLatin1String("MM") ? 1.0 : 25.4);
    layer.fileName = toText(f, 5);
    layer.color = QColor(qBound(0, toInt(f, 6, layer.color.red()), 255),
        qBound(0, toInt(f, 7, layer.color.green()), 255), qBound(0, toInt(f, 8, layer.color.blue()), 255));
    layer.quarterTurnParity = toFlag(f, 9);
    if (version < 8)
        return;
    layer.offsetX = toDouble(f, 10);
    layer.offsetY = toDouble(f, 11);
    layer.quarterTurns = ((toInt(f, 12) % 4) + 4) % 4;
    layer.mirror1 = toFlag(f, 13);
    layer.mirror2 = toFlag(f, 14);
}

} // namespace ProjectLayers
