#include "plot/steps.h"

#include "params/formula.h"
#include "toolkit/number_text.h"
#include "toolkit/utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <optional>

namespace viramont {

namespace {

// ---- numbers as a pupil writes them ------------------------------------

// A decimal of at most this many places counts as short.
constexpr int kShortPlaces = 3;
// An approximate number keeps this many significant digits.
constexpr int kApproximateDigits = 3;
// Whole numbers of the exact arithmetic stay below this.
constexpr long long kDigitLimit = 1'000'000'000'000'000LL;

// A non-negative number as the program writes it (number_text.h), read back
// exactly: digits / 10^places. Nothing where it has more than 15
// significant digits or places. Any text between the digits is the user's
// decimal separator.
struct Decimal {
    long long digits;
    int places;
};
std::optional<Decimal> decimalOf(const std::string& text) {
    long long digits = 0;
    int significant = 0, places = 0;
    bool fraction = false;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != 'E'; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            fraction = true;
            continue;
        }
        if (digits > 0 || c != '0') ++significant;
        if (significant > 15) return std::nullopt;
        digits = digits * 10 + (c - '0');
        if (fraction) ++places;
    }
    if (i < text.size()) places -= std::atoi(text.c_str() + i + 1);  // "E+07", "E-06"
    for (; places < 0; ++places) {
        if (digits >= kDigitLimit / 10) return std::nullopt;
        digits *= 10;
    }
    for (; places > 0 && digits % 10 == 0; --places) digits /= 10;
    if (places > 15) return std::nullopt;
    return Decimal{digits, places};
}

// p / q as a reduced fraction of whole numbers; nothing where q is 0 or the
// numbers grow too large.
struct Fraction {
    long long num, den;
};
std::optional<Fraction> ratioOf(Decimal p, Decimal q) {
    if (q.digits == 0) return std::nullopt;
    long long num = p.digits, den = q.digits;
    for (int shift = q.places - p.places; shift != 0; shift += shift > 0 ? -1 : 1) {
        long long& grows = shift > 0 ? num : den;
        const long long g = std::gcd(num, den);
        num /= g;
        den /= g;
        if (grows >= kDigitLimit / 10) return std::nullopt;
        grows *= 10;
    }
    const long long g = std::gcd(num, den);
    return Fraction{num / g, den / g};
}

// The places of the decimal of a fraction's denominator; nothing where the
// decimal does not end.
std::optional<int> decimalPlaces(long long den) {
    int twos = 0, fives = 0;
    for (; den % 2 == 0; den /= 2) ++twos;
    for (; den % 5 == 0; den /= 5) ++fives;
    if (den != 1) return std::nullopt;
    return std::max(twos, fives);
}

double roundedToDigits(double v, int digits) {
    if (v == 0 || !std::isfinite(v)) return v;
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(v))) - (digits - 1));
    return std::round(v / unit) * unit;
}

// The quotient of two numbers written as the program writes them; `value`
// is the quotient as the arithmetic has it.
SheetNumber pupilRatio(const std::string& dividend, const std::string& divisor, double value) {
    const std::optional<Decimal> p = decimalOf(dividend), q = decimalOf(divisor);
    if (p && q) {
        if (const std::optional<Fraction> r = ratioOf(*p, *q)) {
            const std::optional<int> places = decimalPlaces(r->den);
            if (places && *places <= kShortPlaces) {
                return {doubleText(static_cast<double>(r->num) / static_cast<double>(r->den))};
            }
            if (p->places <= kShortPlaces && q->places <= kShortPlaces) {
                return {integerText(r->num) + "/" + integerText(r->den)};
            }
        }
    }
    return {doubleText(roundedToDigits(value, kApproximateDigits)), true};
}

// "раз" after a whole number ending in 1 or in 5 to 20, "раза" after any
// other number: в 2 раза, в 5 раз, в 21 раз, в 1,5 раза, в 10/3 раза.
const char* timesWord(const std::string& number) {
    if (number.find_first_not_of("0123456789") != std::string::npos) return "раза";
    const int lastTwo = std::atoi(number.c_str() + (number.size() > 2 ? number.size() - 2 : 0));
    const int last = lastTwo % 10;
    if (lastTwo >= 11 && lastTwo <= 14) return "раз";
    return last >= 2 && last <= 4 ? "раза" : "раз";
}

