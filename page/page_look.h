#pragma once
// What the page hands the web toolkit, described from the layout and the
// views: fonts as CSS writes them, the texts' metrics, where each control
// goes, and the menus with their keys.

#include "form/layout.h"
#include "toolkit/web/json.h"
#include "toolkit/web/web_canvas.h"
#include "views/menu.h"
#include "views/page_form.h"

#include <memory>
#include <span>
#include <string>

namespace viramont::page {

// The menus by the names the toolkit knows them.
inline constexpr const char* kPictureMenu = "picture";
inline constexpr const char* kSheetMenu = "sheet";

std::string colourOf(Colour colour);
// A layout font as CSS writes it, its size in logical pixels at the scale.
std::string cssFont(const layout::FontStyle& f, double scale = 1.0);
// A canvas of `size` logical pixels at `ratio` device pixels to one, in
// `look`'s colours and font.
std::unique_ptr<WebCanvas> webCanvas(const std::string& id, layout::PixelSize size, double ratio,
                                     const layout::CanvasLook& look);
// Texts measured as the page sets them, at scale 1.
const view::TextMetrics& textMetrics();

// The form's box and a control's place, as the toolkit takes them.
web::Json formPlacement(const view::PageForm& placed);
web::Json placement(const view::PlacedControl& p);
// A control's whole description: its place, kind, texts, colours and order.
web::Json controlDescription(const view::PlacedControl& p);

// A command's key as the menu shows it.
std::string keyLabel(char key);
// The menu `menu` of `items` with their keys.
void defineCommands(const char* menu, std::span<const view::CommandItem> items);

// The step sheet's look as the panel takes it, its cells `cellWidth` wide.
web::Json sheetLook(const view::SheetLook& look, double cellWidth);

} // namespace viramont::page
