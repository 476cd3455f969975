#include "pnpio/owncsvreader.h"

#include "model/fileio.h"
#include "pnpio/pnplinereader.h"
#include "pnpio/pnptext.h"

#include <QIODevice>

bool OwnCsvReader::parseLine(const QString& line, ImportedPlacement& out)
{
    const QStringList fields = line.split(QLatin1Char(';'));
    if (fields.size() < 7)
        return false;
    // Decimal commas only matter in the numbers; texts keep their commas so an
    // exported comment reads back as it was written.
    out.refDes = fields.at(0).trimmed();
    out.name = fields.at(1).trimmed();
    out.x = PnPText::toNumber(fields.at(2));
    out.y = PnPText::toNumber(fields.at(3));
    const QString side = fields.at(4).trimmed().toLower();
    out.side = side == QLatin1String("top") ? side : QStringLiteral("bottom");
    out.rotation = PnPText::toNumber(fields.at(5));
    out.value = fields.at(6).trimmed();
    out.comment = fields.size() >= 8 ? fields.at(7).trimmed() : QString();
    out.exec = fields.size() >= 9 ? fields.at(8).trimmed() : QStringLiteral("1");
    return true;
}

bool OwnCsvReader::read(QIODevice& device, const QString& fileName, ImportedPlacements& out, QString* error)
{
    PnPLineReader reader(device);
    QString line;
    if (!reader.next(line))
        return true; // no header, nothing to import
    while (reader.next(line)) {
        if (line.isEmpty())
            continue;
        ImportedPlacement placement;
        if (!parseLine(line, placement)) {
            if (error)
                *error = FileIo::errorText(
                    fileName, reader.lineNumber(), QStringLiteral("fewer than 7 fields separated by \";\""));
            return false;
        }
        placement.line = reader.lineNumber();
        out.append(placement);
    }
    return true;
}
