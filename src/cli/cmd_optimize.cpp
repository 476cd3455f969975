#include "cli/commands.h"

#include "cli/clishared.h"
#include "gerber/layerset.h"
#include "line/feederentry.h"
#include "line/feederlist.h"
#include "line/lineconfig.h"
#include "line/machine.h"
#include "line/machinetables.h"
#include "line/optimizer.h"
#include "line/partdatabase.h"
#include "model/configfolder.h"
#include "model/document.h"
#include "model/fileio.h"
#include "model/numbertext.h"
#include "model/pnpentry.h"
#include "project/projectfile.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <cstdio>

namespace {

struct OptimizeArgs
{
    QString project;
    QString pnp;
    PnPFormat format = PnPFormat::Tessavrant;
    bool haveFormat = false;
    int line = 0;
    QString machine;
    QString configDir = ConfigFolder::path();
    QString feedersOut;
    QString orderOut;
};

QString parseArgs(const CliCall& call, OptimizeArgs& out)
{
    out.project = call.arguments().value(0);
    out.pnp = call.value(QStringLiteral("pnp"));
    if (call.isSet(QStringLiteral("format"))) {
        const QString value = call.value(QStringLiteral("format"));
        if (!CliShared::parsePnPFormat(value, out.format))
            return QStringLiteral("unknown format '%1'").arg(value);
        out.haveFormat = true;
    }
    if (call.isSet(QStringLiteral("line"))) {
        bool ok = false;
        out.line = call.value(QStringLiteral("line")).toInt(&ok);
        if (!ok || out.line < 1)
            return QStringLiteral("--line needs a number from 1");
    }
    out.machine = call.value(QStringLiteral("machine"));
    out.configDir = call.value(QStringLiteral("config-dir"), out.configDir);
    out.feedersOut = call.value(QStringLiteral("feeders-out"));
    out.orderOut = call.value(QStringLiteral("order-out"));
    if (out.project.isEmpty() == (out.pnp.isEmpty() || !out.haveFormat))
        return QStringLiteral("a project file, or --pnp and --format, is required");
    if (out.line < 1 || out.machine.isEmpty())
        return QStringLiteral("--line and --machine are required");
    return QString();
}

// Machine number (from 1) of `text` in the line: a number, or a machine's name; 0 when none.
int machineNumber(const ProductionLine& line, const QString& text)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (ok)
        return number >= 1 && number <= line.machines.size() ? number : 0;
    for (int m = 0; m < line.machines.size(); ++m)
        if (line.machines.at(m)->name == text)
            return m + 1;
    return 0;
}

QByteArray feederRows(const QList<FeederEntry*>& feeders)
{
    QByteArray out = "Value;Name;DB;Set;Feeder;N;O;Qty;Head\n";
    for (const FeederEntry* f : feeders)
        out += QStringLiteral("%1;%2;%3;%4;%5;%6;%7;%8;%9\n")
                   .arg(f->value, f->name)
                   .arg(f->dbNo)
                   .arg(f->setNo)
                   .arg(FeederList::feederTypeText(f->feederType))
                   .arg(f->nozzle)
                   .arg(f->optimize)
                   .arg(f->qty)
                   .arg(f->head)
                   .toUtf8();
    return out;
}

QByteArray orderRows(const QList<OptimizedStep>& steps)
{
    QByteArray out = "RefDes;X;Y;Set;Nozzle;Cycle\n";
    for (const OptimizedStep& s : steps)
        out += QStringLiteral("%1;%2;%3;%4;%5;%6\n")
                   .arg(s.entry->refDes())
                   // Decimal comma, as in the placement list export.
                   .arg(NumberText::formatComma(s.entry->x()), NumberText::formatComma(s.entry->y()))
                   .arg(s.setNo)
                   .arg(s.nozzle)
                   .arg(s.cycle)
                   .toUtf8();
    return out;
}

// The feeder list stored in the project for that machine; empty when there is none.
QList<FeederEntry*> storedFeeders(const Document& document, int line, int machine)
{
    QList<FeederEntry*> out;
    for (const MachineFeeders& m : document.feederData().machines)
        if (m.line == line && m.machine == machine && out.isEmpty())
            for (const FeederRecord& r : m.feeders)
                out.append(FeederList::fromFields(r.fields));
    return out;
}

