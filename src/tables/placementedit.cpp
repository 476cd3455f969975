#include "tables/placementedit.h"

#include "model/document.h"
#include "model/numbertext.h"
#include "tables/placementtext.h"

#include <QRegExp>
#include <cmath>

namespace PlacementEdit {

QString errorTitle()
{
    return QStringLiteral("Error");
}
QString invalidFormat()
{
    return QStringLiteral("invalid format");
}
QString onlyPositiveIntegers()
{
    return QStringLiteral("Only positive integers are allowed");
}
QString invalidCharacter()
{
    return QStringLiteral("An invalid character was used");
}
QString validExecCharacters()
{
    return QStringLiteral("valid characters: 2,1,0");
}

QString clean(const QString& text, bool keepHyphen)
{
    QString out = text;
    for (const char c : { '<', '>', '=', '"', '$', ' ' })
        out.replace(QLatin1Char(c), QLatin1Char('_'));
    if (!keepHyphen)
        out.replace(QLatin1Char('-'), QLatin1Char('_'));
    return out;
}

namespace {

CellEditResult refused(const PnPEntry& e, int column, const QString& warning = QString())
{
    CellEditResult r;
    r.shown = PlacementText::cell(e, column);
    r.warning = warning;
    return r;
}

CellEditResult accepted(const QString& shown, CellRebuild rebuild = CellRebuild::None)
{
    CellEditResult r;
    r.shown = shown;
    r.rebuild = rebuild;
    r.changed = true;
    return r;
}

CellEditResult editCoordinate(Document& doc, PnPEntry& e, int column, QString text)
{
    static const QRegExp number(QStringLiteral("^\\-{0,1}\\d{1,}[\\.\\,]{0,1}\\d*$"));
    if (!number.exactMatch(text))
        return refused(e, column, invalidFormat());
    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char(',')))
        text += QStringLiteral(".00");
    bool ok = false;
    const double v = NumberText::parse(text, &ok);
    // A number too long for a double would be stored as infinity and poison every later
    // computation, so it is refused like any other text that is not a coordinate.
    if (!ok || !std::isfinite(v))
        return refused(e, column, invalidFormat());
    doc.editEntry(e, [&](PnPEntry& p) { column == int(PlacementColumn::X) ? p.setX(v) : p.setY(v); });
    return accepted(text.replace(QLatin1Char('.'), QLatin1Char(',')));
}

CellEditResult editRotation(Document& doc, PnPEntry& e, const QString& text)
{
    static const QRegExp small(QStringLiteral("^[0-3]{0,1}\\d{1,2}$"));
    const int column = int(PlacementColumn::Rotate);
    const int value = text.toInt();
    if (small.exactMatch(text) && value < 360) {
        doc.editEntry(e, [&](PnPEntry& p) { p.setRotation(value); });
        return accepted(QString::number(value));
    }
    // Negative numbers and text that is no integer at all (toInt gives 0) land here.
    if (value < 360)
        return refused(e, column, onlyPositiveIntegers());
    const int reduced = value % 360;
    doc.editEntry(e, [&](PnPEntry& p) { p.setRotation(reduced); });
    return accepted(QString::number(reduced));
}

} // namespace

CellEditResult editPlacementCell(Document& doc, PnPEntry& e, int column, const QString& typed)
{
    const bool numberColumn = column == int(PlacementColumn::X) || column == int(PlacementColumn::Y);
    const QString text = clean(typed, numberColumn);
    switch (PlacementColumn(column)) {
    case PlacementColumn::RefDes:
    case PlacementColumn::Value:
    case PlacementColumn::Name:
    case PlacementColumn::Comment: {
        if (text.contains(QLatin1Char(';')))
            return refused(e, column, invalidCharacter());
        doc.editEntry(e, [&](PnPEntry& p) {
            switch (PlacementColumn(column)) {
            case PlacementColumn::RefDes:
                p.setRefDes(text);
                break;
            case PlacementColumn::Value:
                p.setValue(text);
                break;
            case PlacementColumn::Name:
                p.setName(text);
                break;
            default:
                p.setComment(text);
                break;
            }
        });
        const bool grouping = column == int(PlacementColumn::Value) || column == int(PlacementColumn::Name);
        return accepted(text, grouping ? CellRebuild::PartTable : CellRebuild::None);
    }
    case PlacementColumn::X:
    case PlacementColumn::Y:
        return editCoordinate(doc, e, column, text);
    case PlacementColumn::Rotate:
        return editRotation(doc, e, text);
    case PlacementColumn::Exec: {
        static const QRegExp kind(QStringLiteral("^[0-3]$"));
        if (!kind.exactMatch(text))
            return refused(e, column, validExecCharacters());
        doc.editEntry(e, [&](PnPEntry& p) { p.setExec(text); });
        return accepted(text, CellRebuild::PartTable);
    }
    case PlacementColumn::Head: {
        bool ok = false;
        const int head = text.toInt(&ok);
        if (!ok || head < 1 || head > 24)
            return refused(e, column);
        doc.editEntry(e, [&](PnPEntry& p) { p.setHead(head); });
        return accepted(QString::number(head));
    }
    case PlacementColumn::Side: {
        const QString side = text.toLower();
        if (side != QLatin1String("top") && side != QLatin1String("bottom"))
            return refused(e, column);
        doc.editEntry(e, [&](PnPEntry& p) { p.setSide(side); });
        if ((side == QLatin1String("top")) != doc.activeSideIsTop()) {
            doc.moveEntriesToOtherSide({ &e });
            return accepted(side, CellRebuild::All);
        }
        return accepted(side);
    }
    case PlacementColumn::Machine:
    case PlacementColumn::Line:
        break;
    }
    return refused(e, column);
}

CellEditResult editPartCell(Document& doc, const QString& oldValue, const QString& oldName, int oldQty,
    int column, const QString& typed)
{
    CellEditResult r;
    const QString text = clean(typed, false);
    if (column != 1 && column != 2) {
        r.shown = QString::number(oldQty);
        return r;
    }
    if (text.contains(QLatin1Char(';'))) {
        r.shown = column == 1 ? oldValue : oldName;
        r.warning = invalidCharacter();
        return r;
    }
    QList<PnPEntry*> group;
    for (PnPEntry* e : doc.currentList())
        if (e->value() == oldValue && e->name() == oldName)
            group.append(e);
    doc.editEntries(group, [&](PnPEntry& p) { column == 1 ? p.setValue(text) : p.setName(text); });
    r.shown = text;
    // The placement rows show the renamed value or name too.
    r.rebuild = CellRebuild::All;
    r.changed = true;
    return r;
}

} // namespace PlacementEdit
