#pragma once
// The loops and values every graph of the program is drawn with: the plot
// routines (plot.cpp) and the graphs of the step sheet (step_graphs.cpp).
//
//   forEachX      x as the 32-bit counter, advanced by a 32-bit addition
//   GraphBatch    a graph's points on their way to one canvas, or two
//   Params        A, k, b, C and the base a as a graph's values read them
//   SinValues ... the values of each function: base f(x), the scan's T(x)
//                 and the transformed F(x), each stored as a 32-bit y

#include "form/form.h"
#include "plot/description.h"
#include "toolkit/arith.h"
#include "toolkit/vector_state.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace viramont::graph {

// Steps of x, as 32-bit floats: 0.0001 is 9.99999974737875e-05.
inline constexpr float kScanStep = 0.5f;
inline constexpr float kGraphStep = 0.0001f;
// Where the graph's step no longer moves x: from 2048 on, 0.0001 is less
// than half the distance between two floats.
inline constexpr double kGraphReach = 2048.0;

// Runs `body` for x = start, start + step, ... while x <= end. x is the
// 32-bit counter CurX, advanced by a 32-bit addition; start and end are
// fixed as 32-bit floats before the first pass (a value beyond their range
// is a conversion overflow). Far from 0 the step can vanish in the rounding
// (from 2048 on for 0.0001, from 2^23 for 0.5): the loop then ends as if it
// had passed its end.
template <class Body>
void forEachX(float& curX, double start, double end, float step, Body&& body) {
    curX = toSingle(start);
    const float last = toSingle(end);
    settleVectorRegisters();
    while (curX <= last) {
        body(curX);
        const float next = curX + step;
        if (next == curX) return;
        curX = next;
    }
}

// A graph's points on their way to the canvas: collected in order and
// handed over in batches, one call for many points. A second canvas, when
// given, gets every batch too, in a colour of its own; a trace, when given,
// sums each batch up for the picture's description on its way.
class GraphBatch {
public:
    GraphBatch(Canvas& canvas, Colour colour, GraphTrace* trace = nullptr, Canvas* second = nullptr,
               Colour secondColour = 0)
        : canvas_(canvas), colour_(colour), second_(second), secondColour_(secondColour), trace_(trace) {}
    GraphBatch(Canvas& canvas, Colour colour, Canvas* second, Colour secondColour)
        : GraphBatch(canvas, colour, nullptr, second, secondColour) {}
    GraphBatch(const GraphBatch&) = delete;
    GraphBatch& operator=(const GraphBatch&) = delete;

    void add(float x, float y) {
        points_[size_++] = {x, y};
        if (size_ == points_.size()) flush();
    }
    void flush() {
        if (size_ == 0) return;
        const std::span<const GraphPoint> batch{points_.data(), size_};
        if (trace_) trace_->add(batch);
        canvas_.points(batch, colour_);
        if (second_) second_->points(batch, secondColour_);
        size_ = 0;
    }

private:
    Canvas& canvas_;
    Colour colour_;
    Canvas* second_ = nullptr;
    Colour secondColour_ = 0;
    GraphTrace* trace_ = nullptr;
    std::array<GraphPoint, 512> points_;
    std::size_t size_ = 0;
};

// The numbers of the transformation, read once per graph.
struct Params {
    double A, k, b, C;
    std::int16_t a;
    double lnA;  // ln a, taken once where a has one

    Params(double A_, double k_, double b_, double C_, std::int16_t a_)
        : A(A_), k(k_), b(b_), C(C_), a(a_), lnA(a > 0 ? naturalLog(a) : 0.0) {}
    explicit Params(const FormState& s) : Params(s.StretchY, s.StretchX.value(), s.ShiftX.value(), s.ShiftY, s.LogBase) {}

    double u(double x) const { return k * x + b; }
    // ln a, as each value of the base-a logarithm takes it: a base that is
    // not positive faults there, as the logarithm does, so a plot whose loops
    // make no pass never does.
    double logOfBase() const { return a > 0 ? lnA : naturalLog(a); }
};

// What a graph's curve y = A·g(k·x + b) + C is like between two x, for
// drawing it a pixel column at a time (columns.h): where it may turn, and
// how steep it may be. g is sin (turning where u = π/2 + nπ), cos (u = nπ),
// u², u³ or ln u.
struct Shape {
    enum class Kind { Sin, Cos, Square, Cube, Log };
    Kind kind;
    double A = 1, k = 1, b = 0;

