#include "page/page_panel.h"

#include "page/page_look.h"
#include "toolkit/web/web_page.h"
#include "views/page_form.h"
#include "toolkit/controls.h"

#include <algorithm>
#include <cmath>

namespace viramont::page {

using web::Json;

Json WebPanel::describe(const view::PanelPart& part, double viewportWidth, double dpr) {
    using view::PartKind;
    Json json;
    json.add("name", part.name);
    switch (part.kind) {
    case PartKind::Row: {
        std::vector<Json> parts;
        for (const view::PanelPart& inner : part.parts) parts.push_back(describe(inner, viewportWidth, dpr));
        return json.add("kind", "row").add("parts", parts);
    }
    case PartKind::Text: return json.add("kind", "text").add("bold", part.bold);
    case PartKind::Field:
        return json.add("kind", "field")
            .add("label", part.label)
            .add("accessibleName", part.accessibleName)
            .add("limit", part.limit)
            .add("chars", part.chars);
    case PartKind::Number:
        return json.add("kind", "number").add("label", part.label).add("value", part.value).add("limit", part.limit);
    case PartKind::Choice: {
        std::string options = "[";
        for (const std::string& option : part.options) options += (options.size() > 1 ? "," : "") + web::jsonText(option);
        return json.add("kind", "select")
            .add("label", part.label)
            .addJson("options", options + "]")
            .add("action", part.command == view::Command::None ? "" : view::commandName(part.command));
    }
    case PartKind::Picture: {
        // As wide as the panel's room lets it be, at the screen's device pixels.
        const int border = layout::kCanvasBorder;
        const double room = std::clamp(view::panelRoom(viewportWidth) - 2 * border, 120.0, double(part.picture.width));
        const view::CanvasPixels pixels = view::canvasPixels(part.picture.width, part.picture.height, room, dpr);
        picture_ = webCanvas(part.name, part.picture, pixels.ratio, layout::canvasLook("Picture1"));
        return json.add("kind", "canvas")
            .add("width", pixels.deviceWidth / dpr)
            .add("height", pixels.deviceHeight / dpr)
            .add("deviceWidth", pixels.deviceWidth)
            .add("deviceHeight", pixels.deviceHeight)
            .add("border", border)
            .add("spokenName", part.accessibleName);
    }
    case PartKind::Buttons: {
        std::vector<Json> buttons;
        for (const view::PanelButton& b : part.buttons) {
            buttons.push_back(
                Json()
                    .add("name", view::buttonName(panel_, b.command))
                    .add("command", view::commandName(b.command))
                    .add("text", b.text)
                    .add("atEnd", b.atEnd));
        }
        return json.add("kind", "buttons").add("items", buttons);
    }
    }
    return json;
}

bool WebPanel::open(double viewportWidth, double dpr) {
    if (made_) {
        web::showPartsPanel(panel_.id);
        return false;
    }
    made_ = true;
    std::vector<Json> parts;
    for (const view::PanelPart& part : panel_.parts) parts.push_back(describe(part, viewportWidth, dpr));
    web::openPartsPanel(Json()
                            .add("id", panel_.id)
                            .add("heading", panel_.title)
                            .add("closeLabel", kCloseCaption)
                            .add("menu", panel_.id)
                            .add("enter", view::commandName(panel_.enter))
                            .add("maxWidth", view::panelWidth(viewportWidth))
                            .add("padding", view::kPanelPadding)
                            .add("parts", parts));
    return true;
}

view::PanelValues WebPanel::values() const {
    return [](const std::string& name) { return WebField(name).text(); };
}

void WebPanel::apply(const view::PanelUpdate& update, const std::string& pictureWords) {
    for (const view::PartChange& change : update.changes) {
        Json part;
        part.add("name", change.name);
        if (change.text) part.add("text", *change.text);
        if (change.value) part.add("value", *change.value);
        if (change.enabled) part.add("disabled", !*change.enabled);
        web::setPart(part);
    }
    if (update.redrawPicture && picture_ && draw_) {
        draw_(*picture_);
        picture_->present(pictureWords);
    }
    if (!update.focus.empty()) web::setPart(Json().add("name", update.focus).add("focus", true));
    if (!update.reveal.empty()) web::setPart(Json().add("name", update.reveal).add("reveal", true));
    if (!update.message.empty()) dialogs_.message(update.message);
    if (!update.announcement.empty()) web::announce(update.announcement);
}

} // namespace viramont::page
