#include "pnpio/altiumcsvreader.h"

#include "pnpio/altiumreader.h"
#include "pnpio/pnplinereader.h"
#include "pnpio/pnptext.h"

#include <QIODevice>
#include <algorithm>

namespace {

enum Field
{
    Designator,
    Footprint,
    Comment,
    Description,
    Layer,
    X,
    Y,
    Rotation
};

int indexOfName(const QStringList& names, const QString& name)
{
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

bool AltiumCsvReader::isHeader(const QString& line)
{
    QString plain = line.left(64);
    plain.remove(QLatin1Char('"'));
    return plain.startsWith(QLatin1String("Designator"));
}

AltiumCsvReader::Header AltiumCsvReader::parseHeader(const QString& line, double plainFactor)
{
    const QStringList names = PnPText::splitQuoted(line, QLatin1Char(','));
    Header header;
    int x = indexOfName(names, QStringLiteral("Center-X(mm)"));
    int y = indexOfName(names, QStringLiteral("Center-Y(mm)"));
    if (x < 0 && y < 0) {
        x = indexOfName(names, QStringLiteral("Center-X(mil)"));
        y = indexOfName(names, QStringLiteral("Center-Y(mil)"));
        header.unitFactor = 0.0254;
    }
    if (x < 0 && y < 0) {
        x = indexOfName(names, QStringLiteral("Center-X"));
        y = indexOfName(names, QStringLiteral("Center-Y"));
        header.unitFactor = plainFactor;
    }
    if (x < 0 || y < 0) {
        header.index = { 0, 1, 2, 3, 5, 6, 7, 8 };
        header.unitFactor = plainFactor;
        header.minimumFields = 9;
        return header;
    }
    header.index = { indexOfName(names, QStringLiteral("Designator")),
        indexOfName(names, QStringLiteral("Footprint")), indexOfName(names, QStringLiteral("Comment")),
        indexOfName(names, QStringLiteral("Description")), indexOfName(names, QStringLiteral("Layer")), x, y,
        indexOfName(names, QStringLiteral("Rotation")) };
    // A line must reach the designator and both centres; the other columns may be short.
    header.minimumFields = std::max({ header.index.at(Designator), x, y }) + 1;
    return header;
}

bool AltiumCsvReader::parseLine(const QString& line, const Header& header, ImportedPlacement& out)
{
    const QStringList fields = PnPText::splitQuoted(line, QLatin1Char(','));
    if (fields.size() < header.minimumFields)
        return false;
    auto field = [&](int which) {
        const int i = header.index.at(which);
        return i >= 0 ? fields.value(i) : QString();
    };
    out.refDes = field(Designator).remove(QLatin1Char(','));
    out.name = field(Footprint);
    out.value = field(Comment);
    out.comment = field(Description);
    out.side = AltiumReader::sideOfLayer(field(Layer));
    out.x = PnPText::toLength(field(X), header.unitFactor);
    out.y = PnPText::toLength(field(Y), header.unitFactor);
    out.rotation = PnPText::toNumber(field(Rotation));
    return true;
}

bool AltiumCsvReader::read(QIODevice& device, const QString&, ImportedPlacements& out, QString*)
{
    PnPLineReader reader(device);
    QString line;
    Header header;
    bool haveHeader = false;
    double plainFactor = 1.0; // "Units used:" before the header
    while (reader.nextRecord(line, QLatin1Char(','))) {
        if (!haveHeader) {
            if (const double factor = AltiumReader::unitsUsed(line))
                plainFactor = factor;
            if (isHeader(line)) {
                header = parseHeader(line, plainFactor);
                haveHeader = true;
            }
            continue;
        }
        ImportedPlacement placement;
        placement.line = reader.lineNumber();
        if (parseLine(line, header, placement))
            out.append(placement);
    }
    return true;
}
