#pragma once

#include <QPalette>

// The dark look of the application: the "fusion" style, a larger font and a dark palette.
namespace AppLook {

QPalette darkPalette();

// Applies the look to the running application once; later calls change nothing, so a second
// window does not grow the font again.
void apply();

} // namespace AppLook
