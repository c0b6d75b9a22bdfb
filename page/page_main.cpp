// Viramont in a browser: the same form, handlers and plot as the window
// (window/), over the page's elements. The page (page.js) builds an
// element for every control this start-up names, then passes the events
// here:
//
//   viramont_start   once, with the viewport, the pixel ratio and the
//                    browser's decimal separator: lays out the form and
//                    runs Form_Load
//   viramont_press   a button pressed or an entry picked: "ВЫБОР",
//                    "Command1", "Command3" or "Combo1"; or "Steps", the
//                    canvases' "Построение по шагам…": the step sheet of
//                    the plot drawn last in the page's panel, its graphs
//                    drawn into the panel's canvases
//   viramont_formula_line  the formula line of a copied picture
//   viramont_redraw  both canvases drawn anew at a larger ratio, for print
//                    and the larger pictures
//   viramont_plot_is_long  whether a plot now takes long enough for the
//                    busy cursor
//
// After each handler the page gets the pictures, what Picture1 shows in
// words, and what the handler announces, for screen readers.
// Handlers run inside the event boundary as on the desktop; a handler that
// opens a box waits for its answer (the page's boxes are asynchronous, the
// wait is Emscripten's Asyncify), and the page takes no other input
// meanwhile.

#include "form/form.h"
#include "form/layout.h"
#include "params/intake.h"
#include "plot/plot.h"
#include "plot/redraw.h"
#include "plot/step_graphs.h"
#include "plot/steps.h"
#include "toolkit/guard.h"
#include "toolkit/number_text.h"
#include "toolkit/web/web_canvas.h"
#include "toolkit/web/web_controls.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

EM_JS(void, page_add_control,
      (const char* name, const char* kind, int left, int top, int width, int height, const char* text,
       const char* font, const char* fore, const char* back, int centred, int tabIndex, const char* accessibleName,
       int output),
      {
          viramontPage.addControl({
              name : UTF8ToString(name),
              kind : UTF8ToString(kind),
              left : left,
              top : top,
              width : width,
              height : height,
              text : UTF8ToString(text),
              font : UTF8ToString(font),
              fore : UTF8ToString(fore),
              back : UTF8ToString(back),
              centred : centred != 0,
              tabIndex : tabIndex,
              accessibleName : UTF8ToString(accessibleName),
              output : output != 0,
          });
      });
EM_JS(void, page_form_size, (int width, int height, const char* back, const char* title), {
    viramontPage.setFormSize(width, height, UTF8ToString(back), UTF8ToString(title));
});
EM_JS(void, page_end_program, (), { viramontPage.endProgram(); });
EM_JS(void, page_paper_canvas, (const char* id, int width, int height), {
    viramontPage.paperCanvas(UTF8ToString(id), width, height);
});
// The step sheet's panel: opened afresh with its title, fonts and texts,
// then a cell for each graph, then a graph's note once it is drawn.
EM_JS(void, page_steps_enabled, (int enabled), { viramontPage.setStepsEnabled(enabled != 0); });
EM_JS(void, page_steps_open,
      (const char* title, const char* headingFont, const char* textFont, int columns, const char* key,
       const char* leftOut),
      {
          viramontPage.openSteps({
              title : UTF8ToString(title),
              headingFont : UTF8ToString(headingFont),
              textFont : UTF8ToString(textFont),
              columns : columns,
              key : UTF8ToString(key),
              leftOut : UTF8ToString(leftOut),
          });
      });
EM_JS(void, page_steps_cell,
      (const char* id, const char* heading, const char* formula, const char* sentence, int width, int height), {
          viramontPage.addStep(UTF8ToString(id), UTF8ToString(heading), UTF8ToString(formula), UTF8ToString(sentence),
                               width, height);
      });
EM_JS(void, page_steps_note, (const char* id, const char* note), {
    viramontPage.setStepNote(UTF8ToString(id), UTF8ToString(note));
});
EM_JS(void, page_announce, (const char* text), { viramontPage.announce(UTF8ToString(text)); });

