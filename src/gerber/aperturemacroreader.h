#pragma once

#include <QString>
#include <QStringView>

class Aperture;
class ApertureMacro;
class GerberLayer;

// Aperture macros: stores %AM definitions and expands a macro once per %AD into a MacroImage
// of circles, lines and polygons relative to the flash point. A macro with variables is evaluated
// with the modifiers of each aperture that uses it.
class ApertureMacroReader
{
public:
    // Real macros hold a few dozen primitives; each costs memory in every aperture that uses the
    // macro and a path element in every flash of it.
    static constexpr int maxPrimitives = 10000;
    // Primitives expanded over all the apertures of one file.
    static constexpr qint64 maxExpandedPrimitives = 2000000;
    // Macros defined in one file; real files define a hundred or so.
    static constexpr int maxMacros = 100000;

    // Takes the text from "%AM" to the closing "%" and appends the macro to the layer. False
    // (and no macro added) when it holds more than maxPrimitives primitives.
    static bool define(GerberLayer& layer, const QString& text);

    // Builds the aperture of an %AD block naming `macro`, or nullptr when a primitive code is not
    // handled (debug line "Parameter: " with the code) or an expression cannot be evaluated
    // (a rejection naming the primitive and the reason): reading then stops.
    static Aperture* expand(QStringView block, const ApertureMacro& macro);
};
