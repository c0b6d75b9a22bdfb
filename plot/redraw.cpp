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

// Runs `draw` on a form of `inputs` whose Picture1 is `graph` and whose
// other parts keep nothing; a fault ends it. The form's state after it
// comes back.
template <class Draw>
FormState onGraph(const FormState& inputs, Canvas& graph, Draw&& draw) {
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
        draw(form);
    } catch (...) {
        // The screen's plot ended here too, and said why in its box.
    }
    return form.state;
}

} // namespace

void redrawGraphs(const FormState& inputs, Canvas& graph) { onGraph(inputs, graph, Command1_Click); }

WorldPoint redrawStill(const FormState& inputs, bool guideAtC, bool guideAtMinusB, Canvas& graph) {
    const FormState after = onGraph(inputs, graph, [&](Form& form) { DrawStill(form, {guideAtC, guideAtMinusB}); });
    return {after.XStart.value() - 1, after.YMax.value() + 1};
}

void redrawLegend(std::span<const PrintedText> prints, Canvas& legend) {
    legend.clear();
    for (const PrintedText& p : prints) legend.print(p.text, p.end);
}

} // namespace viramont
