#include "toolkit/web/json.h"

#include <cmath>
#include <cstdio>

namespace viramont::web {

std::string jsonText(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char code[8];
                std::snprintf(code, sizeof code, "\\u%04x", c);
                out += code;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

Json& Json::addJson(std::string_view key, std::string_view json) {
    if (text_.size() > 1) text_ += ',';
    text_ += jsonText(key);
    text_ += ':';
    text_ += json;
    return *this;
}

Json& Json::add(std::string_view key, std::string_view text) { return addJson(key, jsonText(text)); }

Json& Json::add(std::string_view key, double number) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", std::isfinite(number) ? number : 0.0);
    return addJson(key, digits);
}

Json& Json::add(std::string_view key, bool flag) { return addJson(key, flag ? "true" : "false"); }

Json& Json::add(std::string_view key, const std::vector<Json>& objects) {
    std::string list = "[";
    for (const Json& object : objects) {
        if (list.size() > 1) list += ',';
        list += object.str();
    }
    return addJson(key, list + "]");
}

} // namespace viramont::web
