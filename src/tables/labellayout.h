#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

// The content of a part label: the group, the board, how many and which placements.
struct LabelContent
{
    QString group; // value and name joined by " · "
    QString title; // board title; empty when the board has no name
    QString count; // "12x"
    QString refLine1; // designators 1..10
    QString refLine2; // designators 11..20, "..." when there are more

    // groupKey: value + ";" + name; titleName "unbenannt" means no title.
    static LabelContent of(const QString& groupKey, const QString& titleName, const QStringList& refDes);
};

// Draws a label on a page. The layout is 700 x 250 units (group 45 high at the top, title 30,
// count in bold 30, two designator lines 30) and is scaled to fill the page's width, or its
// height when the page is wider than the label's proportion. A line wider than the label is
// drawn in a smaller font.
namespace LabelLayout {
constexpr double width = 700.0;
constexpr double height = 250.0;
void paint(QPainter& painter, const QRectF& page, const LabelContent& label);
} // namespace LabelLayout
