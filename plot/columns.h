#pragma once
// A graph drawn a pixel column at a time: the same pixels, trace and fault
// as evaluating every point of its loop, from far fewer points.
//
// Why the picture is the same. A canvas of pixels draws a point as a dot
// on the pixel it falls into, so a graph's picture is fixed by the set of
// pixels its points fall into. The loop's x are the counter's floats, known
// without running it (counter.h); the x of one pixel column are one
// stretch of them. Between two turns of the curve (Shape) the stored y is
// monotone in x, so the points of a stretch fall into the rows between its
// first and its last point; where the curve is flat enough that one pass
// moves y less than half a row, they fall into every one of those rows. Such
// a stretch is drawn from its two ends, a point in each row between, and
// the few points the graph's trace needs: where its highest and lowest
// values are first reached and where it meets the x-axis (found by halving,
// the values being monotone). No value in it can fault where its two ends
// do not: the values lie between them, and so does k·x + b.
//
// Everything else is evaluated point by point, as the loop does: a few
// passes on either side of every turn, a stretch too steep or too short, a
// stretch whose end faults (so the fault comes at the same x, after the same
// points), a canvas that is not of pixels.
//
// Where nothing is traced and the values are known to lie between two
// floats without a fault (a sine or a cosine), a column whose points have
// reached every row between them can gain no pixel: of its remaining
// passes only the last is evaluated, for the point the loop ends it on.

#include "plot/counter.h"
#include "plot/description.h"
#include "plot/graph_loops.h"
#include "toolkit/arith.h"
#include "toolkit/canvas.h"
#include "toolkit/canvas_geometry.h"
#include "toolkit/fault.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace viramont::graph {

// Where a graph's points go when it is drawn by its columns: the canvas
// (and a second one on the same pixels) gets a point in every pixel the
// loop's points fall into, the trace the points that decide it, in order,
// and the count of the others.
class ColumnSink {
public:
    ColumnSink(Canvas& canvas, Colour colour, GraphTrace* trace, Canvas* second = nullptr, Colour secondColour = 0)
        : canvas_(canvas), colour_(colour), second_(second), secondColour_(secondColour), trace_(trace) {}
    ColumnSink(const ColumnSink&) = delete;
    ColumnSink& operator=(const ColumnSink&) = delete;

    void both(float x, float y) {
        drawn_.push_back({x, y});
        last_ = {x, y};
        drawnAny_ = true;
        if (trace_) traced_.push_back({x, y});
        if (drawn_.size() >= kBatch || traced_.size() >= kBatch) flush();
    }
    // Points drawn out of the loop's order, then the last point of the
    // loop's order once more: the canvas's current point stays as it was.
    void drawAside(float x, float y) {
        drawn_.push_back({x, y});
        if (drawn_.size() >= kBatch) flush();
    }
    void drawLastAgain() {
        if (drawnAny_) drawAside(last_.x, last_.y);
    }
    void trace(float x, float y) {
        if (!trace_) return;
        traced_.push_back({x, y});
        if (traced_.size() >= kBatch) flush();
    }
    // Passes counted after the points given before them.
    void passes(long long n) { passes_ += n; }
    // Whether the points are traced: where not, only the pixels count.
    bool traces() const { return trace_ != nullptr; }
    void flush() {
        if (trace_ && !traced_.empty()) trace_->add(traced_);
        if (trace_) trace_->addPasses(passes_);
        passes_ = 0;
        if (!drawn_.empty()) {
            canvas_.points(drawn_, colour_);
            if (second_) second_->points(drawn_, secondColour_);
        }
        drawn_.clear();
        traced_.clear();
    }

private:
    static constexpr std::size_t kBatch = 2048;
    Canvas& canvas_;
    Colour colour_;
    Canvas* second_;
    Colour secondColour_;
    GraphTrace* trace_;
    std::vector<GraphPoint> drawn_, traced_;
    GraphPoint last_{};
    bool drawnAny_ = false;
    long long passes_ = 0;
};

