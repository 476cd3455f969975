#pragma once

#include <QImage>

// The "_inactive" look of an icon: grey and dimmed, same shape and transparency edge.
QImage inactiveVariant(const QImage& active);
