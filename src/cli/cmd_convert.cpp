#include "cli/commands.h"

#include "board/transformstep.h"
#include "cli/clishared.h"
#include "gerber/excellonheader.h"
#include "gerber/excellonreader.h"
#include "gerber/gerberlayer.h"
#include "gerber/gerberreader.h"
#include "gerber/layerset.h"
#include "model/document.h"
#include "pnpio/pnpexport.h"
#include "pnpio/pnpimport.h"
#include "pnpio/positionupdate.h"
#include "project/projectfile.h"

#include <QLoggingCategory>
#include <QSizeF>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

const char* const convertUsage
    = "Usage: tessavrant-cli convert --format tessavrant|eagle|eagle-part|altium|altium-csv|target|kicad\n"
      "           [--side top|bottom|file] INPUT... [--update POSITIONS.csv] [--pnp OUT.csv]\n"
      "           [--parts OUT.csv] [--include both|top|bottom] [--exec KINDS] [--panels N]\n"
      "           [--project OUT.tvx [--layer top|bottom:SLOT=FILE]... [--drill auto|L|T,INT,DEC]]\n"
      "           [--board W,H] [--transform rotate|mirror|shift-x:V|shift-y:V|origin:X,Y|\n"
      "                                      rotation:A|switch-side]...\n"
      "       SLOT: signal, mask, paste, assy, silk, outline, drill (or 1 to 7)\n";

int usage(const QString& problem)
{
    std::fprintf(stderr, "tessavrant-cli convert: %s\n", qPrintable(problem));
    std::fputs(convertUsage, stderr);
    return 2;
}

int failure(const QString& message)
{
    std::fprintf(stderr, "tessavrant-cli convert: %s\n", qPrintable(message));
    return 1;
}

struct LayerArg
{
    bool top = true;
    LayerSlot slot = LayerSlot::Signal;
    QString path;
};

// "top:silk=board.gto": side, slot name or number, file.
bool parseLayerArg(const QString& text, LayerArg& out)
{
    static const QStringList names { "signal", "mask", "paste", "assy", "silk", "outline", "drill" };
    const int colon = text.indexOf(QLatin1Char(':'));
    const int equals = text.indexOf(QLatin1Char('='));
    if (colon < 0 || equals < colon || equals + 1 >= text.size())
        return false;
    const QString side = text.left(colon);
    if (side != QLatin1String("top") && side != QLatin1String("bottom"))
        return false;
    const QString slot = text.mid(colon + 1, equals - colon - 1).toLower();
    bool ok = false;
    int index = slot.toInt(&ok) - 1;
    if (!ok)
        index = names.indexOf(slot);
    if (index < 0 || index >= layerSlotCount)
        return false;
    out = { side == QLatin1String("top"), LayerSlot(index), text.mid(equals + 1) };
    return true;
}

struct ConvertArgs
{
    bool haveFormat = false;
    PnPFormat format = PnPFormat::Tessavrant;
    QString side; // empty: the dialog's default for the format
    QStringList inputs;
    QString update;
    QString pnp;
    QString parts;
    QString project;
    QList<LayerArg> layers;
    ExcellonFormat drillFormat;
    bool drillFromHeader = false; // --drill auto: each drill file's header states its format
    PnPExportOptions exportOptions;
    QList<TransformStep> transforms; // in the order given, before the exports
    std::optional<QSizeF> board;
};

// Empty on success, else the usage problem.
QString parseArgs(const QStringList& args, ConvertArgs& out)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--")) {
            out.inputs << args.mid(i + 1);
            break;
        }
        if (!arg.startsWith(QLatin1String("--"))) {
            out.inputs << arg;
            continue;
        }
        if (i + 1 >= args.size())
            return QStringLiteral("option %1 needs a value").arg(arg);
        const QString value = args.at(++i);
        if (arg == QLatin1String("--format")) {
            if (!CliShared::parsePnPFormat(value, out.format))
                return QStringLiteral("unknown format '%1'").arg(value);
            out.haveFormat = true;
        } else if (arg == QLatin1String("--side")) {
            if (value != QLatin1String("top") && value != QLatin1String("bottom")
                && value != QLatin1String("file"))
                return QStringLiteral("--side must be top, bottom or file");
            out.side = value;
        } else if (arg == QLatin1String("--update")) {
            out.update = value;
        } else if (arg == QLatin1String("--pnp")) {
            out.pnp = value;
        } else if (arg == QLatin1String("--parts")) {
            out.parts = value;
        } else if (arg == QLatin1String("--project")) {
            out.project = value;
        } else if (arg == QLatin1String("--drill")) {
            if (!readDrillOption(value, &out.drillFormat, &out.drillFromHeader))
                return QStringLiteral("--drill takes auto or L|T,INT,DEC (for example L,2,4)");
        } else if (arg == QLatin1String("--layer")) {
            LayerArg layer;
            if (!parseLayerArg(value, layer))
                return QStringLiteral("--layer takes top|bottom:SLOT=FILE");
            out.layers << layer;
        } else if (arg == QLatin1String("--transform")) {
            const std::optional<TransformStep> step = TransformStep::parse(value);
            if (!step)
                return QStringLiteral("--transform takes %1").arg(TransformStep::syntax());
            out.transforms << *step;
        } else if (arg == QLatin1String("--board")) {
            const QStringList wh = value.split(QLatin1Char(','));
            bool okW = false;
            bool okH = false;
            const double w = wh.size() == 2 ? wh.at(0).toDouble(&okW) : 0.0;
            const double h = wh.size() == 2 ? wh.at(1).toDouble(&okH) : 0.0;
            if (!okW || !okH || !std::isfinite(w) || !std::isfinite(h) || w < 0.0 || h < 0.0)
                return QStringLiteral("--board takes W,H in mm (for example 100,50)");
            out.board = QSizeF(w, h);
        } else if (arg == QLatin1String("--include")) {
            if (value == QLatin1String("both"))
                out.exportOptions.side = PnPExportOptions::Both;
            else if (value == QLatin1String("top"))
                out.exportOptions.side = PnPExportOptions::Top;
            else if (value == QLatin1String("bottom"))
                out.exportOptions.side = PnPExportOptions::Bottom;
            else
                return QStringLiteral("--include must be both, top or bottom");
        } else if (arg == QLatin1String("--exec")) {
            if (value.isEmpty())
                return QStringLiteral("--exec needs at least one of the digits 0123");
            for (const QChar c : value) {
                if (c < QLatin1Char('0') || c > QLatin1Char('3'))
                    return QStringLiteral("--exec takes the digits 0, 1, 2 and 3");
            }
            out.exportOptions.none = value.contains(QLatin1Char('0'));
            out.exportOptions.machine = value.contains(QLatin1Char('1'));
            out.exportOptions.hand = value.contains(QLatin1Char('2'));
            out.exportOptions.tht = value.contains(QLatin1Char('3'));
        } else if (arg == QLatin1String("--panels")) {
            bool ok = false;
            const int panels = value.toInt(&ok);
            if (!ok || panels < 1 || panels > PnPExportOptions::maxPanels)
                return QStringLiteral("--panels takes a whole number from 1 to %1")
                    .arg(PnPExportOptions::maxPanels);
            out.exportOptions.panels = panels;
        } else {
            return QStringLiteral("unknown option %1").arg(arg);
        }
    }
    if (!out.haveFormat)
        return QStringLiteral("--format is required");
    if (!out.layers.isEmpty() && out.project.isEmpty())
        return QStringLiteral("--layer needs --project");
    if (out.inputs.isEmpty())
        return QStringLiteral("no input file");
    if (out.side == QLatin1String("file") && !PnPImport::formatHasSide(out.format))
        return QStringLiteral("--side file: this format's files do not say the side; use top or bottom");
    return QString();
}