namespace viramont {
namespace {

// The desktop's system colours as the window's style paints them.
Colour pageColour(Colour colour) {
    if ((colour & layout::kSystem) == 0) return colour;
    switch (colour & 0xFF) {
    case 5: return rgb(255, 255, 255);  // a field's face
    case 8: return rgb(0, 0, 0);        // a field's text
    case 15: return rgb(239, 239, 239); // a button's face
    case 18: return rgb(0, 0, 0);       // a button's text
    case 19: return rgb(212, 208, 200); // the form
    default: return rgb(239, 239, 239);
    }
}

// A layout font as CSS writes it, its size in logical pixels at the scale.
std::string cssFont(const layout::FontSpec& f, double scale) {
    std::string font = f.italic ? "italic " : "";
    font += f.bold ? "bold " : "";
    font += std::to_string(layout::fontPixels(f.points, scale)) + "px \"" + layout::familyOf(f.face) + "\", \"" +
            layout::kFallbackFamily + "\", sans-serif";
    return font;
}

const char* kindName(layout::Kind kind) {
    switch (kind) {
    case layout::Kind::Label: return "label";
    case layout::Kind::TextBox: return "field";
    case layout::Kind::ComboBox: return "list";
    case layout::Kind::Button: return "button";
    case layout::Kind::Picture: return "picture";
    }
    return "label";
}

const char* accessibleNameOf(std::string_view control) {
    for (const auto& [name, spoken] : layout::kAccessibleNames) {
        if (control == name) return spoken;
    }
    return "";
}

// The smallest scale of the page: a phone's screen still shows the whole form.
constexpr double kSmallestPageScale = 0.2;

// What the page keeps of a canvas to draw it again, larger.
struct CanvasLook {
    int width = 0, height = 0;  // logical pixels
    Colour fore = 0, back = 0;
    std::string font;
};

struct Page {
    std::map<std::string, std::unique_ptr<WebField>> fields;
    CanvasLook look1, look2;
    LastPlot lastPlot;
    WebList list{"Combo1"};
    WebDialogs dialogs{layout::kTitle};
    std::unique_ptr<WebCanvas> picture1, picture2;
    std::optional<Form> form;
    double dpr;
    // The step sheet: the graphs' canvases in the panel, and the boxes over
    // the panel.
    std::vector<std::unique_ptr<WebCanvas>> stepGraphs;
    WebDialogs stepDialogs{layout::kTitle};

    Page(double viewportWidth, double viewportHeight, double devicePixelRatio) : dpr(devicePixelRatio) {
        const layout::Scale scale{layout::fitScale(viewportWidth, viewportHeight, kSmallestPageScale)};
        page_form_size(scale(layout::kClientWidth), scale(layout::kClientHeight),
                       cssColour(pageColour(layout::kFormBack)).c_str(), layout::kTitle);
        for (const layout::ControlSpec& c : layout::kControls) {
            const int left = scale(c.left), top = scale(c.top);
            const int width = scale.extent(c.left, c.width), height = scale.extent(c.top, c.height);
            const std::string font = cssFont(c.font, scale.factor);
            page_add_control(c.name, kindName(c.kind), left, top, width, height, c.text, font.c_str(),
                             cssColour(pageColour(c.fore)).c_str(), cssColour(pageColour(c.back)).c_str(),
                             c.align == layout::Align::Centre, c.tabIndex, accessibleNameOf(c.name),
                             std::string_view(c.name) == layout::kOutputField);
            if (c.kind == layout::Kind::TextBox) fields[c.name] = std::make_unique<WebField>(c.name);
            if (c.kind == layout::Kind::Picture) {
                const int border = layout::kCanvasBorder;
                const bool graph = std::string_view(c.name) == "Picture1";
                CanvasLook& look = graph ? look1 : look2;
                look = {width - 2 * border, height - 2 * border, pageColour(c.fore), pageColour(c.back), font};
                (graph ? picture1 : picture2) = std::make_unique<WebCanvas>(c.name, look.width, look.height, dpr,
                                                                            look.fore, look.back, look.font);
            }
        }
        form.emplace(Form{
            .state = {},
            .Text1 = *fields.at("Text1"),
            .Text2 = *fields.at("Text2"),
            .Text3 = *fields.at("Text3"),
            .Text4 = *fields.at("Text4"),
            .Text5 = *fields.at("Text5"),
            .Text6 = *fields.at("Text6"),
            .Text7 = *fields.at("Text7"),
            .Combo1 = list,
            .Picture1 = *picture1,
            .Picture2 = *picture2,
            .dialogs = dialogs,
            .endProgram = [] { page_end_program(); },
        });
        // A box opened in the middle of a press shows over the drawing as it
        // is at that moment.
        dialogs.setBeforeModal([this] { present(); });
    }

    // Both pictures as they stand, Picture1 with its description.
    void present() {
        picture1->present(form->state.Spoken.picture1);
        picture2->present();
    }

    // A handler behind the event boundary; then what it drew is shown and
    // what it announces is said.
    void handle(void (*handler)(Form&)) {
        const bool plot = handler == Command1_Click;
        if (plot) lastPlot.pressStarts(form->state, picture1->geometry().clears());
        runHandler(*form, handler);
        if (plot) lastPlot.pressEnded(picture1->geometry().clears());
        present();
        const std::string& said = form->state.Spoken.announcement;
        if (!said.empty()) page_announce(said.c_str());
    }

    // Both canvases drawn anew at `ratio` times their logical pixels into
    // the page's paper canvases "Paper1" and "Paper2": the graphs from the
    // inputs of the plot that drew them, the legend from its texts.
    void redraw(double ratio) {
        const CanvasLook* looks[] = {&look1, &look2};
        for (int i = 0; i < 2; ++i) {
            const CanvasLook& look = *looks[i];
            const std::string id = "Paper" + std::to_string(i + 1);
            page_paper_canvas(id.c_str(), static_cast<int>(std::lround(look.width * ratio)),
                              static_cast<int>(std::lround(look.height * ratio)));
            WebCanvas paper(id, look.width, look.height, ratio, look.fore, look.back, look.font);
            if (i == 0 && lastPlot.inputs()) redrawGraphs(*lastPlot.inputs(), paper);
            if (i == 1) redrawLegend(picture2->geometry().prints(), paper);
            paper.present();
        }
    }

