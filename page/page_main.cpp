// Viramont in a browser: the same form, handlers, plot, pictures, step
// sheet and menu as the window (window/), drawn by the web toolkit
// (toolkit/web/) from the layout (form/layout.h) and the views' descriptions
// (views/). The page's script (page.js) starts the program and passes each
// action on in its turn:
//
//   viramont_start   once, with the viewport, the pixel ratio and the
//                    browser's decimal separator: lays out the form, defines
//                    the menus and keys, and runs Form_Load
//   viramont_layout  the viewport or the pixel ratio changed (the screen
//                    turned, the window was resized or zoomed): the form is
//                    placed anew (views/page_form.h), and a canvas whose
//                    device pixels changed is drawn again at them
//   viramont_open_link  a plot's link (views/link.h): its fields filled,
//                    its function picked, ВЫБОР and ПОСТРОИТЬ pressed
//   viramont_press   an action: a button pressed or an entry picked
//                    ("ВЫБОР", "Command1", "Command3", "Combo1"), or a
//                    command of a menu, a key or the step sheet's buttons
//                    ("picture:copy", "picture:steps", "sheet:save", ...)
//
// After each handler the page shows the pictures, what Picture1 shows in
// words, and what the handler announces, for screen readers. Handlers run
// inside the event boundary as on the desktop; a handler that opens a box
// waits for its answer (the page's boxes are asynchronous, the wait is
// Emscripten's Asyncify).

#include "form/form.h"
#include "form/layout.h"
#include "page/page_motion.h"
#include "page/page_state.h"
#include "params/intake.h"
#include "plot/plot.h"
#include "plot/redraw.h"
#include "plot/step_graphs.h"
#include "plot/steps.h"
#include "practice/cards.h"
#include "practice/practice.h"
#include "toolkit/guard.h"
#include "toolkit/number_text.h"
#include "toolkit/web/web_canvas.h"
#include "toolkit/web/web_controls.h"
#include "toolkit/web/web_page.h"
#include "toolkit/fault.h"
#include "views/link.h"
#include "views/menu.h"
#include "views/outputs.h"
#include "views/page_form.h"
#include "views/picture.h"
#include "views/practice.h"
#include "views/sheet.h"

#include <emscripten.h>

#include <array>
#include <charconv>
#include <initializer_list>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

EM_JS(void, page_end_program, (), { viramontPage.endProgram(); });

