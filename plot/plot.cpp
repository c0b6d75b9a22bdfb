#include "plot/plot.h"

#include "params/formula.h"
#include "plot/axes.h"
#include "plot/columns.h"
#include "plot/description.h"
#include "plot/graph_loops.h"
#include "plot/legend.h"
#include "plot/routines.h"
#include "toolkit/arith.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace viramont {

namespace {

using graph::Family;
using graph::forEachX;
using graph::GraphBatch;
using graph::kGraphStep;
using graph::kScanStep;
using graph::Params;

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

// One graph in its colour, its points traced into `trace` when given; with
// nothing traced, `within` may tell where all its values lie. Whatever ends
// the loop, a fault included, hands over the points collected so far first,
// so that everything computed before a fault stays drawn.
template <class Value>
void drawGraph(Form& form, Colour colour, double start, double end, GraphTrace* trace, const graph::Shape& shape,
               const Value& value, std::optional<std::pair<float, float>> within = std::nullopt) {
    // On a canvas of pixels, a pixel column at a time: the same picture.
    if (const CanvasGeometry* grid = graph::columnGrid(form.Picture1)) {
        graph::ColumnSink sink(form.Picture1, colour, trace);
        try {
            graph::ColumnDrawing<Value> drawing(*grid, shape, sink, form.state.CurX, form.state.CurY, value);
            if (within) drawing.valuesWithin(within->first, within->second);
            drawing.draw(start, end);
        } catch (...) {
            sink.flush();
            throw;
        }
        sink.flush();
        return;
    }
    GraphBatch batch(form.Picture1, colour, trace);
    try {
        collectGraph(form.state, start, end, batch, value);
    } catch (...) {
        batch.flush();
        throw;
    }
    batch.flush();
}

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
        drawGraph(form, kBlue, s.XStart.value(), s.XEnd, &outcome.base, Values::shape(p, false),
                  [&p](float x) { return Values::base(p, x); });
        part = Part::TransformedGraph;
        const Interval red = RedInterval(s);
        drawGraph(form, kRed, red.start, red.end, &outcome.transformed, Values::shape(p, true),
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

// The part of a plot that stays still while the transformation moves.
template <class Values>
void still(Form& form, GuideLines guides) {
    FormState& s = form.state;
    const Params p(s);
    bool atBase = false;
    scanRange<Values>(s, p, atBase);
    DrawAxes(form, guides);
    std::optional<std::pair<float, float>> within;
    if constexpr (requires { Values::baseWithin(s.XStart.value(), s.XEnd); }) {
        within = Values::baseWithin(s.XStart.value(), s.XEnd);
    }
    drawGraph(form, kBlue, s.XStart.value(), s.XEnd, nullptr, Values::shape(p, false),
              [&p](float x) { return Values::base(p, x); }, within);
}

} // namespace

void DrawStill(Form& form, GuideLines guides) {
    graph::visitValues(form.state.FunctionName, [&](auto values) { still<decltype(values)>(form, guides); });
}

void PlotSin(Form& form) { plot<graph::SinValues>(form); }
void PlotCos(Form& form) { plot<graph::CosValues>(form); }
void PlotSquare(Form& form) { plot<graph::PowerValues<2>>(form); }
void PlotCube(Form& form) { plot<graph::PowerValues<3>>(form); }
void PlotLog(Form& form) { plot<graph::LogValues>(form); }
void PlotLogBase(Form& form) { plot<graph::LogBaseValues>(form); }

namespace {
struct Routine {
    const char* function;
    void (*plot)(Form&);
};
constexpr Routine kRoutines[] = {{fn::kSin, PlotSin},       {fn::kCos, PlotCos}, {fn::kSquare, PlotSquare},
                                 {fn::kCube, PlotCube},     {fn::kLog, PlotLog}, {fn::kLogBase, PlotLogBase}};
} // namespace

double GraphPoints(const FormState& s) {
    auto points = [](double from, double to) {
        const double lo = std::max(from, -graph::kGraphReach), hi = std::min(to, graph::kGraphReach);
        return hi > lo ? (hi - lo) / graph::kGraphStep : 0.0;
    };
    const Interval red = RedInterval(s);
    return points(s.XStart.value(), s.XEnd) + points(red.start, red.end);
}

Interval RedInterval(const FormState& s) {
    const double b = s.ShiftX.value();
    return {s.XStart.value() - b, static_cast<double>(s.XEnd) - b};
}

void DrawCurve(const FormState& state, Interval over, Canvas& canvas, Colour colour, GraphTrace* trace) {
    const Params p(state);
    graph::visitValues(state.FunctionName, [&](auto values) {
        try {
            graph::drawCurveWhereDefined<decltype(values)>(p, over.start, over.end, canvas, colour, trace);
        } catch (const RuntimeFault&) {
        }
    });
}

// Six independent tests of the name, in list order: each routine whose name
// matches runs.
void Command1_Click(Form& form) {
    const std::string& name = form.state.FunctionName;
    for (const Routine& routine : kRoutines) {
        if (name == routine.function) routine.plot(form);
    }
}

} // namespace viramont
