#include "pnpio/kicadreader.h"

#include "model/fileio.h"
#include "pnpio/pnplinereader.h"
#include "pnpio/pnptext.h"

#include <QIODevice>
#include <QRegularExpression>
#include <algorithm>

namespace {

QString sideOf(const QString& text)
{
    return text.trimmed().compare(QLatin1String("top"), Qt::CaseInsensitive) == 0 ? QStringLiteral("top")
                                                                                  : QStringLiteral("bottom");
}

int columnOf(const QStringList& names, const char* name)
{
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i).trimmed().compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool isCsvHeader(const QString& line)
{
    QString plain = line.left(16);
    plain.remove(QLatin1Char('"'));
    return plain.startsWith(QLatin1String("Ref,"), Qt::CaseInsensitive);
}

} // namespace

double KiCadReader::unitLine(const QString& line)
{
    static const QRegularExpression pattern(QStringLiteral("^#+\\s*Unit\\s*=\\s*(\\w+)"));
    const QRegularExpressionMatch m = pattern.match(line);
    return m.hasMatch() ? PnPText::unitFactor(m.captured(1)) : 0.0;
}

bool KiCadReader::parseTextLine(const QString& line, double unitFactor, ImportedPlacement& out)
{
    const QStringList f = PnPText::splitWhiteSpace(line);
    const int n = f.size();
    if (n < 6)
        return false;
    // Ref first, then from the end Side, Rot, PosY, PosX, Package; the value between may hold
    // spaces or be missing: older KiCad pads an empty value with blanks to its column width.
    bool okX = false, okY = false, okRotation = false;
    out.x = PnPText::toNumber(f.at(n - 4), &okX) * unitFactor;
    out.y = PnPText::toNumber(f.at(n - 3), &okY) * unitFactor;
    out.rotation = PnPText::toNumber(f.at(n - 2), &okRotation);
    if (!okX || !okY || !okRotation)
        return false;
    out.refDes = f.at(0);
    out.value = f.mid(1, n - 6).join(QLatin1Char(' '));
    out.name = f.at(n - 5);
    out.side = sideOf(f.at(n - 1));
    return true;
}

int KiCadReader::CsvColumns::minimumFields() const
{
    return std::max({ ref, x, y }) + 1;
}

KiCadReader::CsvColumns KiCadReader::csvColumns(const QString& header)
{
    const QStringList names = PnPText::splitQuoted(header, QLatin1Char(','));
    CsvColumns c;
    c.ref = columnOf(names, "Ref");
    c.value = columnOf(names, "Val");
    c.package = columnOf(names, "Package");
    c.x = columnOf(names, "PosX");
    c.y = columnOf(names, "PosY");
    c.rotation = columnOf(names, "Rot");
    c.side = columnOf(names, "Side");
    return c;
}

bool KiCadReader::parseCsvLine(
    const QString& line, const CsvColumns& columns, double unitFactor, ImportedPlacement& out)
{
    const QStringList fields = PnPText::splitQuoted(line, QLatin1Char(','));
    if (fields.size() < columns.minimumFields())
        return false;
    const auto field = [&fields](int i) { return i >= 0 ? fields.value(i) : QString(); };
    bool okX = false, okY = false, okRotation = true;
    out.x = PnPText::toNumber(field(columns.x).trimmed(), &okX) * unitFactor;
    out.y = PnPText::toNumber(field(columns.y).trimmed(), &okY) * unitFactor;
    if (columns.rotation >= 0)
        out.rotation = PnPText::toNumber(field(columns.rotation).trimmed(), &okRotation);
    out.refDes = field(columns.ref);
    out.value = field(columns.value);
    out.name = field(columns.package);
    out.side = columns.side >= 0 ? sideOf(field(columns.side)) : QStringLiteral("top");
    return okX && okY && okRotation;
}

bool KiCadReader::read(QIODevice& device, const QString& fileName, ImportedPlacements& out, QString* error)
{
    PnPLineReader reader(device);
    QString line;
    double factor = 1.0; // KiCad writes millimetres unless a unit line says otherwise
    bool csv = false;
    CsvColumns columns;
    const auto fail = [&](const QString& reason) {
        if (error)
            *error = FileIo::errorText(fileName, reader.lineNumber(), reason, line);
        return false;
    };
    while (reader.nextRecord(line, csv ? QLatin1Char(',') : QChar())) {
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('#'))) {
            if (const double f = unitLine(line))
                factor = f;
            continue;
        }
        if (!csv && out.isEmpty() && isCsvHeader(line)) {
            columns = csvColumns(line);
            if (!columns.complete())
                return fail(QStringLiteral("header without Ref, PosX and PosY columns"));
            csv = true;
            continue;
        }
        ImportedPlacement placement;
        const bool ok
            = csv ? parseCsvLine(line, columns, factor, placement) : parseTextLine(line, factor, placement);
        if (!ok)
            return fail(QStringLiteral("not a KiCad position line (Ref Val Package PosX PosY Rot Side)"));
        placement.line = reader.lineNumber();
        out.append(placement);
    }
    return true;
}
