#include "toolkit/web/web_controls.h"

#include "toolkit/web/json.h"

#include <emscripten.h>

#include <cstdlib>
#include <memory>
#include <optional>

// A text the page hands over: UTF-8 in memory of the program's heap, freed
// by the caller.
EM_JS(char*, tk_field_text, (const char* id), {
    const text = viramontToolkit.fieldText(UTF8ToString(id));
    const size = lengthBytesUTF8(text) + 1;
    const at = _malloc(size);
    stringToUTF8(text, at, size);
    return at;
});
EM_JS(void, tk_set_field_text, (const char* id, const char* text), {
    viramontToolkit.setFieldText(UTF8ToString(id), UTF8ToString(text));
});
EM_JS(void, tk_list_append, (const char* id, const char* entry), {
    viramontToolkit.listAppend(UTF8ToString(id), UTF8ToString(entry));
});
// A box described as JSON (toolkit.js, openBox): the answer as text, the
// chosen index as text, or null for a cancel, as a block of the program's
// heap that the caller frees.
EM_ASYNC_JS(char*, tk_open_box, (const char* json), {
    const answer = await viramontToolkit.openBox(JSON.parse(UTF8ToString(json)));
    if (answer === null) return 0;
    const text = String(answer);
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

std::string WebField::text() const { return taken(tk_field_text(id_.c_str())); }
void WebField::setText(const std::string& text) { tk_set_field_text(id_.c_str(), text.c_str()); }

void WebList::append(const std::string& entry) { tk_list_append(id_.c_str(), entry.c_str()); }
std::string WebList::text() const { return taken(tk_field_text(id_.c_str())); }

namespace {
using web::Json;
using web::jsonText;

// The boxes' own buttons, as the desktop's Russian translation names them.
constexpr const char* kOk = "OK";
constexpr const char* kCancel = "Отмена";

// The answer of a box: its text, or nothing for a cancel.
std::optional<std::string> openBox(Json box) {
    box.add("ok", kOk).add("cancel", kCancel).add("close", kCloseCaption);
    char* answer = tk_open_box(box.str().c_str());
    if (!answer) return std::nullopt;
    return taken(answer);
}
} // namespace

void WebDialogs::message(const std::string& text) {
    if (beforeModal_) beforeModal_();
    openBox(Json().add("title", title_).add("text", text));
}
std::string WebDialogs::input(const std::string& prompt, const std::string& title) {
    if (beforeModal_) beforeModal_();
    return openBox(Json().add("title", title).add("text", prompt).add("input", true).add("limit", limit_))
        .value_or(std::string());
}
std::optional<std::size_t> WebDialogs::choose(const std::string& title, const std::vector<std::string>& choices) {
    std::string list = "[";
    for (const std::string& choice : choices) list += (list.size() > 1 ? "," : "") + jsonText(choice);
    const std::optional<std::string> answer = openBox(Json().add("title", title).addJson("choices", list + "]"));
    if (!answer) return std::nullopt;
    return static_cast<std::size_t>(std::stoul(*answer));
}

} // namespace viramont
