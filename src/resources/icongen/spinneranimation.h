#pragma once

#include <QByteArray>
#include <QRgb>
#include <QVector>

// The status-bar busy animation: a ring of dots with a fading tail, one turn per second.
// Dots are blended against the window colour of the dark palette, since GIF has no partial alpha.
class SpinnerAnimation
{
public:
    static constexpr int kSize = 24;
    static constexpr int kFrames = 12;
    static constexpr int kDelayCentiseconds = 8;

    // Index 0 is transparent; 1..255 run from the window colour to the dot colour.
    static QVector<QRgb> palette();
    static QVector<uchar> frameIndices(int frame);
    static QByteArray gif();
};
