// The graphs drawn column by column against the loops that evaluate every
// point: the counter's runs give the very floats of the loop, and a plot
// drawn either way has the same pixels, scale, faults and description.

#include "form_kit.h"
#include "pixel_set_canvas.h"
#include "plot/counter.h"
#include "plot/graph_loops.h"
#include "plot/columns.h"
#include "plot/plot.h"
#include "plot/redraw.h"
#include "plot/step_graphs.h"
#include "plot/steps.h"
#include "toolkit/blank_canvas.h"
#include "toolkit/fault.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <iostream>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <tuple>
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

namespace viramont {
namespace {

using test::PixelSetCanvas;

struct Plotted {
    std::set<std::tuple<Colour, int, int>> pixels;
    WorldPoint current;
    std::uint32_t curX, curY, yMin;
    double yMax;
    std::string fault, description;
};

struct PlotCase {
    std::string function;
    double A, k, b, C, start, end;
    int base;
};

void typeInto(FormState& s, const PlotCase& c) {
    s.FunctionName = c.function;
    s.StretchY = static_cast<float>(c.A);
    s.StretchX = Numeric::real(c.k);
    s.ShiftX = Numeric::real(c.b);
    s.ShiftY = static_cast<float>(c.C);
    s.XStart = Numeric::real(c.start);
    s.XEnd = static_cast<float>(c.end);
    s.LogBase = static_cast<std::int16_t>(c.base);
}

Plotted plotted(const PlotCase& c, bool everyPoint) {
    test::FakeControls controls;
    PixelSetCanvas picture1(everyPoint);
    test::RecordingCanvas picture2(test::kPicture2.width, test::kPicture2.height);
    test::ScriptedDialogs dialogs;
    Form form = test::formOver(controls, picture1, picture2, dialogs);
    FormState& s = form.state;
    typeInto(s, c);
    Plotted out;
    try {
        Command1_Click(form);
    } catch (const RuntimeFault& fault) {
        out.fault = faultMessage(fault);
    }
    out.pixels = picture1.pixels();
    out.current = picture1.currentPoint();
    out.curX = std::bit_cast<std::uint32_t>(s.CurX);
    out.curY = std::bit_cast<std::uint32_t>(s.CurY);
    out.yMin = std::bit_cast<std::uint32_t>(s.YMin);
    out.yMax = s.YMax.value();
    out.description = s.Spoken.picture1;
    return out;
}

std::ostream& operator<<(std::ostream& os, const PlotCase& c) {
    return os << c.function << " A=" << c.A << " k=" << c.k << " b=" << c.b << " C=" << c.C << " [" << c.start << ", "
              << c.end << "] a=" << c.base;
}

void expectSamePlot(const PlotCase& c) {
    SCOPED_TRACE(testing::Message() << c);
    const Plotted columns = plotted(c, false), every = plotted(c, true);
    EXPECT_EQ(columns.fault, every.fault);
    EXPECT_EQ(columns.curX, every.curX);
    EXPECT_EQ(columns.curY, every.curY);
    EXPECT_EQ(columns.yMin, every.yMin);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(columns.yMax), std::bit_cast<std::uint64_t>(every.yMax));
    EXPECT_EQ(columns.current, every.current);
    EXPECT_EQ(columns.description, every.description);
    EXPECT_EQ(columns.pixels.size(), every.pixels.size());
    EXPECT_TRUE(columns.pixels == every.pixels);
}

// The plots of the oracle, from a seed: the six functions, narrow and wide
// intervals, large and small A and k, the faulting cases.
PlotCase randomPlot(std::mt19937_64& random) {
    auto pick = [&](auto... values) {
        const double options[] = {static_cast<double>(values)...};
        return options[random() % sizeof...(values)];
    };
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    PlotCase c;
    c.function = kFunctionNames[random() % std::size(kFunctionNames)];
    c.A = pick(1, -1, 2, 0.5, -3, 1000, 1e-3, 1e30, -7.25) * (random() % 4 == 0 ? unit(random) + 0.5 : 1);
    c.k = pick(1, -1, 2, 0.5, -3, 20, 1e-3, 300, -0.7);
    c.b = pick(0, 1, -1, 2.5, -30, 100, 0.001);
    c.C = pick(0, 1, -4, 100, 1e6, -0.3);
    const double width = pick(0.01, 1, 5, 10, 20, 60);
    c.start = std::round((unit(random) * 2 - 1) * pick(0.5, 3, 10, 30, 2040) * 8) / 8;
    c.end = c.start + width;
    c.base = static_cast<int>(pick(2, 3, 10, 1, 0, -2));
    return c;
}

// The oracle's random plots from `seed`: VIRAMONT_ORACLE_PLOTS of them (150
// by default; 5000 for a longer run) divided by `share`, until one fails.
template <class Expect>
void forRandomPlots(std::uint64_t seed, int share, Expect&& expect) {
    const char* asked = std::getenv("VIRAMONT_ORACLE_PLOTS");
    const int plots = (asked ? std::atoi(asked) : 150) / share;
    std::mt19937_64 random(seed);
    for (int i = 0; i < plots; ++i) {
        PlotCase c = randomPlot(random);
        // Wide plots are slow point by point: a few.
        if (c.end - c.start > 30 && i % 10 != 0) c.end = c.start + 30;
        expect(c);
        if (testing::Test::HasFailure()) break;
    }
}

TEST(ColumnDrawing, GivesThePixelsTraceAndFaultOfEveryPoint) {
    const PlotCase fixed[] = {
        {fn::kSin, 1, 1, 1, 1, 0, 10, 0},  // the window's defaults
        {fn::kSin, 2, 3, 1, 4, 0, 10, 0},
        {fn::kCos, 1, 1, 0, 0, -100, 100, 0},
        {fn::kSquare, 1, 1, 0, 0, -3, 3, 0},
        {fn::kCube, 0.5, 2, -1, 0, -3, 3, 0},
        {fn::kLog, 1, 1, 0, 0, -1, 5, 0},      // the domain ends the blue graph
        {fn::kLog, 2, 0.5, 3, 1, 0.5, 9, 0},
        {fn::kLogBase, 1, 1, 0, 0, 0.5, 9, 1},  // base 1: a division by zero
        {fn::kLogBase, 3, 2, 0, 0, 0.5, 9, 3},
        {fn::kCube, 1e30, 1, 0, 0, -1e4, -1e4 + 3, 0},  // past the 32-bit range
        {fn::kSin, 1, 1, 0, 0, 2040, 2100, 0},          // where the step stops moving x
        {fn::kSin, 1, 1, 0, 0, -3e38, -3e38, 0},
        {fn::kCos, 1e30, 300, 1, 0, 8.75, 18.75, 0},  // y far from 0: the rows' size from the scale itself
        {fn::kSin, 3e38, 1, 3.14159265, 3e38, 0, 3.14159265, 0},  // the red graph alone overflows, off the canvas
    };
    for (const PlotCase& c : fixed) {
        if (std::getenv("VIRAMONT_ORACLE_TRACE")) std::cerr << c << std::endl;
        expectSamePlot(c);
    }
    forRandomPlots(20261210, 1, expectSamePlot);
}

using graph::forEachX;
using graph::kGraphStep;
using graph::LoopReach;
using graph::Params;
using graph::reachOfLoop;
using graph::Shape;
using graph::WhereDefined;

// The curves whose x without a value are passed by: practice's curve and
// the step sheet's graphs, drawn by columns and point by point, are the same
// pixels, scales, trace and notes; and the values the step sheet scales its
// graphs by are those of its loop, whatever stopped it.
struct Curves {
    std::set<std::tuple<Colour, int, int>> curve, steps;
    // The curve with nothing traced, as a motion frame draws it, on the same
    // scale and on one of a quarter of its height, where the curve runs far
    // past the canvas's top and bottom; and the points each ends on.
    std::set<std::tuple<Colour, int, int>> untraced, untracedTall;
    WorldPoint untracedEnd, untracedTallEnd;
    GraphTrace trace;
    std::vector<std::array<double, 4>> scales;
    std::vector<std::string> notes;
    std::string ended;
};

Curves curvesOf(const PlotCase& c, bool everyPoint) {
    FormState s;
    typeInto(s, c);
    Curves out;
    PixelSetCanvas curve(everyPoint);
    curve.setScale(c.start, c.C + 3 * std::fabs(c.A) + 1, c.end, c.C - 3 * std::fabs(c.A) - 1);
    DrawCurve(s, RedInterval(s), curve, kRed, &out.trace);
    out.curve = curve.pixels();
    for (const bool tall : {false, true}) {
        const double reach = tall ? std::fabs(c.A) / 4 : 3 * std::fabs(c.A) + 1;
        PixelSetCanvas bare(everyPoint);
        bare.setScale(c.start, c.C + reach, c.end, c.C - reach);
        DrawCurve(s, RedInterval(s), bare, kRed, nullptr);
        (tall ? out.untracedTall : out.untraced) = bare.pixels();
        (tall ? out.untracedTallEnd : out.untracedEnd) = bare.currentPoint();
    }

    std::vector<PixelSetCanvas> graphs(5, PixelSetCanvas(everyPoint, layout::kStepGraph));
    std::vector<Canvas*> canvases;
    for (PixelSetCanvas& g : graphs) canvases.push_back(&g);
    try {
        DrawStepGraphs(ComposeSteps(s), canvases, out.notes);
    } catch (const RuntimeFault& fault) {
        out.ended = faultMessage(fault);
    }
    for (const PixelSetCanvas& g : graphs) {
        out.steps.insert(g.pixels().begin(), g.pixels().end());
        out.scales.insert(out.scales.end(), g.scales().begin(), g.scales().end());
    }
    return out;
}

// The values the loop of a step's curve meets: every x evaluated, or
// (`byPieces`) as the step sheet works them out.
LoopReach reachOf(const PlotCase& c, bool byPieces, std::string& fault) {
    LoopReach reach;
    graph::visitValues(c.function, [&](auto values) {
        using Values = decltype(values);
        const Params p(c.A, c.k, c.b, c.C, static_cast<std::int16_t>(c.base));
        const auto value = [&p](float x) { return Values::transformed(p, x); };
        float curX = 0;
        try {
            const Shape shape = Values::shape(p, true);
            if (byPieces) return reachOfLoop(c.start, c.end, shape, value, WhereDefined<Values>{&p}, reach);
            forEachX(curX, c.start, c.end, kGraphStep, [&](float x) {
                ++reach.visited;
                if (!Values::defined(p, x)) return;
                const float y = value(x);
                ++reach.defined;
                reach.low = std::min(reach.low, y);
                reach.high = std::max(reach.high, y);
            });
        } catch (const RuntimeFault& f) {
            fault = faultMessage(f);
        }
    });
    return reach;
}

void expectSameCurves(const PlotCase& c) {
    SCOPED_TRACE(testing::Message() << c);
    const Curves columns = curvesOf(c, false), every = curvesOf(c, true);
    EXPECT_TRUE(columns.curve == every.curve) << columns.curve.size() << " pixels against " << every.curve.size();
    EXPECT_TRUE(columns.steps == every.steps) << columns.steps.size() << " pixels against " << every.steps.size();
    EXPECT_TRUE(columns.untraced == every.untraced) << columns.untraced.size() << " against " << every.untraced.size();
    EXPECT_TRUE(columns.untraced == every.curve) << "the same pixels as with a trace";
    EXPECT_TRUE(columns.untracedTall == every.untracedTall)
        << columns.untracedTall.size() << " against " << every.untracedTall.size();
    EXPECT_EQ(columns.untracedEnd, every.untracedEnd);
    EXPECT_EQ(columns.untracedTallEnd, every.untracedTallEnd);
    EXPECT_EQ(columns.trace.points(), every.trace.points());
    for (const auto& [by, of] : {std::pair{columns.trace.first(), every.trace.first()},
                                 {columns.trace.last(), every.trace.last()},
                                 {columns.trace.highest(), every.trace.highest()},
                                 {columns.trace.lowest(), every.trace.lowest()}}) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(by), std::bit_cast<std::uint64_t>(of));
    }
    EXPECT_EQ(columns.trace.crossings(), every.trace.crossings());
    EXPECT_TRUE(std::ranges::equal(columns.trace.listedCrossings(), every.trace.listedCrossings()));
    EXPECT_EQ(columns.ended, every.ended);
    EXPECT_EQ(columns.notes, every.notes);

    std::string byPiecesFault, everyFault;
    const LoopReach pieces = reachOf(c, true, byPiecesFault), all = reachOf(c, false, everyFault);
    EXPECT_EQ(byPiecesFault, everyFault);
    EXPECT_EQ(pieces.visited, all.visited);
    EXPECT_EQ(pieces.defined, all.defined);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(pieces.low), std::bit_cast<std::uint32_t>(all.low));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(pieces.high), std::bit_cast<std::uint32_t>(all.high));
}

