#include "line/feederoverview.h"

#include "line/feederentry.h"
#include "line/feederlist.h"

#include <QPainter>

namespace FeederOverview {

namespace {
const QColor topEdge(41, 41, 41);
const QColor symbolBody(80, 100, 255);
const QColor symbolMarks(80, 255, 255);
const QColor highlightCross(64, 64, 64);

void drawSlots(QPainter& p, QSize size, const Colours& colours)
{
    p.setPen(QPen(colours.detail, 1));
    p.setBrush(Qt::NoBrush);
    const QFontMetricsF metrics(p.font());
    for (const bool rear : { false, true }) {
        for (int i = 0; i < slotsPerBench; ++i) {
            const QPointF c = slotCentre(size, rear, i);
            p.drawEllipse(c, slotRadius, slotRadius);
            const QString number
                = QString::number(i + (rear ? FeederList::rearFirst : FeederList::frontFirst));
            const double w = metrics.horizontalAdvance(number);
            // The text's middle sits numberDistance below (front) or above (rear) the circle.
            // Numbers wider than a slot (the rear bench's 101..150) would run into each other:
            // every second one moves a line further out.
            const double stagger = (w > slotPitch - 2 && i % 2 == 1) ? metrics.height() : 0.0;
            const double y = rear ? c.y() - numberDistance - stagger + metrics.ascent() / 2
                                  : c.y() + numberDistance + stagger + metrics.ascent() / 2;
            p.drawText(QPointF(c.x() - w / 2, y), number);
        }
    }
}

void drawFeeder(QPainter& p, QPointF slot, const FeederEntry& f, const Colours& colours)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colours.outline, 1));
    p.drawRect(bodyRect(slot, f.feederType));

    const QPointF pick = pickPoint(slot);
    p.setPen(QPen(colours.detail, 1));
    p.drawLine(pick + QPointF(-2, 0), pick + QPointF(2, 0));
    p.drawLine(pick + QPointF(0, -2), pick + QPointF(0, 2));

    // The part as it lies in the tape: body, a line to its 0° side and a pin-1 mark.
    p.save();
    p.translate(pick);
    p.rotate(360 - f.rotation);
    p.setPen(QPen(symbolBody, 1));
    p.drawRect(QRectF(-6, -4, 12, 8));
    p.setPen(QPen(symbolMarks, 1));
    p.drawLine(QPointF(0, 0), QPointF(6, 0));
    p.drawLine(QPointF(-4, -4), QPointF(-4, 4));
    p.restore();

    if (f.highlighted) {
        p.setPen(QPen(highlightCross, 1));
        p.drawLine(slot + QPointF(-7, -7), slot + QPointF(7, 7));
        p.drawLine(slot + QPointF(-7, 7), slot + QPointF(7, -7));
        p.setPen(QPen(Qt::red, 5));
        p.drawLine(slot + QPointF(-f.nozzle, 0), slot + QPointF(f.nozzle, 0));
    }
}
} // namespace

QPointF slotCentre(QSize size, bool rear, int index)
{
    const double x0 = (size.width() - benchWidth) / 2;
    const double y = rear ? size.height() / 4.0 : size.height() - size.height() / 4.0;
    return { x0 + slotPitch * index, y };
}

std::optional<QPointF> setCentre(QSize size, int setNo)
{
    if (setNo >= FeederList::frontFirst && setNo <= FeederList::frontLast)
        return slotCentre(size, false, setNo - FeederList::frontFirst);
    if (setNo >= FeederList::rearFirst && setNo <= FeederList::rearLast)
        return slotCentre(size, true, setNo - FeederList::rearFirst);
    return std::nullopt;
}

double bodyWidth(const QString& feederType)
{
    bool ok = false;
    const int tape = feederType.left(2).toInt(&ok);
    int units = 6;
    if (ok) {
        switch (tape) {
        case 12:
            units = 8;
            break;
        case 16:
            units = 9;
            break;
        case 24:
            units = 12;
            break;
        case 32:
            units = 15;
            break;
        case 44:
            units = 18;
            break;
        default:
            break;
        }
    }
    return 3.0 * units;
}

QRectF bodyRect(QPointF slot, const QString& feederType)
{
    const double w = bodyWidth(feederType);
    return { slot.x() - w / 2, slot.y() - bodyAbove, w, bodyHeight };
}

QPointF pickPoint(QPointF slot)
{
    return { slot.x(), slot.y() - pickDistance };
}

void paint(QPainter& p, QSize size, const QList<FeederEntry*>& entries, const Colours& colours, bool folded)
{
    p.save();
    QFont font = p.font();
    font.setPointSize(7);
    p.setFont(font);
    p.fillRect(QRect(QPoint(0, 0), size), colours.background);
    p.setPen(QPen(topEdge, 1));
    p.drawLine(0, 0, size.width(), 0);
    if (folded) {
        p.setPen(colours.detail);
        p.drawText(QRect(6, 0, size.width() - 30, size.height()), Qt::AlignLeft | Qt::AlignVCenter, title);
        p.restore();
        return;
    }
    p.setPen(QPen(colours.detail, 2));
    p.drawLine(QPointF(0, size.height() / 2.0), QPointF(size.width(), size.height() / 2.0));
    drawSlots(p, size, colours);
    for (const FeederEntry* f : entries) {
        if (const std::optional<QPointF> slot = setCentre(size, f->setNo))
            drawFeeder(p, *slot, *f, colours);
    }
    p.restore();
}

} // namespace FeederOverview