namespace viramont {
namespace {

using web::Json;

// A plot of more points than this shows the wait cursor first: some tens of
// milliseconds.
constexpr double kLongPlot = 4e5;

// The menus by the names the toolkit knows them.
constexpr const char* kPictureMenu = "picture";
constexpr const char* kSheetMenu = "sheet";
constexpr const char* kPracticeMenu = "practice";
constexpr const char* kCardsMenu = "cards";

std::string colourOf(Colour colour) { return cssColour(layout::classicColour(colour)); }

// A layout font as CSS writes it, its size in logical pixels at the scale.
std::string cssFont(const layout::FontStyle& f, double scale = 1.0) {
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

// A control's name for screen readers in `names`; "" where it has none.
template <std::size_t N>
const char* nameIn(const std::array<layout::AccessibleName, N>& names, std::string_view control) {
    for (const layout::AccessibleName& entry : names) {
        if (control == entry.control) return entry.name;
    }
    return "";
}

// Texts measured as the page sets them, at scale 1.
const view::TextMetrics& textMetrics() {
    static const view::TextMetrics metrics{
        [](const std::string& text, const layout::FontStyle& font) { return web::textWidth(text, cssFont(font)); },
        [](const layout::FontStyle& font) { return web::fontHeight(cssFont(font)); }};
    return metrics;
}

// Where a control goes, in the description the toolkit takes.
Json placement(const view::PlacedControl& p) {
    Json json;
    json.add("name", p.row->name)
        .add("left", p.left)
        .add("top", p.top)
        .add("width", p.width)
        .add("height", p.height)
        .add("font", cssFont(p.row->font, p.fontScale))
        .add("centred", p.centred);
    if (p.row->kind == layout::Kind::Picture) json.add("deviceWidth", p.deviceWidth).add("deviceHeight", p.deviceHeight);
    return json;
}

Json formPlacement(const view::PageForm& placed) {
    return Json()
        .add("left", placed.left)
        .add("width", placed.width)
        .add("height", placed.height)
        .add("column", placed.column)
        .add("back", colourOf(layout::kFormBack))
        .add("title", layout::kTitle)
        .add("menu", kPictureMenu);
}

// A command's key as the menu shows it, and as the browser names the key.
std::string keyLabel(char key) { return key ? std::string("Ctrl+") + key : std::string(); }
std::string keyCode(char key) { return std::string("Key") + key; }

void defineCommands(const char* menu, std::span<const view::CommandItem> items) {
    std::vector<Json> entries, keys;
    for (const view::CommandItem& item : items) {
        if (item.command == view::Command::Close) continue;
        entries.push_back(Json()
                              .add("command", view::commandName(item.command))
                              .add("text", item.text)
                              .add("keyLabel", keyLabel(item.key))
                              .add("separatorBefore", item.separatorBefore));
        if (item.key) {
            keys.push_back(Json()
                               .add("code", keyCode(item.key))
                               .add("command", view::commandName(item.command))
                               .add("canvasOnly", item.scope == view::KeyScope::Canvas));
        }
    }
    web::defineMenu(menu, entries);
    web::defineKeys(menu, keys);
}

// The sheet's look as the panel takes it, its cells `cellWidth` wide.
Json lookJson(const view::SheetLook& look, double cellWidth) {
    return Json()
        .add("marginLeft", look.marginLeft)
        .add("marginTop", look.marginTop)
        .add("marginRight", look.marginRight)
        .add("marginBottom", look.marginBottom)
        .add("blockGap", look.blockGap)
        .add("cellGapX", look.cellGapX)
        .add("cellGapY", look.cellGapY)
        .add("lineGap", look.lineGap)
        .add("columns", look.columns)
        .add("cellWidth", cellWidth)
        .add("edge", look.graphEdge)
        .add("paper", cssColour(look.paper))
        .add("ink", cssColour(look.ink))
        .add("edgeInk", cssColour(look.edgeInk))
        .add("noteInk", cssColour(look.noteInk))
        .add("titleFont", cssFont(look.titleFont()))
        .add("headingFont", cssFont(look.headingFont))
        .add("textFont", cssFont(look.textFont));
}

// What the page keeps of a canvas to draw it again, larger.
struct CanvasLook {
    int width = 0, height = 0;  // logical pixels
    Colour fore = 0, back = 0;
    std::string font;
};

struct Page {
    std::map<std::string, std::unique_ptr<WebField>> fields;
    CanvasLook look1, look2;
    view::Box box1, box2;  // the canvases' drawing areas on the form
    std::string formulaFont;
    Colour formulaInk = 0;
    LastPlot lastPlot;
    WebList list{"Combo1"};
    WebField listText{"Combo1"};
    WebDialogs dialogs{layout::kTitle, layout::kFieldLimit};
    // The form's boxes: a link answers the base box.
    view::LinkBoxes formBoxes{dialogs};
    std::unique_ptr<WebCanvas> picture1, picture2;
    std::optional<Form> form;
    double dpr;
    double viewportWidth;
    // The step sheet: its chain and what it says, its graphs' canvases and
    // notes, and the boxes over it.
    std::optional<StepChain> chain;
    std::optional<view::SheetText> sheet;
    std::vector<std::unique_ptr<WebCanvas>> stepGraphs;
    std::vector<std::string> notes;
    WebDialogs stepDialogs{layout::kTitle, layout::kFieldLimit};
    // Practice in its panel: the round, the task's picture and its words,
    // whether the score is shown (the next press starts a new round), and
    // the seed of the next round where one is asked for.
    std::optional<practice::Round> round;
    std::unique_ptr<WebCanvas> taskPicture;
    std::string taskDescription;
    bool scored = false;
    std::optional<std::uint64_t> nextSeed;
    bool cardsOpened = false;  // the cards' box was made: it keeps its numbers

    Page(double width, double height, double devicePixelRatio) : dpr(devicePixelRatio), viewportWidth(width) {
        std::vector<view::CommandItem> pictureItems(view::kPictureMenu.begin(), view::kPictureMenu.end());
        pictureItems.insert(pictureItems.end(), view::kClassMenu.begin(), view::kClassMenu.end());
        defineCommands(kPictureMenu, pictureItems);
        defineCommands(kSheetMenu, view::kSheetButtons);
        offerCommands();

        const view::PageForm placed = view::placeForm(width, height, dpr, textMetrics());
        web::setForm(formPlacement(placed));
        for (const view::PlacedControl& p : placed.controls) {
            const layout::ControlRow& c = *p.row;
            const bool output = std::string_view(c.name) == layout::kOutputField;
            Json control = placement(p);
            control.add("kind", kindName(c.kind))
                .add("text", c.text)
                .add("fore", colourOf(c.fore))
                .add("back", colourOf(c.back))
                .add("tabIndex", c.tabIndex)
                .add("accessibleName", nameIn(layout::kAccessibleNames, c.name))
                .add("output", output)
                .add("numeric", c.kind == layout::Kind::TextBox && !output)
                .add("limit", layout::kFieldLimit);
            if (c.kind == layout::Kind::TextBox) fields[c.name] = std::make_unique<WebField>(c.name);
            if (output) {
                formulaFont = cssFont(c.font);
                formulaInk = c.fore;
            }
            if (c.kind == layout::Kind::Picture) {
                // The canvases keep the logical pixels and places of the form
                // at scale 1: the picture copied, saved and printed is the
                // window's, whatever the screen.
                const int border = layout::kCanvasBorder;
                const bool graph = std::string_view(c.name) == "Picture1";
                const layout::PixelSize area = layout::canvasArea(c.name);
                CanvasLook& look = graph ? look1 : look2;
                look = {area.width, area.height, layout::classicColour(c.fore), layout::classicColour(c.back),
                        cssFont(c.font)};
                (graph ? box1 : box2) = {double(layout::px(c.left) + border), double(layout::px(c.top) + border),
                                         double(area.width), double(area.height)};
                auto& canvas = graph ? picture1 : picture2;
                canvas = std::make_unique<WebCanvas>(c.name, look.width, look.height, p.ratio, look.fore, look.back,
                                                     look.font);
                control.add("border", border).add("menu", kPictureMenu).add("menuButton", nameIn(view::kMenuButtons, c.name));
            }
            web::addControl(control);
        }
        form.emplace(formOver([this](const char* name) -> TextField& { return *fields.at(name); }, list, *picture1,
                              *picture2, formBoxes, [] { page_end_program(); }));
        // A box opened in the middle of a press shows over the drawing as it
        // is at that moment.
        dialogs.setBeforeModal([this] { present(); });
    }

    // The form placed for a viewport of `width` x `height` at
    // `devicePixelRatio`; a canvas whose device pixels changed is drawn
    // again: the graphs from the inputs of the plot that drew them, the
    // legend from its texts.
    void layOut(double width, double height, double devicePixelRatio) {
        dpr = devicePixelRatio;
        viewportWidth = width;
        const view::PageForm placed = view::placeForm(width, height, dpr, textMetrics());
        web::setForm(formPlacement(placed));
        for (const view::PlacedControl& p : placed.controls) {
            web::placeControl(placement(p));
            if (p.row->kind != layout::Kind::Picture) continue;
            WebCanvas& canvas = std::string_view(p.row->name) == "Picture1" ? *picture1 : *picture2;
            if (canvas.ratio() == p.ratio) continue;
            if (&canvas == picture1.get()) {
                canvas.resize(p.ratio);
                if (lastPlot.inputs()) {
                    if (GraphPoints(*lastPlot.inputs()) > kLongPlot) web::showBusy();
                    redrawGraphs(*lastPlot.inputs(), canvas);
                }
            } else {
                const std::vector<PrintedText> prints = canvas.geometry().prints();
                canvas.resize(p.ratio);
                redrawLegend(prints, canvas);
            }
        }
        present();
    }

    // The menu's items as the last plot allows them.
    void offerCommands() {
        for (const view::Command c : {view::Command::Steps, view::Command::Link, view::Command::Motion}) {
            web::setMenuEnabled(kPictureMenu, view::commandName(c), view::offers(c, lastPlot));
        }
    }

    // Both pictures as they stand, Picture1 with its description.
    void present() {
        picture1->present(form->state.Spoken.picture1);
        picture2->present();
    }

    // A handler behind the event boundary; then what it drew is shown and
    // what it announces is said.
    void handle(void (*handler)(Form&)) {
        stopMotion();
        const bool plot = handler == Command1_Click;
        if (plot) {
            if (GraphPoints(form->state) > kLongPlot) web::showBusy();
            lastPlot.pressStarts(form->state, picture1->geometry().clears());
        }
        runHandler(*form, handler);
        if (plot) {
            lastPlot.pressEnded(picture1->geometry().clears());
            offerCommands();
        }
        present();
        const std::string& said = form->state.Spoken.announcement;
        if (!said.empty()) web::announce(said);
    }

    // Both canvases drawn anew at `ratio` times their logical pixels into
    // canvases "Paper1" and "Paper2": the graphs from the inputs of the plot
    // that drew them, the legend from its texts.
    void redraw(double ratio) {
        const CanvasLook* looks[] = {&look1, &look2};
        for (int i = 0; i < 2; ++i) {
            const CanvasLook& look = *looks[i];
            const std::string id = "Paper" + std::to_string(i + 1);
            WebCanvas paper(id, look.width, look.height, ratio, look.fore, look.back, look.font);
            web::offscreenCanvas(id, paper.deviceWidth(), paper.deviceHeight());
            if (i == 0 && lastPlot.inputs()) redrawGraphs(*lastPlot.inputs(), paper);
            if (i == 1) redrawLegend(picture2->geometry().prints(), paper);
            paper.present();
        }
    }

    // The window's picture (views/picture.h) composed on the canvas
    // "Picture" at `ratio` times its logical pixels (0: the screen's pixel
    // ratio): the canvases as the screen has them where they are at that
    // ratio, else drawn anew at it.
    std::string composePicture(double ratio) {
        const std::string line = view::formulaLine(fields.at(layout::kOutputField)->text());
        const view::PictureLayout layout =
            view::pictureLayout(box1, box2, line, line.empty() ? 0.0 : web::textWidth(line, formulaFont),
                                web::fontHeight(formulaFont));
        std::string graph = "Picture1", legend = "Picture2";
        const double r = ratio > 0 ? ratio : dpr;
        if (picture1->ratio() != r || picture2->ratio() != r) {
            redraw(r);
            graph = "Paper1";
            legend = "Paper2";
        }
        const std::string id = "Picture";
        web::compose(id, static_cast<int>(std::lround(layout.width * r)), static_cast<int>(std::lround(layout.height * r)),
                     cssColour(view::kPaper));
        if (layout.hasFormula) {
            web::composeText(id, line, web::deviceFont(formulaFont, r), colourOf(formulaInk), layout.formula.x * r,
                             (layout.formula.y + web::fontAscent(formulaFont)) * r);
        }
        web::composeImage(id, graph, std::lround(layout.graph.x * r), std::lround(layout.graph.y * r));
        web::composeImage(id, legend, std::lround(layout.legend.x * r), std::lround(layout.legend.y * r));
        return id;
    }

    // The step sheet as one picture (views/sheet.h) on the canvas "Sheet".
    std::string composeSheet() {
        const view::SheetLook& look = view::kSheetLook;
        const view::TextMetrics metrics{
            [](const std::string& text, const layout::FontStyle& font) { return web::textWidth(text, cssFont(font)); },
            [](const layout::FontStyle& font) { return web::fontHeight(cssFont(font)); }};
        const view::SheetPicture picture = view::sheetPicture(*sheet, notes, metrics, look);
        const std::string id = "Sheet";
        const double r = dpr;
        const std::string graphs = sheetGraphsAt(r);
        web::compose(id, static_cast<int>(std::lround(picture.width * r)),
                     static_cast<int>(std::lround(picture.height * r)), cssColour(look.paper));
        for (const view::PlacedLine& line : picture.lines) {
            const std::string font = cssFont(line.font);
            web::composeText(id, line.text, web::deviceFont(font, r), cssColour(line.ink), line.x * r,
                             (line.y + web::fontAscent(font)) * r);
        }
        for (const view::PlacedGraph& graph : picture.graphs) {
            const double x = std::lround(graph.x * r), y = std::lround(graph.y * r);
            web::composeRect(id, x, y, std::lround(look.cellWidth() * r),
                             std::lround((look.graph.height + 2 * look.graphEdge) * r), cssColour(look.edgeInk));
            web::composeImage(id, graphs + std::to_string(graph.cell), x + std::lround(look.graphEdge * r),
                              y + std::lround(look.graphEdge * r));
        }
        return id;
    }

    // The prefix of the step graphs' canvases at `ratio`: the panel's where
    // they are at it, else drawn anew ("StepPaperN"), a fault ending a curve
    // as it did in the panel.
    std::string sheetGraphsAt(double ratio) {
        if (stepGraphs.empty() || stepGraphs.front()->ratio() == ratio) return "Step";
        const view::SheetLook& look = view::kSheetLook;
        std::vector<std::unique_ptr<WebCanvas>> papers;
        std::vector<Canvas*> canvases;
        for (std::size_t i = 0; i < stepGraphs.size(); ++i) {
            const std::string id = "StepPaper" + std::to_string(i);
            papers.push_back(std::make_unique<WebCanvas>(id, look.graph.width, look.graph.height, ratio,
                                                         layout::kStepGraphFore, layout::kStepGraphBack,
                                                         cssFont(layout::kStepGraphFont)));
            web::offscreenCanvas(id, papers.back()->deviceWidth(), papers.back()->deviceHeight());
            canvases.push_back(papers.back().get());
        }
        std::vector<std::string> unused;
        try {
            DrawStepGraphs(*chain, canvases, unused);
        } catch (const RuntimeFault&) {
        }
        for (const auto& paper : papers) paper->present();
        return "StepPaper";
    }

    // The plot's link on the clipboard: this page's address with the plot's
    // fragment; where the browser does not let it there, shown to be copied.
    void copyLink() {
        if (!lastPlot.inputs()) return;
        const std::string link = web::pageAddress() + "#" + view::linkFragment(*lastPlot.inputs());
        if (web::copyText(link)) {
            web::announce(view::kLinkCopied);
        } else {
            dialogs.message(view::linkNotCopied(link));
        }
    }

    // A plot's link opened: what a pupil would type and press.
    void openLink(std::string_view fragment) {
        const view::LinkPlot link = view::readLink(fragment);
        for (std::size_t i = 0; i < view::kLinkFields.size(); ++i) {
            if (link.fields[i]) fields.at(view::kLinkFields[i].field)->setText(*link.fields[i]);
        }
        if (link.function) {
            listText.setText(*link.function);
            handle(Combo1_Click);
        }
        formBoxes.answerNextInput(link.base);
        handle(ВЫБОР_Click);
        formBoxes.answerNextInput(std::nullopt);
        handle(Command1_Click);
    }

    // Copy, save or print of the window's picture or of the step sheet.
    void output(view::Command command, bool ofSheet) {
        if (ofSheet && !sheet) return;
        const view::OutputKind& kind = ofSheet ? view::kSheetOutput : view::kPictureOutput;
        double ratio = 0;
        if (kind.drawnAnew && command == view::Command::Save) {
            std::vector<std::string> labels;
            for (const view::SaveSize& size : view::kSaveSizes) labels.push_back(size.label);
            const std::optional<std::size_t> chosen = dialogs.choose(view::kSaveTitle, labels);
            if (!chosen) return;
            ratio = view::kSaveSizes[*chosen].ratio == 1.0 ? 0.0 : view::kSaveSizes[*chosen].ratio;
        }
        if (kind.drawnAnew && command == view::Command::Print) ratio = view::kPrintRatio;
        const std::string id = ofSheet ? composeSheet() : composePicture(ratio);
        bool made = true;
        switch (command) {
        case view::Command::Copy:
            switch (web::copyImage(id)) {
            case web::CopyResult::Done: break;
            case web::CopyResult::Refused: dialogs.message(view::kCopyRefused); break;
            case web::CopyResult::Unmade: made = false; break;
            }
            break;
        case view::Command::Save: made = web::download(id, kind.fileName); break;
        case view::Command::Print: made = web::printImage(id, kind.docName); break;
        case view::Command::Steps:
        case view::Command::Link:
        case view::Command::Practice:
        case view::Command::Cards:
        case view::Command::Motion:
        case view::Command::Close: break;
        }
        if (!made) dialogs.message(view::pictureNotMade(command));
    }

    // The step sheet of the plot drawn last, in the panel, its graphs drawn
    // into the panel's canvases; a fault met on the way is told over it
    // once every graph is drawn.
    void showSteps() {
        const FormState* plotted = ExplainedPlot(lastPlot);
        if (!plotted) return;
        web::showBusy();
        chain = ComposeSteps(*plotted);
        sheet = view::describeSheet(*chain);
        const view::SheetLook& look = view::kSheetLook;
        // The graphs as wide as the screen lets them be, at its device pixels.
        const view::CanvasPixels pixels = view::canvasPixels(
            look.graph.width, look.graph.height, view::stepGraphWidth(viewportWidth, look), dpr);
        const double graphWidth = pixels.deviceWidth / dpr, graphHeight = pixels.deviceHeight / dpr;
        stepGraphs.clear();
        notes.clear();
        std::vector<Json> cells;
        for (const view::SheetCell& cell : sheet->cells) {
            const std::string id = "Step" + std::to_string(stepGraphs.size());
            stepGraphs.push_back(std::make_unique<WebCanvas>(id, look.graph.width, look.graph.height, pixels.ratio,
                                                             layout::kStepGraphFore, layout::kStepGraphBack,
                                                             cssFont(layout::kStepGraphFont)));
            cells.push_back(Json()
                                .add("name", id)
                                .add("heading", cell.heading)
                                .add("formula", cell.formula)
                                .add("sentence", cell.sentence)
                                .add("spokenName", cell.spokenName)
                                .add("width", graphWidth)
                                .add("height", graphHeight)
                                .add("deviceWidth", stepGraphs.back()->deviceWidth())
                                .add("deviceHeight", stepGraphs.back()->deviceHeight()));
        }
        std::vector<Json> buttons;
        const char* closeText = "";
        for (const view::CommandItem& item : view::kSheetButtons) {
            buttons.push_back(Json()
                                  .add("command", view::commandName(item.command))
                                  .add("text", item.text)
                                  .add("keyLabel", keyLabel(item.key)));
            if (item.command == view::Command::Close) closeText = item.text;
        }
        web::openPanel(Json()
                           .add("menu", kSheetMenu)
                           .add("heading", kStepSheetTitle)
                           .add("closeLabel", closeText)
                           .add("title", sheet->title)
                           .add("cells", cells)
                           .add("key", sheet->key)
                           .add("leftOut", sheet->leftOut)
                           .add("look", lookJson(look, graphWidth + 2 * look.graphEdge))
                           .add("buttons", buttons));

        std::vector<Canvas*> canvases;
        for (const auto& graph : stepGraphs) canvases.push_back(graph.get());
        stepDialogs.setBeforeModal([&] { presentSteps(); });
        runGuarded(stepDialogs, [&] { DrawStepGraphs(*chain, canvases, notes); });
        stepDialogs.setBeforeModal({});
        presentSteps();
    }

    void presentSteps() {
        for (std::size_t i = 0; i < stepGraphs.size(); ++i) {
            stepGraphs[i]->present();
            web::setPanelNote(static_cast<int>(i), i < notes.size() ? notes[i] : std::string());
        }
    }

    // ---- practice ----

    static std::string partId(const char* name) { return std::string("practice-") + name; }
    static std::vector<std::string> levelNames() {
        std::vector<std::string> names;
        for (const view::LevelChoice& choice : view::kLevels) names.push_back(choice.name);
        return names;
    }
    static std::string jsonList(const std::vector<std::string>& texts) {
        std::string list = "[";
        for (const std::string& text : texts) list += (list.size() > 1 ? "," : "") + web::jsonText(text);
        return list + "]";
    }
    static Json text(const std::string& name, const std::string& font = {}) {
        Json part;
        part.add("kind", "text").add("name", name);
        if (!font.empty()) part.add("font", font);
        return part;
    }
    static Json select(const std::string& name, const char* label, const std::string& action) {
        return Json()
            .add("kind", "select")
            .add("name", name)
            .add("label", label)
            .addJson("options", jsonList(levelNames()))
            .add("action", action);
    }
    using ButtonItem = std::pair<const char*, const char*>;  // command, text
    static Json buttonsPart(std::initializer_list<ButtonItem> items) {
        std::vector<Json> buttons;
        for (const auto& [command, label] : items) buttons.push_back(Json().add("command", command).add("text", label));
        return Json().add("kind", "buttons").add("items", buttons);
    }
    // A panel of parts of the dialog `id`, Enter in its fields the command `enter`.
    static void openParts(const char* id, const char* heading, const char* menu, const char* enter,
                          const std::vector<Json>& parts) {
        web::openPartsPanel(Json()
                                .add("id", id)
                                .add("heading", heading)
                                .add("closeLabel", view::kCardsClose)
                                .add("menu", menu)
                                .add("enter", enter)
                                .add("parts", parts));
    }
    // The level chosen in the list `name`.
    static practice::Level levelChosen(const std::string& name) {
        const std::string chosen = WebField(name).text();
        const std::size_t at = chosen.empty() ? 0 : std::size_t(chosen[0] - '0');
        return view::kLevels[std::min(at, view::kLevels.size() - 1)].level;
    }
    static void setText(const std::string& name, const std::string& text) {
        web::setPart(Json().add("name", name).add("text", text));
    }

    // The practice panel over the form: the round left open, as it was
    // left; else a new round.
    void openPractice() {
        if (round) {
            web::showPartsPanel("practice");
            return;
        }
        const std::string bold = cssFont({"Arial", 12, true, false});
        std::vector<Json> fields;
        fields.push_back(Json().add("kind", "text").add("name", partId("prompt")));
        for (const char* name : practice::kFieldNames) {
            fields.push_back(Json()
                                 .add("kind", "field")
                                 .add("name", partId(name))
                                 .add("label", std::string(name) + " =")
                                 .add("accessibleName", name)
                                 .add("limit", layout::kFieldLimit));
        }
        // The picture as wide as the screen lets it be, at its device pixels.
        const practice::PictureSize size = practice::pictureSize();
        const int border = layout::kCanvasBorder;
        const double room = std::clamp(std::floor(viewportWidth * 0.98) - 2 - 32 - 2 * border, 120.0, double(size.width));
        const view::CanvasPixels pixels = view::canvasPixels(size.width, size.height, room, dpr);
        const layout::ControlRow& row = layout::controlNamed("Picture1");
        taskPicture = std::make_unique<WebCanvas>(partId("picture"), size.width, size.height, pixels.ratio,
                                                  layout::classicColour(row.fore), layout::classicColour(row.back),
                                                  cssFont(row.font));
        const std::vector<Json> top{text(partId("heading"), bold), select(partId("level"), view::kLevelLabel, "level")};
        const std::vector<Json> parts{
            Json().add("kind", "row").add("parts", top),
            text(partId("base")),
            Json()
                .add("kind", "canvas")
                .add("name", partId("picture"))
                .add("width", pixels.deviceWidth / dpr)
                .add("height", pixels.deviceHeight / dpr)
                .add("deviceWidth", pixels.deviceWidth)
                .add("deviceHeight", pixels.deviceHeight)
                .add("border", border)
                .add("spokenName", view::kPracticePictureName),
            Json().add("kind", "row").add("parts", fields),
            buttonsPart({{"check", view::kCheckButton}, {"solution", view::kSolutionButton}, {"next", view::kNextButton}}),
            text(partId("verdict"), bold),
            text(partId("differs")),
            text(partId("steps")),
        };
        openParts("practice", view::kPracticeTitle, kPracticeMenu, "check", parts);
        setText(partId("prompt"), view::kAnswerPrompt);
        newRound();
    }

    void newRound() {
        round.emplace(nextSeed ? *nextSeed : std::random_device{}(), levelChosen(partId("level")));
        nextSeed.reset();
        scored = false;
        setText(partId("next"), view::kNextButton);
        showTask();
    }

    void drawTask(const std::optional<practice::Transform>& answer) {
        practice::drawTask(round->task(), *taskPicture, answer);
        taskPicture->present(taskDescription);
    }

    // The task shown afresh: its heading, base function, picture; the fields cleared.
    void showTask() {
        const practice::Task& task = round->task();
        setText(partId("heading"), practice::taskHeading(task));
        setText(partId("base"), practice::baseFunctionLine(task));
        taskDescription = practice::describeTask(task);
        drawTask(std::nullopt);
        for (const char* name : practice::kFieldNames) web::setPart(Json().add("name", partId(name)).add("value", ""));
        for (const char* name : {"verdict", "differs", "steps"}) setText(partId(name), "");
        for (const char* name : {"check", "solution"}) web::setPart(Json().add("name", partId(name)).add("disabled", false));
        web::setPart(Json().add("name", partId(practice::kFieldNames[0])).add("focus", true));
    }

    void checkAnswer() {
        if (scored) return;
        std::array<std::string, 4> typed;
        for (std::size_t i = 0; i < typed.size(); ++i) typed[i] = WebField(partId(practice::kFieldNames[i])).text();
        const practice::Verdict verdict = round->answer(typed);
        setText(partId("verdict"), verdict.line);
        setText(partId("differs"), verdict.sentence);
        if (verdict.judged) drawTask(verdict.right ? std::nullopt : verdict.answer);
        web::announce(verdict.line + (verdict.sentence.empty() ? "" : " " + verdict.sentence));
    }

    void showSolution() {
        if (scored) return;
        const std::vector<std::string> lines = view::solutionLines(round->showSolution());
        std::string shown;
        for (const std::string& line : lines) shown += (shown.empty() ? "" : "\n") + line;
        setText(partId("steps"), shown);
        web::announce(lines.front());
    }

    void nextTask() {
        if (scored) return newRound();
        if (round->next()) return showTask();
        // The round is over: the score, and a new round on the same button.
        scored = true;
        setText(partId("verdict"), round->score());
        for (const char* name : {"differs", "steps"}) setText(partId(name), "");
        for (const char* name : {"check", "solution"}) web::setPart(Json().add("name", partId(name)).add("disabled", true));
        setText(partId("next"), view::kNewRoundButton);
        web::setPart(Json().add("name", partId("next")).add("focus", true));
        web::announce(round->score());
    }

    // ---- cards for a class ----

    // The cards' box over the form, with the numbers last asked for.
    void openCards() {
        if (cardsOpened) {
            web::showPartsPanel("cards");
            return;
        }
        cardsOpened = true;
        const auto number = [](const char* name, const char* label, int value) {
            return Json().add("kind", "number").add("name", name).add("label", label).add("value", value).add("limit", 3);
        };
        const std::vector<Json> fields{number("cards-variants", view::kVariantsLabel, view::kDefaultVariants),
                                       number("cards-set", view::kSetNumberLabel, 1),
                                       select("cards-level", view::kLevelLabel, "")};
        std::vector<Json> column;
        for (const Json& field : fields) column.push_back(Json().add("kind", "row").add("parts", std::vector<Json>{field}));
        column.push_back(
            buttonsPart({{"save", view::kCardsSave}, {"print", view::kCardsPrint}, {"close", view::kCardsClose}}));
        openParts("cards", view::kCardsTitle, kCardsMenu, "save", column);
        web::setPart(Json().add("name", "cards-variants").add("focus", true));
    }

    // A whole number of the cards' box, brought within [low, high] and shown
    // so; nothing, after saying so, where the field holds none.
    std::optional<int> wholeNumber(const char* name, const char* label, int low, int high) {
        std::string typed = WebField(name).text();
        const std::size_t first = typed.find_first_not_of(' '), last = typed.find_last_not_of(' ');
        typed = first == std::string::npos ? std::string() : typed.substr(first, last - first + 1);
        long value = 0;
        const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), value);
        if (typed.empty() || error == std::errc::invalid_argument || end != typed.data() + typed.size()) {
            dialogs.message(view::notAWholeNumber(label));
            web::setPart(Json().add("name", name).add("focus", true));
            return std::nullopt;
        }
        const int within = error == std::errc::result_out_of_range ? (typed[0] == '-' ? low : high)
                                                                    : int(std::clamp<long>(value, low, high));
        web::setPart(Json().add("name", name).add("value", std::to_string(within)));
        return within;
    }

