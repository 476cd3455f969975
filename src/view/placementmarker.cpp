#include "view/placementmarker.h"

#include "model/numbertext.h"
#include "model/pnpentry.h"

#include <QFont>
#include <QPainter>
#include <cmath>

namespace {

struct MarkerColours
{
    QColor outline;
    QColor fill;
    QColor chevron;
};

MarkerColours coloursFor(const PnPEntry& entry)
{
    if (!entry.onSelectedMachine())
        return { QColor(120, 120, 120), QColor(180, 180, 180), QColor(150, 150, 150) };
    if (entry.exec() == ExecKind::Hand)
        return { QColor(255, 100, 120), QColor(255, 150, 180), QColor(255, 200, 200) };
    if (entry.exec() == ExecKind::Tht)
        return { QColor(120, 40, 40), QColor(180, 100, 100), QColor(150, 80, 80) };
    return { QColor(80, 100, 255), QColor(120, 150, 255), QColor(80, 255, 255) };
}

bool bodyShown(const PnPEntry& entry, const ViewFilters& f)
{
    const QString& e = entry.exec();
    return (e == ExecKind::Machine && f.showMachineExec) || (e == ExecKind::Hand && f.showHandExec)
        || (e == ExecKind::Tht && f.showThtExec);
}

// Body lengths in pixels, kept within what a painter handles well.
double bodyPixels(double mm, int zoom)
{
    const double v = mm * zoom;
    return std::isfinite(v) ? qBound(0.0, v, 100000.0) : 0.0;
}

// The small white cross every placement gets, under its body.
void drawCentreCross(QPainter& p, const QPoint& c)
{
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(c.x() - 2, c.y(), c.x() + 2, c.y());
    p.drawLine(c.x(), c.y() - 2, c.x(), c.y() + 2);
}

// The body around the painter's origin, rotated to its drawn angle.
void drawBody(QPainter& p, const MarkerColours& colours, bool hover, double length, double width, int angle)
{
    p.rotate(angle);
    const QRectF body(-length / 2, -width / 2, length, width);
    p.setBrush(QBrush(hover ? QColor(Qt::white) : colours.fill, Qt::Dense4Pattern));
    p.setPen(QPen(hover ? QColor(Qt::white) : colours.outline, hover ? 3 : 2));
    p.drawRect(body);
    // The chevron points at the end that lies at −X before rotation.
    p.setPen(QPen(hover ? QColor(Qt::white) : colours.chevron, 3));
    const double tipX = -length / 2 + 1;
    const double endX = -length / 4;
    const double halfW = width / 2 - 1;
    p.drawLine(QPointF(tipX, -1), QPointF(endX, -halfW));
    p.drawLine(QPointF(tipX, 1), QPointF(endX, halfW));
}

} // namespace

const QImage& MarkerSprites::get(quint64 key, const std::function<QImage()>& make)
{
    auto it = m_images.find(key);
    if (it != m_images.end())
        return *it;
    if (m_images.size() > 4000)
        m_images.clear();
    return *m_images.insert(key, make());
}

namespace PlacementMarker {

int drawnAngle(double rotation, double extraAngle)
{
    const double a = 360.0 - rotation - extraAngle;
    if (!std::isfinite(a))
        return 0;
    const int whole = int(std::fmod(a, 360.0));
    return (whole % 360 + 360) % 360;
}

int fontPixelSize(int zoomLevel)
{
    return int(zoomLevel / 10.0 * 8);
}

void draw(QPainter& p, const PnPEntry& entry, const QPoint& c, const MarkerStyle& style)
{
    if ((entry.placed() && !style.filters.showPlaced) || !bodyShown(entry, style.filters)) {
        drawCentreCross(p, c);
        return;
    }

    const MarkerColours colours = coloursFor(entry);
    const bool hover = entry.hoverState() != 0;
    const double length = bodyPixels(entry.sizeX(), style.zoomLevel);
    const double width = bodyPixels(entry.sizeY(), style.zoomLevel);
    const int angle = drawnAngle(entry.rotation(), style.extraAngle);
    // Half the side of a square that holds the rotated body with its pens; the brush pattern
    // repeats every two pixels, so the parity of the position is part of the look.
    const int half = int(std::hypot(length, width) / 2) + 4;
    if (!style.sprites || half > 200) {
        drawCentreCross(p, c);
        p.save();
        p.translate(c);
        drawBody(p, colours, hover, length, width, angle);
        p.restore();
    } else {
        const quint64 key = quint64(colours.outline.rgb() & 0xffffff) | quint64(hover) << 24
            | quint64(c.x() & 1) << 25 | quint64(c.y() & 1) << 26 | quint64(angle) << 27
            | quint64(qMin(4095, int(length * 8))) << 36 | quint64(qMin(4095, int(width * 8))) << 48;
        const QImage& sprite = style.sprites->get(key, [&] {
            QImage image(2 * half, 2 * half, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter sp(&image);
            sp.setBrushOrigin((c.x() - half) & 1, (c.y() - half) & 1);
            drawCentreCross(sp, QPoint(half, half));
            sp.translate(half, half);
            drawBody(sp, colours, hover, length, width, angle);
            return image;
        });
        p.drawImage(c.x() - half, c.y() - half, sprite);
    }

    const int pixelSize = fontPixelSize(style.zoomLevel);
    if (style.filters.showRefDes && style.zoomLevel >= 8 && pixelSize > 0) {
        QFont font = p.font();
        font.setPixelSize(pixelSize);
        p.setFont(font);
        p.setPen(hover ? QColor(Qt::white) : colours.outline);
        const double reach = std::hypot(length, width) / 2;
        p.drawText(QPointF(c.x() + reach + 3, c.y() - 2), entry.refDes());
    }
}

void drawMovingBox(QPainter& p, const PnPEntry& entry, int height)
{
    const QRect box(1, height - 35, 250, 32);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(box);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    const QString first
        = entry.refDes() + QStringLiteral(": ") + entry.value() + QStringLiteral(" | ") + entry.name();
    const QString second = QStringLiteral("X: ") + NumberText::format(entry.x()) + QStringLiteral("mm   Y: ")
        + NumberText::format(entry.y()) + QStringLiteral("mm   R: ") + NumberText::format(entry.rotation())
        + QStringLiteral("°");
    p.drawText(box.adjusted(4, 2, -4, -16), Qt::AlignLeft | Qt::AlignVCenter, first);
    p.drawText(box.adjusted(4, 16, -4, -2), Qt::AlignLeft | Qt::AlignVCenter, second);
}

} // namespace PlacementMarker