TEST(ColumnDrawing, GivesTheCurvesWhereTheyHaveValuesAndTheirReachAsEveryPoint) {
    const PlotCase fixed[] = {
        {fn::kSin, 2, 3, 1, 4, 0, 10, 0},
        {fn::kLog, 1, 1, 0, 0, -5, 5, 0},       // no value left of 0
        {fn::kLog, 1, 2, -3, 0, -5, 5, 0},      // none left of 1.5, within a run of the counter
        {fn::kLog, 2, -0.5, 3, 1, -20, 20, 0},  // none right of 6
        {fn::kLogBase, 1, 1, 0, 0, 0.5, 9, 1},  // base 1: nothing drawn
        {fn::kLogBase, 3, 2, 1, 0, -4, 9, 3},
        {fn::kCube, 1e30, 1, 0, 0, -1e4, -1e4 + 3, 0},  // past the 32-bit range
        {fn::kSquare, 1e36, 1, 0, 0, -30, 30, 0},       // a fault in the middle
        {fn::kSin, 1, 1, 0, 0, 2040, 2100, 0},
        {fn::kCube, 0.75, 0.001, 0, 1e6, -0.0, 1, 0},  // from -0, every value the same
        // Many periods in a pixel column: a column filled early.
        {fn::kSin, 2, 300, 1, 4, -30, 30, 0},
        {fn::kCos, -1.5, -40, 0.5, -1, -100, 100, 0},
        {fn::kSin, 1e-30f, 500, 0, 0, -20, 20, 0},          // a column of one row
        {fn::kCos, 3e38, 200, 0, 1e38, -10, 10, 0},         // values that may fault: no column stops early
    };
    for (const PlotCase& c : fixed) expectSameCurves(c);
    forRandomPlots(20261211, 3, expectSameCurves);
}

// The still part of a motion frame draws the blue graph with nothing
// traced, a column taking no more values once its points fill it: the
// press's blue pixels, on a canvas narrow enough for periods to a column.
TEST(ColumnDrawing, DrawsTheBlueGraphOfAStillFrameAsThePressDoes) {
    const PlotCase cases[] = {{fn::kSin, 2, 10, 1, 4, -80, 80, 0}, {fn::kCos, -1, 3, 0, 0.5, -75, 90, 0}};
    const auto blue = [](const PixelSetCanvas& canvas) {
        std::set<std::tuple<Colour, int, int>> out;
        for (const auto& p : canvas.pixels()) {
            if (std::get<0>(p) == kBlue) out.insert(p);
        }
        return out;
    };
    for (const PlotCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c);
        FormState s;
        typeInto(s, c);
        PixelSetCanvas still(false, {24, 400}), press(true, {24, 400});
        redrawStill(s, false, false, still);
        redrawGraphs(s, press);
        EXPECT_FALSE(blue(press).empty());
        EXPECT_TRUE(blue(still) == blue(press)) << blue(still).size() << " pixels against " << blue(press).size();
    }
}

} // namespace
} // namespace viramont
