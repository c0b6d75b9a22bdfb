#include "params/formula.h"

#include "toolkit/number_text.h"
#include "toolkit/utf8.h"

#include <cmath>
#include <string_view>

namespace viramont {

namespace {

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
