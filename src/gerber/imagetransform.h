#pragma once

#include <QHash>
#include <QPointF>
#include <QString>
#include <QStringView>

class Aperture;
class GerberLayer;

// The image parameters of the older format revisions, which place the whole image: %MI mirrors
// the A (x) or B (y) axis, %SF scales the coordinates, %OF offsets them and %IR rotates the
// image about the origin by a quarter turn. A point becomes R(IR) (OF + SF MI p), the order in
// which the peer viewer draws them; flashed shapes turn and mirror with the image. They hold for
// the whole image: a later statement replaces an earlier one.
class ImageTransform
{
public:
    // Takes an %MI, %SF, %OF or %IR block; false when its values cannot be read.
    bool read(QStringView block);

    bool isIdentity() const;
    QPointF map(QPointF p) const;

    // Moves every object and region polygon of the layer, and gives the objects apertures that
    // are turned and mirrored like the image (owned by the layer, named as the originals).
    void apply(GerberLayer& layer) const;

private:
    Aperture* transformed(
        const Aperture& aperture, GerberLayer& layer, QHash<const Aperture*, Aperture*>& done) const;
    QPointF orient(QPointF p) const; // mirror and rotation only: for shapes about their flash point

    bool m_mirrorA = false;
    bool m_mirrorB = false;
    double m_scaleA = 1.0;
    double m_scaleB = 1.0;
    double m_offsetA = 0.0;
    double m_offsetB = 0.0;
    int m_quarterTurns = 0; // counter-clockwise, 0 to 3
};

// %SR step and repeat: the objects and regions made after an %SR block are repeated, when the
// next %SR block or the end of the image closes it, X by Y times at steps I and J.
class StepRepeat
{
public:
    // More copies than this in one image are refused: they must not exhaust memory.
    static constexpr qint64 MaxCopiedObjects = 5000000;

    // Opens the block an %SR block states (none for "%SR*%" or X1Y1); false when its counts
    // cannot be read. The block before must be closed first.
    bool start(QStringView block, GerberLayer& layer);
    // Repeats the open block; false (and nothing copied) when the copies would be too many.
    bool close(GerberLayer& layer);
    // Why the last start() or close() refused a block that asks for too many copies; empty when
    // the counts could not be read at all.
    QString refusal() const { return m_refusal; }

private:
    bool m_open = false;
    int m_from = 0; // position in the layer's order list where the block begins
    int m_countX = 1;
    int m_countY = 1;
    double m_stepX = 0.0;
    double m_stepY = 0.0;
    qint64 m_copied = 0; // objects and regions copied so far in this image
    QString m_refusal;
};
