// tessavrant-cli view: the board view drawn without a window, through the view's own painter.
#include "cli/clishared.h"
#include "cli/cmd_fab.h"
#include "cli/commands.h"

#include "gerber/excellonheader.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/layerset.h"
#include "model/document.h"
#include "model/fileio.h"
#include "view/boardpainter.h"
#include "view/layerraster.h"
#include "view/viewzoom.h"

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <cstdio>
#include <memory>

namespace {

const int maxViewSide = 16384;

struct LayerArg
{
    bool top = true;
    int slot = 0;
    QString path;
};

struct ViewArgs
{
    QList<LayerArg> layers;
    QString fab; // a fabrication package whose files take their slots first
    ExcellonFormat drill;
    bool drillFromHeader = true; // "--drill auto": the format each drill file's header states
    QString pnp;
    bool haveFormat = false;
    PnPFormat format = PnPFormat::Tessavrant;
    QString side = QStringLiteral("top");
    QSize size { 1920, 1080 };
    int zoomLevel = 0; // 0: fit
    bool fast = false;
    QString output;
};

// The reason of a usage error, empty when the arguments are good.
QString parse(const CliCall& call, ViewArgs& out)
{
    static const QRegularExpression layerPattern(QStringLiteral("^(top|bottom):([0-6])=(.+)$"));
    static const QRegularExpression sizePattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    for (const QString& v : call.values(QStringLiteral("layer"))) {
        const QRegularExpressionMatch m = layerPattern.match(v);
        if (!m.hasMatch())
            return QStringLiteral("--layer needs top|bottom:SLOT=FILE with SLOT 0 to 6");
        out.layers.append({ m.captured(1) == QLatin1String("top"), m.captured(2).toInt(), m.captured(3) });
    }
    if (call.isSet(QStringLiteral("drill"))
        && !readDrillOption(call.value(QStringLiteral("drill")), &out.drill, &out.drillFromHeader))
        return QStringLiteral(
            "--drill needs auto, or L or T, integer digits and decimal digits, such as L,2,4");
    out.pnp = call.value(QStringLiteral("pnp"));
    out.fab = call.value(QStringLiteral("fab"));
    if (call.isSet(QStringLiteral("format"))) {
        const QString v = call.value(QStringLiteral("format"));
        if (!CliShared::parsePnPFormat(v, out.format))
            return QStringLiteral("unknown format '%1'").arg(v);
        out.haveFormat = true;
    }
    out.side = call.value(QStringLiteral("side"), out.side);
    if (out.side != QLatin1String("top") && out.side != QLatin1String("bottom")
        && out.side != QLatin1String("gerber"))
        return QStringLiteral("--side needs top, bottom or gerber");
    if (call.isSet(QStringLiteral("size"))) {
        const QRegularExpressionMatch m = sizePattern.match(call.value(QStringLiteral("size")));
        const int w = m.captured(1).toInt();
        const int h = m.captured(2).toInt();
        if (!m.hasMatch() || w < 1 || h < 1 || w > maxViewSide || h > maxViewSide)
            return QStringLiteral("--size needs WxH, each from 1 to %1").arg(maxViewSide);
        out.size = QSize(w, h);
    }
    if (call.isSet(QStringLiteral("zoom"))) {
        bool ok = false;
        const int percent = call.value(QStringLiteral("zoom")).toInt(&ok);
        if (!ok || percent < 10 || percent > 10 * ViewState::maxZoomLevel || percent % 10 != 0)
            return QStringLiteral("--zoom needs a percentage from 10 to 10000 in steps of 10");
        // Of --zoom and --fit, the one given last holds.
        if (call.lastGiven({ QStringLiteral("zoom"), QStringLiteral("fit") }) == QLatin1String("zoom"))
            out.zoomLevel = percent / 10;
    }
    const QString fast = call.value(QStringLiteral("fast"), QStringLiteral("off"));
    if (fast != QLatin1String("on") && fast != QLatin1String("off"))
        return QStringLiteral("--fast needs on or off");
    out.fast = fast == QLatin1String("on");
    out.output = call.value(QStringLiteral("output"));
    if (!out.pnp.isEmpty() && !out.haveFormat)
        return QStringLiteral("--pnp needs --format");
    if (out.output.isEmpty())
        return QStringLiteral("no output file (-o OUT.png)");
    return QString();
}

// Reads a layer the way the window's slot loaders do; the reason of a failure names the file.
std::unique_ptr<GerberLayer> readLayer(
    const LayerArg& arg, ExcellonFormat drill, bool drillFromHeader, QString* error)
{
    if (!FileIo::checkReadable(arg.path, error))
        return nullptr;
    auto layer = std::make_unique<GerberLayer>(arg.slot);
    const bool isDrill = CliShared::isDrillFile(arg.path);
    if (isDrill && drillFromHeader)
        detectExcellonFormat(arg.path, &drill);
    const bool ok
        = isDrill ? loadExcellon(arg.path, *layer, drill, error) : loadGerber(arg.path, *layer, error);
    return ok ? std::move(layer) : nullptr;
}

int run(const CliCall& call)
{
    ViewArgs a;
    const QString problem = parse(call, a);
    if (!problem.isEmpty())
        return call.usage(problem);

    ViewState state;
    LayerSet layers({ state.colours.copper, state.colours.silk, state.colours.background });
    Document document;
    const bool gerber = a.side == QLatin1String("gerber");
    if (!a.fab.isEmpty()) {
        QString error;
        if (!CliFab::loadPackage(a.fab, layers, document, a.pnp.isEmpty(), &error))
            return call.failure(error);
    }
    int row = 0;
    for (const LayerArg& l : qAsConst(a.layers)) {
        QString error;
        std::unique_ptr<GerberLayer> layer = readLayer(l, a.drill, a.drillFromHeader, &error);
        if (!layer)
            return call.failure(error);
        if (gerber) {
            layer->visible = true;
            layers.replace(LayerList::GerberMode, row++, std::move(layer));
        } else {
            // The slot keeps its colour, as a file loaded in the window does.
            layer->color = layers.slot(l.top, LayerSlot(l.slot))->color;
            layers.replace(l.top ? LayerList::Top : LayerList::Bottom, l.slot, std::move(layer));
        }
    }
    if (!a.pnp.isEmpty()) {
        QString error;
        if (!PnPImport::importFile(
                document, a.format, a.pnp, PnPImportOptions::defaultsFor(a.format), &error))
            return call.failure(error);
    }
    if (a.side == QLatin1String("bottom"))
        document.setSide(false);
    document.setGerberMode(gerber);

    BoardScene scene;
    scene.document = &document;
    scene.layers = &layers;
    scene.state = &state;
    scene.list = gerber ? LayerList::GerberMode
                        : (a.side == QLatin1String("bottom") ? LayerList::Bottom : LayerList::Top);

    if (a.fast)
        for (GerberLayer* layer : layers.list(scene.list))
            if (layer->visible)
                LayerRaster::rasterise(*layer);
    ViewZoom::fit(state, BoardPainter::contentExtent(scene), a.size);
    if (a.zoomLevel > 0) {
        // The chosen zoom about the centre of the fitted view.
        const int fitted = state.zoomLevel;
        const double cx = (a.size.width() / 2.0 - state.offsetX) / fitted;
        const double cy = (state.offsetY + a.size.height() / 2.0) / fitted;
        state.zoomLevel = a.zoomLevel;
        state.offsetX = int(qBound(-1.0e7, a.size.width() / 2.0 - a.zoomLevel * cx, 1.0e7));
        state.offsetY = int(qBound(-1.0e7, a.zoomLevel * cy - a.size.height() / 2.0, 1.0e7));
    }
    state.fastRendering = a.fast;

    QImage image(a.size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return call.failure(
            QStringLiteral("not enough memory for a %1 x %2 image").arg(a.size.width()).arg(a.size.height()));
    {
        QPainter painter(&image);
        BoardPainter().paint(painter, a.size, scene);
    }
    QString writeError;
    if (!CliShared::writePng(image.convertToFormat(QImage::Format_RGB32), a.output, &writeError))
        return call.failure(writeError);
    return 0;
}

} // namespace

CliCommand viewCommand()
{
    return { QStringLiteral("view"),
        QStringLiteral("[--fab DIR|ZIP] [--layer top|bottom:SLOT=FILE]... [--drill auto|L|T,INT,DEC]\n"
                       "           [--pnp FILE --format F] [--side top|bottom|gerber] [--size WxH]\n"
                       "           [--zoom PERCENT | --fit] [--fast on|off] -o OUT.png"),
        QStringLiteral("Draw the board view (layers in slots 0 to 6, placements) into a PNG image."),
        { { { "fab" }, QStringLiteral("DIR|ZIP"),
              QStringLiteral("A fabrication package whose layers (and placements, without --pnp) take their "
                             "slots as fab-list assigns them.") },
            { { "layer" }, QStringLiteral("top|bottom:SLOT=FILE"),
                QStringLiteral(
                    "A Gerber or drill file in slot 0 to 6 of a side (with --side gerber: the next "
                    "row); repeatable.") },
            CliShared::drillOption(),
            { { "pnp" }, QStringLiteral("FILE"),
                QStringLiteral("A centroid file whose placements are shown.") },
            CliShared::formatOption(QStringLiteral("the --pnp file")),
            { { "side" }, QStringLiteral("top|bottom|gerber"),
                QStringLiteral("The side shown, or Gerber mode (default top).") },
            { { "size" }, QStringLiteral("WxH"),
                QStringLiteral("The image size in pixels (default 1920x1080).") },
            { { "zoom" }, QStringLiteral("PERCENT"),
                QStringLiteral("Zoom about the centre of the fitted view, 10 to 10000 in steps of 10.") },
            { { "fit" }, QString(), QStringLiteral("Fit the board into the image (the default).") },
            { { "fast" }, QStringLiteral("on|off"),
                QStringLiteral("Draw the layers as rasters, as the fast view does (default off).") },
            { { "o", "output" }, QStringLiteral("OUT.png"), QStringLiteral("The image to write.") } },
        QString(), 0, true, run };
}
