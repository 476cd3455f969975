#include "resources/icongen/spinneranimation.h"

#include "resources/icongen/gifwriter.h"

#include <QImage>
#include <QPainter>
#include <QtMath>

namespace {
const QColor kWindow(53, 53, 53);
const QColor kDot(120, 185, 245);
} // namespace

QVector<QRgb> SpinnerAnimation::palette()
{
    QVector<QRgb> colors;
    colors.reserve(256);
    colors.append(kWindow.rgb());
    for (int i = 1; i < 256; ++i) {
        const qreal t = (i - 1) / 254.0;
        colors.append(qRgb(qRound(kWindow.red() + t * (kDot.red() - kWindow.red())),
            qRound(kWindow.green() + t * (kDot.green() - kWindow.green())),
            qRound(kWindow.blue() + t * (kDot.blue() - kWindow.blue()))));
    }
    return colors;
}

QVector<uchar> SpinnerAnimation::frameIndices(int frame)
{
    QImage coverage(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    coverage.fill(Qt::transparent);
    {
        QPainter p(&coverage);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        const qreal centre = kSize / 2.0;
        const qreal radius = kSize * 0.36;
        for (int dot = 0; dot < kFrames; ++dot) {
            // Age 0 is the head; the tail fades over the following dots.
            const int age = ((frame - dot) % kFrames + kFrames) % kFrames;
            const qreal strength = qMax(0.18, 1.0 - age * 0.12);
            const qreal angle = qDegreesToRadians(90.0 - dot * 360.0 / kFrames);
            const QPointF at(centre + radius * qCos(angle), centre - radius * qSin(angle));
            p.setBrush(QColor(255, 255, 255, qRound(255 * strength)));
            const qreal dotRadius = kSize * (age == 0 ? 0.1 : 0.085);
            p.drawEllipse(at, dotRadius, dotRadius);
        }
    }
    QVector<uchar> indices(kSize * kSize, 0);
    for (int y = 0; y < kSize; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(coverage.constScanLine(y));
        for (int x = 0; x < kSize; ++x) {
            const int alpha = qAlpha(row[x]);
            // Faint edge pixels become transparent rather than a dark fringe on other backgrounds.
            indices[y * kSize + x] = alpha < 16 ? 0 : uchar(1 + (alpha * 254 + 127) / 255);
        }
    }
    return indices;
}

QByteArray SpinnerAnimation::gif()
{
    GifWriter writer(QSize(kSize, kSize), palette(), 0);
    for (int frame = 0; frame < kFrames; ++frame)
        writer.addFrame(frameIndices(frame), kDelayCentiseconds);
    return writer.finish();
}