std::string timesPhrase(const SheetNumber& n) {
    return std::string(n.approximate ? "примерно в " : "в ") + n.text + " " + timesWord(n.text);
}

std::string byPhrase(const SheetNumber& n) { return std::string(n.approximate ? "примерно на " : "на ") + n.text; }

// ---- moves -----------------------------------------------------------------

// The axis named by a move's scaling and reflection: the one across the
// axis it goes along.
const char* acrossAxis(StepMove kind) { return kind == StepMove::StretchX ? "Oy" : "Ox"; }

std::string word(const char* capital, const char* small, bool asCapital) { return asCapital ? capital : small; }

// A factor f of a move of `kind`: a scaling by |f| where |f| > 1 (typed as
// `magnitude`), by 1/|f| where |f| < 1, and a reflection where f < 0.
Move factorMove(StepMove kind, double f, const std::string& magnitude) {
    Move move;
    move.kind = kind;
    move.amount = f;
    const double m = std::fabs(f);
    const Scaling above = kind == StepMove::StretchX ? Scaling::Squeeze : Scaling::Stretch;
    const Scaling below = above == Scaling::Squeeze ? Scaling::Stretch : Scaling::Squeeze;
    if (m > 1) {
        move.scaling = above;
        move.number = {magnitude};
    }
    if (m < 1) {
        move.scaling = below;
        move.number = pupilRatio("1", magnitude, 1 / m);
    }
    move.reflects = f < 0;
    return move;
}

// ---- formulas --------------------------------------------------------------

// y = A·f(k·x + b) + C in the formula style of ВЫБОР, without the sign
// that stands before a leading A.
std::string formulaOf(const FormState& plotted, float A, Numeric k, Numeric b, float C) {
    FormState s;
    s.FunctionName = plotted.FunctionName;
    s.LogBase = plotted.LogBase;
    s.StretchY = A;
    s.StretchX = k;
    s.ShiftX = b;
    s.ShiftY = C;
    ComposeLeadingTerms(s);
    ComposeFunctionTerm(s, utf8::characterCount(s.FunctionName));
    if (!s.FormulaText.empty() && s.FormulaText.front() == '+') s.FormulaText.erase(0, 1);
    return s.FormulaText;
}

// f(k(x + b/k)) from the formula of f(kx): the argument's "x)" becomes
// "(x+b/k))".
std::string factoredFormula(std::string unshifted, bool shiftPositive, const std::string& shift) {
    const std::size_t at = unshifted.find("x)");
    if (at == std::string::npos) return unshifted;
    unshifted.replace(at, 2, std::string("(x") + (shiftPositive ? "+" : "-") + shift + "))");
    return unshifted;
}

} // namespace

bool HasStepChain(const FormState& plotted) {
    const auto& names = kFunctionNames;
    return !plotted.StretchX.isUnset() &&
           std::find(std::begin(names), std::end(names), plotted.FunctionName) != std::end(names);
}

const FormState* ExplainedPlot(const LastPlot& last) {
    const std::optional<FormState>& plotted = last.inputs();
    return plotted && HasStepChain(*plotted) ? &*plotted : nullptr;
}

const char* AlongAxis(StepMove kind) { return kind == StepMove::StretchX || kind == StepMove::ShiftX ? "Ox" : "Oy"; }

bool IsShift(StepMove kind) { return kind == StepMove::ShiftX || kind == StepMove::ShiftY; }

bool SaidAlike(const Move& a, const Move& b) {
    return a.kind == b.kind && a.scaling == b.scaling && a.reflects == b.reflects && a.direction == b.direction &&
           a.number == b.number;
}

std::string ScalingName(const Move& move, bool capital) {
    const std::string axis = acrossAxis(move.kind);
    return move.scaling == Scaling::Stretch ? word("Растяжение", "растяжение", capital) + " от оси " + axis
                                            : word("Сжатие", "сжатие", capital) + " к оси " + axis;
}

std::string ScalingAmount(const Move& move) {
    return timesPhrase(move.number) + (move.reflects ? std::string(" и отражение относительно оси ") + acrossAxis(move.kind) : "");
}

std::string ShiftName(StepMove kind, bool capital) {
    return word("Сдвиг", "сдвиг", capital) + " вдоль оси " + AlongAxis(kind);
}

