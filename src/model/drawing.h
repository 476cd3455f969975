#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>

// A user drawing on one side of the board: a line, a rectangle, a filled rectangle or a
// text, given by two corner points in mm. Held by value in the document's drawing lists.
struct Drawing
{
    enum Type
    {
        NoDrawing = -1,
        Line = 0,
        Rectangle = 1,
        FilledRectangle = 2,
        Text = 3
    };

    double startX = 0.0;
    double endX = 0.0;
    double startY = 0.0;
    double endY = 0.0;
    QString text = QStringLiteral("x");
    QFont font;
    // Size chosen in the text dialog; drawn with pixel size textSize * zoom / 10.
    int textSize = 0;
    QColor color = QColor(255, 0, 0);
    int type = NoDrawing;
    bool selected = false;

    bool operator==(const Drawing& o) const
    {
        return startX == o.startX && endX == o.endX && startY == o.startY && endY == o.endY && text == o.text
            && font == o.font && textSize == o.textSize && color == o.color && type == o.type
            && selected == o.selected;
    }
    bool operator!=(const Drawing& o) const { return !(*this == o); }
};

using Drawings = QList<Drawing>;
