#include "params/formula.h"

#include "toolkit/number_text.h"
#include "toolkit/utf8.h"

#include <cmath>
#include <string_view>

namespace viramont {

namespace {

// "(" then the argument k·x + b: "(-0.5x+3)", "(x)", "(3x-1)".
void appendArgument(FormState& s) { s.FormulaText += "(" + ArgumentText(s.StretchX, s.ShiftX) + ")"; }

} // namespace

std::string ArgumentText(const Numeric& k, const Numeric& b) {
    std::string text = k.value() < 0 ? "-" : "";
    if (k.abs().value() != 1.0) text += numberText(k.abs());
    text += "x";
    if (b.value() != 0.0) {
        text += b.value() < 0 ? "-" : "+";
        text += doubleText(std::fabs(b.value()));
    }
    return text;
}

std::string FormulaOfY(std::string_view formula) {
    if (formula.starts_with('+')) formula.remove_prefix(1);
    return "y = " + std::string(formula);
}

std::string FormulaOf(const FormState& state) {
    FormState s = state;
    s.FormulaText.clear();
    ComposeLeadingTerms(s);
    ComposeFunctionTerm(s, utf8::characterCount(s.FunctionName));
    return s.FormulaText;
}

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
        const std::size_t bytes = utf8::characterBytes(name, pos);
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
        utf8::dropLastCharacters(s.FormulaText, 2);
        s.FormulaText += name == fn::kSquare ? "^2" : "^3";
    } else if (name == fn::kLogBase) {
        s.FormulaText += "/Log(" + integerText(s.LogBase) + ")";
    }
}

} // namespace viramont