std::string ShiftAmount(const Move& move) {
    const char* towards = "";
    switch (move.direction) {
    case Direction::Left: towards = " влево"; break;
    case Direction::Right: towards = " вправо"; break;
    case Direction::Up: towards = " вверх"; break;
    case Direction::Down: towards = " вниз"; break;
    case Direction::None: break;
    }
    return byPhrase(move.number) + towards;
}

std::string MoveSentence(const Move& move, bool capital) {
    if (IsShift(move.kind)) return ShiftName(move.kind, capital) + " " + ShiftAmount(move);
    if (move.scaling != Scaling::None) return ScalingName(move, capital) + " " + ScalingAmount(move);
    if (move.reflects) return word("Отражение", "отражение", capital) + " относительно оси " + acrossAxis(move.kind);
    return {};
}

std::string StepFormula(const FormState& plotted, float A, Numeric k, Numeric b, float C) {
    return "y = " + formulaOf(plotted, A, k, b, C);
}

StepChain ComposeSteps(const FormState& s) {
    const float A = s.StretchY, C = s.ShiftY;
    const double k = s.StretchX.value(), b = s.ShiftX.value();
    const double start = s.XStart.value(), end = s.XEnd;
    const Numeric noShift = Numeric::real(0);

    StepChain chain;
    chain.function = s.FunctionName;
    chain.logBase = s.LogBase;
    chain.baseFormula = "y = " + formulaOf(s, 1.0f, Numeric::integer(1), noShift, 0.0f);
    chain.base = {1, 1, 0, 0, start, end};

    auto add = [&](const Move& move, std::string formula, StepCurve curve) {
        const std::string heading = "Шаг " + std::to_string(chain.steps.size() + 1);
        chain.steps.push_back({move, heading, "y = " + std::move(formula), MoveSentence(move), curve});
    };

    // 1: the factor k, over the interval that the shift carries onto the
    // red graph's.
    const double carried = b / k - b;
    if (k != 1) {
        add(factorMove(StepMove::StretchX, k, numberText(s.StretchX.abs())), formulaOf(s, 1.0f, s.StretchX, noShift, 0.0f),
            {1, k, 0, 0, start + carried, end + carried});
    } else {
        chain.leftOut.push_back("k = 1: сжатия и растяжения вдоль оси Ox нет");
    }

    // 2: the shift by b/k, onto the interval of the red graph.
    const double shiftedStart = start - b, shiftedEnd = end - b;
    if (b != 0) {
        const std::string bText = doubleText(std::fabs(b));
        const SheetNumber shift =
            std::fabs(k) == 1 ? SheetNumber{bText} : pupilRatio(bText, numberText(s.StretchX.abs()), std::fabs(b / k));
        const bool left = (b > 0) == (k > 0);
        std::string formula = formulaOf(s, 1.0f, s.StretchX, s.ShiftX, 0.0f);
        if (k != 1 && !shift.approximate) {
            formula = factoredFormula(formulaOf(s, 1.0f, s.StretchX, noShift, 0.0f), left, shift.text) + " = " + formula;
        }
        Move move;
        move.kind = StepMove::ShiftX;
        move.amount = b / k;
        move.direction = left ? Direction::Left : Direction::Right;
        move.number = shift;
        add(move, std::move(formula), {1, k, b, 0, shiftedStart, shiftedEnd});
    } else {
        chain.leftOut.push_back("b = 0: сдвига вдоль оси Ox нет");
    }

    // 3: the factor A.
    if (A != 1) {
        add(factorMove(StepMove::StretchY, A, singleText(std::fabs(A))), formulaOf(s, A, s.StretchX, s.ShiftX, 0.0f),
            {A, k, b, 0, shiftedStart, shiftedEnd});
    } else {
        chain.leftOut.push_back("A = 1: растяжения и сжатия вдоль оси Oy нет");
    }

    // 4: the shift by C, onto the red graph itself.
    if (C != 0) {
        Move move;
        move.kind = StepMove::ShiftY;
        move.amount = C;
        move.direction = C > 0 ? Direction::Up : Direction::Down;
        move.number = {singleText(std::fabs(C))};
        add(move, formulaOf(s, A, s.StretchX, s.ShiftX, C), {A, k, b, C, shiftedStart, shiftedEnd});
    } else {
        chain.leftOut.push_back("C = 0: сдвига вдоль оси Oy нет");
    }
    return chain;
}

} // namespace viramont
