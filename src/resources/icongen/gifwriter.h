#pragma once

#include <QByteArray>
#include <QRgb>
#include <QSize>
#include <QVector>

// Writes an animated GIF89a from palette-indexed frames. Qt can read GIF but not write it,
// so the busy animation is encoded here (LZW compression included).
class GifWriter
{
public:
    // The palette holds at most 256 colours; transparentIndex is -1 when no colour is transparent.
    GifWriter(QSize size, const QVector<QRgb>& palette, int transparentIndex = -1);

    // indices holds width * height palette indices, row by row; delay is in hundredths of a second.
    // Returns false (and adds nothing) when the frame does not fit the size or the palette.
    bool addFrame(const QVector<uchar>& indices, int delayCentiseconds);

    int frameCount() const { return m_frames; }

    // The complete file: header, loop extension, all frames and the trailer.
    QByteArray finish() const;

    // LZW code stream of one frame, packed into GIF data sub-blocks (without the leading code size).
    static QByteArray compress(const QVector<uchar>& indices, int minCodeSize);
    static int minCodeSizeFor(int paletteSize);

private:
    QSize m_size;
    QVector<QRgb> m_palette;
    int m_transparentIndex;
    int m_frames = 0;
    QByteArray m_body;
};
