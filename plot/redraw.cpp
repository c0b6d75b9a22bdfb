#include "plot/redraw.h"

#include "plot/plot.h"
#include "toolkit/blank_canvas.h"

namespace viramont {

namespace {

// Controls and boxes that a plot never reads or opens.
class NoField final : public TextField {
public:
    std::string text() const override { return {}; }
    void setText(const std::string&) override {}
};
class NoList final : public ListControl {
public:
    void append(const std::string&) override {}
    std::string text() const override { return {}; }
};
class NoBoxes final : public Dialogs {
public:
    void message(const std::string&) override {}
    std::string input(const std::string&, const std::string&) override { return {}; }
};

} // namespace

void redrawGraphs(const FormState& inputs, Canvas& graph) {
    NoField field;
    NoList list;
    NoBoxes boxes;
    BlankCanvas legend;  // the legend of a plot drawn again goes nowhere
    Form form{
        .state = inputs,
        .Text1 = field, .Text2 = field, .Text3 = field, .Text4 = field,
        .Text5 = field, .Text6 = field, .Text7 = field,
        .Combo1 = list,
        .Picture1 = graph,
        .Picture2 = legend,
        .dialogs = boxes,
        .endProgram = {},
    };
    try {
        Command1_Click(form);
    } catch (...) {
        // The screen's plot ended here too, and said why in its box.
    }
}

void redrawLegend(std::span<const PrintedText> prints, Canvas& legend) {
    legend.clear();
    for (const PrintedText& p : prints) legend.print(p.text, p.end);
}

} // namespace viramont
