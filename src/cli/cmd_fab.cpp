// tessavrant-cli fab-list, and the fabrication package behind view --fab and convert --fab.
#include "cli/cmd_fab.h"
#include "cli/commands.h"

#include "fab/fabload.h"
#include "fab/fabpackage.h"

#include <QLoggingCategory>
#include <cstdio>

namespace {

const char* const fabListUsage = "Usage: tessavrant-cli fab-list DIR|ZIP\n";

} // namespace

int runFabList(const QStringList& args)
{
    if (args.size() != 1 || args.first().startsWith(QLatin1String("-"))) {
        std::fprintf(stderr, "tessavrant-cli fab-list: %s\n%s",
            args.size() == 1 ? qPrintable(QStringLiteral("unknown option '%1'").arg(args.first()))
                             : "needs one folder or zip archive",
            fabListUsage);
        return 2;
    }
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    FabPackage package;
    QString error;
    if (!package.open(args.first(), &error)) {
        std::fprintf(stderr, "tessavrant-cli fab-list: %s\n", qPrintable(error));
        return 1;
    }
    for (const FabFile& f : package.files())
        std::fprintf(stdout, "%s\t%s\t%s\t%s\n", qPrintable(f.path), qPrintable(fabSideText(f.side)),
            qPrintable(fabSlotText(f.slot)), qPrintable(f.reason));
    for (const FabSkipped& s : package.skipped())
        std::fprintf(stdout, "%s\t-\t-\t%s\n", qPrintable(s.path), qPrintable(s.reason));
    return 0;
}

namespace CliFab {

bool loadPackage(const QString& path, LayerSet& layers, Document& document, bool placements, QString* error)
{
    FabPackage package;
    if (!package.open(path, error))
        return false;
    FabLoadResult result = FabLoad::read(package.files());
    if (!placements)
        result.placements.clear();
    FabLoad::install(result, layers, document);
    // What could not be placed is told with the output, not as a failure.
    for (const QString& m : qAsConst(result.messages))
        std::fprintf(stdout, "fab: %s\n", qPrintable(m));
    return true;
}

} // namespace CliFab
