// The descriptions both front ends draw: the picture's composition, the step
// sheet's text and places, and which commands the menu offers.

#include "form_kit.h"
#include "params/intake.h"
#include "plot/redraw.h"
#include "plot/steps.h"
#include "views/menu.h"
#include "views/picture.h"
#include "views/sheet.h"

#include <gtest/gtest.h>

#include <string>

namespace viramont::view {
namespace {

// The canvases of the form at scale 1: Picture1's and Picture2's drawing areas.
constexpr Box kGraph{2, 250, 821, 517}, kLegend{842, 514, 285, 253};

TEST(PictureLayout, PutsTheFormulaLineOverTheCanvasesInTheirArrangement) {
    struct Row {
        const char* what;
        const char* formula;
        double formulaWidth;
        double width, height;  // of the picture
    };
    const double canvasesWidth = 1127 - 2, canvasesHeight = 767 - 250, band = 20 + 2 * kFormulaMargin;
    const Row rows[] = {
        {"no formula line", "", 0, canvasesWidth, canvasesHeight},
        {"a short formula", "4+2Sin(3x+1)", 150.2, canvasesWidth, band + canvasesHeight},
        {"a formula wider than the canvases", "x", 1500.5, 1501 + 2 * kFormulaMargin, band + canvasesHeight},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const PictureLayout layout = pictureLayout(kGraph, kLegend, row.formula, row.formulaWidth, 19.6);
        EXPECT_EQ(layout.hasFormula, *row.formula != '\0');
        EXPECT_DOUBLE_EQ(layout.width, row.width);
        EXPECT_DOUBLE_EQ(layout.height, row.height);
        const double top = layout.hasFormula ? band : 0;
        // The canvases keep their distance; the picture starts at their edges.
        EXPECT_DOUBLE_EQ(layout.graph.x, 0);
        EXPECT_DOUBLE_EQ(layout.graph.y, top);
        EXPECT_DOUBLE_EQ(layout.legend.x, kLegend.x - kGraph.x);
        EXPECT_DOUBLE_EQ(layout.legend.y, top + kLegend.y - kGraph.y);
        if (layout.hasFormula) {
            EXPECT_DOUBLE_EQ(layout.formula.x, kFormulaMargin);
            EXPECT_DOUBLE_EQ(layout.formula.y, kFormulaMargin);
        }
    }
    EXPECT_EQ(formulaLine("Text5"), "") << "the field's initial text";
    EXPECT_EQ(formulaLine("  "), "");
    EXPECT_EQ(formulaLine("4+2Sin(3x+1)"), "4+2Sin(3x+1)");
}

StepChain exampleChain() {
    test::FakeWindow w;
    w.pick(fn::kSin);
    for (auto [field, text] : {std::pair{&w.text1, "2"}, {&w.text2, "3"}, {&w.text3, "1"}, {&w.text4, "4"}}) {
        field->setText(text);
    }
    ВЫБОР_Click(w.form);
    return ComposeSteps(w.form.state);
}

TEST(Sheet, SaysWhatTheStepsAreAndPlacesEveryPart) {
    const SheetText sheet = describeSheet(exampleChain());
    EXPECT_EQ(sheet.title, "Построение по шагам: y = 4+2Sin(3x+1)");
    ASSERT_EQ(sheet.cells.size(), 5u);
    EXPECT_EQ(sheet.cells[0].spokenName, "Исходный график. y = Sin(x)");
    EXPECT_EQ(sheet.cells[2].sentence, "Сдвиг вдоль оси Ox на 1/3 влево");
    EXPECT_EQ(sheet.leftOut, "");

    // Letters 7 pixels wide, lines 15 high: a sentence wider than a cell
    // breaks between words; a note goes under its graph in its own ink.
    const TextMetrics metrics{[](const std::string& text, const layout::FontSpec&) { return 7.0 * text.size(); },
                              [](const layout::FontSpec&) { return 15.0; }};
    const std::vector<std::string> notes{"", "", "", "", "Красный график не построен: нет ни одной точки."};
    const SheetLook& look = kSheetLook;
    const SheetPicture picture = sheetPicture(sheet, notes, metrics);
    ASSERT_EQ(picture.graphs.size(), 5u);
    const double step = look.cellWidth() + look.cellGapX;
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(picture.graphs[i].x, look.marginLeft + double(i % 3) * step) << i;
    }
    for (std::size_t i = 3; i < 5; ++i) {
        for (std::size_t above = 0; above < 3; ++above) {
            EXPECT_GT(picture.graphs[i].y, picture.graphs[above].y + look.graph.height) << "the second row below the first";
        }
    }
    EXPECT_DOUBLE_EQ(picture.width, look.marginLeft + 3 * look.cellWidth() + 2 * look.cellGapX + look.marginRight);
    bool noted = false;
    for (const PlacedLine& line : picture.lines) {
        EXPECT_LE(line.x + 7.0 * line.text.size(), picture.width - look.marginRight + 1e-9) << line.text;
        EXPECT_LE(line.y + 15 + look.lineGap, picture.height - look.marginBottom + look.lineGap) << line.text;
        if (line.ink == look.noteInk) {
            noted = true;
            EXPECT_GT(line.y, picture.graphs[4].y + look.graph.height) << "under its graph";
        }
        // No line of a cell runs into a graph.
        for (const PlacedGraph& g : picture.graphs) {
            const bool across = line.x < g.x + look.cellWidth() && line.x + 7.0 * line.text.size() > g.x;
            const bool down = line.y < g.y + look.graph.height + 2 * look.graphEdge && line.y + 15 > g.y;
            EXPECT_FALSE(across && down) << line.text;
        }
    }
    EXPECT_TRUE(noted);
    EXPECT_EQ(picture.lines.back().text, kStepColoursKey);
}

TEST(Menu, OffersTheStepSheetOnceAPlotHasDrawn) {
    test::FakeWindow w;
    LastPlot last;
    EXPECT_TRUE(offers(Command::Save, last));
    EXPECT_FALSE(offers(Command::Steps, last));
    w.pick(fn::kSin);
    ВЫБОР_Click(w.form);
    last.pressStarts(w.form.state, 0);
    last.pressEnded(1);  // the plot cleared the canvas for its axes
    EXPECT_TRUE(offers(Command::Steps, last));
}

} // namespace
} // namespace viramont::view