    double u(double x) const { return k * x + b; }
    // A bound on |dy/dx| over [lo, hi]; infinite where there is none.
    double slope(double lo, double hi) const {
        const double ulo = u(lo), uhi = u(hi), reach = std::max(std::fabs(ulo), std::fabs(uhi));
        switch (kind) {
        case Kind::Sin:
        case Kind::Cos: return std::fabs(A * k);
        case Kind::Square: return 2 * std::fabs(A * k) * reach;
        case Kind::Cube: return 3 * std::fabs(A * k) * reach * reach;
        case Kind::Log: {
            const double near = std::min(ulo, uhi);
            return near > 0 ? std::fabs(A * k) / near : std::numeric_limits<double>::infinity();
        }
        }
        return std::numeric_limits<double>::infinity();
    }
    // The x in [lo, hi] where the curve turns, in order, into `out`; false
    // when there are more than `most`.
    bool turns(double lo, double hi, std::size_t most, std::vector<double>& out) const {
        out.clear();
        if (kind == Kind::Square) {
            const double x = -b / k;
            if (x >= lo && x <= hi) out.push_back(x);
            return true;
        }
        if (kind != Kind::Sin && kind != Kind::Cos) return true;
        constexpr double kPi = 3.14159265358979323846;
        const double phase = kind == Kind::Sin ? kPi / 2 : 0.0;
        double ulo = u(lo), uhi = u(hi);
        if (ulo > uhi) std::swap(ulo, uhi);
        const double first = std::ceil((ulo - phase) / kPi), last = std::floor((uhi - phase) / kPi);
        if (!(last - first < static_cast<double>(most))) return last < first;
        for (double n = first; n <= last; ++n) out.push_back((phase + n * kPi - b) / k);
        if (k < 0) std::reverse(out.begin(), out.end());
        return true;
    }
};

// Where every value A·g(k·x + b) + C of a sine or cosine g lies for the x
// of a loop from start to end, low to high, when none of them can fault.
// g lies within ±1 (a hair more is allowed for, whatever the library's
// rounding), and each step of the arithmetic keeps order, so the values lie
// between those of g at its ends. No value faults where k·x + b is finite at
// both ends of the loop (and so between them) and those two values are
// within the 32-bit range. Nothing where that cannot be shown.
inline std::optional<std::pair<float, float>> waveWithin(const Params& p, double start, double end) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (!(std::fabs(start) <= kLargest && std::fabs(end) <= kLargest)) return std::nullopt;
    const double first = static_cast<float>(start), last = static_cast<float>(end);
    if (!std::isfinite(p.k) || !std::isfinite(p.b) || !std::isfinite(p.u(first)) || !std::isfinite(p.u(last))) {
        return std::nullopt;
    }
    constexpr double kOne = 1 + 0x1p-40;
    const double down = p.A * -kOne + p.C, up = p.A * kOne + p.C;
    if (!(std::fabs(down) < kSingleLimit && std::fabs(up) < kSingleLimit)) return std::nullopt;
    return std::pair{static_cast<float>(std::min(down, up)), static_cast<float>(std::max(down, up))};
}

// Which kind of function a routine plots, as far as its faults differ.
enum class Family { Trigonometric, Power, Logarithm, LogarithmToBase };

// The values of one routine: the base value f(x) (blue graph, second scan
// value), the transformed value of the scan T(x) and of the red graph F(x),
// each already stored as the 32-bit value of CurY. Where the routine tests
// the floating-point status, a NaN, an infinity or a result beyond the 32-bit
// range is a fault; where it does not, storing such a value into CurY is a
// conversion overflow. `defined` tells whether F has a value at x at all:
// only the logarithms lack one, where k·x + b is not positive.
struct SinValues {
    static constexpr Family kFamily = Family::Trigonometric;
    static Shape shape(const Params& p, bool transformed) {
        return transformed ? Shape{Shape::Kind::Sin, p.A, p.k, p.b} : Shape{Shape::Kind::Sin};
    }
    static float base(const Params&, double x) { return static_cast<float>(std::sin(x)); }
    static float transformed(const Params& p, double x) {
        return static_cast<float>(checkedSingleResult(p.A * std::sin(p.u(x)) + p.C));
    }
    static float scan(const Params& p, double x) { return transformed(p, x); }
    static bool defined(const Params&, double) { return true; }
    static std::optional<std::pair<float, float>> within(const Params& p, double start, double end) {
        return waveWithin(p, start, end);
    }
    // The base values are those of A = k = 1, b = C = 0 (but for the sign
    // of a zero): they lie where that one's do.
    static std::optional<std::pair<float, float>> baseWithin(double start, double end) {
        return waveWithin(Params(1, 1, 0, 0, 0), start, end);
    }
};

