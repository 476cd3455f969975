#include "line/partdbedit.h"

#include "line/partdatabase.h"

#include <QRegularExpression>

namespace {

bool isMarker(const QString& line)
{
    return line == PartDatabase::aliasMarker || line == PartDatabase::entryMarker;
}

// The number field of a line: its first run of non-white characters read as an integer.
bool numberField(const QString& line, int* value)
{
    int end = 0;
    while (end < line.size() && !line.at(end).isSpace())
        ++end;
    bool ok = false;
    *value = line.leftRef(end).toInt(&ok);
    return ok && end > 0;
}

// Index of the line after the section that starts at `marker` (the next marker or the end).
int sectionEnd(const QStringList& lines, int marker)
{
    int i = marker + 1;
    while (i < lines.size() && !isMarker(lines.at(i)))
        ++i;
    return i;
}

const QRegularExpression& whiteSpace()
{
    static const QRegularExpression re(QStringLiteral("\\s"));
    return re;
}

} // namespace

namespace PartDbEditor {

const QList<int>& feederWidths()
{
    static const QList<int> widths { 8, 12, 16, 24, 32, 44 };
    return widths;
}

int widthOfIndex(int index)
{
    return index >= 0 && index < feederWidths().size() ? feederWidths().at(index) : 8;
}

int indexOfWidth(int width)
{
    return qMax(0, feederWidths().indexOf(width));
}

QString numberText(int dbNo)
{
    return QStringLiteral("%1").arg(dbNo, 3, 10, QLatin1Char('0'));
}

QString validate(PartDbEdit& edit, const QSet<int>& usedNumbers)
{
    edit.type = edit.type.trimmed().replace(whiteSpace(), QStringLiteral("_"));
    edit.name = edit.name.trimmed().toUpper().replace(whiteSpace(), QStringLiteral("_"));
    edit.name.replace(QLatin1Char('-'), QLatin1Char('_'));
    edit.keywords = edit.keywords.trimmed().replace(whiteSpace(), QStringLiteral("_"));
    if (edit.name.isEmpty())
        return QStringLiteral("Please enter part name");
    if (edit.type.isEmpty())
        return QStringLiteral("Please enter part type");
    const bool inRange = edit.dbNo >= lowestNumber && edit.dbNo <= highestNumber;
    const bool unchanged = !edit.newEntry && edit.dbNo == edit.originalNo;
    if (!inRange || (!unchanged && usedNumbers.contains(edit.dbNo)))
        return QStringLiteral("Please Check DB-No.");
    return QString();
}

QString entryLine(const PartDbEdit& edit)
{
    return numberText(edit.dbNo) + QLatin1Char(' ') + edit.name + QLatin1Char('-') + edit.type
        + QLatin1Char(' ') + QString::number(edit.x, 'f', 2) + QLatin1Char(' ')
        + QString::number(edit.y, 'f', 2) + QLatin1Char(' ') + QString::number(edit.z, 'f', 2)
        + QLatin1Char(' ') + QString::number(edit.nozzle) + QLatin1Char(' ')
        + QString::number(edit.feederWidth);
}

QStringList removeNumber(const QStringList& lines, int dbNo)
{
    QStringList kept;
    kept.reserve(lines.size());
    bool inSection = false;
    for (const QString& line : lines) {
        if (isMarker(line))
            inSection = true;
        int value = 0;
        if (inSection && !isMarker(line) && numberField(line, &value) && value == dbNo)
            continue;
        kept.append(line);
    }
    return kept;
}

QStringList applyEdit(const QStringList& lines, const PartDbEdit& edit)
{
    QStringList out = edit.newEntry ? lines : removeNumber(lines, edit.originalNo);

    int entries = out.indexOf(PartDatabase::entryMarker);
    if (entries < 0) {
        out.append(PartDatabase::entryMarker);
        entries = out.size() - 1;
    }
    int at = sectionEnd(out, entries);
    for (int i = entries + 1; i < at; ++i) {
        int value = 0;
        if (numberField(out.at(i), &value) && value > edit.dbNo) {
            at = i;
            break;
        }
    }
    out.insert(at, entryLine(edit));

    if (!edit.keywords.isEmpty()) {
        int aliases = out.indexOf(PartDatabase::aliasMarker);
        if (aliases < 0) {
            aliases = out.indexOf(PartDatabase::entryMarker);
            out.insert(aliases, PartDatabase::aliasMarker);
        }
        out.insert(sectionEnd(out, aliases), numberText(edit.dbNo) + QLatin1Char(' ') + edit.keywords);
    }
    return out;
}

QByteArray serialize(const QStringList& lines)
{
    QByteArray out;
    int size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    out.reserve(size);
    for (const QString& line : lines) {
        out += line.toLatin1(); // the encoding it was read in: every byte comes back
        out += "\r\n";
    }
    return out;
}

} // namespace PartDbEditor
