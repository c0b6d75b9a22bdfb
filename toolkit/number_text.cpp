#include "toolkit/number_text.h"

#include "toolkit/fault.h"
#include "toolkit/std_compat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace viramont {

namespace {

std::string& separatorStorage() {
    static std::string separator = ".";
    return separator;
}

// Formats a finite value with at most `digits` significant digits.
std::string formatDigits(double v, int digits) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v < 0 ? "-Inf" : "Inf";
    if (v == 0.0) return "0";

    char buf[64];
    const char* end = compat::toScientific(buf, sizeof buf, std::fabs(v), digits - 1);
    const std::string_view sci(buf, static_cast<std::size_t>(end - buf));
    // sci is "d.ddddde+XX" or "de+XX" when digits == 1.
    const std::size_t ePos = sci.find('e');
    std::string mantissa;
    for (char c : sci.substr(0, ePos)) {
        if (c != '.') mantissa += c;
    }
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
    int exponent = 0;
    std::from_chars(sci.data() + ePos + 1 + (sci[ePos + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exponent);

    const std::string& sep = separatorStorage();
    std::string out = v < 0 ? "-" : "";
    if (exponent >= -5 && exponent <= digits - 1) {
        if (exponent < 0) {
            out += "0" + sep + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
        } else {
            const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
            if (mantissa.size() <= intDigits) {
                out += mantissa + std::string(intDigits - mantissa.size(), '0');
            } else {
                out += mantissa.substr(0, intDigits) + sep + mantissa.substr(intDigits);
            }
        }
        return out;
    }
    out += mantissa.substr(0, 1);
    if (mantissa.size() > 1) out += sep + mantissa.substr(1);
    out += exponent < 0 ? "E-" : "E+";
    const int mag = std::abs(exponent);
    if (mag < 10) out += '0';
    out += std::to_string(mag);
    return out;
}

std::string printed(std::string text, bool negative) {
    return negative ? text + " " : " " + text + " ";
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

void setDecimalSeparator(std::string separator) {
    separatorStorage() = separator.empty() ? "." : std::move(separator);
}
const std::string& decimalSeparator() { return separatorStorage(); }

std::string singleText(float v) { return formatDigits(static_cast<double>(v), 7); }
std::string doubleText(double v) { return formatDigits(v, 15); }
std::string integerText(long long v) { return std::to_string(v); }

std::string numberText(const Numeric& v) {
    switch (v.kind()) {
    case Numeric::Kind::Unset: return "";
    case Numeric::Kind::Integer: return integerText(static_cast<long long>(v.value()));
    case Numeric::Kind::Single: return singleText(static_cast<float>(v.value()));
    case Numeric::Kind::Real: return doubleText(v.value());
    }
    return "";
}

std::string printedText(float v) { return printed(singleText(v), v < 0); }
std::string printedInteger(long long v) { return printed(integerText(v), v < 0); }
std::string printedText(const Numeric& v) {
    if (v.isUnset()) return "";
    return printed(numberText(v), v.value() < 0);
}

std::string spokenNumber(double v) {
    if (std::isnan(v)) return "не число";
    const std::string sign = v < 0 ? "−" : "";
    const double a = std::fabs(v);
    if (std::isinf(a)) return sign + "бесконечность";
    const std::string& sep = separatorStorage();
    if (a < 1e9) {
        // Hundredths as a whole number: the same digits on every platform.
        const long long hundredths = std::llround(a * 100.0);
        if (hundredths == 0) return "0";
        std::string out = sign + std::to_string(hundredths / 100);
        const int fraction = static_cast<int>(hundredths % 100);
        if (fraction != 0) {
            out += sep;
            out += static_cast<char>('0' + fraction / 10);
            if (fraction % 10 != 0) out += static_cast<char>('0' + fraction % 10);
        }
        return out;
    }
    char buf[32];
    const char* end = compat::toScientific(buf, sizeof buf, a, 2);
    const std::string_view sci(buf, static_cast<std::size_t>(end - buf));  // "d.dde+XX"
    const std::size_t ePos = sci.find('e');
    std::string mantissa(sci.substr(0, ePos));
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
    if (const std::size_t point = mantissa.find('.'); point != std::string::npos) mantissa.replace(point, 1, sep);
    int exponent = 0;
    std::from_chars(sci.data() + ePos + 2, sci.data() + sci.size(), exponent);
    return sign + mantissa + "·10^" + std::to_string(exponent);
}

double parseNumber(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // Significant digits are gathered into a bounded buffer: 800 of them are
    // more than enough to round any decimal to the nearest double, and every
    // further non-zero digit only matters as a "something follows" mark.
    constexpr std::size_t kMaxDigits = 800;
    std::string digits;
    bool sticky = false;
    long long dropped = 0;       // integer digits not kept in `digits`
    long long fractionKept = 0;  // fraction digits kept in `digits`
    bool anyDigit = false;

    auto take = [&](char c, bool inFraction) {
        anyDigit = true;
        if (digits.empty() && c == '0') {
            if (inFraction) ++fractionKept;  // a leading zero of the fraction shifts the value
            return;
        }
        if (digits.size() < kMaxDigits) {
            digits += c;
            if (inFraction) ++fractionKept;
        } else {
            if (c != '0') sticky = true;
            if (!inFraction) ++dropped;
        }
    };

    while (i < n && isDigit(text[i])) take(text[i++], false);
    // The point and the comma both separate the fraction, in every locale,
    // so that a number the program wrote with either reads back; only the
    // first one counts.
    if (i < n && (text[i] == '.' || text[i] == ',')) {
        ++i;
        while (i < n && isDigit(text[i])) take(text[i++], true);
    }
    if (!anyDigit) return 0.0;

    long long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            expNegative = text[j] == '-';
            ++j;
        }
        if (j < n && isDigit(text[j])) {
            constexpr long long kCap = 1'000'000'000LL;  // far beyond any double, no overflow
            while (j < n && isDigit(text[j])) {
                if (exponent < kCap) exponent = exponent * 10 + (text[j] - '0');
                ++j;
            }
            if (expNegative) exponent = -exponent;
        }
    }

    if (digits.empty()) return negative ? -0.0 : 0.0;
    if (sticky) digits += '1';
    // value = 0.digits * 10^(decimalExponent)
    const long long intDigits = static_cast<long long>(digits.size()) - (sticky ? 1 : 0) - fractionKept + dropped;
    const long long decimalExponent = exponent + intDigits;
    if (decimalExponent > 400) raiseFault(FaultKind::ConversionOverflow);
    if (decimalExponent < -400) return negative ? -0.0 : 0.0;

    const std::string canonical = "0." + digits + "e" + std::to_string(decimalExponent);
    double value = 0.0;
    if (!compat::fromDecimal(canonical, value)) {
        if (decimalExponent > 0) raiseFault(FaultKind::ConversionOverflow);
        value = 0.0;
    }
    return negative ? -value : value;
}

} // namespace viramont
