#include "practice/notation.h"

#include "form/form.h"
#include "toolkit/number_text.h"

#include <cmath>

namespace viramont::practice {

namespace {

constexpr const char* kMinus = "−";

bool whole(double v) { return v == std::floor(v); }

// "₁₀": the digits below the line.
std::string subscript(int n) {
    static constexpr const char* kDigits[] = {"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};
    std::string digits = std::to_string(n), out;
    for (char d : digits) out += kDigits[d - '0'];
    return out;
}

// "3x + 1", "−x", "0,5x − 2"
std::string argument(const Transform& t) {
    std::string text = t.k < 0 ? kMinus : "";
    if (std::fabs(t.k) != 1) text += textbookNumber(t.k);
    text += "x";
    if (t.b > 0) text += " + " + textbookNumber(t.b);
    if (t.b < 0) text += std::string(" ") + kMinus + " " + textbookNumber(t.b);
    return text;
}

std::string logName(const Curve& curve) {
    if (curve.function == fn::kLog) return "ln";
    if (curve.logBase == 10) return "lg";
    return "log" + subscript(curve.logBase);
}

} // namespace

std::string textbookNumber(double v) {
    const double a = std::fabs(v);
    if (whole(a)) return std::to_string(std::llround(a));
    return spokenNumber(a);
}

std::string textbookFormula(const Curve& curve, const Transform& t) {
    const bool power = curve.function == fn::kSquare || curve.function == fn::kCube;
    const bool trig = curve.function == fn::kSin || curve.function == fn::kCos;
    const bool bareX = t.k == 1 && t.b == 0;
    std::string term;
    if (power) {
        const std::string up = curve.function == fn::kSquare ? "²" : "³";
        term = bareX ? "x" + up : "(" + argument(t) + ")" + up;
    } else {
        // sin x, sin 2x, sin(−x), sin(3x + 1); ln x, ln(2x)
        const std::string name = trig ? (curve.function == fn::kSin ? "sin" : "cos") : logName(curve);
        const bool plain = bareX || (trig && t.b == 0 && t.k > 0 && whole(t.k));
        term = name + (plain ? " " + argument(t) : "(" + argument(t) + ")");
    }
    std::string text = "y = ";
    if (t.A < 0) text += kMinus;
    if (std::fabs(t.A) != 1) text += textbookNumber(t.A) + (power ? "" : " ");
    text += term;
    if (t.C > 0) text += " + " + textbookNumber(t.C);
    if (t.C < 0) text += std::string(" ") + kMinus + " " + textbookNumber(t.C);
    return text;
}

} // namespace viramont::practice