PnPImportOptions importOptions(const ConvertArgs& args)
{
    PnPImportOptions options = PnPImportOptions::defaultsFor(args.format);
    if (args.side == QLatin1String("top"))
        options.side = PnPImportOptions::Top;
    else if (args.side == QLatin1String("bottom"))
        options.side = PnPImportOptions::Bottom;
    else if (args.side == QLatin1String("file"))
        options.side = PnPImportOptions::NoChanges;
    return options;
}

// Reads the layer files into their slots. Empty on success, else the reason.
QString readLayers(LayerSet& layers, const ConvertArgs& args)
{
    for (const LayerArg& arg : args.layers) {
        auto layer = std::make_unique<GerberLayer>(slotIndex(arg.slot));
        QString error;
        const bool drill = CliShared::isDrillFile(arg.path);
        ExcellonFormat format = args.drillFormat;
        if (drill && args.drillFromHeader)
            detectExcellonFormat(arg.path, &format);
        const bool read
            = drill ? loadExcellon(arg.path, *layer, format, &error) : loadGerber(arg.path, *layer, &error);
        if (!read)
            return error;
        layers.replace(arg.top ? LayerList::Top : LayerList::Bottom, slotIndex(arg.slot), std::move(layer));
    }
    return QString();
}

QString writeProjectFile(Document& document, const LayerSet& layers, const ConvertArgs& args)
{
    QString error;
    if (!writeProject(args.project, document, layers, ProjectColours(), &error))
        return error;
    return QString();
}

} // namespace

// Imports centroid files through the same readers and frame as the window and writes
// the two CSV exports.
int runConvert(const QStringList& rawArgs)
{
    ConvertArgs args;
    const QString problem = parseArgs(rawArgs, args);
    if (!problem.isEmpty())
        return usage(problem);
    // The readers' debug lines are for the window's log, not for a batch run.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    Document document;
    PnPImportOptions options = importOptions(args);
    for (int i = 0; i < args.inputs.size(); ++i) {
        options.add = i > 0;
        QString error;
        if (!PnPImport::importFile(document, args.format, args.inputs.at(i), options, &error))
            return failure(error);
    }
    if (!args.update.isEmpty()) {
        // Without a window there is no shown side: the update reaches the placements of
        // both sides, the top side first.
        QVector<PositionUpdate::Record> records;
        QString error;
        if (!PositionUpdate::readFile(args.update, records, &error))
            return failure(error);
        const auto note = [](const QString& text) {
            std::fprintf(stdout, "%s: %s\n", qPrintable(PositionUpdate::noteTitle()), qPrintable(text));
        };
        PositionUpdate::apply(
            document, document.side(true).placements + document.side(false).placements, records, note);
    }
    LayerSet layers;
    QString error = readLayers(layers, args);
    if (!error.isEmpty())
        return failure(error);
    if (args.board)
        setBoardSize(document, args.board->width(), args.board->height());
    applyTransformSteps(document, layers, args.transforms);
    const QList<PnPEntry*> top = document.side(true).placements;
    const QList<PnPEntry*> bottom = document.side(false).placements;
    // Standard error is kept for the reason of a failure; what was read goes with the output.
    std::fprintf(stdout, "top: %d placements\nbottom: %d placements\n", int(top.size()), int(bottom.size()));

    if (!args.pnp.isEmpty() && !writePickAndPlaceList(args.pnp, top, bottom, args.exportOptions, &error))
        return failure(error);
    if (!args.parts.isEmpty() && !writePartList(args.parts, top, bottom, args.exportOptions, &error))
        return failure(error);
    if (!args.project.isEmpty()) {
        error = writeProjectFile(document, layers, args);
        if (!error.isEmpty())
            return failure(error);
    }
    return 0;
}
