#include "toolkit/arith.h"

#include "toolkit/fault.h"

#include <cmath>
#include <limits>

namespace viramont {

double checkedDivide(double num, double den) {
    if (den == 0.0) {
        raiseFault(num == 0.0 || std::isnan(num) ? FaultKind::InvalidOperation : FaultKind::DivisionByZero);
    }
    return checkedResult(num / den);
}

double roundHalfEven(double v) {
    if (!std::isfinite(v)) return v;
    const double down = std::floor(v);
    const double diff = v - down;
    if (diff < 0.5) return down;
    if (diff > 0.5) return down + 1.0;
    return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

std::int16_t toInt16(double v) {
    const double r = roundHalfEven(v);
    if (!(r >= std::numeric_limits<std::int16_t>::min() && r <= std::numeric_limits<std::int16_t>::max())) {
        raiseFault(FaultKind::ConversionOverflow);
    }
    return static_cast<std::int16_t>(r);
}

double naturalLog(double v) {
    if (!(v > 0.0)) raiseFault(FaultKind::InvalidArgument);
    return std::log(v);
}

} // namespace viramont
