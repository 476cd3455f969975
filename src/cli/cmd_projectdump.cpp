#include "cli/commands.h"

#include "gerber/layerset.h"
#include "model/document.h"
#include "project/projectdump.h"
#include "project/projectfile.h"

#include <QLoggingCategory>
#include <cstdio>

// Reads a project file and prints the document as read, one record a line. A file that loads
// only in part prints what was read and the reason on standard error, and fails.
int runProjectDump(const QStringList& args)
{
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--"))) {
        std::fputs("Usage: tessavrant-cli project-dump FILE.tvx\n", stderr);
        return 2;
    }
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    Document document;
    LayerSet layers;
    ProjectLoad load;
    QString error;
    if (!readProject(args.first(), document, layers, &load, &error)) {
        std::fprintf(stderr, "tessavrant-cli project-dump: %s\n", qPrintable(error));
        return 1;
    }
    std::fputs(dumpProject(document, layers, load.colours).toUtf8().constData(), stdout);
    if (!load.warning.isEmpty()) {
        std::fprintf(stderr, "tessavrant-cli project-dump: %s\n", qPrintable(load.warning));
        return 1;
    }
    return 0;
}
