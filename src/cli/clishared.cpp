#include "cli/clishared.h"

#include "gerber/excellonreader.h"
#include "model/fileio.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QList>
#include <QPair>

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

bool writePng(const QImage& image, const QString& path, QString* error)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(1); // fast: most of a board image is long runs anyway
    if (!writer.write(image)) {
        *error = QStringLiteral("Cannot write %1: %2").arg(path, writer.errorString());
        return false;
    }
    return FileIo::writeAtomically(path, bytes, error);
}

bool isDrillFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return looksLikeExcellon(file.read(64 * 1024));
}

} // namespace CliShared
