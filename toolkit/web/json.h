#pragma once
// A description for the toolkit's script, written as JSON: objects of
// texts, numbers, flags and further descriptions, built in order.

#include <string>
#include <string_view>
#include <vector>

namespace viramont::web {

// A text as a JSON string, quoted and escaped.
std::string jsonText(std::string_view text);

class Json {
public:
    Json& add(std::string_view key, std::string_view text);
    Json& add(std::string_view key, const char* text) { return add(key, std::string_view(text)); }
    Json& add(std::string_view key, const std::string& text) { return add(key, std::string_view(text)); }
    Json& add(std::string_view key, double number);
    Json& add(std::string_view key, int number) { return add(key, static_cast<double>(number)); }
    Json& add(std::string_view key, bool flag);
    Json& add(std::string_view key, const Json& object) { return addJson(key, object.str()); }
    Json& add(std::string_view key, const std::vector<Json>& objects);
    // A value already written as JSON.
    Json& addJson(std::string_view key, std::string_view json);
    std::string str() const { return text_ + "}"; }

private:
    std::string text_ = "{";
};

} // namespace viramont::web
