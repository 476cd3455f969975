// tessavrant-cli fab-list, and the fabrication package behind view --fab and convert --fab.
#include "cli/cmd_fab.h"
#include "cli/commands.h"

#include "fab/fabload.h"
#include "fab/fabpackage.h"

#include <QLoggingCategory>
#include <cstdio>

namespace {

int run(const CliCall& call)
{
    if (call.arguments().isEmpty())
        return call.usage(QStringLiteral("needs one folder or zip archive"));
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    FabPackage package;
    QString error;
    if (!package.open(call.arguments().first(), &error))
        return call.failure(error);
    for (const FabFile& f : package.files())
        std::fprintf(stdout, "%s\t%s\t%s\t%s\n", qPrintable(f.path), qPrintable(fabSideText(f.side)),
            qPrintable(fabSlotText(f.slot)), qPrintable(f.reason));
    for (const FabSkipped& s : package.skipped())
        std::fprintf(stdout, "%s\t-\t-\t%s\n", qPrintable(s.path), qPrintable(s.reason));
    return 0;
}

} // namespace

CliCommand fabListCommand()
{
    return { QStringLiteral("fab-list"), QStringLiteral("DIR|ZIP"),
        QStringLiteral("List the files of a fabrication package with the proposed side and slot of each: "
                       "path inside the package, side (top, bottom or -), slot (0 to 6 or -) and the reason, "
                       "separated by tabs."),
        {}, QStringLiteral("DIR|ZIP  a folder or a zip archive."), 1, false, run };
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