// With a project file: its stored machine assignment and feeder list (generated from the
// database when the project has none for that machine).
// Assigns every SMD placement of a centroid file to one machine, generates its feeder list from
// the part database and orders the placements for it.
int run(const CliCall& call)
{
    OptimizeArgs args;
    const QString problem = parseArgs(call, args);
    if (!problem.isEmpty())
        return call.usage(problem);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    LineConfig config;
    QString error;
    const QString linePath = args.configDir + QLatin1Char('/') + LineConfig::fileName;
    if (!QFileInfo::exists(linePath))
        return call.failure(QStringLiteral("%1: no such file").arg(linePath));
    if (!config.readFile(linePath, &error))
        return call.failure(error);
    if (args.line > config.lines().size())
        return call.failure(QStringLiteral("there is no line %1").arg(args.line));
    const int machine = machineNumber(config.lines().at(args.line - 1), args.machine);
    if (machine == 0)
        return call.failure(QStringLiteral("line %1 has no machine '%2'").arg(args.line).arg(args.machine));
    const MachineType type = config.lines().at(args.line - 1).machines.at(machine - 1)->type;
    PartDatabase database;
    const QString dbPath = args.configDir + QLatin1Char('/') + PartDatabase::fileName;
    if (QFileInfo::exists(dbPath)) {
        QByteArray data;
        if (!FileIo::readAll(dbPath, &data, &error))
            return call.failure(error);
        database.parse(data);
    }

    Document document;
    FeederList::Generated feeders;
    if (!args.project.isEmpty()) {
        LayerSet layers;
        ProjectLoad load;
        if (!readProject(args.project, document, layers, &load, &error))
            return call.failure(error);
        feeders.entries = storedFeeders(document, args.line, machine);
    } else {
        if (!PnPImport::importFile(
                document, args.format, args.pnp, PnPImportOptions::defaultsFor(args.format), &error))
            return call.failure(error);
        for (PnPEntry* e : document.currentList()) {
            if (e->exec() == ExecKind::Machine) {
                e->setLine(args.line);
                e->setMachine(machine);
            }
        }
    }
    const QList<PnPEntry*> placements = document.currentList();
    if (feeders.entries.isEmpty())
        feeders = FeederList::generate(placements, args.line, machine, database, {}, generationSets(type));
    for (const QString& warning : qAsConst(feeders.warnings))
        std::fprintf(stdout, "%s\n", qPrintable(warning));
    const OptimizerResult result = optimizePlacements(placements, args.line, machine, type, feeders.entries);
    std::fprintf(stdout,
        "pick stops: %d\ncycles: %d\nfeeder travel: %g mm\nplacement travel: %g mm\ntime: %s\n",
        result.pickStops, result.cycles, result.feederTravel, result.placementTravel,
        qPrintable(result.timeText));

    bool written = args.feedersOut.isEmpty()
        || FileIo::writeAtomically(args.feedersOut, feederRows(feeders.entries), &error);
    written = written
        && (args.orderOut.isEmpty()
            || FileIo::writeAtomically(args.orderOut, orderRows(result.steps), &error));
    qDeleteAll(feeders.entries);
    if (!written)
        return call.failure(error);
    if (result.status != OptimizerStatus::Done)
        return call.failure(result.detail().isEmpty()
                ? result.message()
                : result.message() + QStringLiteral(": ") + result.detail());
    return 0;
}

} // namespace

CliCommand optimizeCommand()
{
    return { QStringLiteral("optimize"),
        QStringLiteral("(PROJECT.tvx | --pnp FILE --format FORMAT) --line L --machine M\n"
                       "           [--config-dir DIR] [--feeders-out FILE.csv] [--order-out FILE.csv]"),
        QStringLiteral("Assign the SMD placements to machine M of line L, generate its feeder list from the "
                       "part database (a project keeps its own assignment and feeders), order the placements "
                       "into pick-and-place cycles and print the summary and the estimated time."),
        { { { "pnp" }, QStringLiteral("FILE"), QStringLiteral("A centroid file instead of a project.") },
            CliShared::formatOption(QStringLiteral("the --pnp file")),
            { { "line" }, QStringLiteral("L"), QStringLiteral("The production line, numbered from 1.") },
            { { "machine" }, QStringLiteral("M"),
                QStringLiteral("The machine of the line: its number from 1 or its name.") },
            { { "config-dir" }, QStringLiteral("DIR"),
                QStringLiteral(
                    "The folder of line.cfg and database.cfg (default $TESSAVRANT_CONFIG_DIR, else "
                    "Tessavrant in the documents folder).") },
            { { "feeders-out" }, QStringLiteral("FILE.csv"), QStringLiteral("Write the feeder list.") },
            { { "order-out" }, QStringLiteral("FILE.csv"),
                QStringLiteral("Write the placements in their order.") } },
        QStringLiteral("PROJECT.tvx  a project file."), 1, false, run };
}
