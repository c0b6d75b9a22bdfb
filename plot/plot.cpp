#include "plot/plot.h"

#include "params/formula.h"
#include "plot/axes.h"
#include "plot/description.h"
#include "plot/legend.h"
#include "plot/routines.h"
#include "toolkit/arith.h"
#include "toolkit/vector_state.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <span>

namespace viramont {

namespace {

// Steps of x, as 32-bit floats: 0.0001 is 9.99999974737875e-05.
constexpr float kScanStep = 0.5f;
constexpr float kGraphStep = 0.0001f;

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
// handed over in batches, one call for many points; each batch is traced
// for the picture's description on its way.
class GraphBatch {
public:
    GraphBatch(Canvas& canvas, Colour colour, GraphTrace& trace) : canvas_(canvas), colour_(colour), trace_(trace) {}
    GraphBatch(const GraphBatch&) = delete;
    GraphBatch& operator=(const GraphBatch&) = delete;

    void add(float x, float y) {
        points_[size_++] = {x, y};
        if (size_ == points_.size()) flush();
    }
    void flush() {
        if (size_ == 0) return;
        const std::span<const GraphPoint> batch{points_.data(), size_};
        trace_.add(batch);
        canvas_.points(batch, colour_);
        size_ = 0;
    }

private:
    Canvas& canvas_;
    Colour colour_;
    GraphTrace& trace_;
    std::array<GraphPoint, 512> points_;
    std::size_t size_ = 0;
};

// The loop of one graph: CurX from start to end at the graph step, CurY
// the value of each x, every point into the batch. Nothing in it waits for
// a fault on its way out, so a fault leaves it at no cost on the way in.
template <class Value>
[[gnu::noinline]] void collectGraph(FormState& s, double start, double end, GraphBatch& batch, const Value& value) {
    forEachX(s.CurX, start, end, kGraphStep, [&](float x) {
        s.CurY = value(x);
        batch.add(x, s.CurY);
    });
}

// One graph in its colour. Whatever ends the loop, a fault included, hands
// over the points collected so far first, so that everything computed
// before a fault stays drawn.
template <class Value>
void drawGraph(Form& form, Colour colour, double start, double end, GraphTrace& trace, const Value& value) {
    GraphBatch batch(form.Picture1, colour, trace);
    try {
        collectGraph(form.state, start, end, batch, value);
    } catch (...) {
        batch.flush();
        throw;
    }
    batch.flush();
}

// The numbers of the transformation, read from the form once per plot.
struct Params {
    double A, k, b, C;
    std::int16_t a;
    double lnA;  // ln a, taken once where a has one

    explicit Params(const FormState& s)
        : A(s.StretchY),
          k(s.StretchX.value()),
          b(s.ShiftX.value()),
          C(s.ShiftY),
          a(s.LogBase),
          lnA(a > 0 ? naturalLog(a) : 0.0) {}

