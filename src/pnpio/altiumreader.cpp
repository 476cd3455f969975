#include "pnpio/altiumreader.h"

#include "model/fileio.h"
#include "pnpio/pnplinereader.h"
#include "pnpio/pnptext.h"

#include <QIODevice>

namespace {

enum Column
{
    Designator,
    Comment,
    Layer,
    Footprint,
    CenterX,
    CenterY,
    Rotation,
    Description
};

// ";" is dropped, the field trimmed, and the quotes Altium puts around texts with
// spaces (and around an empty text, "") are taken off.
QString cleanField(QString field)
{
    field.remove(QLatin1Char(';'));
    return PnPText::unquote(field.trimmed());
}

} // namespace

double AltiumReader::unitsUsed(const QString& line)
{
    const QLatin1String label("Units used:");
    if (!line.startsWith(label, Qt::CaseInsensitive))
        return 0.0;
    return PnPText::unitFactor(line.mid(label.size()));
}

bool AltiumReader::parseHeader(const QString& line, Header& header, double plainFactor)
{
    int x = line.indexOf(QLatin1String("Center-X(mm)"));
    int y = line.indexOf(QLatin1String("Center-Y(mm)"));
    header.unitFactor = 1.0;
    if (x < 0 && y < 0) {
        x = line.indexOf(QLatin1String("Center-X(mil)"));
        y = line.indexOf(QLatin1String("Center-Y(mil)"));
        header.unitFactor = 0.0254;
    }
    if (x < 0 && y < 0) {
        x = line.indexOf(QLatin1String("Center-X"));
        y = line.indexOf(QLatin1String("Center-Y"));
        header.unitFactor = plainFactor;
        if (x < 0 && y < 0)
            return false;
    }
    header.starts = { 0, line.indexOf(QLatin1String("Comment")), line.indexOf(QLatin1String("Layer")),
        line.indexOf(QLatin1String("Footprint")), x, y, line.indexOf(QLatin1String("Rotation")),
        line.indexOf(QLatin1String("Description")) };
    return true;
}

QString AltiumReader::sideOfLayer(const QString& layer)
{
    const QString lower = layer.trimmed().toLower();
    if (lower == QLatin1String("toplayer") || lower == QLatin1String("top"))
        return QStringLiteral("top");
    return QStringLiteral("bottom");
}

void AltiumReader::parseLine(const QString& line, const Header& header, ImportedPlacement& out)
{
    const QStringList fields = PnPText::cutColumns(line, header.starts);
    out.refDes = cleanField(fields.at(Designator));
    out.value = cleanField(fields.at(Comment));
    out.side = sideOfLayer(cleanField(fields.at(Layer)));
    out.name = cleanField(fields.at(Footprint));
    out.x = PnPText::toLength(cleanField(fields.at(CenterX)), header.unitFactor);
    out.y = PnPText::toLength(cleanField(fields.at(CenterY)), header.unitFactor);
    out.rotation = PnPText::toNumber(cleanField(fields.at(Rotation)));
    out.comment = cleanField(fields.at(Description));
}

bool AltiumReader::read(QIODevice& device, const QString& fileName, ImportedPlacements& out, QString* error)
{
    PnPLineReader reader(device);
    QString line;
    Header header;
    bool haveHeader = false;
    double plainFactor = 1.0; // "Units used:" before the header
    while (reader.nextRecord(line, QChar())) {
        if (!haveHeader) {
            if (const double factor = unitsUsed(line))
                plainFactor = factor;
            if (!line.startsWith(QLatin1String("Designator")))
                continue;
            if (!parseHeader(line, header, plainFactor)) {
                if (error)
                    *error = FileIo::errorText(fileName, reader.lineNumber(),
                        QStringLiteral("header without Center-X/Center-Y columns"));
                return false;
            }
            haveHeader = true;
            continue;
        }
        if (line.isEmpty())
            continue;
        ImportedPlacement placement;
        parseLine(line, header, placement);
        placement.line = reader.lineNumber();
        out.append(placement);
    }
    return true;
}
