#pragma once
// Checked arithmetic: the points where the program tests a floating-point
// result or converts a number into a narrower kind. Each check raises a
// RuntimeFault instead of letting a NaN, an infinity or a wrapped integer
// travel on.

#include "toolkit/fault.h"

#include <cmath>
#include <cstdint>

namespace viramont {

// The smallest magnitude that rounds to infinity as a 32-bit float: halfway
// between the largest float and 2^128.
inline constexpr double kSingleLimit = 0x1.ffffffp+127;

// The one test behind the checks below: NaN is an invalid operation, and a
// magnitude of `limit` or more is the fault `beyond`.
inline double checkedBelow(double v, double limit, FaultKind beyond) {
    if (!(std::fabs(v) < limit)) [[unlikely]] raiseFault(std::isnan(v) ? FaultKind::InvalidOperation : beyond);
    return v;
}

// Tests a 64-bit result: NaN is an invalid operation, an infinity an overflow.
inline double checkedResult(double v) { return checkedBelow(v, HUGE_VAL, FaultKind::Overflow); }

// Tests a 64-bit result that is about to become a 32-bit float: as
// checkedResult, and a value beyond the 32-bit range is an overflow too.
inline double checkedSingleResult(double v) { return checkedBelow(v, kSingleLimit, FaultKind::Overflow); }

// num / den with the status test of a division: x/0 is a division by zero,
// 0/0 an invalid operation.
double checkedDivide(double num, double den);

// Stores a 64-bit value into a 32-bit float, rounding to nearest. A value
// beyond the 32-bit range is a conversion overflow; NaN an invalid operation.
inline float toSingle(double v) {
    return static_cast<float>(checkedBelow(v, kSingleLimit, FaultKind::ConversionOverflow));
}

// Rounds to the nearest whole number, a tie going to the even neighbour
// (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -2.5 -> -2).
double roundHalfEven(double v);

// Rounds as roundHalfEven and stores into a 16-bit signed integer; outside
// -32768..32767 (or NaN) it is a conversion overflow.
std::int16_t toInt16(double v);

// Natural logarithm; a number that is not positive is an invalid argument.
double naturalLog(double v);

} // namespace viramont
