#include "cli/clishared.h"

#include "gerber/excellonreader.h"

#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QList>
#include <QPair>
#include <QSaveFile>

namespace CliShared {

bool parsePnPFormat(const QString& text, PnPFormat& format)
{
    static const QList<QPair<QString, PnPFormat>> names {
        { "tessavrant", PnPFormat::Tessavrant },
        { "eagle", PnPFormat::Eagle },
        { "eagle-part", PnPFormat::EaglePart },
        { "altium", PnPFormat::Altium },
        { "altium-csv", PnPFormat::AltiumCsv },
        { "target", PnPFormat::Target },
        { "kicad", PnPFormat::KiCad },
    };
    for (const auto& name : names) {
        if (name.first == text) {
            format = name.second;
            return true;
        }
    }
    return false;
}

bool writePng(const QImage& image, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "png");
    writer.setCompression(1); // fast: most of a board image is long runs anyway
    if (!writer.write(image)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool isDrillFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return looksLikeExcellon(file.read(64 * 1024));
}

} // namespace CliShared
