#include "page/page_look.h"

#include "toolkit/web/web_canvas.h"
#include "toolkit/web/web_page.h"
#include "views/outputs.h"

#include <string_view>
#include <vector>

namespace viramont::page {

using web::Json;

std::string colourOf(Colour colour) { return cssColour(layout::classicColour(colour)); }

std::string cssFont(const layout::FontStyle& f, double scale) {
    std::string font = f.italic ? "italic " : "";
    font += f.bold ? "bold " : "";
    font += std::to_string(layout::fontPixels(f.points, scale)) + "px \"" + layout::familyOf(f.face) + "\", \"" +
            layout::kFallbackFamily + "\", sans-serif";
    return font;
}

std::unique_ptr<WebCanvas> webCanvas(const std::string& id, layout::PixelSize size, double ratio,
                                     const layout::CanvasLook& look) {
    return std::make_unique<WebCanvas>(id, size.width, size.height, ratio, layout::classicColour(look.fore),
                                       layout::classicColour(look.back), cssFont(look.font));
}

const view::TextMetrics& textMetrics() {
    static const view::TextMetrics metrics{
        [](const std::string& text, const layout::FontStyle& font) { return web::textWidth(text, cssFont(font)); },
        [](const layout::FontStyle& font) { return web::fontHeight(cssFont(font)); }};
    return metrics;
}

namespace {

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

std::string keyCode(char key) { return std::string("Key") + key; }

} // namespace

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

Json controlDescription(const view::PlacedControl& p) {
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
    if (c.kind == layout::Kind::Picture) {
        control.add("border", layout::kCanvasBorder)
            .add("menu", kPictureMenu)
            .add("menuButton", nameIn(view::kMenuButtons, c.name));
    }
    return control;
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

std::string keyLabel(char key) { return key ? std::string("Ctrl+") + key : std::string(); }

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

Json sheetLook(const view::SheetLook& look, double cellWidth) {
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

} // namespace viramont::page
