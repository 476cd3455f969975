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

const char* const viewUsage = "Usage: tessavrant-cli view [--fab DIR|ZIP] [--layer top|bottom:SLOT=FILE]... "
                              "[--drill auto|L|T,INT,DEC]\n"
                              "           [--pnp FILE --format F] [--side top|bottom|gerber] [--size WxH]\n"
                              "           [--zoom PERCENT | --fit] [--fast on|off] -o OUT.png\n";

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

int usage(const QString& problem)
{
    std::fprintf(stderr, "tessavrant-cli view: %s\n%s", qPrintable(problem), viewUsage);
    return 2;
}

int failure(const QString& reason)
{
    std::fprintf(stderr, "tessavrant-cli view: %s\n", qPrintable(reason));
    return 1;
}

// The reason of a usage error, empty when the arguments are good.
QString parse(const QStringList& args, ViewArgs& out)
{
    static const QRegularExpression layerPattern(QStringLiteral("^(top|bottom):([0-6])=(.+)$"));
    static const QRegularExpression sizePattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--fit")) {
            out.zoomLevel = 0;
            continue;
        }
        if (!a.startsWith(QLatin1String("-")))
            return QStringLiteral("unexpected argument '%1'").arg(a);
        if (i + 1 >= args.size())
            return QStringLiteral("%1 needs a value").arg(a);
        const QString v = args[++i];
        if (a == QLatin1String("--layer")) {
            const QRegularExpressionMatch m = layerPattern.match(v);
            if (!m.hasMatch())
                return QStringLiteral("--layer needs top|bottom:SLOT=FILE with SLOT 0 to 6");
            out.layers.append(
                { m.captured(1) == QLatin1String("top"), m.captured(2).toInt(), m.captured(3) });
        } else if (a == QLatin1String("--fab")) {
            out.fab = v;
        } else if (a == QLatin1String("--drill")) {
            if (!readDrillOption(v, &out.drill, &out.drillFromHeader))
                return QStringLiteral(
                    "--drill needs auto, or L or T, integer digits and decimal digits, such as L,2,4");
        } else if (a == QLatin1String("--pnp")) {
            out.pnp = v;
        } else if (a == QLatin1String("--format")) {
            if (!CliShared::parsePnPFormat(v, out.format))
                return QStringLiteral("unknown format '%1'").arg(v);
            out.haveFormat = true;
        } else if (a == QLatin1String("--side")) {
            if (v != QLatin1String("top") && v != QLatin1String("bottom") && v != QLatin1String("gerber"))
                return QStringLiteral("--side needs top, bottom or gerber");
            out.side = v;
        } else if (a == QLatin1String("--size")) {
            const QRegularExpressionMatch m = sizePattern.match(v);
            const int w = m.captured(1).toInt();
            const int h = m.captured(2).toInt();
            if (!m.hasMatch() || w < 1 || h < 1 || w > maxViewSide || h > maxViewSide)
                return QStringLiteral("--size needs WxH, each from 1 to %1").arg(maxViewSide);
            out.size = QSize(w, h);
        } else if (a == QLatin1String("--zoom")) {
            bool ok = false;
            const int percent = v.toInt(&ok);
            if (!ok || percent < 10 || percent > 10 * ViewState::maxZoomLevel || percent % 10 != 0)
                return QStringLiteral("--zoom needs a percentage from 10 to 10000 in steps of 10");
            out.zoomLevel = percent / 10;
        } else if (a == QLatin1String("--fast")) {
            if (v != QLatin1String("on") && v != QLatin1String("off"))
                return QStringLiteral("--fast needs on or off");
            out.fast = v == QLatin1String("on");
        } else if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            out.output = v;
        } else {
            return QStringLiteral("unknown option '%1'").arg(a);
        }
    }
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

} // namespace

int runView(const QStringList& args)
{
    ViewArgs a;
    const QString problem = parse(args, a);
    if (!problem.isEmpty())
        return usage(problem);

    ViewState state;
    LayerSet layers({ state.colours.copper, state.colours.silk, state.colours.background });
    Document document;
    const bool gerber = a.side == QLatin1String("gerber");
    if (!a.fab.isEmpty()) {
        QString error;
        if (!CliFab::loadPackage(a.fab, layers, document, a.pnp.isEmpty(), &error))
            return failure(error);
    }
    int row = 0;
    for (const LayerArg& l : qAsConst(a.layers)) {
        QString error;
        std::unique_ptr<GerberLayer> layer = readLayer(l, a.drill, a.drillFromHeader, &error);
        if (!layer)
            return failure(error);
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
            return failure(error);
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
        return failure(
            QStringLiteral("not enough memory for a %1 x %2 image").arg(a.size.width()).arg(a.size.height()));
    {
        QPainter painter(&image);
        BoardPainter().paint(painter, a.size, scene);
    }
    QString writeError;
    if (!CliShared::writePng(image.convertToFormat(QImage::Format_RGB32), a.output, &writeError))
        return failure(writeError);
    return 0;
}
