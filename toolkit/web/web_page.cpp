#include "toolkit/web/web_page.h"

#include <emscripten.h>

#include <cstdlib>

EM_JS(void, tk_set_form, (const char* json), { viramontToolkit.setForm(JSON.parse(UTF8ToString(json))); });
EM_JS(void, tk_add_control, (const char* json), { viramontToolkit.addControl(JSON.parse(UTF8ToString(json))); });
EM_JS(void, tk_place_control, (const char* json), { viramontToolkit.placeControl(JSON.parse(UTF8ToString(json))); });
EM_ASYNC_JS(int, tk_copy_text, (const char* text), {
    return (await viramontToolkit.copyText(UTF8ToString(text))) ? 1 : 0;
});
EM_JS(char*, tk_page_address, (), {
    const address = viramontToolkit.pageAddress();
    const size = lengthBytesUTF8(address) + 1;
    const block = _malloc(size);
    stringToUTF8(address, block, size);
    return block;
});
EM_JS(void, tk_define_menu, (const char* name, const char* json), {
    viramontToolkit.defineMenu(UTF8ToString(name), JSON.parse(UTF8ToString(json)).items);
});
EM_JS(void, tk_menu_enabled, (const char* name, const char* command, int enabled), {
    viramontToolkit.menuEnabled(UTF8ToString(name), UTF8ToString(command), enabled != 0);
});
EM_JS(void, tk_define_keys, (const char* name, const char* json), {
    viramontToolkit.defineKeys(UTF8ToString(name), JSON.parse(UTF8ToString(json)).keys);
});
EM_JS(void, tk_open_panel, (const char* json), { viramontToolkit.openPanel(JSON.parse(UTF8ToString(json))); });
EM_JS(void, tk_place_sheet, (const char* json), { viramontToolkit.placeSheet(JSON.parse(UTF8ToString(json))); });
EM_JS(void, tk_open_parts_panel, (const char* json), { viramontToolkit.openPartsPanel(JSON.parse(UTF8ToString(json))); });
EM_JS(void, tk_show_parts_panel, (const char* id), { viramontToolkit.showPartsPanel(UTF8ToString(id)); });
EM_JS(void, tk_set_part, (const char* json), { viramontToolkit.setPart(JSON.parse(UTF8ToString(json))); });
EM_JS(void, tk_pages_begin, (), { viramontToolkit.pagesBegin(); });
EM_ASYNC_JS(int, tk_pages_add, (const char* id), { return (await viramontToolkit.pagesAdd(UTF8ToString(id))) ? 1 : 0; });
EM_ASYNC_JS(int, tk_pages_save, (const char* name, double width, double height, const char* title), {
    return (await viramontToolkit.pagesSave(UTF8ToString(name), width, height, UTF8ToString(title))) ? 1 : 0;
});
EM_ASYNC_JS(int, tk_pages_print, (const char* name), {
    return (await viramontToolkit.pagesPrint(UTF8ToString(name))) ? 1 : 0;
});
EM_JS(void, tk_announce, (const char* text), { viramontToolkit.announce(UTF8ToString(text)); });
EM_ASYNC_JS(void, tk_busy_frame, (), { await viramontToolkit.busyFrame(); });
EM_JS(void, tk_compose, (const char* id, int width, int height, const char* paper), {
    viramontToolkit.compose(UTF8ToString(id), width, height, UTF8ToString(paper));
});
EM_JS(void, tk_compose_text,
      (const char* id, const char* text, const char* font, const char* ink, double x, double baseline), {
          viramontToolkit.composeText(UTF8ToString(id), UTF8ToString(text), UTF8ToString(font), UTF8ToString(ink), x,
                                      baseline);
      });
