#pragma once
// Every number the user reads goes through this module.
//
// Number to text:
//   32-bit float : rounded to at most 7 significant digits
//   64-bit float : rounded to at most 15 significant digits
//   16-bit int   : its decimal digits
// A "-" stands before a negative number, no blank is added, a 0 stands before
// the separator below 1, and there are no trailing zeros and no trailing
// separator; 0 and -0 are "0". With the value rounded to the digit count and
// E its decimal exponent, the text is plain while -5 <= E <= digits - 1
// (0.00001, 1234567), and otherwise a mantissa with a two-digit (three where
// needed) signed exponent: 1.234568E+07, 1E-06, 1.79769313486232E+308.
// The decimal separator is the user's (setDecimalSeparator, set once at
// start-up from the locale; "." until then).
//
// Printed form (what a canvas print shows): a blank before a number that is
// not negative and a blank after every number: " 5 ", "-2 ". An unset
// general numeric value prints as nothing.
//
// Spoken form (the picture's description, the fault messages, what a
// screen reader says): rounded to two decimals, without trailing zeros, with
// the user's separator and the minus sign "−" (U+2212) before a negative
// number: "2,5", "−3", "0,01"; what rounds to 0 is "0". From 10^9 on, a
// mantissa of up to three digits and a power of ten: "3,4·10^38".
//
// Number parse: the longest leading number of the text, with the point or
// the comma as separator in any locale. Leading blanks are skipped; then an
// optional sign, digits with an optional separator and fraction (".5" and
// ",5" count; only the first separator does: "1,5.3" is 1.5), and an
// optional exponent (e or E, optional sign, digits). Anything else gives 0:
// "7abc" is 7, "abc" is 0. A number beyond the 64-bit range ("1e999") is a conversion
// overflow; one too small for it becomes 0. Time is linear in the length.

#include "toolkit/numeric.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace viramont {

void setDecimalSeparator(std::string separator);
const std::string& decimalSeparator();

std::string singleText(float v);
std::string doubleText(double v);
std::string integerText(long long v);
// In the form of the value's kind; unset gives the empty text.
std::string numberText(const Numeric& v);

std::string printedText(float v);
std::string printedText(const Numeric& v);
std::string printedInteger(long long v);

std::string spokenNumber(double v);

double parseNumber(std::string_view text);

} // namespace viramont
