#include "views/link.h"

#include "form/layout.h"
#include "toolkit/number_text.h"

#include <cmath>
#include <cstdio>

namespace viramont::view {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// %XX decoded; a '%' not followed by two hex digits stays. At most as long
// as a field takes, cut between characters.
std::string decoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = text[i] == '%' && i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(text[i + 2]) : -1;
        if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += text[i];
        }
    }
    if (out.size() > std::size_t(layout::kFieldLimit)) {
        std::size_t end = layout::kFieldLimit;
        while (end > 0 && (static_cast<unsigned char>(out[end]) & 0xC0) == 0x80) --end;
        out.resize(end);
    }
    return out;
}

// The shortest of `v`'s texts of up to `digits` significant digits that
// `readsBack`, with an exponent only for the very large and very small;
// the point as the separator, whatever the C locale.
template <typename ReadsBack>
std::string shortestText(double v, int digits, ReadsBack readsBack) {
    const bool plain = std::fabs(v) >= 1e-5 && std::fabs(v) < 1e15;
    std::string text;
    for (int precision = 1; precision <= digits; ++precision) {
        char buf[48];
        std::snprintf(buf, sizeof buf, "%.*g", precision, v);
        text = buf;
        for (char& c : text) c = c == ',' ? '.' : c;
        if (readsBack(text) && !(plain && text.find('e') != std::string::npos)) break;
    }
    return text;
}

// A 32-bit float as the field reads it back to the same float.
std::string singleLinkText(float v) {
    return shortestText(v, 9, [v](const std::string& text) { return static_cast<float>(parseNumber(text)) == v; });
}

// A 64-bit float as the field reads it back to the same number.
std::string realLinkText(double v) {
    return shortestText(v, 17, [v](const std::string& text) { return parseNumber(text) == v; });
}

std::string numericLinkText(const Numeric& v) {
    switch (v.kind()) {
    case Numeric::Kind::Unset: return {};
    case Numeric::Kind::Integer: return integerText(static_cast<long long>(v.value()));
    case Numeric::Kind::Single: return singleLinkText(static_cast<float>(v.value()));
    case Numeric::Kind::Real: return realLinkText(v.value());
    }
    return {};
}

} // namespace

LinkPlot readLink(std::string_view fragment) {
    if (!fragment.empty() && fragment.front() == '#') fragment.remove_prefix(1);
    LinkPlot link;
    while (!fragment.empty()) {
        const std::size_t amp = fragment.find('&');
        const std::string_view pair = fragment.substr(0, amp);
        fragment = amp == std::string_view::npos ? std::string_view() : fragment.substr(amp + 1);
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string key = decoded(pair.substr(0, equals));
        std::string value = decoded(pair.substr(equals + 1));
        if (key == "fn") {
            link.function.reset();
            for (std::size_t i = 0; i < kLinkFunctions.size(); ++i) {
                if (value == kLinkFunctions[i]) link.function = kFunctionNames[i];
            }
        } else if (key == kLinkBase) {
            link.base = std::move(value);
        } else {
            for (std::size_t i = 0; i < kLinkFields.size(); ++i) {
                if (key == kLinkFields[i].key) link.fields[i] = value;
            }
        }
    }
    return link;
}

std::string linkFragment(const FormState& inputs) {
    std::string fragment;
    const auto add = [&](const char* key, const std::string& value) {
        if (value.empty()) return;
        if (!fragment.empty()) fragment += '&';
        fragment += key;
        fragment += '=';
        fragment += value;
    };
    for (std::size_t i = 0; i < kLinkFunctions.size(); ++i) {
        if (inputs.FunctionName == kFunctionNames[i]) add("fn", kLinkFunctions[i]);
    }
    if (inputs.FunctionName == fn::kLogBase) add(kLinkBase, integerText(inputs.LogBase));
    const std::string values[] = {singleLinkText(inputs.StretchY), numericLinkText(inputs.StretchX),
                                  numericLinkText(inputs.ShiftX),  singleLinkText(inputs.ShiftY),
                                  numericLinkText(inputs.XStart),  singleLinkText(inputs.XEnd)};
    for (std::size_t i = 0; i < kLinkFields.size(); ++i) add(kLinkFields[i].key, values[i]);
    return fragment;
}

std::string LinkBoxes::input(const std::string& prompt, const std::string& title) {
    if (answer_) {
        std::string answer = std::move(*answer_);
        answer_.reset();
        return answer;
    }
    return boxes_.input(prompt, title);
}

} // namespace viramont::view