// The pixels of `canvas` when a graph may be drawn by its columns there
// (and on `second` too, when given): null where it must be drawn point by
// point.
inline const CanvasGeometry* columnGrid(const Canvas& canvas, const Canvas* second = nullptr) {
    const CanvasGeometry* grid = canvas.pixelGrid();
    if (!grid || !grid->hasArea()) return nullptr;
    if (second) {
        const CanvasGeometry* other = second->pixelGrid();
        if (!other || !grid->sameGrid(*other)) return nullptr;
    }
    return grid;
}

// Passes evaluated one by one on either side of a turn, and the shortest
// stretch worth taking from its ends.
inline constexpr std::int64_t kNearTurn = 8, kShortest = 12;

// Passes a to b of `run` split at the curve's turns: `each(i, j)` for the
// passes around a turn, to be evaluated one by one, `stretch(i, j)` for
// those between, where the curve does not turn; in order. Where the turns
// are too many to be worth it, all of them go to `each`.
template <class Each, class Stretch>
void splitAtTurns(const Shape& shape, const CounterRun& run, std::int64_t a, std::int64_t b,
                  std::vector<double>& turns, Each&& each, Stretch&& stretch) {
    if (b - a + 1 < kShortest) return each(a, b);
    double lo = run.at(a), hi = run.at(b);
    if (lo > hi) std::swap(lo, hi);
    const std::size_t most = static_cast<std::size_t>((b - a + 1) / (4 * kNearTurn));
    if (!shape.turns(lo, hi, most, turns)) return each(a, b);
    std::int64_t from = a;
    for (const double turn : turns) {
        const double at = std::round((turn - run.first) / run.step);
        const std::int64_t near = static_cast<std::int64_t>(std::clamp(at, double(a), double(b)));
        const std::int64_t nearFrom = std::max(from, near - kNearTurn), nearTo = std::min(b, near + kNearTurn);
        if (nearFrom > nearTo) continue;
        if (nearFrom > from) stretch(from, nearFrom - 1);
        each(nearFrom, nearTo);
        from = nearTo + 1;
    }
    if (from <= b) stretch(from, b);
}

// The first index in (lo, hi] where `holds` does, it holding at hi and not
// at lo, and holding from there on.
template <class Holds>
std::int64_t firstWhere(std::int64_t lo, std::int64_t hi, Holds&& holds) {
    while (hi - lo > 1) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        (holds(mid) ? hi : lo) = mid;
    }
    return hi;
}

// Where a graph has a point at every x of its loop: the plot's graphs,
// which stop at the first x without a value.
struct AtEveryX {
    static constexpr bool kEvery = true;
    bool operator()(double) const { return true; }
};

// Draws the graph of `value` for x from start to end at kGraphStep, as
// forEachX and a point per x would, on `grid`'s pixels; curX and curY are
// left as the loop leaves them, a fault included. With `defined` other than
// AtEveryX, the x where it is false are passed by without a point, as the
// curves of practice and of the step sheet have it; those where it holds
// must lie on a half-line, or be all or none (k·x + b > 0).
template <class Value, class Defined = AtEveryX>
class ColumnDrawing {
public:
    ColumnDrawing(const CanvasGeometry& grid, const Shape& shape, ColumnSink& sink, float& curX, float& curY,
                  const Value& value, const Defined& defined = {})
        : grid_(grid), shape_(shape), sink_(sink), curX_(curX), curY_(curY), value_(value), defined_(defined) {}

    // Every value of the loop lies from `low` to `high`, and none faults:
    // where nothing is traced, a column that has reached all rows between
    // them takes no more values but its last.
    void valuesWithin(float low, float high) { within_ = {low, high}; }

