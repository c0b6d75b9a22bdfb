#pragma once
// Where the page puts the form on a screen of a given size, in CSS pixels.
//
// A screen that holds the form's own layout scaled so that its smallest
// text (16 px at scale 1) stays at kSmallestText or more shows that layout,
// scaled (a laptop, a tablet held sideways, a netbook). A smaller screen (a
// phone either way, a tablet held upright) shows the same controls in one
// column that scrolls down and never sideways: the title, the function
// list and the formula, each under its caption; the four parameters and
// the interval, each field with its caption beside it; the three buttons
// as wide touch targets; Picture1 at the full width in its own proportions
// and the legend under it. Every text there is at least kColumnText, every
// field and button at least kTouchTarget tall. Only places change: the
// controls, their texts, tab order and behaviour stay.
//
// A canvas keeps the drawing area of the layout at scale 1 as its logical
// pixels, whatever its size on the screen, and has the device pixels of
// its box: its lines and letters keep their size relative to the picture.

#include "form/layout.h"
#include "views/sheet.h"

#include <vector>

namespace viramont::view {

inline constexpr double kSmallestText = 11;  // CSS px, in the scaled layout
inline constexpr double kColumnText = 12;    // CSS px, the column's smallest text
inline constexpr double kTouchTarget = 44;   // CSS px
inline constexpr double kColumnMargin = 8;   // around the column, and between its rows
inline constexpr double kColumnWidest = 825; // the column's content at most: Picture1 at scale 1

struct PlacedControl {
    const layout::ControlRow* row;  // the control's row of the layout
    double left, top, width, height;  // CSS px in the form, the border included
    double fontScale;                 // the font is layout::fontPixels(points, fontScale) px
    bool centred;
    // A canvas: its device pixels, and the ratio of them to its logical
    // pixels (layout::canvasArea).
    int deviceWidth = 0, deviceHeight = 0;
    double ratio = 0;
};

struct PageForm {
    bool column = false;
    double left = 0;               // of the form on the page
    double width = 0, height = 0;  // the form's box
    std::vector<PlacedControl> controls;  // in the order of layout::kControls
};

// The form on a viewport of `width` x `height` CSS px at `devicePixelRatio`
// device pixels to a CSS px; `metrics` measures the captions at scale 1 for
// the column.
PageForm placeForm(double width, double height, double devicePixelRatio, const TextMetrics& metrics);

// A canvas whose drawing area of `cssWidth` CSS px shows the layout's
// `logicalWidth` x `logicalHeight`: its device pixels and their ratio to
// the logical ones.
struct CanvasPixels {
    int deviceWidth, deviceHeight;
    double ratio;
};
CanvasPixels canvasPixels(int logicalWidth, int logicalHeight, double cssWidth, double devicePixelRatio);

// A panel over the form takes at most kPanelShare of the viewport's width,
// with its border; a panel of parts (practice, the cards' box) has
// kPanelPadding inside it, left and right.
inline constexpr double kPanelShare = 0.98;
inline constexpr double kPanelBorder = 1;
inline constexpr double kPanelPadding = 16;
inline constexpr double kPanelChrome = 2 * (kPanelBorder + kPanelPadding);
// The widest a panel is on a viewport `viewportWidth` wide, its border included.
double panelWidth(double viewportWidth);
// The width a panel of parts has inside on that viewport.
inline double panelRoom(double viewportWidth) { return panelWidth(viewportWidth) - kPanelChrome; }

// The width of the step sheet's graphs in the panel on a viewport
// `viewportWidth` wide: their own, or what the screen leaves them beside
// the panel's margins.
double stepGraphWidth(double viewportWidth, const SheetLook& look);
// The step sheet's look in the panel on that viewport: its graphs that
// wide, and as many columns as fit.
SheetLook sheetLookFor(double viewportWidth);

} // namespace viramont::view
