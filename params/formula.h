#pragma once
// The formula of the transformed function y = A·f(k·x + b) + C, built as one
// line of text in FormulaText, in two stages of ВЫБОР_Click:
//
//   ComposeLeadingTerms   right after the fields are read:  C and A   "4+2"
//   ComposeFunctionTerm   after the checks and the base:    f(kx+b)   "Sin(3x+1)"
//                         and the ending of the power and base-a logarithm
//
// Each coefficient is written as its magnitude with a separate sign before
// it, in the number form of its kind: A and C as 32-bit floats, k in its own
// kind (a 64-bit float, or the integer 1 that replaced a zero), b as a 64-bit
// float, the base as an integer.

#include "form/form.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace viramont {

// Appends C (when not 0, with its sign), the sign of A and |A| unless it is 1.
void ComposeLeadingTerms(FormState& state);

// Walks the first characters of FunctionName (nameLength - 9 of
// "Log(b)/Log(a)", nameLength - 2 of any other name), copying each and
// writing the argument (kx+b) at every "("; then puts ^2, ^3 or the base
// suffix "/Log(a)" in place for the functions that have one. nameLength is
// the length of FunctionName in characters (UTF-8 code points).
void ComposeFunctionTerm(FormState& state, std::size_t nameLength);

// The argument k·x + b as the formula writes it between its parentheses:
// "3x+1", "-x-2", "0.5x", "x".
std::string ArgumentText(const Numeric& k, const Numeric& b);

// The whole formula of the parameters and the function in `state`, as
// ВЫБОР would write it into Text5.
std::string FormulaOf(const FormState& state);

// A formula as it is spoken, with its left-hand side and without a leading
// "+": "y = 4+2Sin(3x+1)", "y = Sin(x)".
std::string FormulaOfY(std::string_view formula);

} // namespace viramont