    void draw(double start, double end) {
        curX_ = toSingle(start);
        const float last = toSingle(end);
        const CounterPath path = counterPath(curX_, last, kGraphStep);
        if (within_ && !sink_.traces()) {
            // The rows any value can fall into, those a dot reaches the
            // canvas from; none where no value can.
            double r0 = row(within_->first), r1 = row(within_->second);
            if (r0 > r1) std::swap(r0, r1);
            allRows_ = {std::max(r0, -kReach), std::min(r1, grid_.heightPx() + kReach)};
            skipFull_ = true;
        }
        // The one place that waits for a fault: the far end of a stretch
        // faulted, so the stretch is taken point by point, as the loop
        // would, to its first fault. Nothing else here waits for one, which
        // keeps the page's loops free of a call through its script at every
        // value.
        try {
            for (const CounterRun& run : path.runs) drawRun(run);
        } catch (const RuntimeFault&) {
            if (!probed_.run) throw;
            const Probe stretch = std::exchange(probed_, {});
            pointByPoint(*stretch.run, stretch.a, stretch.b);
            throw;
        }
        curX_ = path.after;
    }

private:
    // Device pixels beyond the canvas's edges where a dot can still reach it.
    static constexpr double kReach = 256;

    float xAt(const CounterRun& run, std::int64_t i) const { return static_cast<float>(run.at(i)); }
    double column(float x) const { return std::floor(grid_.map(x, 0).x); }
    double row(float y) const { return std::floor(grid_.map(0, y).y); }
    // A column, those far off the canvas on either side taken as one.
    double columnKey(float x) const {
        const double c = column(x);
        if (!(c >= -kReach)) return -kReach - 1;  // also NaN
        if (c > grid_.widthPx() + kReach) return grid_.widthPx() + kReach + 1;
        return c;
    }
    bool rowsShown(double r0, double r1) const {
        if (r0 > r1) std::swap(r0, r1);
        return r1 >= -kReach && r0 <= grid_.heightPx() + kReach;
    }

    // Kept out of draw(), whose wait for a fault would otherwise cover
    // every call made here (on the page, a call through its script each).
    [[gnu::noinline]] void drawRun(const CounterRun& run) {
        std::int64_t i = 0;
        while (i < run.count) {
            // The passes of one column (or of the columns off the canvas).
            const double key = columnKey(xAt(run, i));
            const std::int64_t end =
                columnKey(xAt(run, run.count - 1)) == key
                    ? run.count
                    : firstWhere(i, run.count - 1, [&](std::int64_t j) { return columnKey(xAt(run, j)) != key; });
            drawColumn(run, i, end - 1);
            i = end;
        }
    }

    // Passes a to b of one column: split at the curve's turns, a few passes
    // around each taken one by one. Once the column is full, the rest is
    // passed by but for its last pass.
    void drawColumn(const CounterRun& run, std::int64_t a, std::int64_t b) {
        columnRows_.clear();
        const double key = columnKey(xAt(run, a));
        watching_ = skipFull_ && key >= -kReach && key <= grid_.widthPx() + kReach;
        reached_ = {1, 0};
        full_ = watching_ && allRows_.first > allRows_.second;
        bool passedBy = false;
        splitAtTurns(
            shape_, run, a, b, turns_,
            [&](std::int64_t i, std::int64_t j) {
                if (full_) passedBy = true;
                else pointByPoint(run, i, j);
            },
            [&](std::int64_t i, std::int64_t j) {
                if (full_) passedBy = true;
                else drawStretch(run, i, j);
            });
        watching_ = false;
        if (passedBy) pointByPoint(run, b, b);
        drawColumnRows(xAt(run, a));
    }

    // Rows `from` to `to` of the column have a point: added to the rows
    // reached where they join them (a part of the rows reached, then).
    void reach(double from, double to) {
        if (reached_.first > reached_.second) reached_ = {from, to};
        else if (from <= reached_.second + 1 && to >= reached_.first - 1)
            reached_ = {std::min(from, reached_.first), std::max(to, reached_.second)};
        else return;
        full_ = reached_.first <= allRows_.first && reached_.second >= allRows_.second;
    }

