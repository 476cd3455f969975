#include "cli/commands.h"

#include "gerber/layerset.h"
#include "model/document.h"
#include "project/projectdump.h"
#include "project/projectfile.h"

#include <QLoggingCategory>
#include <cstdio>

// Reads a project file and prints the document as read, one record a line. A file that loads
// only in part prints what was read and the reason on standard error, and fails.
namespace {

int run(const CliCall& call)
{
    if (call.arguments().isEmpty())
        return call.usage(QStringLiteral("no file given"));
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    Document document;
    LayerSet layers;
    ProjectLoad load;
    QString error;
    if (!readProject(call.arguments().first(), document, layers, &load, &error))
        return call.failure(error);
    std::fputs(dumpProject(document, layers, load.colours).toUtf8().constData(), stdout);
    return load.warning.isEmpty() ? 0 : call.failure(load.warning);
}

} // namespace

CliCommand projectDumpCommand()
{
    return { QStringLiteral("project-dump"), QStringLiteral("FILE.tvx"),
        QStringLiteral("Read a project file and print the document, one record a line. A file that loads "
                       "only in part prints what was read and fails."),
        {}, QStringLiteral("FILE.tvx  the project file."), 1, false, run };
}
