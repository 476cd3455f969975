#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <initializer_list>

// Shared colours of the icon set, chosen to read well on the dark (53,53,53) toolbar.
namespace IconColor {
inline const QColor light(232, 232, 232);
inline const QColor dim(150, 150, 150);
inline const QColor outline(20, 20, 20);
inline const QColor blue(90, 170, 240);
inline const QColor green(80, 200, 90);
inline const QColor red(240, 80, 70);
inline const QColor amber(245, 170, 40);
inline const QColor yellow(240, 205, 60);
inline const QColor boardBody(24, 96, 30);
inline const QColor copper(110, 225, 110);
inline const QColor metal(200, 200, 205);
inline const QColor chipBody(45, 45, 50);
} // namespace IconColor

// A 32x32 antialiased drawing surface with the few shapes the icons are composed of.
// Coordinates are pixels of the 32x32 grid with (0,0) at the top left; strokes use round caps
// and joins. A canvas of another pixel size scales that grid, so the desktop sizes of the
// application icon come from the same drawing.
class IconCanvas
{
public:
    static constexpr int kSize = 32;

    explicit IconCanvas(int pixelSize = kSize);
    ~IconCanvas();
    IconCanvas(const IconCanvas&) = delete;
    IconCanvas& operator=(const IconCanvas&) = delete;

    // Ends painting and hands out the picture (ARGB32, transparent background).
    QImage image();
    QPainter& painter() { return m_painter; }

    void line(QPointF a, QPointF b, const QColor& color, qreal width = 2.0);
    void polyline(std::initializer_list<QPointF> points, const QColor& color, qreal width = 2.0);
    void dashedRect(const QRectF& r, const QColor& color, qreal width = 1.5);
    void stroke(const QPainterPath& path, const QColor& color, qreal width = 2.0);
    void fill(const QPainterPath& path, const QColor& color);
    void fillOutlined(const QPainterPath& path, const QColor& fill, const QColor& outline, qreal width = 1.0);
    void rect(
        const QRectF& r, const QColor& fill, const QColor& outline = Qt::transparent, qreal radius = 0.0);
    void circle(QPointF centre, qreal radius, const QColor& fill, const QColor& outline = Qt::transparent,
        qreal width = 1.0);
    void ring(QPointF centre, qreal radius, const QColor& color, qreal width = 2.0);

    // A filled triangular arrow head with its tip at `tip`, pointing in `degrees` (0 = right, 90 = up).
    void arrowHead(QPointF tip, qreal degrees, qreal length, const QColor& color);
    // A circular arc with an arrow head at its end; angles in degrees, counter-clockwise positive.
    void arcArrow(
        QPointF centre, qreal radius, qreal startDeg, qreal spanDeg, const QColor& color, qreal width = 2.5);

    // A surface-mount part seen from above: dark body with metal terminals left and right.
    void chip(const QRectF& body, const QColor& bodyColor = IconColor::chipBody);
    // Three stacked sheets; the front one gets `front` and an outline. Afterwards the painter maps
    // frontPlate() onto the front sheet, so the caller draws the layer's pattern inside that rectangle.
    void layerStack(const QColor& front, const QColor& frontOutline);
    static QRectF frontPlate() { return QRectF(2.5, 10.5, 19, 19); }
    // Clip further drawing to the front plate of the layer stack (until unclip()).
    void clipToFrontPlate();
    void unclip();

    // Upper-case letters and digits drawn as strokes in a box, independent of installed fonts.
    // Known glyphs: R, T and 1.
    void glyphs(const QString& text, const QRectF& box, const QColor& color, qreal width);

private:
    QImage m_image;
    QPainter m_painter;
};
