#pragma once
// The few standard library calls that not every library the program builds
// with has: the WebAssembly build's libc++ lacks std::bit_cast and the
// floating-point to_chars and from_chars. Each is chosen by the library's
// own feature-test macro; the stand-ins give the same results.
//
// snprintf("%.*e") and strtod are correctly rounded in that library, as
// to_chars and from_chars are everywhere, and its locale is always "C", so
// the stand-ins write and read the same digits.

#include <version>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#if defined(__cpp_lib_bit_cast)
#include <bit>
#endif

namespace viramont::compat {

template <class To, class From>
constexpr To bitCast(const From& from) {
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<To>(from);
#else
    return __builtin_bit_cast(To, from);
#endif
}

// `v` (finite, not negative) in scientific form with `precision` digits
// after the point, "d.ddde+XX", into buf; returns the end of the text.
inline char* toScientific(char* buf, std::size_t size, double v, int precision) {
#if defined(__cpp_lib_to_chars)
    return std::to_chars(buf, buf + size, v, std::chars_format::scientific, precision).ptr;
#else
    const int n = std::snprintf(buf, size, "%.*e", precision, v);
    return buf + (n < 0 ? 0 : (static_cast<std::size_t>(n) < size ? n : size - 1));
#endif
}

// The double nearest to a decimal text of the form "0.ddde[-]X" whose first
// digit is not 0; false when it lies beyond the double range, or so close
// to 0 that it rounds to 0.
inline bool fromDecimal(const std::string& text, double& out) {
#if defined(__cpp_lib_to_chars)
    double value = 0.0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec != std::errc{}) return false;
#else
    const double value = std::strtod(text.c_str(), nullptr);
#endif
    if (std::isinf(value) || value == 0.0) return false;
    out = value;
    return true;
}

} // namespace viramont::compat