    // The cards the box asks for, saved as a PDF or printed: each page
    // drawn at kCardsPageRatio from the pages' layout (views/practice.h).
    void outputCards(view::Command command) {
        const std::optional<int> variants =
            wholeNumber("cards-variants", view::kVariantsLabel, 1, practice::kMostVariants);
        if (!variants) return;
        const std::optional<int> setNumber =
            wholeNumber("cards-set", view::kSetNumberLabel, 1, practice::kMostSetNumber);
        if (!setNumber) return;
        web::showBusy();
        const practice::CardSet set = practice::makeCards(*variants, *setNumber, levelChosen("cards-level"));
        const view::CardsPage& page = view::kCardsPage;
        const double r = view::kCardsPageRatio, unit = r / view::kMmPerPixel;  // device pixels to a mm
        const std::string id = "CardsPage", graphId = "CardGraph";
        const std::string frameInk = cssColour(page.frame);
        const double frameWidth = std::max(1.0, std::round(page.frameWidth * unit));
        web::pagesBegin();
        bool made = true;
        for (const view::CardsSheet& sheet : view::cardsSheets(set, textMetrics())) {
            web::compose(id, int(std::lround(page.width * unit)), int(std::lround(page.height * unit)), "#ffffff");
            for (const view::CardsBox& f : sheet.frames) {
                const double x = std::round(f.x * unit), y = std::round(f.y * unit);
                const double w = std::round(f.width * unit), h = std::round(f.height * unit);
                web::composeRect(id, x, y, w, frameWidth, frameInk);
                web::composeRect(id, x, y + h - frameWidth, w, frameWidth, frameInk);
                web::composeRect(id, x, y, frameWidth, h, frameInk);
                web::composeRect(id, x + w - frameWidth, y, frameWidth, h, frameInk);
            }
            for (const view::CardsLine& line : sheet.lines) {
                web::composeText(id, line.text, cssFont(line.font, r), "#000000", line.x * unit,
                                 (line.y / view::kMmPerPixel + web::fontAscent(cssFont(line.font))) * r);
            }
            for (const view::CardsGraph& graph : sheet.graphs) {
                const layout::PixelSize logical = layout::kStepGraph;
                WebCanvas canvas(graphId, logical.width, logical.height, graph.box.width * unit / logical.width,
                                 layout::kStepGraphFore, layout::kStepGraphBack, cssFont(layout::kStepGraphFont));
                web::offscreenCanvas(graphId, canvas.deviceWidth(), canvas.deviceHeight());
                canvas.clear();
                practice::drawCard(set.cards[graph.card], canvas);
                canvas.present();
                web::composeImage(id, graphId, std::lround(graph.box.x * unit), std::lround(graph.box.y * unit));
            }
            if (!web::pagesAdd(id)) {
                made = false;
                break;
            }
        }
        if (made) {
            made = command == view::Command::Save
                       ? web::pagesSave(view::kCardsFileName, page.width, page.height, view::kCardsTitle)
                       : web::pagesPrint(view::kCardsTitle);
        }
        if (!made) dialogs.message(view::kCardsNotMade);
    }

