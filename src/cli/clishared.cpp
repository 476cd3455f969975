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

CliOption drillOption()
{
    return { { "drill" }, QStringLiteral("auto|L|T,INT,DEC"),
        QStringLiteral("How drill files are read: auto takes the format from the file's header, else the "
                       "zeros left out (L or T) and the integer and decimal digits, such as L,2,4.") };
}

CliOption formatOption(const QString& what)
{
    return { { "format" }, QStringLiteral("FORMAT"),
        QStringLiteral("The format of %1: tessavrant, eagle, eagle-part, altium, altium-csv, target, kicad.")
            .arg(what) };
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
