#include "resources/icongen/inactivevariant.h"

#include <QColor>

QImage inactiveVariant(const QImage& active)
{
    QImage out = active.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = row[x];
            const int alpha = qAlpha(c);
            if (alpha == 0)
                continue;
            // Luminance, squeezed towards a mid grey so bright and dark parts both recede
            // against the dark toolbar, and a little transparency on top.
            const int luma = (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
            const int grey = 70 + luma * 45 / 100;
            row[x] = qRgba(grey, grey, grey, alpha * 70 / 100);
        }
    }
    return out;
}
