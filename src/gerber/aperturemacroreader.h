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
    // Takes the text from "%AM" to the closing "%" and appends the macro to the layer.
    static void define(GerberLayer& layer, const QString& text);

    // Builds the aperture of an %AD block naming `macro`, or nullptr when a primitive code is not
    // handled (debug line "Parameter: " with the code) or an expression cannot be evaluated
    // (a rejection naming the primitive and the reason): reading then stops.
    static Aperture* expand(QStringView block, const ApertureMacro& macro);
};
