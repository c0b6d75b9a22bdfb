// Viramont in a browser: the same form, handlers, plot, pictures, step
// sheet and menu as the window (window/), drawn by the web toolkit
// (toolkit/web/) from the layout (form/layout.h) and the views' descriptions
// (views/). The page's script (page.js) starts the program and passes each
// action on in its turn (the state and what each action does: page.h):
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

#include "page/page.h"

#include "page/page_look.h"
#include "page/page_motion.h"
#include "page/page_state.h"
#include "params/intake.h"
#include "plot/plot.h"
#include "toolkit/number_text.h"
#include "toolkit/web/web_page.h"
#include "views/cards_panel.h"
#include "views/page_form.h"
#include "views/practice.h"

#include <emscripten.h>

#include <cstdint>
#include <random>

EM_JS(void, page_end_program, (), { viramontPage.endProgram(); });

namespace viramont::page {

namespace {

using web::Json;

// A plot of more points than this shows the wait cursor first: some tens of
// milliseconds.
constexpr double kLongPlot = 4e5;

std::uint64_t randomSeed() { return std::random_device{}(); }

} // namespace

Page::Page(double width, double height, double devicePixelRatio)
    : dpr(devicePixelRatio), viewportWidth(width), practice(randomSeed),
      practicePanel(view::practicePanel(), dialogs), cardsPanel(view::cardsPanel(), dialogs) {
    std::vector<view::CommandItem> pictureItems(view::kPictureMenu.begin(), view::kPictureMenu.end());
    pictureItems.insert(pictureItems.end(), view::kClassMenu.begin(), view::kClassMenu.end());
    defineCommands(kPictureMenu, pictureItems);
    defineCommands(kSheetMenu, view::kSheetButtons);
    offerCommands();
    practicePanel.drawWith([this](Canvas& canvas) { practice.drawPicture(canvas); });

    const view::PageForm placed = view::placeForm(width, height, dpr, textMetrics());
    web::setForm(formPlacement(placed));
    for (const view::PlacedControl& p : placed.controls) {
        const layout::ControlRow& c = *p.row;
        if (c.kind == layout::Kind::TextBox) fields[c.name] = std::make_unique<WebField>(c.name);
        if (std::string_view(c.name) == layout::kOutputField) {
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
            (graph ? picture1 : picture2) = webCanvas(c.name, area, p.ratio, layout::canvasLook(c.name));
        }
        web::addControl(controlDescription(p));
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
void Page::layOut(double width, double height, double devicePixelRatio) {
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
void Page::offerCommands() { view::offerPictureMenu(lastPlot, offerItem); }
void Page::offerItem(view::Command command, bool offered) {
    web::setMenuEnabled(kPictureMenu, view::commandName(command), offered);
}

// Both pictures as they stand, Picture1 with its description.
void Page::present() {
    picture1->present(form->state.Spoken.picture1);
    picture2->present();
}

// A handler behind the event boundary; then what it drew is shown and
// what it announces is said.
void Page::handle(void (*handler)(Form&)) {
    stopMotion();
    if (handler == Command1_Click) {
        if (GraphPoints(form->state) > kLongPlot) web::showBusy();
        view::pressPlot(lastPlot, form->state, picture1->geometry(), [&] { runHandler(*form, handler); }, offerItem);
        if (const std::optional<FormState>& inputs = lastPlot.inputs()) {
            walk1.showPicture([inputs = *inputs, words = form->state.Spoken.picture1] {
                return view::plotPicture(inputs, words);
            });
        }
    } else {
        runHandler(*form, handler);
    }
    present();
    const std::string& said = form->state.Spoken.announcement;
    if (!said.empty()) web::announce(said);
}

// A plot's link opened: what a pupil would type and press.
void Page::openLink(std::string_view fragment) {
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

// The practice panel over the form: the round left open, as it was left;
// else a new round.
void Page::openPractice() {
    if (practicePanel.open(viewportWidth, dpr)) showPractice(practice.start(practicePanel.values()));
}

// What practice changed, drawn; a new picture is walked anew.
void Page::showPractice(const view::PanelUpdate& update) {
    stopMotion();
    practicePanel.apply(update, practice.pictureWords());
    if (update.playMotion && practicePanel.picture()) {
        playMotion(std::make_unique<view::Motion>(practice.pictureState()), *practicePanel.picture(),
                   [this] { return practice.pictureWords(); });
    }
    if (update.redrawPicture) {
        practiceWalk.showPicture([task = practice.round().task()] { return view::taskPicture(task); });
    }
}

// A command of a menu, a key or a panel's buttons: "MENU:COMMAND".
void Page::command(std::string_view menu, std::string_view name) {
    const view::Command c = view::commandNamed(name);
    if (menu == practicePanel.id()) return showPractice(practice.press(c, practicePanel.values()));
    if (menu == "walk") {  // keys on a walked canvas (page_walk.h)
        for (pagewalk::CanvasWalk* walk : {&walk1, &practiceWalk}) {
            if (const auto code = pagewalk::codeFor(*walk, name)) return walk->act(*code);
        }
        return;
    }
    if (menu == cardsPanel.id()) {
        if (c == view::Command::Save || c == view::Command::Print) outputCards(c);
        return;
    }
    if (menu != kPictureMenu && menu != kSheetMenu) return;
    switch (c) {
    case view::Command::Copy:
    case view::Command::Save:
    case view::Command::Print: return output(c, menu == kSheetMenu);
    default: break;
    }
    if (c == view::Command::Motion && view::offers(c, lastPlot)) {
        return playMotion(std::make_unique<view::Motion>(*ExplainedPlot(lastPlot)), *picture1,
                          [this] { return form->state.Spoken.picture1; });
    }
    if (menu != kPictureMenu || !view::offers(c, lastPlot)) return;
    if (c == view::Command::Steps) showSteps();
    if (c == view::Command::Link) copyLink();
    if (c == view::Command::Listen) walk1.act("listen");
    if (c == view::Command::Practice) openPractice();
    if (c == view::Command::Cards) cardsPanel.open(viewportWidth, dpr);
}

namespace {
Page* page = nullptr;
} // namespace

} // namespace viramont::page

namespace viramont {
const FormState* pageState() { return page::page ? &page::page->form->state : nullptr; }
} // namespace viramont

extern "C" {

EMSCRIPTEN_KEEPALIVE void viramont_start(double viewportWidth, double viewportHeight, double dpr,
                                         const char* separator) {
    using namespace viramont;
    setDecimalSeparator(separator);
    static page::Page instance(viewportWidth, viewportHeight, dpr);
    page::page = &instance;
    page::page->handle(Form_Load);
}

EMSCRIPTEN_KEEPALIVE void viramont_layout(double viewportWidth, double viewportHeight, double dpr) {
    if (viramont::page::page) viramont::page::page->layOut(viewportWidth, viewportHeight, dpr);
}

EMSCRIPTEN_KEEPALIVE void viramont_open_link(const char* fragment) {
    if (viramont::page::page) viramont::page::page->openLink(fragment);
}

EMSCRIPTEN_KEEPALIVE void viramont_press(const char* action) {
    using namespace viramont;
    page::Page* p = page::page;
    if (!p) return;
    const std::string_view name(action);
    if (name == "ВЫБОР") {
        p->handle(ВЫБОР_Click);
    } else if (name == "Command1") {
        p->handle(Command1_Click);
    } else if (name == "Command3") {
        p->handle(Command3_Click);
    } else if (name == "Combo1") {
        p->handle(Combo1_Click);
    } else if (const std::size_t colon = name.find(':'); colon != std::string_view::npos) {
        p->command(name.substr(0, colon), name.substr(colon + 1));
    }
}

// For the page's tests: the seed of the next round of practice.
EMSCRIPTEN_KEEPALIVE void viramont_practice_seed(double seed) {
    if (viramont::page::page) viramont::page::page->practice.seedNextRound(static_cast<std::uint64_t>(seed));
}

// For the page's tests: the window's picture composed as save makes it, at
// the screen's pixels (0) or drawn anew at `ratio`; the toolkit's canvas
// that holds it.
EMSCRIPTEN_KEEPALIVE const char* viramont_picture(double ratio) {
    static std::string id;
    id = viramont::page::page ? viramont::page::page->composePicture(ratio) : std::string();
    return id.c_str();
}

} // extern "C"
