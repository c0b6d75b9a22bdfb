#pragma once
// Fonts, colours and the icon of the window, from the layout's values.

#include "form/layout.h"
#include "toolkit/qt/canvas_widget.h"
#include "views/sheet.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPalette>

namespace viramont {

// A font of the layout: its family and size as layout::familyOf and
// layout::fontPixels give them, DejaVu Sans behind it.
QFont layoutFont(const layout::FontStyle& wanted, double scale = 1.0);
// Texts measured as the window sets them: the layout's fonts at scale 1.
const view::TextMetrics& layoutMetrics();

// A colour of the layout; system colours come from the palette.
QColor layoutColour(Colour colour, const QPalette& palette);
// The same as a colour value, as the canvases take it.
Colour layoutColourValue(Colour colour, const QPalette& palette);

// A canvas widget of `size` inside its `border`, in `look`'s colours and
// font.
CanvasWidget* canvasWidget(QWidget* parent, QSize size, int border, const layout::CanvasLook& look);

// The program's icon (views/icon.h), in 16 and 32 pixels.
QIcon programIcon();

} // namespace viramont
