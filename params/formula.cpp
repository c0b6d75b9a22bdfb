#include "params/formula.h"

#include "toolkit/number_text.h"

#include <cmath>
#include <string_view>

namespace viramont {

namespace {

// Length in bytes of the UTF-8 character that starts at text[pos].
std::size_t characterBytes(std::string_view text, std::size_t pos) {
    std::size_t end = pos + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    return end - pos;
}

// Removes the last `count` characters of a UTF-8 text (all of it when shorter).
void dropLastCharacters(std::string& text, std::size_t count) {
    for (; count > 0 && !text.empty(); --count) {
        std::size_t pos = text.size() - 1;
        while (pos > 0 && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) --pos;
        text.erase(pos);
    }
}

// "(" then the argument k·x + b: "(-0.5x+3)", "(x)", "(3x-1)".
void appendArgument(FormState& s) {
    s.FormulaText += "(";
    if (s.StretchX.value() < 0) s.FormulaText += "-";
    const Numeric k = s.StretchX.abs();
    if (k.value() != 1.0) s.FormulaText += numberText(k);
    s.FormulaText += "x";
    const double b = s.ShiftX.value();
    if (b != 0.0) {
        s.FormulaText += b < 0 ? "-" : "+";
        s.FormulaText += doubleText(std::fabs(b));
    }
    s.FormulaText += ")";
}

} // namespace

void ComposeLeadingTerms(FormState& s) {
    const float c = s.ShiftY;
    const float a = s.StretchY;
    if (c < 0) s.FormulaText += "-";
    if (c != 0) s.FormulaText += singleText(std::fabs(c));
    s.FormulaText += a < 0 ? "-" : "+";
    if (std::fabs(a) != 1.0f) s.FormulaText += singleText(std::fabs(a));
}

void ComposeFunctionTerm(FormState& s, std::size_t nameLength) {
    const std::string& name = s.FunctionName;
    const std::size_t cut = name == fn::kLogBase ? 9 : 2;
    const std::size_t walked = nameLength > cut ? nameLength - cut : 0;

    std::size_t pos = 0;
    for (std::size_t i = 0; i < walked && pos < name.size(); ++i) {
        const std::size_t bytes = characterBytes(name, pos);
        if (name[pos] == '(') {
            appendArgument(s);
        } else {
            s.FormulaText.append(name, pos, bytes);
        }
        pos += bytes;
    }

    if (name == fn::kSquare || name == fn::kCube) {
        // The walk copied the "x)" that follows the name's "(" after the
        // written argument; the power takes their place.
        dropLastCharacters(s.FormulaText, 2);
        s.FormulaText += name == fn::kSquare ? "^2" : "^3";
    } else if (name == fn::kLogBase) {
        s.FormulaText += "/Log(" + integerText(s.LogBase) + ")";
    }
}

} // namespace viramont