    // A command of a menu, a key or the sheet's buttons: "MENU:COMMAND".
    void command(std::string_view menu, std::string_view name) {
        for (const view::Command c : {view::Command::Copy, view::Command::Save, view::Command::Print}) {
            if ((menu == kPictureMenu || menu == kSheetMenu) && name == view::commandName(c)) output(c, menu == kSheetMenu);
        }
        if (menu == kPictureMenu && name == view::commandName(view::Command::Steps) &&
            view::offers(view::Command::Steps, lastPlot)) {
            showSteps();
        }
        if (menu == kPictureMenu && name == view::commandName(view::Command::Link) &&
            view::offers(view::Command::Link, lastPlot)) {
            copyLink();
        }
        if (menu == kPictureMenu && name == view::commandName(view::Command::Motion) &&
            view::offers(view::Command::Motion, lastPlot)) {
            playMotion(*ExplainedPlot(lastPlot), *picture1, [this] { return form->state.Spoken.picture1; });
        }
        if (menu == kPictureMenu && name == view::commandName(view::Command::Practice)) openPractice();
        if (menu == kPictureMenu && name == view::commandName(view::Command::Cards)) openCards();
        if (menu == kPracticeMenu && round) {
            if (name == "check") checkAnswer();
            if (name == "solution") showSolution();
            if (name == "next") nextTask();
            if (name == "level") newRound();
        }
        if (menu == kCardsMenu && name == "save") outputCards(view::Command::Save);
        if (menu == kCardsMenu && name == "print") outputCards(view::Command::Print);
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

EMSCRIPTEN_KEEPALIVE void viramont_layout(double viewportWidth, double viewportHeight, double dpr) {
    if (viramont::page) viramont::page->layOut(viewportWidth, viewportHeight, dpr);
}

EMSCRIPTEN_KEEPALIVE void viramont_open_link(const char* fragment) {
    if (viramont::page) viramont::page->openLink(fragment);
}

EMSCRIPTEN_KEEPALIVE void viramont_press(const char* action) {
    using namespace viramont;
    if (!page) return;
    const std::string_view name(action);
    if (name == "ВЫБОР") {
        page->handle(ВЫБОР_Click);
    } else if (name == "Command1") {
        page->handle(Command1_Click);
    } else if (name == "Command3") {
        page->handle(Command3_Click);
    } else if (name == "Combo1") {
        page->handle(Combo1_Click);
    } else if (const std::size_t colon = name.find(':'); colon != std::string_view::npos) {
        page->command(name.substr(0, colon), name.substr(colon + 1));
    }
}

// For the page's tests: the seed of the next round of practice.
EMSCRIPTEN_KEEPALIVE void viramont_practice_seed(double seed) {
    if (viramont::page) viramont::page->nextSeed = static_cast<std::uint64_t>(seed);
}

// For the page's tests: the window's picture composed as save makes it, at
// the screen's pixels (0) or drawn anew at `ratio`; the toolkit's canvas
// that holds it.
EMSCRIPTEN_KEEPALIVE const char* viramont_picture(double ratio) {
    static std::string id;
    id = viramont::page ? viramont::page->composePicture(ratio) : std::string();
    return id.c_str();
}

} // extern "C"
