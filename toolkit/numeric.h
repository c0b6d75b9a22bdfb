#pragma once
// The general numeric kind of four form members (XStart, StretchX, ShiftX,
// YMax): unset until first assigned, then a 16-bit integer, a 32-bit float
// or a 64-bit float. Arithmetic uses value(), a 64-bit float in which unset
// counts as 0; turned into text (number_text.h) unset is the empty text and
// every other kind keeps its own number form.

#include <cstdint>

namespace viramont {

class Numeric {
public:
    enum class Kind { Unset, Integer, Single, Real };

    constexpr Numeric() = default;
    static constexpr Numeric integer(std::int16_t v) { return Numeric(Kind::Integer, v); }
    static constexpr Numeric single(float v) { return Numeric(Kind::Single, v); }
    static constexpr Numeric real(double v) { return Numeric(Kind::Real, v); }

    constexpr Kind kind() const { return kind_; }
    constexpr bool isUnset() const { return kind_ == Kind::Unset; }
    // The value as a 64-bit float; 0 when unset.
    constexpr double value() const { return value_; }

    // Absolute value in the same kind; of an unset value the integer 0.
    constexpr Numeric abs() const {
        if (kind_ == Kind::Unset) return integer(0);
        return Numeric(kind_, value_ < 0 ? -value_ : value_);
    }

private:
    constexpr Numeric(Kind k, double v) : kind_(k), value_(v) {}
    Kind kind_ = Kind::Unset;
    double value_ = 0.0;
};

} // namespace viramont