    // Whether a float falls into every row from `from` to `to`: on most
    // scales every row has one, and the rows found so are kept.
    bool rowsHaveFloats(double from, double to) {
        if (from >= haveFloats_.first && to <= haveFloats_.second) return true;
        for (double r = from; r <= to; ++r) {
            if (r >= haveFloats_.first && r <= haveFloats_.second) continue;
            const auto [lo, hi] = grid_.floatsInRow(r);
            if (!(lo <= hi)) return false;
        }
        if (haveFloats_.first > haveFloats_.second) haveFloats_ = {from, to};
        else if (from <= haveFloats_.second + 1 && to >= haveFloats_.first - 1)
            haveFloats_ = {std::min(from, haveFloats_.first), std::max(to, haveFloats_.second)};
        return true;
    }

    // The rows the column's stretches pass through, each once, at `x` (one
    // of the column's): the same pixels as a point per row of each stretch.
    void drawColumnRows(float x) {
        if (columnRows_.empty()) return;
        std::sort(columnRows_.begin(), columnRows_.end());
        double next = -kReach - 1;  // the first row not yet drawn
        for (const auto& [from, to] : columnRows_) {
            for (double r = std::max(from, next); r <= to; ++r) sink_.drawAside(x, grid_.floatsInRow(r).first);
            next = std::max(next, to + 1);
        }
        sink_.drawLastAgain();
    }

    void pointByPoint(const CounterRun& run, std::int64_t a, std::int64_t b) {
        for (std::int64_t i = a; i <= b; ++i) {
            const float x = xAt(run, i);
            curX_ = x;
            if (!defined_(x)) continue;
            curY_ = value_(x);
            sink_.both(x, curY_);
            if (watching_) reach(row(curY_), row(curY_));
        }
    }

    // Passes a to b of one column where the curve does not turn.
    void drawStretch(const CounterRun& run, std::int64_t a, std::int64_t b) {
        if (b - a + 1 < kShortest) return pointByPoint(run, a, b);
        if constexpr (!Defined::kEvery) {
            // The x with a value lie on a half-line: none between two without
            // one, and one border between two that differ.
            const bool atA = defined_(xAt(run, a)), atB = defined_(xAt(run, b));
            if (!atA && !atB) {
                curX_ = xAt(run, b);
                return;
            }
            if (atA != atB) {
                const std::int64_t border =
                    firstWhere(a, b, [&](std::int64_t i) { return defined_(xAt(run, i)) == atB; });
                drawStretch(run, a, border - 1);
                drawStretch(run, border, b);
                return;
            }
        }
        if (!fromEnds(run, a, b)) pointByPoint(run, a, b);
    }

