#pragma once
// The window's picture as a teacher copies, saves or prints it: the formula
// line on top, below it the graph canvas and the legend canvas in their
// arrangement on the form, on white paper. A front end measures the
// formula's letters and draws the parts where the layout puts them.

#include "toolkit/colour.h"

#include <string>
#include <string_view>

namespace viramont::view {

// The margin around the formula line, in logical pixels; the paper is
// layout::kPaper.
inline constexpr double kFormulaMargin = 6;

struct Box {
    double x = 0, y = 0, width = 0, height = 0;
    double right() const { return x + width; }
    double bottom() const { return y + height; }
};

struct PictureLayout {
    double width = 0, height = 0;  // logical pixels
    bool hasFormula = false;
    Box formula;  // the line's box: the text starts at its left, centred down it
    Box graph, legend;
};

// The picture of canvases at `graph` and `legend` on the form (their
// drawing areas, in logical pixels) under a formula line whose letters are
// `formulaWidth` wide and `lineHeight` high; an empty formula leaves the
// line out. The canvases keep their distance from each other; the picture
// begins at the leftmost and topmost canvas edge, below the line, and is
// wide enough for the line.
PictureLayout pictureLayout(Box graph, Box legend, std::string_view formula, double formulaWidth, double lineHeight);

// The formula line for a text of Text5: nothing while it still shows its
// initial text or is blank.
std::string formulaLine(std::string_view text5);

// The page of paper: the formula line's letters a twentieth of the page's
// height (about 10 mm on A4), smaller where a long formula would not fit
// across; the canvases under it as large as the rest of the page holds.
inline constexpr double kPaperFormulaShare = 0.05;
inline constexpr double kPaperLineSpacing = 1.5;  // the line's band, in its heights

} // namespace viramont::view
