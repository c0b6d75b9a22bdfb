#include "plot/counter.h"

#include <cmath>

namespace viramont::graph {

namespace {

// How many passes from x (included) keep the increment `inc`, the float
// sum x + step: 1 where the next pass already leaves the rule.
std::int64_t regularPasses(float x, float step, float next) {
    if (x == 0 || next == 0 || std::signbit(x) != std::signbit(next)) return 1;
    int ex = 0, en = 0;
    std::frexp(x, &ex);
    std::frexp(next, &en);
    if (ex != en) return 1;  // the sum left x's powers of two
    // Floats between 2^(ex-1) and 2^ex are multiples of unit = 2^(ex-24).
    const double unit = std::ldexp(1.0, ex - 24);
    const double steps = static_cast<double>(step) / unit;  // exact: a power of two apart
    if (steps - std::floor(steps) == 0.5) return 1;          // a tie: rounded to even, pass by pass
    const double X = std::fabs(static_cast<double>(x)) / unit;  // a whole number in [2^23, 2^24)
    const double D = std::fabs(static_cast<double>(next) - static_cast<double>(x)) / unit;
    constexpr double kLow = 8388608.0, kHigh = 16777216.0;  // 2^23, 2^24
    // m: the passes i = 0, 1, ... whose sum x_i + step still rounds on the
    // same unit to x_i + D.
    double m;
    if (x > 0) {
        // x_i + D + ... below 2^24 units: x + (i + 1)·D <= 2^24 − 1.
        m = std::floor((kHigh - 1 - X) / D);
    } else {
        // The exact sum's size |x| − i·D − step/unit at or above 2^23.
        const double q = (X - kLow - steps) / D;
        m = q < 0 ? 0 : std::floor(q) + 1;
    }
    return m < 1 ? 1 : static_cast<std::int64_t>(m) + 1;
}

} // namespace

std::int64_t CounterPath::passes() const {
    std::int64_t n = 0;
    for (const CounterRun& r : runs) n += r.count;
    return n;
}

CounterPath counterPath(float start, float end, float step) {
    CounterPath path;
    float x = start;
    while (x <= end) {
        const float next = x + step;
        if (next == x) {
            path.runs.push_back({x, 0, 1});
            path.after = x;
            return path;
        }
        CounterRun run{x, static_cast<double>(next) - static_cast<double>(x), regularPasses(x, step, next)};
        // Only the passes up to the end (each x_i exact in double).
        const double lastX = end;
        const double q = std::floor((lastX - run.first) / run.step);
        std::int64_t within = q >= static_cast<double>(run.count) ? run.count - 1 : static_cast<std::int64_t>(q);
        while (within > 0 && run.at(within) > lastX) --within;
        while (within + 1 < run.count && run.at(within + 1) <= lastX) ++within;
        if (within + 1 < run.count) run.count = within + 1;
        path.runs.push_back(run);
        const float last = static_cast<float>(run.last());
        x = last + step;
        if (x == last) {  // cannot happen after a regular run; kept for safety
            path.after = x;
            return path;
        }
    }
    path.after = x;
    return path;
}

} // namespace viramont::graph