    // The stretch drawn from its ends; false, having given nothing, where
    // that cannot be shown to give the loop's pixels and trace.
    bool fromEnds(const CounterRun& run, std::int64_t a, std::int64_t b) {
        const float xa = xAt(run, a), xb = xAt(run, b);
        // A fault at the first pass is the loop's own, at its x.
        curX_ = xa;
        const float ya = value_(xa);
        probed_ = {&run, a, b};
        const float yb = value_(xb);
        probed_ = {};
        if (!std::isfinite(ya) || !std::isfinite(yb)) return false;
        const double ra = row(ya), rb = row(yb);
        const bool shown = column(xa) >= -kReach && column(xa) <= grid_.widthPx() + kReach && rowsShown(ra, rb);
        if (shown) {
            // One pass moves y less than half a row, its rounding included.
            const double size = std::max(std::fabs(ya), std::fabs(yb));
            const double ulp = size > 0 ? std::ldexp(1.0, std::ilogb(size) - 23) : 0x1p-126;
            const double perPass = (shape_.slope(std::min(run.at(a), run.at(b)), std::max(run.at(a), run.at(b))) *
                                        std::fabs(run.step) +
                                    ulp) *
                                   std::fabs(grid_.factorY());
            if (!(perPass < 0.5)) return false;
        }
        // The points the trace needs, by pass: where the stretch reaches its
        // far end's value first, and where it crosses or meets the x-axis.
        keys_.clear();
        const auto y = [&](std::int64_t i) { return value_(xAt(run, i)); };
        if (!sink_.traces()) {
            // Only the pixels count: the points between the ends add none.
        } else if (yb != ya && y(b - 1) == yb) {
            keys_.push_back(firstWhere(a, b, [&](std::int64_t i) { return y(i) == yb; }));
        }
        const auto side = [](float v) { return v > 0 ? 1 : v < 0 ? -1 : 0; };
        const int sa = side(ya), sb = side(yb);
        if (sa != sb && sink_.traces()) {
            // Sides change monotonically: at most two steps (below, on, above).
            const int dir = sb > sa ? 1 : -1;
            std::int64_t from = a;
            for (int s = sa; s != sb;) {
                const std::int64_t j =
                    firstWhere(from, b, [&](std::int64_t i) { return dir * side(y(i)) > dir * s; });
                if (j - 1 > a) keys_.push_back(j - 1);
                if (j < b) keys_.push_back(j);
                s = side(y(j));
                from = j;
            }
        }
        std::sort(keys_.begin(), keys_.end());
        keys_.erase(std::unique(keys_.begin(), keys_.end()), keys_.end());
        // A point in every row between the ends, where one can be found,
        // drawn with the column's other rows.
        if (shown) {
            const double from = std::max(std::min(ra, rb) + 1, -kReach);
            const double to = std::min(std::max(ra, rb) - 1, grid_.heightPx() + kReach);
            if (!rowsHaveFloats(from, to)) return false;
            if (from <= to) columnRows_.push_back({from, to});
            if (watching_) reach(std::min(ra, rb), std::max(ra, rb));
        }
        sink_.both(xa, ya);
        for (const std::int64_t i : keys_) sink_.trace(xAt(run, i), y(i));
        curX_ = xb;
        curY_ = yb;
        sink_.both(xb, yb);
        sink_.passes(b - a + 1 - 2 - static_cast<long long>(keys_.size()));
        return true;
    }

    const CanvasGeometry& grid_;
    const Shape& shape_;
    ColumnSink& sink_;
    float& curX_;
    float& curY_;
    const Value& value_;
    Defined defined_;
    std::vector<double> turns_;
    std::vector<std::int64_t> keys_;
    // The stretch whose far end is being evaluated.
    struct Probe {
        const CounterRun* run = nullptr;
        std::int64_t a = 0, b = 0;
    };
    Probe probed_;
    std::vector<std::pair<double, double>> columnRows_;  // from, to
    std::pair<double, double> haveFloats_{1, 0};          // rows known to have floats
    // Where the column may stop taking values: the values' bounds, when
    // known and nothing is traced; the rows they can fall into; whether the
    // column is watched (not one far off the canvas), the rows its points
    // have reached, and whether those are all.
    std::optional<std::pair<float, float>> within_;
    bool skipFull_ = false;
    std::pair<double, double> allRows_{1, 0};
    bool watching_ = false;
    std::pair<double, double> reached_{1, 0};
    bool full_ = false;
};

// Where a curve of `Values` has a value: k·x + b > 0 for the logarithms,
// everywhere for the others.
template <class Values>
struct WhereDefined {
    static constexpr bool kEvery = false;
    const Params* p;
    bool operator()(double x) const { return Values::defined(*p, x); }
};

// The red curve of `Values` for `p` from start to end on `canvas`, its
// points traced into `trace` and drawn on `second` too, when given; the x
// without a value are passed by. By its columns where the canvases are of
// the same pixels, point by point elsewhere. A fault leaves once the points
// before it are drawn.
template <class Values>
void drawCurveWhereDefined(const Params& p, double start, double end, Canvas& canvas, Colour colour,
                           GraphTrace* trace, Canvas* second = nullptr, Colour secondColour = 0) {
    const CanvasGeometry* grid = columnGrid(canvas, second);
    if (!grid) {
        GraphBatch batch(canvas, colour, trace, second, secondColour);
        try {
            collectGraphWhereDefined<Values>(p, start, end, batch);
        } catch (...) {
            batch.flush();
            throw;
        }
        batch.flush();
        return;
    }
    ColumnSink sink(canvas, colour, trace, second, secondColour);
    float curX = 0, curY = 0;
    const auto value = [&p](float x) { return Values::transformed(p, x); };
    try {
        const Shape shape = Values::shape(p, true);
        ColumnDrawing<decltype(value), WhereDefined<Values>> drawing(*grid, shape, sink, curX, curY, value,
                                                                      WhereDefined<Values>{&p});
        if constexpr (requires { Values::within(p, start, end); }) {
            if (const auto within = Values::within(p, start, end)) drawing.valuesWithin(within->first, within->second);
        }
        drawing.draw(start, end);
    } catch (...) {
        sink.flush();
        throw;
    }
    sink.flush();
}

