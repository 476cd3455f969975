#pragma once

#include <QString>
#include <QStringView>

class Aperture;
class ApertureMacro;
class GerberLayer;

// Aperture macros: stores %AM definitions and expands a macro once per %AD into a MacroImage
// of circles, lines and polygons relative to the flash point. Variables are not evaluated.
class ApertureMacroReader
{
public:
    // Takes the text from "%AM" to the closing "%" and appends the macro to the layer.
    static void define(GerberLayer& layer, const QString& text);

    // Builds the aperture of an %AD block naming `macro`, or nullptr (after the debug line
    // "Parameter: " with the code) when a primitive code is not handled: reading then stops.
    static Aperture* expand(QStringView block, const ApertureMacro& macro);
};
