#pragma once
// Fonts, colours and the icon of the window, from the layout's values.

#include "form/layout.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPalette>

namespace viramont {

// A font of the layout: its family and size as layout::familyOf and
// layout::fontPixels give them, DejaVu Sans behind it.
QFont layoutFont(const layout::FontStyle& wanted, double scale = 1.0);

// A colour of the layout; system colours come from the palette.
QColor layoutColour(Colour colour, const QPalette& palette);
// The same as a colour value, as the canvases take it.
Colour layoutColourValue(Colour colour, const QPalette& palette);

// The program's icon (views/icon.h), in 16 and 32 pixels.
QIcon programIcon();

} // namespace viramont