EM_JS(void, tk_compose_rect, (const char* id, double x, double y, double width, double height, const char* ink), {
    viramontToolkit.composeRect(UTF8ToString(id), x, y, width, height, UTF8ToString(ink));
});
EM_JS(void, tk_compose_image, (const char* id, const char* source, double x, double y), {
    viramontToolkit.composeImage(UTF8ToString(id), UTF8ToString(source), x, y);
});
EM_ASYNC_JS(int, tk_copy_image, (const char* id), {
    const result = await viramontToolkit.copyImage(UTF8ToString(id));
    return result === 'done' ? 0 : result === 'refused' ? 1 : 2;
});
EM_ASYNC_JS(int, tk_download, (const char* id, const char* name), {
    return (await viramontToolkit.download(UTF8ToString(id), UTF8ToString(name))) ? 1 : 0;
});
EM_ASYNC_JS(int, tk_print_image, (const char* id, const char* name), {
    return (await viramontToolkit.printImage(UTF8ToString(id), UTF8ToString(name))) ? 1 : 0;
});
EM_JS(void, tk_offscreen_canvas, (const char* id, int width, int height), {
    viramontToolkit.offscreenCanvas(UTF8ToString(id), width, height);
});

namespace viramont::web {

void setForm(const Json& form) { tk_set_form(form.str().c_str()); }
void addControl(const Json& control) { tk_add_control(control.str().c_str()); }
void placeControl(const Json& control) { tk_place_control(control.str().c_str()); }
bool copyText(const std::string& text) { return tk_copy_text(text.c_str()); }
std::string pageAddress() {
    char* address = tk_page_address();
    std::string result(address);
    std::free(address);
    return result;
}
void defineMenu(const std::string& name, const std::vector<Json>& items) {
    tk_define_menu(name.c_str(), Json().add("items", items).str().c_str());
}
void setMenuEnabled(const std::string& name, const std::string& command, bool enabled) {
    tk_menu_enabled(name.c_str(), command.c_str(), enabled);
}
void defineKeys(const std::string& name, const std::vector<Json>& keys) {
    tk_define_keys(name.c_str(), Json().add("keys", keys).str().c_str());
}
void openPanel(const Json& panel) { tk_open_panel(panel.str().c_str()); }
void placeSheet(const Json& sheet) { tk_place_sheet(sheet.str().c_str()); }
void openPartsPanel(const Json& panel) { tk_open_parts_panel(panel.str().c_str()); }
void showPartsPanel(const std::string& id) { tk_show_parts_panel(id.c_str()); }
void setPart(const Json& part) { tk_set_part(part.str().c_str()); }
void pagesBegin() { tk_pages_begin(); }
bool pagesAdd(const std::string& id) { return tk_pages_add(id.c_str()); }
bool pagesSave(const std::string& fileName, double widthMm, double heightMm, const std::string& title) {
    return tk_pages_save(fileName.c_str(), widthMm, heightMm, title.c_str());
}
bool pagesPrint(const std::string& name) { return tk_pages_print(name.c_str()); }
void announce(const std::string& text) { tk_announce(text.c_str()); }
void showBusy() { tk_busy_frame(); }
void compose(const std::string& id, int deviceWidth, int deviceHeight, const std::string& paper) {
    tk_compose(id.c_str(), deviceWidth, deviceHeight, paper.c_str());
}
void composeText(const std::string& id, const std::string& text, const std::string& font, const std::string& ink,
                 double x, double baseline) {
    tk_compose_text(id.c_str(), text.c_str(), font.c_str(), ink.c_str(), x, baseline);
}
void composeRect(const std::string& id, double x, double y, double width, double height, const std::string& ink) {
    tk_compose_rect(id.c_str(), x, y, width, height, ink.c_str());
}
void composeImage(const std::string& id, const std::string& source, double x, double y) {
    tk_compose_image(id.c_str(), source.c_str(), x, y);
}
CopyResult copyImage(const std::string& id) {
    switch (tk_copy_image(id.c_str())) {
    case 0: return CopyResult::Done;
    case 1: return CopyResult::Refused;
    default: return CopyResult::Unmade;
    }
}
bool download(const std::string& id, const std::string& fileName) { return tk_download(id.c_str(), fileName.c_str()); }
bool printImage(const std::string& id, const std::string& name) { return tk_print_image(id.c_str(), name.c_str()); }
void offscreenCanvas(const std::string& id, int deviceWidth, int deviceHeight) {
    tk_offscreen_canvas(id.c_str(), deviceWidth, deviceHeight);
}

} // namespace viramont::web
