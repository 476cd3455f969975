#include "pnpio/eaglepartreader.h"

#include "model/fileio.h"
#include "pnpio/pnplinereader.h"
#include "pnpio/pnptext.h"

#include <QIODevice>

namespace {

enum Column
{
    Part,
    Value,
    Package,
    Library,
    Position,
    Orientation
};

// Cuts a coordinate text to two digits after its point, without rounding.
QString truncated(const QString& text)
{
    const int point = text.indexOf(QLatin1Char('.'));
    if (point >= 0 && text.size() - point - 1 > 2)
        return text.left(point + 3);
    return text;
}

} // namespace

bool EaglePartReader::parseHeader(const QString& line, Header& header)
{
    if (!line.startsWith(QLatin1String("Part")))
        return false;
    const int position = line.indexOf(QLatin1String("Position ("));
    const int value = line.indexOf(QLatin1String("Value"));
    if (position < 0 || value < 0)
        return false;
    const int unitStart = position + 10;
    const int unitEnd = line.indexOf(QLatin1Char(')'), unitStart);
    if (unitEnd < 0)
        return false;
    const QString unit = line.mid(unitStart, unitEnd - unitStart).trimmed().toLower();
    if (unit == QLatin1String("mm")) {
        header.unitFactor = 1.0;
        header.truncateToHundredths = true;
    } else if (unit == QLatin1String("inch") || unit == QLatin1String("in")) {
        header.unitFactor = 25.4;
        header.truncateToHundredths = false;
    } else if (unit == QLatin1String("mil")) {
        header.unitFactor = 0.0254;
        header.truncateToHundredths = false;
    } else {
        return false;
    }
    header.starts = { 0, value, line.indexOf(QLatin1String("Package")),
        line.indexOf(QLatin1String("Library")), position, line.indexOf(QLatin1String("Orientation")) };
    return true;
}

bool EaglePartReader::isDataLine(const QString& line)
{
    const int size = line.size();
    for (int i = line.indexOf(QLatin1Char('(')); i >= 0; i = line.indexOf(QLatin1Char('('), i + 1)) {
        int j = i + 1;
        if (j < size && line.at(j) == QLatin1Char('-'))
            ++j;
        if (j < size && line.at(j).isDigit())
            return true;
    }
    return false;
}

double EaglePartReader::orientationAngle(const QString& orientation)
{
    QString digits;
    for (const QChar c : orientation) {
        if (c.isDigit() || c == QLatin1Char('.'))
            digits += c;
    }
    return digits.toDouble();
}

void EaglePartReader::parseLine(const QString& line, const Header& header, ImportedPlacement& out)
{
    const QStringList fields = PnPText::cutColumns(line, header.starts);
    out.refDes = fields.at(Part).trimmed();
    out.value = fields.at(Value).trimmed();
    out.name = fields.at(Package).trimmed();
    QString position = fields.at(Position).trimmed();
    position.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    const QStringList xy = PnPText::splitWhiteSpace(position);
    QString x = PnPText::commaToPoint(xy.value(0));
    QString y = PnPText::commaToPoint(xy.value(1));
    if (header.truncateToHundredths) {
        x = truncated(x);
        y = truncated(y);
    }
    out.x = PnPText::toNumber(x) * header.unitFactor;
    out.y = PnPText::toNumber(y) * header.unitFactor;
    out.rotation = orientationAngle(fields.at(Orientation).trimmed());
    out.side = QStringLiteral("top");
}

bool EaglePartReader::read(
    QIODevice& device, const QString& fileName, ImportedPlacements& out, QString* error)
{
    PnPLineReader reader(device);
    QString line;
    Header header;
    bool haveHeader = false;
    while (reader.next(line)) {
        if (!haveHeader) {
            haveHeader = parseHeader(line, header);
            continue;
        }
        if (!isDataLine(line))
            continue;
        ImportedPlacement placement;
        parseLine(line, header, placement);
        placement.line = reader.lineNumber();
        out.append(placement);
    }
    if (!haveHeader) {
        if (error)
            *error = FileIo::errorText(fileName, 0,
                QStringLiteral(
                    "no part list header with a \"Position (mm|inch|mil)\" column (not a board part list)"));
        return false;
    }
    return true;
}