    // After a press of Command1: the plot it drew is the one the step sheet
    // explains.
    void notePlot() {
        if (ExplainedPlot(lastPlot)) page_steps_enabled(1);
    }

    void showSteps() {
        const FormState* plotted = ExplainedPlot(lastPlot);
        if (!plotted) return;
        const StepChain chain = ComposeSteps(*plotted);
        std::string leftOut;
        if (!chain.leftOut.empty()) leftOut = kLeftOutHeading;
        for (const std::string& line : chain.leftOut) leftOut += "\n" + line;
        const std::string last = chain.steps.empty() ? chain.baseFormula : chain.steps.back().formula;
        const std::string title = std::string(kStepSheetTitle) + ": y = " + last.substr(last.rfind(" = ") + 3);
        page_steps_open(title.c_str(), cssFont(layout::kStepHeadingFont, 1).c_str(),
                        cssFont(layout::kStepTextFont, 1).c_str(), layout::kStepColumns, kStepColoursKey,
                        leftOut.c_str());

        stepGraphs.clear();
        std::vector<Canvas*> canvases;
        auto addCell = [&](const std::string& heading, const std::string& formula, const std::string& sentence) {
            const std::string id = "Step" + std::to_string(stepGraphs.size());
            page_steps_cell(id.c_str(), heading.c_str(), formula.c_str(), sentence.c_str(), layout::kStepGraph.width,
                            layout::kStepGraph.height);
            stepGraphs.push_back(std::make_unique<WebCanvas>(id, layout::kStepGraph.width, layout::kStepGraph.height,
                                                             dpr, layout::kStepGraphFore, layout::kStepGraphBack,
                                                             cssFont(layout::kStepGraphFont, 1)));
            canvases.push_back(stepGraphs.back().get());
        };
        addCell(kBaseGraphHeading, chain.baseFormula, kBaseGraphSentence);
        for (const TransformStep& step : chain.steps) addCell(step.heading, step.formula, step.sentence);

        std::vector<std::string> notes;
        stepDialogs.setBeforeModal([&] { presentSteps(notes); });
        runGuarded(stepDialogs, [&] { DrawStepGraphs(chain, canvases, notes); });
        stepDialogs.setBeforeModal({});
        presentSteps(notes);
    }

    void presentSteps(const std::vector<std::string>& notes) {
        for (std::size_t i = 0; i < stepGraphs.size(); ++i) {
            stepGraphs[i]->present();
            const std::string id = "Step" + std::to_string(i);
            page_steps_note(id.c_str(), i < notes.size() ? notes[i].c_str() : "");
        }
    }
};

Page* page = nullptr;

} // namespace

const FormState* pageState() { return page ? &page->form->state : nullptr; }

} // namespace viramont

extern "C" {

EMSCRIPTEN_KEEPALIVE void viramont_start(double viewportWidth, double viewportHeight, double dpr,
                                         const char* separator) {
    using namespace viramont;
    setDecimalSeparator(separator);
    static Page instance(viewportWidth, viewportHeight, dpr);
    page = &instance;
    page->handle(Form_Load);
}

EMSCRIPTEN_KEEPALIVE void viramont_press(const char* control) {
    using namespace viramont;
    if (!page) return;
    const std::string_view name(control);
    if (name == "ВЫБОР") {
        page->handle(ВЫБОР_Click);
    } else if (name == "Command1") {
        page->handle(Command1_Click);
        page->notePlot();
    } else if (name == "Command3") {
        page->handle(Command3_Click);
    } else if (name == "Combo1") {
        page->handle(Combo1_Click);
    } else if (name == "Steps") {
        page->showSteps();
    }
}

// Whether a press of Command1 now computes so many points that the page
// shows the busy cursor first: over 200,000 a graph, some tens of
// milliseconds. Each graph takes 10,000 points a unit of x, where the step
// of x still moves it (within 2048 of 0).
EMSCRIPTEN_KEEPALIVE int viramont_plot_is_long() {
    using namespace viramont;
    if (!page) return 0;
    const FormState& s = page->form->state;
    auto points = [](double from, double to) {
        constexpr double kReach = 2048.0;
        const double lo = std::max(from, -kReach), hi = std::min(to, kReach);
        return hi > lo ? (hi - lo) * 1e4 : 0.0;
    };
    const double start = s.XStart.value(), end = s.XEnd, b = s.ShiftX.value();
    return points(start, end) + points(start - b, end - b) > 4e5;
}

// Draws both canvases anew, larger, for print and the larger pictures.
EMSCRIPTEN_KEEPALIVE void viramont_redraw(double ratio) {
    if (viramont::page) viramont::page->redraw(ratio);
}

// The formula line of a copied picture: Text5's text, or nothing while it
// shows no formula.
EMSCRIPTEN_KEEPALIVE const char* viramont_formula_line() {
    using namespace viramont;
    static std::string line;
    line = page ? page->fields.at("Text5")->text() : std::string();
    if (!layout::showsFormula(line)) line.clear();
    return line.c_str();
}

} // extern "C"
