// Build-time tool: draws the icons and the busy animation and writes the .qrc that compiles them in.
// Usage: tessavrant_icongen OUTPUT_DIR [--sheet SHEET.png]
//        tessavrant_icongen --desktop OUTPUT_DIR   (the installed application and file-type icons)

#include "resources/icongen/resourcegenerator.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    // Only the review sheet draws text; the offscreen platform keeps the tool free of any display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() == 3 && args.at(1) == QLatin1String("--desktop")) {
        QString error;
        if (!ResourceGenerator::generateDesktopIcons(args.at(2), &error)) {
            err << "tessavrant_icongen: " << error << "\n";
            return 1;
        }
        return 0;
    }
    if (args.size() != 2 && !(args.size() == 4 && args.at(2) == QLatin1String("--sheet"))) {
        err << "usage: tessavrant_icongen OUTPUT_DIR [--sheet SHEET.png] | --desktop OUTPUT_DIR\n";
        return 2;
    }
    QString error;
    if (!ResourceGenerator::generate(args.at(1), &error)) {
        err << "tessavrant_icongen: " << error << "\n";
        return 1;
    }
    if (args.size() == 4 && !ResourceGenerator::contactSheet().save(args.at(3))) {
        err << "tessavrant_icongen: cannot write " << args.at(3) << "\n";
        return 1;
    }
    return 0;
}
