// Viramont in a browser: the same form, handlers and plot as the window
// (app/window/), over the page's elements. The page (page.js) builds an
// element for every control this start-up names, then passes the events
// here:
//
//   viramont_start   once, with the viewport, the pixel ratio and the
//                    browser's decimal separator: lays out the form and
//                    runs Form_Load
//   viramont_press   a button pressed or an entry picked: "ВЫБОР",
//                    "Command1", "Command3" or "Combo1"
//   viramont_formula_line  the formula line of a copied picture
//
// After each handler the page gets the pictures, what Picture1 shows in
// words, and what the handler announces, for screen readers.
// Handlers run inside the event boundary as on the desktop; a handler that
// opens a box waits for its answer (the page's boxes are asynchronous, the
// wait is Emscripten's Asyncify), and the page takes no other input
// meanwhile.

#include "app/form/form.h"
#include "app/form/layout.h"
#include "params/intake.h"
#include "plot/plot.h"
#include "toolkit/number_text.h"
#include "toolkit/web/web_canvas.h"
#include "toolkit/web/web_controls.h"

#include <emscripten.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

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

struct Page {
    std::map<std::string, std::unique_ptr<WebField>> fields;
    WebList list{"Combo1"};
    WebDialogs dialogs{layout::kTitle};
    std::unique_ptr<WebCanvas> picture1, picture2;
    std::optional<Form> form;

    Page(double viewportWidth, double viewportHeight, double dpr) {
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
                (std::string_view(c.name) == "Picture1" ? picture1 : picture2) = std::make_unique<WebCanvas>(
                    c.name, width - 2 * border, height - 2 * border, dpr, pageColour(c.fore), pageColour(c.back),
                    font);
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
        runHandler(*form, handler);
        present();
        const std::string& said = form->state.Spoken.announcement;
        if (!said.empty()) page_announce(said.c_str());
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
    if (name == "ВЫБОР") page->handle(ВЫБОР_Click);
    else if (name == "Command1") page->handle(Command1_Click);
    else if (name == "Command3") page->handle(Command3_Click);
    else if (name == "Combo1") page->handle(Combo1_Click);
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