// What a curve's loop meets: how many x it visited, at how many of them the
// curve had a value, and the least and the greatest of those values.
struct LoopReach {
    long long visited = 0, defined = 0;
    float low = std::numeric_limits<float>::infinity();
    float high = -std::numeric_limits<float>::infinity();
};

// The passes of `run` in pieces of kPiece, each split at the curve's turns.
// Out of line: a wait for a fault around it would otherwise cover every call
// it makes (on the page, a call through its script each).
template <class Each, class Stretch>
[[gnu::noinline]] void splitInPieces(const Shape& shape, const CounterRun& run, std::vector<double>& turns,
                                     Each& each, Stretch& stretch) {
    // Passes in one piece: a piece where a fault or the domain's border
    // lies is evaluated point by point.
    constexpr std::int64_t kPiece = 1024;
    for (std::int64_t from = 0; from < run.count; from += kPiece) {
        splitAtTurns(shape, run, from, std::min(run.count, from + kPiece) - 1, turns, each, stretch);
    }
}

// The reach of the loop of `value` over the x from start to end at
// kGraphStep where `defined` holds, as evaluating every x gives it, from
// far fewer values: the loop's passes in pieces, each split at the curve's
// turns, a stretch between them giving its least and greatest values at
// its ends. A fault leaves as the loop's would, at the same x, the x before
// it and the one that faulted counted as visited.
template <class Value, class Defined>
void reachOfLoop(double start, double end, const Shape& shape, const Value& value, const Defined& defined,
                 LoopReach& reach) {
    const CounterPath path = counterPath(toSingle(start), toSingle(end), kGraphStep);
    std::vector<double> turns;
    std::optional<std::pair<std::int64_t, std::int64_t>> probed;  // the stretch whose ends are evaluated
    for (const CounterRun& run : path.runs) {
        const auto x = [&](std::int64_t i) { return static_cast<float>(run.at(i)); };
        const auto each = [&](std::int64_t a, std::int64_t b) {
            for (std::int64_t i = a; i <= b; ++i) {
                ++reach.visited;
                if (!defined(x(i))) continue;
                const float y = value(x(i));
                ++reach.defined;
                reach.low = std::min(reach.low, y);
                reach.high = std::max(reach.high, y);
            }
        };
        const auto stretch = [&](std::int64_t a, std::int64_t b) {
            const bool atA = defined(x(a)), atB = defined(x(b));
            if (!atA && !atB) {  // none between: the x with a value lie on a half-line
                reach.visited += b - a + 1;
                return;
            }
            if (!(atA && atB)) return each(a, b);
            probed = {a, b};
            const float ya = value(x(a)), yb = value(x(b));
            probed = {};
            if (!std::isfinite(ya) || !std::isfinite(yb)) return each(a, b);
            reach.visited += b - a + 1;
            reach.defined += b - a + 1;
            reach.low = std::min({reach.low, ya, yb});
            reach.high = std::max({reach.high, ya, yb});
        };
        // An end of a stretch faulted: the stretch is taken point by point,
        // as the loop would, to its first fault. Nothing else here waits for
        // a fault (see ColumnDrawing::draw).
        try {
            splitInPieces(shape, run, turns, each, stretch);
        } catch (const RuntimeFault&) {
            if (!probed) throw;
            const auto [a, b] = *std::exchange(probed, {});
            each(a, b);
            throw;
        }
    }
}

} // namespace viramont::graph
