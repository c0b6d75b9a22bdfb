#pragma once
// A plot as a link to the page, for a worksheet or a QR code:
//
//   viramont.html#fn=sin&A=2&k=3&b=1&C=4&from=0&to=10
//
// fn picks the function (sin, cos, x2, x3, ln, log); A, k, b, C, from and
// to fill Text1, Text2, Text3, Text4, Text6 and Text7; a (with log) answers
// the base box. The page opened with it does what a pupil would: fills the
// fields, picks the function, presses ВЫБОР and ПОСТРОИТЬ. A value is
// taken as typed text, so a bad one is met as typing it would be; nothing
// else in a link is read.

#include "form/form.h"
#include "toolkit/controls.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace viramont::view {

inline constexpr const char* kPageFile = "viramont.html";

// The function keys of a link, in the order of kFunctionNames.
inline constexpr std::array<const char*, 6> kLinkFunctions{"sin", "cos", "x2", "x3", "ln", "log"};

// The fields a link fills: its key and the field.
struct LinkField {
    const char* key;
    const char* field;
};
inline constexpr std::array<LinkField, 6> kLinkFields{{
    {"A", "Text1"}, {"k", "Text2"}, {"b", "Text3"}, {"C", "Text4"}, {"from", "Text6"}, {"to", "Text7"}}};
inline constexpr const char* kLinkBase = "a";

// What a link asks for: each value decoded, as long as a field takes it.
struct LinkPlot {
    std::optional<std::string> function;  // an entry of Combo1
    std::array<std::optional<std::string>, kLinkFields.size()> fields;
    std::optional<std::string> base;
};

// The part after '#' read; unknown keys, and an fn that names no function,
// are left out.
LinkPlot readLink(std::string_view fragment);

// The fragment of the plot drawn from `inputs` (after the '#'): the
// function, the numbers as they read back to the same values, and the base
// of a logarithm to a base.
std::string linkFragment(const FormState& inputs);
// The link as the window gives it: the page's file and the fragment.
inline std::string plotLink(const FormState& inputs) { return std::string(kPageFile) + "#" + linkFragment(inputs); }

// The boxes of a form opened by a link: the first input box (the base's)
// is answered with the link's base, without showing; every other box is
// `boxes`'.
class LinkBoxes final : public Dialogs {
public:
    explicit LinkBoxes(Dialogs& boxes) : boxes_(boxes) {}
    void answerNextInput(std::optional<std::string> answer) { answer_ = std::move(answer); }
    void message(const std::string& text) override { boxes_.message(text); }
    std::string input(const std::string& prompt, const std::string& title) override;

private:
    Dialogs& boxes_;
    std::optional<std::string> answer_;
};

} // namespace viramont::view
