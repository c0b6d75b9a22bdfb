#pragma once
// The x counter of a graph's loop (forEachX of graph_loops.h) without
// running it: the floats it takes, as runs of equal steps.
//
// The counter is a 32-bit float advanced by a 32-bit addition of a fixed
// step. Between two powers of two every float is a multiple of the same
// unit (its ulp), so x + step rounds to x plus the step rounded to that
// unit: the same increment at every pass, as long as the sum stays between
// the same powers of two and the step's rounding is no tie. A run holds the
// passes of one such stretch; the passes where the rule does not hold (a
// tie, a power of two crossed, x near 0) are runs of one pass each, taken
// by the float addition itself.

#include <cstdint>
#include <vector>

namespace viramont::graph {

// The passes x_i = first + i·step, i from 0 to count - 1, each x_i a float
// (the sum exact in double).
struct CounterRun {
    double first = 0;
    double step = 0;
    std::int64_t count = 0;
    // The first pass as it is (-0 stays -0, which adding 0 would not keep).
    double at(std::int64_t i) const { return i == 0 ? first : first + static_cast<double>(i) * step; }
    double last() const { return at(count - 1); }
};

struct CounterPath {
    std::vector<CounterRun> runs;
    // The counter's value once the loop has ended: the first x past the
    // end, or the x where the step no longer moved it.
    float after = 0;
    std::int64_t passes() const;
};

// The passes of x from float(start) to float(end) at `step`, as forEachX
// makes them. `start` and `end` must lie within the 32-bit range.
CounterPath counterPath(float start, float end, float step);

} // namespace viramont::graph
