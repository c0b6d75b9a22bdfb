#pragma once
// The step sheet (plot/steps.h) as both front ends show it: what it says,
// and where each part goes. On top the title; then a cell for y = f(x) and
// one for each step, side by side, kColumns in a row, each with its
// heading, formula and sentence over the step's graph and, where needed, a
// note under it; then the colours' key and the moves left out. Black on
// white like paper; the graphs in a plain grey edge, the notes in dark red.
// The same places make the sheet's picture when it is copied, saved or
// printed.

#include "form/layout.h"
#include "plot/steps.h"
#include "toolkit/colour.h"

#include <functional>
#include <string>
#include <vector>

namespace viramont::view {

struct SheetCell {
    std::string heading, formula, sentence;
    std::string spokenName;  // the graph's name for screen readers: "Шаг 1. y = Sin(3x)"
};

struct SheetText {
    std::string title;  // "Построение по шагам: y = 4+2Sin(3x+1)"
    std::vector<SheetCell> cells;
    std::string key;      // the colours' key
    std::string leftOut;  // the moves left out, a line each under their heading; empty: none
};

// What the sheet of `chain` says.
SheetText describeSheet(const StepChain& chain);

// How wide a text is in a font, and how high a line of the font is (its
// ascent and descent), in logical pixels, as the front end sets letters.
struct TextMetrics {
    std::function<double(const std::string&, const layout::FontStyle&)> width;
    std::function<double(const layout::FontStyle&)> lineHeight;
};

// The lines of `text` that fit `width`, broken at its line breaks and
// between words (a word wider than `width` stands on a line of its own).
std::vector<std::string> wrappedLines(const std::string& text, const layout::FontStyle& font, double width,
                                      const TextMetrics& metrics);

// Where the parts go, in logical pixels.
struct SheetLook {
    int marginLeft = 16, marginTop = 12, marginRight = 16, marginBottom = 16;
    int blockGap = 12;             // between the title, the cells, the key and the moves left out
    int cellGapX = 20, cellGapY = 16;
    int lineGap = 3;               // between the lines and the graph of a cell
    int columns = 3;
    int graphEdge = layout::kCanvasBorder;  // a plain edge around each graph
    layout::PixelSize graph = layout::kStepGraph;
    layout::FontStyle headingFont = layout::kStepHeadingFont;  // headings and formulas
    layout::FontStyle textFont = layout::kStepTextFont;        // sentences, notes, key, moves left out
    double titleScale = 4.0 / 3.0;                            // the title: the heading font this much larger
    Colour paper = layout::kPaper, ink = layout::kPaperInk;
    Colour edgeInk = layout::kFrameGrey;
    Colour noteInk = rgb(160, 0, 0);

    // A cell's width: its graph with the edge.
    int cellWidth() const { return graph.width + 2 * graphEdge; }
    layout::FontStyle titleFont() const;
};
inline const SheetLook kSheetLook{};

// What a paragraph of the sheet is.
enum class SheetRole { Title, Heading, Formula, Sentence, Note, Key, LeftOut };

// A line of text of the sheet's picture, its left end of the top of its
// line box at (x, y); the lines of a paragraph share its `block`.
struct PlacedLine {
    std::string text;
    layout::FontStyle font;
    Colour ink;
    double x, y;
    SheetRole role = SheetRole::Title;
    std::size_t block = 0;
};
struct PlacedGraph {
    std::size_t cell;
    double x, y;  // the top-left of the edge
};
struct SheetPicture {
    double width = 0, height = 0;
    std::vector<PlacedLine> lines;
    std::vector<PlacedGraph> graphs;
};

// A paragraph of the sheet at its place: its lines as the sheet breaks
// them, joined by line breaks, the first at (x, y).
struct PlacedParagraph {
    SheetRole role;
    std::string text;
    layout::FontStyle font;
    Colour ink;
    double x, y;
};
// The sheet as one picture: every line and graph at its place, the cells'
// texts broken between words to the width of a cell. `notes` holds each
// graph's note, empty for none.
SheetPicture sheetPicture(const SheetText& sheet, const std::vector<std::string>& notes, const TextMetrics& metrics,
                          const SheetLook& look = kSheetLook);
// The picture's lines as paragraphs, in order, for a front end that shows
// a paragraph as one text.
std::vector<PlacedParagraph> paragraphsOf(const SheetPicture& picture);

} // namespace viramont::view
