#pragma once
// Formulas as a textbook writes them, for the cards, their key and the
// practice panel (Text5 and the main form keep their own):
//
//   y = −2 sin(3x + 1) + 4     y = sin x + 1      y = sin 2x
//   y = 2x³ − 1                y = −(x + 1)²      y = 0,5(2x − 1)³
//   y = log₃(x + 1)            y = lg x           y = 2 ln(0,5x) − 3
//
// A factor of 1 is left out and −1 is a minus; a minus is the sign "−";
// a fraction takes the program's decimal separator; the logarithm to 10 is
// lg, the natural one ln, another logₐ with a below the line.

#include "practice/task.h"

#include <string>

namespace viramont::practice {

// "y = −2 sin(3x + 1) + 4"
std::string textbookFormula(const Curve& curve, const Transform& t);
// The base function: "y = sin x", "y = x²", "y = log₄ x".
inline std::string textbookBase(const Curve& curve) { return textbookFormula(curve, Transform{}); }
// A number without its sign: "3", "0,5".
std::string textbookNumber(double v);

} // namespace viramont::practice
