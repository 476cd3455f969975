#pragma once

#include "gerber/macroimage.h"

#include <QString>
#include <memory>

// One D-code of a layer: a standard shape with up to four positional parameters, or a macro
// aperture (shape "C", a tiny circle) that carries the expanded image of its macro.
class Aperture
{
public:
    static constexpr int ParameterCount = 4;

    Aperture();
    Aperture(const QString& name, const QString& shape, const QString texts[ParameterCount]);
    ~Aperture();
    Aperture(const Aperture&) = delete;
    Aperture& operator=(const Aperture&) = delete;

    // "D00", a circle of diameter 1 file unit: stands in wherever an object needs an aperture
    // and none is selected (also the starting point of every drill tool).
    static Aperture* createDefault();

    // Sets parameter slot i (0-based) from its text: "x" means "not given" and yields -1.0.
    void setParameterText(int i, const QString& text);

    QString name;
    QString shape; // "C", "R", "O" or "P"
    QString parameterText[ParameterCount]; // "x" where the file gives none
    double parameterValue[ParameterCount]; // -1.0 where the text is "x"
    std::unique_ptr<MacroImage> macroImage; // only for macro apertures of macros without variables
};
