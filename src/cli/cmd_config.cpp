#include "cli/commands.h"

#include "line/databasefile.h"
#include "line/lineconfig.h"
#include "line/machine.h"
#include "line/partdatabase.h"
#include "model/configfolder.h"
#include "model/fileio.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace {

// A missing file reads as empty, as in the application; one that exists but cannot be read
// (or holds more machines than are read) is a failure.
bool readLines(const QString& folder, LineConfig& config, bool* exists, QString* error)
{
    const QString path = folder + QLatin1Char('/') + LineConfig::fileName;
    *exists = QFileInfo::exists(path);
    if (!*exists) {
        config.parse(QByteArray());
        return true;
    }
    return config.readFile(path, error);
}

bool readDatabase(const QString& folder, PartDatabase& database, bool* exists, QString* error)
{
    const QString path = folder + QLatin1Char('/') + PartDatabase::fileName;
    *exists = QFileInfo::exists(path);
    if (!*exists)
        return true;
    QByteArray data;
    if (!FileIo::readAll(path, &data, error))
        return false;
    database.parse(data);
    return true;
}

void dump(const LineConfig& config, const PartDatabase& database)
{
    QTextStream out(stdout);
    out.setCodec("UTF-8");
    const QStringList types = machineTypeNames();
    for (int l = 0; l < config.lines().size(); ++l) {
        const QList<Machine*>& machines = config.lines().at(l).machines;
        out << "line " << l + 1 << ' ' << machines.size() << " machines\n";
        for (int m = 0; m < machines.size(); ++m) {
            const Machine* machine = machines.at(m);
            out << "machine " << l + 1 << ' ' << m + 1 << ' ' << types.value(int(machine->type))
                << " line-field " << machine->lineNumber << " heads " << machine->headCount() << " name "
                << machine->name << '\n';
        }
    }
    // Aliases sorted by name, so the dump does not depend on hashing.
    QStringList names = database.aliases().keys();
    std::sort(names.begin(), names.end());
    for (const QString& name : names)
        out << "alias " << name << ' ' << database.aliases().value(name) << '\n';
    for (const PartDbEntry& e : database.entries())
        out << "entry " << e.number << ' ' << e.name << ' ' << e.x << ' ' << e.y << ' ' << e.z << ' '
            << e.nozzle << ' ' << e.feederType << '\n';
    out.flush();
}

int run(const CliCall& call)
{
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    const QString folder = call.value(QStringLiteral("dir"), ConfigFolder::path());
    const QString action = call.arguments().value(0);
    if (action.isEmpty())
        return call.usage(QStringLiteral("dump or rewrite expected"));
    if (action != QLatin1String("dump") && action != QLatin1String("rewrite"))
        return call.usage(QStringLiteral("unexpected argument '%1'").arg(action));
    if (!QFileInfo(folder).isDir())
        return call.failure(QFileInfo::exists(folder) ? QStringLiteral("%1: not a folder").arg(folder)
                                                      : QStringLiteral("%1: no such folder").arg(folder));

    LineConfig config;
    PartDatabase database;
    bool haveLines = false;
    bool haveDatabase = false;
    QString error;
    if (!readLines(folder, config, &haveLines, &error)
        || !readDatabase(folder, database, &haveDatabase, &error))
        return call.failure(error);

    if (action == QLatin1String("dump")) {
        dump(config, database);
        return 0;
    }
    if (haveLines && !config.writeFile(folder + QLatin1Char('/') + LineConfig::fileName, &error))
        return call.failure(error);
    if (haveDatabase && !DatabaseFile(folder).save(database.lines(), &error))
        return call.failure(error);
    return 0;
}

} // namespace

CliCommand configCommand()
{
    return { QStringLiteral("config"), QStringLiteral("[--dir DIR] dump|rewrite"),
        QStringLiteral(
            "Print the production lines, machines and part database entries as read (dump), or "
            "write line.cfg and database.cfg back (rewrite; database.bkp keeps the old database)."),
        { { { "dir" }, QStringLiteral("DIR"),
            QStringLiteral("The configuration folder (default $TESSAVRANT_CONFIG_DIR, else Tessavrant in the "
                           "documents folder).") } },
        QStringLiteral("dump|rewrite  what to do."), 1, false, run };
}
