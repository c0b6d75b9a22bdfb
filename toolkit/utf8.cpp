#include "toolkit/utf8.h"

namespace viramont::utf8 {

namespace {
bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
} // namespace

std::size_t characterCount(std::string_view text) {
    std::size_t n = 0;
    for (char c : text) n += !isContinuation(c);
    return n;
}

std::size_t characterBytes(std::string_view text, std::size_t pos) {
    std::size_t end = pos + 1;
    while (end < text.size() && isContinuation(text[end])) ++end;
    return end - pos;
}

void dropLastCharacters(std::string& text, std::size_t count) {
    for (; count > 0 && !text.empty(); --count) {
        std::size_t pos = text.size() - 1;
        while (pos > 0 && isContinuation(text[pos])) --pos;
        text.erase(pos);
    }
}

bool isClean(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t more = 0;  // continuation bytes that must follow
        if (c < 0x20 || c == 0x7F) return false;
        if (c < 0x80)
            more = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            more = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            more = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            more = 3;
        else
            return false;
        if (more > text.size() - i - 1) return false;
        for (std::size_t j = 1; j <= more; ++j) {
            if (!isContinuation(text[i + j])) return false;
        }
        i += more + 1;
    }
    return true;
}

} // namespace viramont::utf8
