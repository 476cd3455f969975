#include "pnpio/targetreader.h"

#include "pnpio/pnplinereader.h"
#include "pnpio/pnptext.h"

#include <QIODevice>

bool TargetReader::parseLine(const QString& line, ImportedPlacement& out)
{
    if (line.startsWith(QLatin1Char('*')) || line.startsWith(QLatin1String("\"*")))
        return false;
    // Quoted fields keep a comma inside them; the quotes themselves are dropped.
    QStringList fields = PnPText::splitQuoted(line, QLatin1Char(','));
    if (fields.size() < 7)
        return false;
    for (QString& field : fields)
        field.remove(QLatin1Char('"'));
    out.value = fields.at(1).trimmed();
    out.x = PnPText::toNumber(fields.at(2));
    out.y = PnPText::toNumber(fields.at(3));
    out.rotation = PnPText::toNumber(fields.at(4));
    const QString side = fields.at(5).trimmed().toLower();
    out.side = side == QLatin1String("top") ? side : QStringLiteral("bottom");
    out.refDes = fields.at(6).trimmed();
    out.name.clear();
    return true;
}

bool TargetReader::read(QIODevice& device, const QString&, ImportedPlacements& out, QString*)
{
    PnPLineReader reader(device);
    QString line;
    while (reader.next(line)) {
        ImportedPlacement placement;
        placement.line = reader.lineNumber();
        if (parseLine(line, placement))
            out.append(placement);
    }
    return true;
}