    double u(double x) const { return k * x + b; }
    // ln a, as each value of the base-a logarithm takes it: a base that is
    // not positive faults there, as the logarithm does, so a plot whose loops
    // make no pass never does.
    double logOfBase() const { return a > 0 ? lnA : naturalLog(a); }
};

// Which kind of function a routine plots, as far as its faults differ.
enum class Family { Trigonometric, Power, Logarithm, LogarithmToBase };

// The values of one routine: the base value f(x) (blue graph, second scan
// value), the transformed value of the scan T(x) and of the red graph F(x),
// each already stored as the 32-bit value of CurY. Where the routine tests
// the floating-point status, a NaN, an infinity or a result beyond the 32-bit
// range is a fault; where it does not, storing such a value into CurY is a
// conversion overflow.
struct SinValues {
    static constexpr Family kFamily = Family::Trigonometric;
    static float base(const Params&, double x) { return static_cast<float>(std::sin(x)); }
    static float transformed(const Params& p, double x) {
        return static_cast<float>(checkedSingleResult(p.A * std::sin(p.u(x)) + p.C));
    }
    static float scan(const Params& p, double x) { return transformed(p, x); }
};

struct CosValues {
    static constexpr Family kFamily = Family::Trigonometric;
    static float base(const Params&, double x) { return static_cast<float>(std::cos(x)); }
    static float transformed(const Params& p, double x) {
        return static_cast<float>(checkedSingleResult(p.A * std::cos(p.u(x)) + p.C));
    }
    static float scan(const Params& p, double x) { return transformed(p, x); }
};

template <int N>
struct PowerValues {
    static constexpr Family kFamily = Family::Power;
    static float base(const Params&, double x) { return toSingle(std::pow(x, static_cast<double>(N))); }
    static float transformed(const Params& p, double x) {
        return toSingle(p.C + p.A * std::pow(p.u(x), static_cast<double>(N)));
    }
    // The range scan of the power functions leaves b out.
    static float scan(const Params& p, double x) {
        return toSingle(p.C + p.A * std::pow(p.k * x, static_cast<double>(N)));
    }
};

struct LogValues {
    static constexpr Family kFamily = Family::Logarithm;
    static float base(const Params&, double x) { return static_cast<float>(naturalLog(x)); }
    static float transformed(const Params& p, double x) {
        return static_cast<float>(checkedSingleResult(p.A * naturalLog(p.u(x)) + p.C));
    }
    static float scan(const Params& p, double x) { return transformed(p, x); }
};

struct LogBaseValues {
    static constexpr Family kFamily = Family::LogarithmToBase;
    static float base(const Params& p, double x) {
        return static_cast<float>(checkedSingleResult(checkedDivide(naturalLog(x), p.logOfBase())));
    }
    static float transformed(const Params& p, double x) {
        const double quotient = checkedDivide(p.A * naturalLog(p.u(x)), p.logOfBase());
        return static_cast<float>(checkedSingleResult(quotient + p.C));
    }
    static float scan(const Params& p, double x) { return transformed(p, x); }
};

void noteInRange(FormState& s) {
    if (s.CurY > s.YMax.value()) s.YMax = Numeric::single(s.CurY);
    if (s.CurY < s.YMin) s.YMin = s.CurY;
}

// The range scan: YMax and YMin from both values at every x of the scan.
// `atBase` tells which of the two a fault stopped at.
template <class Values>
[[gnu::noinline]] void scanRange(FormState& s, const Params& p, bool& atBase) {
    s.YMax = Numeric::integer(-1000);
    s.YMin = 1000.0f;
    forEachX(s.CurX, s.XStart.value(), s.XEnd, kScanStep, [&](float x) {
        atBase = false;
        s.CurY = Values::scan(p, x);
        noteInRange(s);
        atBase = true;
        s.CurY = Values::base(p, x);
        noteInRange(s);
    });
}

bool fitsSingle(double v) { return std::fabs(v) < kSingleLimit; }

// What stopped a plot, where and why: `part` was running, at CurX, and the
// red graph's value failed when `transformed`.
template <class Values>
FaultSite siteOf(const RuntimeFault& fault, FaultSite::Part part, bool transformed, const FormState& s,
                 const Params& p) {
    using Cause = FaultSite::Cause;
    FaultSite site;
    site.part = part;
    site.transformed = transformed;
    site.start = s.XStart.value();
    site.end = s.XEnd;
    site.shift = p.b;
    if (part == FaultSite::Part::Axes || part == FaultSite::Part::Legend) return site;

    // A loop whose ends lie beyond the 32-bit range never started.
    const double shift = part == FaultSite::Part::TransformedGraph ? p.b : 0.0;
    if (!fitsSingle(site.start - shift) || !fitsSingle(static_cast<double>(site.end) - shift)) {
        site.cause = Cause::IntervalTooFar;
        return site;
    }
    const double x = s.CurX;
    const double u = p.u(x);
    site.x = x;
    const FaultKind kind = fault.kind();
    constexpr bool logarithm = Values::kFamily == Family::Logarithm || Values::kFamily == Family::LogarithmToBase;
    if (s.StretchX.isUnset()) {
        site.cause = Cause::NotRead;  // Command1 before ВЫБОР has read the fields
    } else if (Values::kFamily == Family::LogarithmToBase && p.a == 1) {
        site.cause = Cause::BaseOfOne;
    } else if (Values::kFamily == Family::LogarithmToBase && p.a <= 0) {
        site.cause = Cause::NoBase;
    } else if (logarithm && kind == FaultKind::InvalidArgument) {
        site.cause = Cause::Logarithm;
        site.subject = transformed ? ArgumentText(s.StretchX, s.ShiftX) : "x";
        site.value = transformed ? u : x;
    } else if (Values::kFamily == Family::Trigonometric && kind == FaultKind::InvalidOperation && !std::isfinite(u)) {
        site.cause = Cause::ArgumentTooLarge;
        site.subject = ArgumentText(s.StretchX, s.ShiftX);
    } else if (kind == FaultKind::Overflow || kind == FaultKind::ConversionOverflow) {
        site.cause = Cause::TooLarge;
    }
    return site;
}

// The one skeleton of every plot: range scan, axes, blue base graph, red
// transformed graph over the interval moved by -b, legend; then the
// picture in words. A fault on the way is told with what stopped, where
// and why.
template <class Values>
void plot(Form& form) {
    using Part = FaultSite::Part;
    FormState& s = form.state;
    const Params p(s);
    PlotOutcome outcome;
    Part part = Part::Scan;
    bool atBase = false;
    try {
        scanRange<Values>(s, p, atBase);
        part = Part::Axes;
        DrawAxes(form);
        part = Part::BaseGraph;
        drawGraph(form, kBlue, s.XStart.value(), s.XEnd, outcome.base, [&p](float x) { return Values::base(p, x); });
        part = Part::TransformedGraph;
        drawGraph(form, kRed, s.XStart.value() - p.b, static_cast<double>(s.XEnd) - p.b, outcome.transformed,
                  [&p](float x) { return Values::transformed(p, x); });
        part = Part::Legend;
        ShowLegend(form);
    } catch (const RuntimeFault& fault) {
        const bool transformed = part == Part::TransformedGraph || (part == Part::Scan && !atBase);
        const RuntimeFault told(fault.kind(), siteOf<Values>(fault, part, transformed, s, p));
        outcome.fault = &told;
        DescribePlot(s, outcome);
        throw told;
    }
    DescribePlot(s, outcome);
}

} // namespace

void PlotSin(Form& form) { plot<SinValues>(form); }
void PlotCos(Form& form) { plot<CosValues>(form); }
void PlotSquare(Form& form) { plot<PowerValues<2>>(form); }
void PlotCube(Form& form) { plot<PowerValues<3>>(form); }
void PlotLog(Form& form) { plot<LogValues>(form); }
void PlotLogBase(Form& form) { plot<LogBaseValues>(form); }

namespace {
struct Routine {
    const char* function;
    void (*plot)(Form&);
};
constexpr Routine kRoutines[] = {{fn::kSin, PlotSin},       {fn::kCos, PlotCos}, {fn::kSquare, PlotSquare},
                                 {fn::kCube, PlotCube},     {fn::kLog, PlotLog}, {fn::kLogBase, PlotLogBase}};
} // namespace

// Six independent tests of the name, in list order: each routine whose name
// matches runs.
void Command1_Click(Form& form) {
    const std::string& name = form.state.FunctionName;
    for (const Routine& routine : kRoutines) {
        if (name == routine.function) routine.plot(form);
    }
}

} // namespace viramont
