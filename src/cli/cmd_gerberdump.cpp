// tessavrant-cli gerber-dump: a layer as stable text, so readers can be checked and compared.
#include "cli/clishared.h"
#include "cli/commands.h"
#include "gerber/excellonheader.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "model/fileio.h"

#include <QFile>
#include <QMap>
#include <QTextStream>
#include <cstdio>

namespace {

QStringList* capturedMessages = nullptr;

void captureMessage(QtMsgType, const QMessageLogContext&, const QString& message)
{
    if (capturedMessages)
        capturedMessages->append(message);
}

QString num(double v)
{
    return QString::number(v, 'g', 12);
}

QString point(const QPointF& p)
{
    return num(p.x()) + QLatin1Char(' ') + num(p.y());
}

void writeMacroImage(QTextStream& out, const MacroImage& image)
{
    for (qint32 index : image.indexes) {
        out << "    image " << index << (image.exposures.value(index, true) ? " dark" : " clear");
        if (image.primitives.contains(index)) {
            const MacroPrimitive& p = image.primitives.value(index);
            out << " " << p.shape << " x=" << num(p.x) << " y=" << num(p.y) << " x2=" << num(p.x2)
                << " y2=" << num(p.y2) << " width=" << num(p.width) << " height=" << num(p.height);
        }
        if (image.polygons.contains(index)) {
            const QPolygonF& polygon = image.polygons.value(index);
            out << " polygon " << polygon.size() << ":";
            for (const QPointF& pt : polygon)
                out << " " << point(pt);
        }
        out << "\n";
    }
}

void writeFull(QTextStream& out, const GerberLayer& layer)
{
    out << "file " << layer.fileName << "\n";
    out << "unit " << layer.unit << " factor " << num(layer.unitFactor) << "\n";
    out << "polarity " << layer.polarity << " zeros " << layer.zeroOmission << " mode "
        << layer.coordinateMode << "\n";
    out << "digits X " << layer.xIntegerDigits << "." << layer.xDecimalDigits << " Y " << layer.yIntegerDigits
        << "." << layer.yDecimalDigits << "\n";
    out << "quadrant single " << int(layer.singleQuadrant) << " multi " << int(layer.multiQuadrant)
        << " region " << int(layer.regionMode) << " dark " << int(layer.darkPolarity) << "\n";
    out << "gcode " << layer.currentG << " previous " << layer.previousG << "\n";

    out << "apertures " << layer.apertures().size() << "\n";
    for (const Aperture* a : layer.apertures()) {
        out << "  " << a->name << " " << a->shape;
        for (int i = 0; i < Aperture::ParameterCount; ++i)
            out << " " << a->parameterText[i];
        out << (a->macroImage ? " image\n" : "\n");
        if (a->macroImage)
            writeMacroImage(out, *a->macroImage);
    }
    out << "macros " << layer.macros().size() << "\n";
    for (const ApertureMacro* m : layer.macros()) {
        out << "  " << m->name << (m->hasVariables ? " variables" : "") << "\n";
        for (const QString& p : m->primitives)
            out << "    " << p << "\n";
    }
    out << "objects " << layer.objects().size() << "\n";
    ObjectIndexWalk indexes(layer);
    for (const ImageObject* o : layer.objects()) {
        const Aperture* aperture = o->aperture();
        out << "  " << indexes.next() << " " << o->kind() << " " << (aperture ? aperture->name : QString())
            << " " << num(o->x) << " " << num(o->y) << (o->dark() ? " dark" : " clear") << "\n";
    }
    out << "regions " << layer.regionPolygons().size() << "\n";
    for (qint32 index : layer.order()) {
        const QPolygonF* polygon = layer.regionAt(index);
        if (!polygon)
            continue;
        out << "  " << index << (layer.regionDarkAt(index) ? " dark " : " clear ") << polygon->size() << ":";
        for (const QPointF& pt : *polygon)
            out << " " << point(pt);
        out << "\n";
    }
}

void writeSummary(QTextStream& out, const GerberLayer& layer)
{
    QMap<QString, int> kinds;
    for (const ImageObject* o : layer.objects())
        ++kinds[o->kind()];
    out << "file " << layer.fileName << "\n";
    out << "apertures " << layer.apertures().size() << "\n";
    out << "macros " << layer.macros().size() << "\n";
    out << "objects " << layer.objects().size() << "\n";
    for (auto it = kinds.cbegin(); it != kinds.cend(); ++it)
        out << "  " << it.key() << " " << it.value() << "\n";
    out << "regions " << layer.regionPolygons().size() << "\n";
}

int run(const CliCall& call)
{
    if (call.arguments().isEmpty())
        return call.usage(QStringLiteral("no file given"));
    const QString path = call.arguments().first();
    const bool summary = call.isSet(QStringLiteral("summary"));
    ExcellonFormat format;
    bool formatFromHeader = true; // "--drill auto"
    // "--drill" reads the file as drill data, whatever it starts with.
    const bool drillGiven = call.isSet(QStringLiteral("drill"));
    if (drillGiven && !readDrillOption(call.value(QStringLiteral("drill")), &format, &formatFromHeader))
        return call.usage(QStringLiteral("--drill needs auto or L|T,INT,DEC (for example L,2,4)"));
    QString error;
    if (!FileIo::checkReadable(path, &error))
        return call.failure(error);

    QStringList messages;
    capturedMessages = &messages;
    const QtMessageHandler previous = qInstallMessageHandler(captureMessage);
    GerberLayer layer(0);
    const bool drill = drillGiven || CliShared::isDrillFile(path);
    if (drill && formatFromHeader)
        detectExcellonFormat(path, &format);
    const bool ok = drill ? loadExcellon(path, layer, format, &error) : loadGerber(path, layer, &error);
    qInstallMessageHandler(previous);
    capturedMessages = nullptr;

    QFile stdoutFile;
    stdoutFile.open(stdout, QIODevice::WriteOnly);
    QTextStream out(&stdoutFile);
    out.setCodec("UTF-8");
    if (summary)
        writeSummary(out, layer);
    else
        writeFull(out, layer);
    out << "messages " << messages.size() << "\n";
    for (const QString& m : messages)
        out << "  " << m << "\n";
    out << "result " << (ok ? "ok" : "failed") << "\n";
    out.flush();
    return ok ? 0 : call.failure(error);
}

} // namespace

CliCommand gerberDumpCommand()
{
    return { QStringLiteral("gerber-dump"), QStringLiteral("FILE [--summary] [--drill auto|L|T,INT,DEC]"),
        QStringLiteral("Read a Gerber or Excellon file and print the layer as text."),
        { { { "summary" }, QString(), QStringLiteral("Print the counts only.") }, CliShared::drillOption() },
        QStringLiteral("FILE  the Gerber or Excellon file."), 1, false, run };
}
