#include "board/originstable.h"

#include "model/document.h"
#include "model/numbertext.h"

#include <QRegExp>
#include <cmath>

namespace OriginsTable {

namespace {

bool parseCoordinate(const QString& text, double* value)
{
    static const QRegExp pattern(QStringLiteral("^\\-{0,1}\\d{1,}[\\.\\,]{0,1}\\d*$"));
    if (!pattern.exactMatch(text))
        return false;
    bool ok = false;
    *value = NumberText::parse(text, &ok);
    return ok && std::isfinite(*value);
}

CellEdit accepted(Document& doc, const Origins& origins)
{
    doc.setOrigins(origins);
    doc.setModified(true);
    return CellEdit { true, {}, {} };
}

} // namespace

QStringList rowTexts(const Origin& origin)
{
    return { NumberText::formatComma(origin.x), NumberText::formatComma(origin.y),
        QString::number(origin.exec) };
}

QString onlyZeroOrOneText()
{
    return QStringLiteral("Value can only be 0 or 1");
}

CellEdit editCell(Document& doc, int row, int column, const QString& typed)
{
    Origins origins = doc.origins();
    const QString text = typed.trimmed();
    if (row < 0 || row > origins.size() || column < XColumn || column > ExecColumn)
        return {};
    const bool newRow = row == origins.size();
    if (column == ExecColumn) {
        if (newRow)
            return {}; // a new origin starts from its position
        if (text != QLatin1String("0") && text != QLatin1String("1"))
            return CellEdit { false, QStringLiteral("Error"), onlyZeroOrOneText() };
        origins[row].exec = text.toInt();
        return accepted(doc, origins);
    }
    if (text.isEmpty()) {
        if (newRow)
            return {};
        origins.removeAt(row);
        return accepted(doc, origins);
    }
    double value = 0.0;
    if (!parseCoordinate(text, &value))
        return CellEdit { false, Document::invalidInputTitle(), Document::invalidInputText() };
    if (newRow)
        origins.append(Origin {});
    (column == XColumn ? origins[row].x : origins[row].y) = value;
    return accepted(doc, origins);
}

} // namespace OriginsTable
