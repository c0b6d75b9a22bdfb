#include "toolkit/web/web_controls.h"

#include <emscripten.h>

#include <cstdlib>
#include <memory>

// A text the page hands over: UTF-8 in memory of the program's heap, freed
// by the caller.
EM_JS(char*, page_field_text, (const char* id), {
    const text = viramontPage.fieldText(UTF8ToString(id));
    const size = lengthBytesUTF8(text) + 1;
    const at = _malloc(size);
    stringToUTF8(text, at, size);
    return at;
});
EM_JS(void, page_set_field_text, (const char* id, const char* text), {
    viramontPage.setFieldText(UTF8ToString(id), UTF8ToString(text));
});
EM_JS(void, page_list_append, (const char* id, const char* entry), {
    viramontPage.listAppend(UTF8ToString(id), UTF8ToString(entry));
});
EM_ASYNC_JS(void, page_message, (const char* text, const char* title), {
    await viramontPage.message(UTF8ToString(text), UTF8ToString(title));
});
EM_ASYNC_JS(char*, page_input, (const char* prompt, const char* title), {
    const text = await viramontPage.input(UTF8ToString(prompt), UTF8ToString(title));
    const size = lengthBytesUTF8(text) + 1;
    const at = _malloc(size);
    stringToUTF8(text, at, size);
    return at;
});

namespace viramont {

namespace {
std::string taken(char* text) {
    const std::unique_ptr<char, decltype(&std::free)> owner(text, &std::free);
    return text ? std::string(text) : std::string();
}
} // namespace

std::string WebField::text() const { return taken(page_field_text(id_.c_str())); }
void WebField::setText(const std::string& text) { page_set_field_text(id_.c_str(), text.c_str()); }

void WebList::append(const std::string& entry) { page_list_append(id_.c_str(), entry.c_str()); }
std::string WebList::text() const { return taken(page_field_text(id_.c_str())); }

void WebDialogs::message(const std::string& text) {
    if (beforeModal_) beforeModal_();
    page_message(text.c_str(), title_.c_str());
}
std::string WebDialogs::input(const std::string& prompt, const std::string& title) {
    if (beforeModal_) beforeModal_();
    return taken(page_input(prompt.c_str(), title.c_str()));
}

} // namespace viramont
