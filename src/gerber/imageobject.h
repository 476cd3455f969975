#pragma once

#include <QString>

class Aperture;

// One flash ("D3"), draw ("D1", a stroke from the previous object's point) or move ("D2").
class ImageObject
{
public:
    // Shared kind texts: objects refer to these so that a million objects hold no string copies.
    static const QString& draw();
    static const QString& move();
    static const QString& flash();

    ImageObject() = default;
    ImageObject(Aperture* aperture, double x, double y, const QString& kind, bool dark)
        : aperture(aperture)
        , x(x)
        , y(y)
        , kind(kind)
        , dark(dark)
    { }

    Aperture* aperture = nullptr; // owned by the layer, never by the object
    double x = 0.0;
    double y = 0.0;
    QString kind; // "D1", "D2" or "D3"
    bool dark = true;
    qint32 index = -1; // object index, assigned when the layer takes the object
};