struct CosValues {
    static constexpr Family kFamily = Family::Trigonometric;
    static Shape shape(const Params& p, bool transformed) {
        return transformed ? Shape{Shape::Kind::Cos, p.A, p.k, p.b} : Shape{Shape::Kind::Cos};
    }
    static float base(const Params&, double x) { return static_cast<float>(std::cos(x)); }
    static float transformed(const Params& p, double x) {
        return static_cast<float>(checkedSingleResult(p.A * std::cos(p.u(x)) + p.C));
    }
    static float scan(const Params& p, double x) { return transformed(p, x); }
    static bool defined(const Params&, double) { return true; }
    static std::optional<std::pair<float, float>> within(const Params& p, double start, double end) {
        return waveWithin(p, start, end);
    }
    // The base values are those of A = k = 1, b = C = 0 (but for the sign
    // of a zero): they lie where that one's do.
    static std::optional<std::pair<float, float>> baseWithin(double start, double end) {
        return waveWithin(Params(1, 1, 0, 0, 0), start, end);
    }
};

template <int N>
struct PowerValues {
    static constexpr Family kFamily = Family::Power;
    static Shape shape(const Params& p, bool transformed) {
        constexpr Shape::Kind kind = N == 2 ? Shape::Kind::Square : Shape::Kind::Cube;
        return transformed ? Shape{kind, p.A, p.k, p.b} : Shape{kind};
    }
    static float base(const Params&, double x) { return toSingle(std::pow(x, static_cast<double>(N))); }
    static float transformed(const Params& p, double x) {
        return toSingle(p.C + p.A * std::pow(p.u(x), static_cast<double>(N)));
    }
    // The range scan of the power functions leaves b out.
    static float scan(const Params& p, double x) {
        return toSingle(p.C + p.A * std::pow(p.k * x, static_cast<double>(N)));
    }
    static bool defined(const Params&, double) { return true; }
};

struct LogValues {
    static constexpr Family kFamily = Family::Logarithm;
    static Shape shape(const Params& p, bool transformed) {
        return transformed ? Shape{Shape::Kind::Log, p.A, p.k, p.b} : Shape{Shape::Kind::Log};
    }
    static float base(const Params&, double x) { return static_cast<float>(naturalLog(x)); }
    static float transformed(const Params& p, double x) {
        return static_cast<float>(checkedSingleResult(p.A * naturalLog(p.u(x)) + p.C));
    }
    static float scan(const Params& p, double x) { return transformed(p, x); }
    static bool defined(const Params& p, double x) { return p.u(x) > 0; }
};

struct LogBaseValues {
    static constexpr Family kFamily = Family::LogarithmToBase;
    static Shape shape(const Params& p, bool transformed) {
        const double over = 1 / p.lnA;  // infinite for a = 1: no bound, every point evaluated
        return transformed ? Shape{Shape::Kind::Log, p.A * over, p.k, p.b} : Shape{Shape::Kind::Log, over};
    }
    static float base(const Params& p, double x) {
        return static_cast<float>(checkedSingleResult(checkedDivide(naturalLog(x), p.logOfBase())));
    }
    static float transformed(const Params& p, double x) {
        const double quotient = checkedDivide(p.A * naturalLog(p.u(x)), p.logOfBase());
        return static_cast<float>(checkedSingleResult(quotient + p.C));
    }
    static float scan(const Params& p, double x) { return transformed(p, x); }
    static bool defined(const Params& p, double x) { return p.u(x) > 0; }
};

// Calls `visit` with the values of the function named `name` (an entry of
// Combo1); false, without a call, for any other name.
template <class Visitor>
bool visitValues(const std::string& name, Visitor&& visit) {
    if (name == fn::kSin) visit(SinValues{});
    else if (name == fn::kCos) visit(CosValues{});
    else if (name == fn::kSquare) visit(PowerValues<2>{});
    else if (name == fn::kCube) visit(PowerValues<3>{});
    else if (name == fn::kLog) visit(LogValues{});
    else if (name == fn::kLogBase) visit(LogBaseValues{});
    else return false;
    return true;
}

// The loop of a curve of `Values` for `p` with the x and the arithmetic of
// the plot's red graph, every point where it has a value into the batch.
// Like the plot's own loops it holds nothing that waits for a fault on its
// way out.
template <class Values>
[[gnu::noinline]] void collectGraphWhereDefined(const Params& p, double start, double end, GraphBatch& batch) {
    float curX = 0;
    forEachX(curX, start, end, kGraphStep, [&](float x) {
        if (Values::defined(p, x)) batch.add(x, Values::transformed(p, x));
    });
}

} // namespace viramont::graph
