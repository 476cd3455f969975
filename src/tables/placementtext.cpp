#include "tables/placementtext.h"

#include "model/numbertext.h"
#include "model/pnpentry.h"

#include <QVector>

namespace {

// Heads, machines and lines are small numbers: their texts are made once and shared by every
// row that shows them, which keeps a table of many rows smaller.
QString integerText(int v)
{
    static const QVector<QString> small = [] {
        QVector<QString> texts;
        for (int i = 0; i < 256; ++i)
            texts.append(QString::number(i));
        return texts;
    }();
    return v >= 0 && v < small.size() ? small.at(v) : QString::number(v);
}

} // namespace

namespace PlacementText {

QString header(int column)
{
    static const char* const headers[columnCount] = { "RefDes", "Value", "Name", "X(mm)", "Y(mm)", "Rotate",
        "Comment", "Exec", "Head", "Side", "Machine", "Line" };
    return column >= 0 && column < columnCount ? QString::fromLatin1(headers[column]) : QString();
}

int defaultWidth(int column)
{
    static const int widths[columnCount] = { 45, 60, 60, 45, 45, 45, 60, 40, 40, 40, 40, 40 };
    return column >= 0 && column < columnCount ? widths[column] : 40;
}

QString coordinate(double v)
{
    QString text = NumberText::format(v);
    const int dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0)
        text += QStringLiteral(".00");
    else if (dot == text.size() - 2)
        text += QLatin1Char('0');
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString cell(const PnPEntry& e, int column)
{
    switch (PlacementColumn(column)) {
    case PlacementColumn::RefDes:
        return e.refDes();
    case PlacementColumn::Value:
        return e.value();
    case PlacementColumn::Name:
        return e.name();
    case PlacementColumn::X:
        return coordinate(e.x());
    case PlacementColumn::Y:
        return coordinate(e.y());
    case PlacementColumn::Rotate:
        return NumberText::format(e.rotation());
    case PlacementColumn::Comment:
        return e.comment();
    case PlacementColumn::Exec:
        return e.exec();
    case PlacementColumn::Head:
        return integerText(e.head());
    case PlacementColumn::Side:
        return e.side();
    case PlacementColumn::Machine:
        return integerText(e.machine());
    case PlacementColumn::Line:
        return integerText(e.line());
    }
    return QString();
}

} // namespace PlacementText
