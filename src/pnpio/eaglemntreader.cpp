#include "pnpio/eaglemntreader.h"

#include "model/fileio.h"
#include "pnpio/pnplinereader.h"
#include "pnpio/pnptext.h"

#include <QIODevice>

namespace {

// Takes the text up to the first white space off rest and trims what is left.
QString takeField(QString& rest)
{
    int end = 0;
    while (end < rest.size() && !rest.at(end).isSpace())
        ++end;
    const QString field = rest.left(end);
    rest = rest.mid(end).trimmed();
    return field;
}

} // namespace

bool EagleMntReader::parseLine(const QString& line, ImportedPlacement& out)
{
    QString rest = line.trimmed();
    QString fields[5];
    int count = 0;
    for (; count < 5 && !rest.isEmpty(); ++count)
        fields[count] = takeField(rest);
    if (count < 5)
        return false;

    bool xOk = false;
    bool yOk = false;
    out.refDes = fields[0];
    out.x = PnPText::toNumber(fields[1], &xOk);
    out.y = PnPText::toNumber(fields[2], &yOk);
    if (!xOk || !yOk)
        return false;
    out.rotation = PnPText::toNumber(fields[3]);
    if (rest.isEmpty()) {
        // mountsmd writes an empty value as two spaces; the line then has only five
        // fields and the last one is the package.
        out.value.clear();
        out.name = fields[4];
    } else {
        out.value = fields[4];
        out.name = rest;
    }
    out.side = QStringLiteral("top");
    return true;
}

bool EagleMntReader::read(QIODevice& device, const QString& fileName, ImportedPlacements& out, QString* error)
{
    PnPLineReader reader(device);
    QString line;
    while (reader.next(line)) {
        if (line.isEmpty())
            continue;
        ImportedPlacement placement;
        if (!parseLine(line, placement)) {
            if (error)
                *error = FileIo::errorText(fileName, reader.lineNumber(),
                    QStringLiteral("not an Eagle mount line (name x y angle value package)"));
            return false;
        }
        placement.line = reader.lineNumber();
        out.append(placement);
    }
    return true;
}
