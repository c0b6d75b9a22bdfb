#pragma once
// Fonts, colours and the icon of the window, from the layout's values.

#include "app/form/layout.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPalette>

namespace viramont {

// The face names of the layout map to fonts with Cyrillic glyphs:
// "Arial" to the metric-compatible Liberation Sans; "MS Sans Serif" and
// "Microsoft Sans Serif", whose widths are close to Arial's, to Liberation
// Sans as well. DejaVu Sans stands behind both. Sizes are points at 96 dpi,
// so text keeps its size against the fixed pixel layout on any screen; a
// scaled layout scales them with it.
QFont layoutFont(const layout::FontSpec& wanted, double scale = 1.0);

// A colour of the layout; system colours come from the palette.
QColor layoutColour(Colour colour, const QPalette& palette);
// The same as a colour value, as the canvases take it.
Colour layoutColourValue(Colour colour, const QPalette& palette);

// A small white window with a cyan title bar, in 16 and 32 pixels.
QIcon programIcon();

} // namespace viramont
