#include "cli/commands.h"
#include "model/version.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace {

const char* const usageText
    = "Usage: tessavrant-cli COMMAND [ARGS...]\n"
      "\n"
      "Batch work on assembly data without the window.\n"
      "\n"
      "Commands:\n"
      "  gerber-dump FILE [--summary] [--drill auto|L|T,INT,DEC]\n"
      "      Read a Gerber or Excellon file and print the layer as text.\n"
      "  render FILE -o OUT.png [--dpi N] [--drill auto|L|T,INT,DEC]\n"
      "      Draw a Gerber or Excellon layer into a PNG image.\n"
      "  view [--layer top|bottom:SLOT=FILE]... [--drill auto|L|T,INT,DEC] [--pnp FILE --format F]\n"
      "       [--side top|bottom|gerber] [--size WxH] [--zoom PERCENT | --fit] [--fast on|off]\n"
      "       -o OUT.png\n"
      "      Draw the board view (layers in slots 0 to 6, placements) into a PNG image.\n"
      "  convert --format FORMAT [--side top|bottom|file] INPUT... [--update POSITIONS.csv]\n"
      "          [--pnp OUT.csv] [--parts OUT.csv] [--include both|top|bottom]\n"
      "          [--exec KINDS] [--panels N] [--project OUT.tvx [--layer top|bottom:SLOT=FILE]...]\n"
      "          [--drill L|T,INT,DEC] [--board W,H]\n"
      "          [--transform rotate|mirror|shift-x:V|shift-y:V|origin:X,Y|rotation:A|switch-side]...\n"
      "      Import centroid files and write the placement and part lists, or a project\n"
      "      with layers (SLOT: signal, mask, paste, assy, silk, outline, drill; drill files are\n"
      "      read with --drill L|T,INT,DEC, default L,2,4). The transforms run in the order\n"
      "      given, as the Edit menu runs them, before anything is written; --board sets the\n"
      "      board size that rotate and mirror turn about.\n"
      "      FORMAT: tessavrant, eagle, eagle-part, altium, altium-csv, target, kicad.\n"
      "  fab-list DIR|ZIP\n"
      "      List the files of a fabrication package (a folder or a zip archive) with the\n"
      "      proposed side and slot of each: path, side (top, bottom or -), slot (0 to 6 or -)\n"
      "      and the reason, separated by tabs. view and convert take the package with --fab.\n"
      "  project-dump FILE.tvx\n"
      "      Read a project file and print the document, one record a line.\n"
      "  config [--dir DIR] dump|rewrite\n"
      "      Print the production lines, machines and part database entries as read, or\n"
      "      write line.cfg and database.cfg back (database.bkp keeps the old database).\n"
      "      DIR defaults to $TESSAVRANT_CONFIG_DIR, else Tessavrant in the documents folder.\n"
      "  optimize (PROJECT.tvx | --pnp FILE --format FORMAT) --line L --machine M [--config-dir DIR]\n"
      "           [--feeders-out FILE.csv] [--order-out FILE.csv]\n"
      "      Assign the SMD placements of FILE to machine M (number from 1 or name) of line L,\n"
      "      generate its feeder list from the part database (a project keeps its own\n"
      "      assignment and feeders), order the placements into\n"
      "      pick-and-place cycles and print the summary and the estimated time.\n"
      "\n"
      "Options:\n"
      "  --help     Show this text.\n"
      "  --version  Show the program version.\n"
      "\n"
      "Exit status: 0 success, 1 a reader or writer failed, 2 usage error.\n";

// The commands print their own results and reasons; Qt's diagnostics (start-up notes such as a
// missing runtime folder, the readers' debug lines) are no part of that contract.
void dropQtMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(dropQtMessage);
    const QList<CliCommand> commands { gerberDumpCommand(), renderCommand(), viewCommand(), convertCommand(),
        projectDumpCommand(), configCommand(), optimizeCommand(), fabListCommand() };
    const CliCommand* command = nullptr;
    for (const CliCommand& c : commands)
        if (argc > 1 && c.name == QLatin1String(argv[1]))
            command = &c;
    // Only the drawing commands need fonts and a platform (offscreen works without a display);
    // every other command starts without loading one.
    std::unique_ptr<QCoreApplication> app;
    if (command && command->draws) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (command)
        return runCommand(*command, args.mid(1));

    if (args.isEmpty()) {
        std::fputs(usageText, stderr);
        return 2;
    }
    const QString& first = args.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        std::fputs(usageText, stdout);
        return 0;
    }
    if (first == QLatin1String("--version")) {
        std::printf("%s\n", qPrintable(Version::programText()));
        return 0;
    }
    std::fprintf(stderr, "tessavrant-cli: unknown command '%s'\n\n", qPrintable(first));
    std::fputs(usageText, stderr);
    return 2;
}
