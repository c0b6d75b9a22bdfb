#include "plot/step_graphs.h"

#include "form/layout.h"
#include "plot/columns.h"
#include "plot/graph_loops.h"
#include "toolkit/guard.h"
#include "toolkit/number_text.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

namespace viramont {

namespace {

using graph::Params;

constexpr int kCurveWidth = 3;
constexpr int kMutedWidth = 2;
constexpr Colour kGridColour = rgb(225, 225, 225);
constexpr Colour kAxisColour = rgb(64, 64, 64);
// In logical pixels: a tick on either side of its axis, an arrowhead's
// length and half its width.
constexpr double kTick = 3, kArrow = 8, kArrowHalf = 3;
// In logical pixels: the room the labels take below the x-axis and right
// of the y-axis.
constexpr double kLabelRoomBelow = 18, kLabelRoomRight = 36;
// In logical pixels: the room an axis's name keeps at its end.
constexpr double kNameRoom = 24;

using Reach = graph::LoopReach;

// The values the loop over one curve meets, with the x and the arithmetic
// of the plot's red graph, worked out from a few of them.
template <class Values>
void collectGraphReach(const Params& p, const StepCurve& c, Reach& reach) {
    graph::reachOfLoop(c.start, c.end, Values::shape(p, true), [&p](float x) { return Values::transformed(p, x); },
                       graph::WhereDefined<Values>{&p}, reach);
}

// The part of the plane every graph shows.
struct View {
    double left, right, bottom, top;
};

// What the loop of a curve meets that differs from `before` only in A and
// C, at the same x: its values, moved as the move moves them.
Reach movedReach(const Reach& before, const StepCurve& from, const StepCurve& to) {
    Reach moved = before;
    if (before.defined == 0) return moved;
    const double a = (before.low - from.C) * (to.A / from.A) + to.C;
    const double b = (before.high - from.C) * (to.A / from.A) + to.C;
    moved.low = static_cast<float>(std::min(a, b));
    moved.high = static_cast<float>(std::max(a, b));
    return moved;
}

// A range grown to take in 0 where 0 lies within one span of it, so that
// the axes a move squeezes towards or stretches from are in view; then a
// twentieth of the span on either side, at least a millionth of the
// largest value (one unit where that is 0 too).
void frameRange(double& low, double& high) {
    const double span = high - low;
    if (low > 0 && low <= span) low = 0;
    if (high < 0 && -high <= span) high = 0;
    double margin = std::max((high - low) / 20, 1e-6 * std::max(std::fabs(low), std::fabs(high)));
    if (!(margin > 0)) margin = 1;
    low -= margin;
    high += margin;
}

// Where an axis at 0 lies between `near` and `far` (near <= 0 < far),
// `near` moved out so that at least `room` of the `pixels` across the view
// lie between it and the axis: the axes' labels hang below the x-axis and
// stand right of the y-axis.
void keepRoom(double& near, double far, double room, double pixels) {
    const double share = room / pixels;
    if (near <= 0 && far > 0 && -near < share * (far - near)) near = -share * far / (1 - share);
}

bool drawable(double x) { return std::fabs(x) < kSingleLimit; }

View viewOf(const std::vector<const StepCurve*>& curves, const std::vector<Reach>& reach) {
    double left = std::numeric_limits<double>::infinity(), right = -left;
    double bottom = left, top = right;
    for (std::size_t i = 0; i < curves.size(); ++i) {
        const StepCurve& c = *curves[i];
        if (drawable(c.start) && drawable(c.end) && c.start <= c.end) {
            left = std::min(left, c.start);
            right = std::max(right, c.end);
        }
        if (reach[i].defined > 0) {
            bottom = std::min<double>(bottom, reach[i].low);
            top = std::max<double>(top, reach[i].high);
        }
    }
    if (left > right) {  // no curve has an x: the interval as it was typed
        const StepCurve& base = *curves.front();
        left = drawable(base.start) ? base.start : 0;
        right = drawable(base.end) ? base.end : 0;
        if (left > right) std::swap(left, right);
    }
    if (bottom > top) bottom = -1, top = 1;
    frameRange(left, right);
    frameRange(bottom, top);
    // Room for the labels below the x-axis and right of the y-axis.
    keepRoom(bottom, top, kLabelRoomBelow, layout::kStepGraph.height);
    double mirroredLeft = -right;
    keepRoom(mirroredLeft, -left, kLabelRoomRight, layout::kStepGraph.width);
    right = -mirroredLeft;
    return {left, right, bottom, top};
}

// About five grid lines over a span, at 1, 2 or 5 times a power of ten.
double gridStep(double span) {
    const double raw = span / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double m = raw / power;
    return (m < 1.5 ? 1 : m < 3.5 ? 2 : m < 7.5 ? 5 : 10) * power;
}

// The grid line that gets the axis's number: the first one past 0, or
// else the one before 0, that lies in low..high with `room` (user units)
// left before `high` for the axis's name; NaN where neither does.
double labelledLine(double low, double high, double step, double room) {
    for (const double v : {std::max(step, std::ceil(low / step) * step), -step}) {
        if (v >= low && v <= high - room) return v;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

// The lines of the grid at `step` over low..high, at most a hundred.
template <class Line>
void gridLines(double low, double high, double step, Line&& line) {
    const double first = std::ceil(low / step) * step;
    for (int i = 0; i < 100; ++i) {
        const double v = first + i * step;
        if (v > high) break;
        line(v);
    }
}

// A graph's paper: the view's scale, the grid, the axes where they are in
// view with an arrow, a name and the length of one grid step each.
void drawFrame(Canvas& g, const View& v) {
    g.clear();
    g.setScale(v.left, v.top, v.right, v.bottom);
    g.setDrawWidth(1);
    const double px = (v.right - v.left) / layout::kStepGraph.width;
    const double py = (v.top - v.bottom) / layout::kStepGraph.height;
    const double sx = gridStep(v.right - v.left), sy = gridStep(v.top - v.bottom);
    if (!std::isfinite(sx) || !std::isfinite(sy) || sx <= 0 || sy <= 0) return;
    gridLines(v.left, v.right, sx, [&](double x) { g.line(x, v.bottom, x, v.top, kGridColour); });
    gridLines(v.bottom, v.top, sy, [&](double y) { g.line(v.left, y, v.right, y, kGridColour); });

    if (v.bottom <= 0 && v.top >= 0) {
        g.line(v.left, 0, v.right, 0, kAxisColour);
        g.line(v.right - kArrow * px, kArrowHalf * py, v.right - px, 0, kAxisColour);
        g.line(v.right - px, 0, v.right - kArrow * px, -kArrowHalf * py, kAxisColour);
        g.print("x", LineEnd::NewLine);
        const double x = labelledLine(v.left, v.right, sx, kNameRoom * px);
        if (!std::isnan(x)) {
            g.line(x, kTick * py, x, -kTick * py, kAxisColour);
            g.print(doubleText(x), LineEnd::NewLine);
        }
    }
    if (v.left <= 0 && v.right >= 0) {
        g.line(0, v.bottom, 0, v.top, kAxisColour);
        g.line(-kArrowHalf * px, v.top - kArrow * py, 0, v.top - py, kAxisColour);
        g.line(0, v.top - py, kArrowHalf * px, v.top - kArrow * py, kAxisColour);
        g.print(" y", LineEnd::NewLine);
        const double y = labelledLine(v.bottom, v.top, sy, kNameRoom * py);
        if (!std::isnan(y)) {
            g.line(-kTick * px, y, kTick * px, y, kAxisColour);
            g.print(" " + doubleText(y), LineEnd::NewLine);
        }
    }
}

} // namespace

void DrawStepGraphs(const StepChain& chain, std::span<Canvas* const> graphs, std::vector<std::string>& notes) {
    std::vector<const StepCurve*> curves{&chain.base};
    for (const TransformStep& step : chain.steps) curves.push_back(&step.curve);
    const std::size_t n = std::min(curves.size(), graphs.size());
    curves.resize(n);
    notes.assign(n, {});
    std::vector<std::exception_ptr> ended(n);

    graph::visitValues(chain.function, [&](auto values) {
        using Values = decltype(values);
        auto paramsOf = [&](std::size_t i) {
            const StepCurve& c = *curves[i];
            return Params(c.A, c.k, c.b, c.C, chain.logBase);
        };

        // The scale: every value of every curve. A fault ends that curve's
        // scan; its drawing meets the same fault at the same x. The moves
        // along the y-axis keep the x, and their curves' values follow from
        // the values before them.
        std::vector<Reach> reach(n);
        for (std::size_t i = 0; i < n; ++i) {
            const StepMove move = i > 0 ? chain.steps[i - 1].move.kind : StepMove::StretchX;
            if (move == StepMove::StretchY || move == StepMove::ShiftY) {
                reach[i] = movedReach(reach[i - 1], *curves[i - 1], *curves[i]);
                continue;
            }
            try {
                collectGraphReach<Values>(paramsOf(i), *curves[i], reach[i]);
            } catch (...) {
            }
        }
        const View view = viewOf(curves, reach);
        for (std::size_t i = 0; i < n; ++i) drawFrame(*graphs[i], view);

        // Each curve once, into its own graph and muted into the next.
        for (std::size_t i = 0; i < n; ++i) {
            Canvas* next = i + 1 < n ? graphs[i + 1] : nullptr;
            graphs[i]->setDrawWidth(kCurveWidth);
            if (next) next->setDrawWidth(kMutedWidth);
            try {
                graph::drawCurveWhereDefined<Values>(paramsOf(i), curves[i]->start, curves[i]->end, *graphs[i],
                                                     i == 0 ? kBlue : kRed, nullptr, next, kMutedCurve);
            } catch (...) {
                ended[i] = std::current_exception();
            }
        }

        for (std::size_t i = 0; i < n; ++i) {
            if (ended[i]) notes[i] = messageOf(ended[i]) + " — дальше график не построен";
            else if (reach[i].visited == 0) notes[i] = kEmptyIntervalNote;
            else if (reach[i].defined == 0) notes[i] = kNowhereDefinedNote;
        }
    });

    for (const std::exception_ptr& e : ended) {
        if (e) std::rethrow_exception(e);
    }
}

void DrawBaseAndRed(const StepChain& chain, Canvas& graph) {
    std::vector<const StepCurve*> curves{&chain.base};
    if (!chain.steps.empty()) curves.push_back(&chain.steps.back().curve);
    graph::visitValues(chain.function, [&](auto values) {
        using Values = decltype(values);
        auto paramsOf = [&](std::size_t i) {
            const StepCurve& c = *curves[i];
            return Params(c.A, c.k, c.b, c.C, chain.logBase);
        };
        std::vector<Reach> reach(curves.size());
        for (std::size_t i = 0; i < curves.size(); ++i) {
            try {
                collectGraphReach<Values>(paramsOf(i), *curves[i], reach[i]);
            } catch (...) {
            }
        }
        drawFrame(graph, viewOf(curves, reach));
        graph.setDrawWidth(kCurveWidth);
        for (std::size_t i = 0; i < curves.size(); ++i) {
            try {
                graph::drawCurveWhereDefined<Values>(paramsOf(i), curves[i]->start, curves[i]->end, graph,
                                                     i == 0 ? kBlue : kRed, nullptr);
            } catch (...) {
            }
        }
    });
}

} // namespace viramont
