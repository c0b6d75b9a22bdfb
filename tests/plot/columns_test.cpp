// The graphs drawn column by column against the loops that evaluate every
// point: the counter's runs give the very floats of the loop, and a plot
// drawn either way has the same pixels, scale, faults and description.

#include "plot/counter.h"
#include "plot/graph_loops.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace viramont::graph {
namespace {

// The floats of forEachX, and the counter after it.
std::vector<float> loopFloats(float start, float end, float step, float& after) {
    std::vector<float> xs;
    float x = start;
    while (x <= end) {
        xs.push_back(x);
        const float next = x + step;
        if (next == x) break;
        x = next;
    }
    after = x;
    return xs;
}

TEST(CounterPath, GivesTheLoopsFloatsInOrder) {
    std::mt19937_64 random(20261210);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto span = [&](double reach) { return static_cast<float>((unit(random) * 2 - 1) * reach); };
    struct Case {
        float start, end, step;
    };
    std::vector<Case> cases{{0, 10, 1e-4f},          {-10, 10, 1e-4f},  {-1e-3f, 1e-3f, 1e-4f}, {1e-4f, 3e-4f, 1e-4f},
                            {2040, 2100, 1e-4f},     {-2100, -2040, 1e-4f}, {-200, 200, 0.5f},  {8.3e6f, 8.5e6f, 0.5f},
                            {-1e-30f, 1e-30f, 1e-4f}, {5, 4, 1e-4f},     {3e38f, 3.4e38f, 1e-4f}};
    for (int i = 0; i < 300; ++i) {
        const double reach = i % 3 == 0 ? 1.0 : i % 3 == 1 ? 64.0 : 2100.0;
        float a = span(reach), b = a + std::fabs(span(i % 2 ? 3.0 : 0.5));
        cases.push_back({a, b, i % 7 == 0 ? 0.5f : 1e-4f});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " .. " << c.end << " by " << c.step);
        float after = 0;
        const std::vector<float> xs = loopFloats(c.start, c.end, c.step, after);
        const CounterPath path = counterPath(c.start, c.end, c.step);
        ASSERT_EQ(path.passes(), static_cast<std::int64_t>(xs.size()));
        std::size_t n = 0;
        for (const CounterRun& run : path.runs) {
            for (std::int64_t i = 0; i < run.count; ++i, ++n) {
                ASSERT_EQ(run.at(i), static_cast<double>(xs[n])) << "pass " << n;
            }
        }
        EXPECT_EQ(path.after, after);
        EXPECT_LT(path.runs.size(), 200u) << "runs of many passes each";
    }
}

} // namespace
} // namespace viramont::graph
