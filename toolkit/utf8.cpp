#include "toolkit/utf8.h"

namespace viramont::utf8 {

namespace {
bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool isLatinLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
// The lead byte of a letter of the Cyrillic block, U+0400 to U+04FF.
bool isCyrillicLead(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0xD0 && b <= 0xD3;
}

// The Cyrillic letter a Latin letter looks like, or nothing.
const char* cyrillicTwin(char c) {
    static constexpr struct {
        char latin;
        const char* cyrillic;
    } kTwins[] = {{'A', "А"}, {'B', "В"}, {'C', "С"}, {'E', "Е"}, {'H', "Н"}, {'K', "К"}, {'M', "М"},
                  {'O', "О"}, {'P', "Р"}, {'T', "Т"}, {'X', "Х"}, {'Y', "У"}, {'a', "а"}, {'c', "с"},
                  {'e', "е"}, {'o', "о"}, {'p', "р"}, {'x', "х"}, {'y', "у"}};
    for (const auto& twin : kTwins) {
        if (twin.latin == c) return twin.cyrillic;
    }
    return nullptr;
}
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

std::string cyrillicLookAlikes(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isLatinLetter(text[i]) && !isCyrillicLead(text[i])) {
            out += text[i++];
            continue;
        }
        // A word: letters of either alphabet.
        std::size_t end = i;
        bool cyrillic = false;
        while (end < text.size() && (isLatinLetter(text[end]) || isCyrillicLead(text[end]))) {
            cyrillic = cyrillic || isCyrillicLead(text[end]);
            end += characterBytes(text, end);
        }
        for (std::size_t j = i; j < end; ++j) {
            const char* twin = cyrillic ? cyrillicTwin(text[j]) : nullptr;
            if (twin) {
                out += twin;
            } else {
                out += text[j];
            }
        }
        i = end;
    }
    return out;
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
