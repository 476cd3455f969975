#include "tables/labellayout.h"

#include "model/boardinfo.h"

#include <QFont>
#include <QPainter>
#include <algorithm>

LabelContent LabelContent::of(const QString& groupKey, const QString& titleName, const QStringList& refDes)
{
    LabelContent c;
    c.group = QString(groupKey).replace(QLatin1Char(';'), QStringLiteral(" \u00B7 "));
    if (titleName != BoardInfo::defaultName())
        c.title = titleName;
    c.count = QString::number(refDes.size()) + QLatin1Char('x');
    c.refLine1 = refDes.mid(0, 10).join(QStringLiteral(", "));
    c.refLine2 = refDes.mid(10, 10).join(QStringLiteral(", "));
    if (refDes.size() > 20)
        c.refLine2 += QStringLiteral("...");
    return c;
}

namespace LabelLayout {

void paint(QPainter& painter, const QRectF& page, const LabelContent& label)
{
    const double scale = std::min(page.width() / width, page.height() / height);
    if (!(scale > 0.0))
        return;
    painter.save();
    painter.translate(page.topLeft());
    painter.scale(scale, scale);
    painter.setPen(Qt::black);
    struct Line
    {
        const QString& text;
        double y;
        int pixelSize;
        bool bold;
    };
    const Line lines[]
        = { { label.group, 0, 45, false }, { label.title, 45, 30, false }, { label.count, 130, 30, true },
              { label.refLine1, 160, 30, false }, { label.refLine2, 190, 30, false } };
    for (const Line& line : lines) {
        if (line.text.isEmpty())
            continue;
        QFont font = painter.font();
        font.setPixelSize(line.pixelSize);
        font.setBold(line.bold);
        painter.setFont(font);
        // Long designator lists and group names shrink to the label's width rather than
        // being cut off.
        const double textWidth
            = painter.boundingRect(QRectF(0, 0, 1e6, height), Qt::AlignLeft, line.text).width();
        if (textWidth > width) {
            font.setPixelSize(std::max(8, int(line.pixelSize * width / textWidth)));
            painter.setFont(font);
        }
        painter.drawText(QRectF(0, line.y, width, height - line.y), Qt::AlignLeft | Qt::AlignTop, line.text);
    }
    painter.restore();
}

} // namespace LabelLayout
