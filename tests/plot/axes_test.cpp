#include "form_kit.h"
#include "plot/axes.h"
#include "toolkit/colour.h"
#include "toolkit/fault.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace viramont {
namespace {

using Op = test::RecordingCanvas::Op;
using Call = test::RecordingCanvas::Call;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr float kInfF = std::numeric_limits<float>::infinity();
constexpr float kNaNF = std::numeric_limits<float>::quiet_NaN();
constexpr float kMaxF = std::numeric_limits<float>::max();

const Colour kAxis = paletteColour(4);
const Colour kCGuide = paletteColour(13);
const Colour kBGuide = paletteColour(11);

std::vector<Call> draw(test::FakeWindow& w, const FormState& s) {
    w.form.state = s;
    DrawAxes(w.form);
    return w.picture1.calls();
}

std::vector<Call> prints(const std::vector<Call>& calls) {
    std::vector<Call> out;
    for (const Call& c : calls) {
        if (c.op == Op::Print) out.push_back(c);
    }
    return out;
}

// The first print whose text is `text`.
std::optional<Call> printOf(const std::vector<Call>& calls, const std::string& text) {
    for (const Call& c : calls) {
        if (c.op == Op::Print && c.text == text) return c;
    }
    return std::nullopt;
}

// Recorded calls found by what they are. A call that is not there fails the
// test and stands in as an empty call.
const Call& missing(const char* what) {
    static const Call none{};
    ADD_FAILURE() << "no " << what;
    return none;
}

const Call& scaleOf(const std::vector<Call>& calls) {
    for (const Call& c : calls) {
        if (c.op == Op::Scale) return c;
    }
    return missing("scale");
}

// The nth line (from 0) drawn in `colour`: the axes are the first two of
// the axis colour, x then y.
const Call& lineIn(const std::vector<Call>& calls, Colour colour, int nth = 0) {
    for (const Call& c : calls) {
        if (c.op == Op::Line && c.hasColour && c.colour == colour && nth-- == 0) return c;
    }
    return missing("line of that colour");
}

// The first print after `from`, one of `calls`: the label of a guide line.
const Call& printAfter(const std::vector<Call>& calls, const Call& from) {
    for (auto it = calls.begin() + (&from - calls.data()); it != calls.end(); ++it) {
        if (it->op == Op::Print) return *it;
    }
    return missing("print after the call");
}

// The point set just before the print of `text`: where its label stands.
const Call& pointBefore(const std::vector<Call>& calls, const std::string& text) {
    for (std::size_t i = 1; i < calls.size(); ++i) {
        if (calls[i].op == Op::Print && calls[i].text == text && calls[i - 1].op == Op::Point) return calls[i - 1];
    }
    return missing("point before the print");
}

// One expected call: coordinates as 32-bit floats, as DrawAxes hands them on.
struct Step {
    Op op;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::optional<Colour> colour{};
    std::string text{};
};

Step printed(const char* text) { return {Op::Print, 0, 0, 0, 0, std::nullopt, text}; }

void expectSteps(const std::vector<Call>& calls, const std::vector<Step>& steps) {
    ASSERT_EQ(calls.size(), steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i + 1));
        const Call& c = calls[i];
        const Step& e = steps[i];
        ASSERT_EQ(c.op, e.op);
        switch (e.op) {
        case Op::Clear: break;
        case Op::Width: EXPECT_EQ(c.width, 5); break;
        case Op::Print:
            EXPECT_EQ(c.text, e.text);
            EXPECT_EQ(c.end, LineEnd::NewLine);
            break;
        case Op::Line:
            EXPECT_EQ(c.x2, e.x2);
            EXPECT_EQ(c.y2, e.y2);
            [[fallthrough]];
        case Op::Point:
            EXPECT_EQ(c.x1, e.x1);
            EXPECT_EQ(c.y1, e.y1);
            EXPECT_EQ(c.hasColour, e.colour.has_value());
            if (e.colour) {
                EXPECT_EQ(c.colour, *e.colour);
            }
            break;
        case Op::Scale: ADD_FAILURE() << "scale is checked by the caller"; break;
        }
    }
}

TEST(DrawAxes, RunsTheStepsInOrderForTheIntervalMinusFiveToFive) {
    test::FakeWindow w;
    const auto calls = draw(w, test::axesSampleState());

    ASSERT_EQ(calls.size(), 25u);
    ASSERT_EQ(calls[1].op, Op::Scale);  // right after the clear
    EXPECT_EQ(scaleOf(calls).x1, -6.0);
    EXPECT_EQ(scaleOf(calls).y1, 3.0);
    EXPECT_EQ(scaleOf(calls).x2, 6.0);
    EXPECT_EQ(scaleOf(calls).y2, -2.0);

    std::vector<Call> rest(calls);
    rest.erase(rest.begin() + 1);
    expectSteps(rest, {
        {Op::Clear},
        {Op::Width},
        {Op::Line, -6, 0, 6, 0, kAxis},                        // x-axis
        {Op::Point, 5.8f, -0.1f},
        printed("x"),
        {Op::Point, 4.99f, -0.1f},
        printed(" 5 "),
        {Op::Point, -5.1f, -0.1f},
        printed("   -5 "),
        {Op::Line, 0, -2, 0, 3, kAxis},                        // y-axis
        {Op::Point, -0.1f, 2.9f},
        printed("   y  "),
        {Op::Line, 0.1f, 2, -0.1f, 2},                         // top tick
        printed("    2 "),
        {Op::Line, 0.1f, -1, -0.1f, -1},                       // bottom tick
        printed("   -1 "),
        {Op::Point, -0.1f, -0.1f},                             // origin
        printed("    0 "),
        {Op::Line, -6, 1, 6, 1, kCGuide},                      // y = C
        {Op::Point, -0.1f, 1},
        printed("    1 "),
        {Op::Line, -2, -2, -2, 3, kBGuide},                    // x = -b
        {Op::Point, 2, -0.1f},
        printed(" 2 "),
    });

    // Tick values are printed from the left end of the tick.
    EXPECT_EQ(prints(calls)[4].at, (WorldPoint{-0.1f, 2.0}));
    EXPECT_EQ(prints(calls)[5].at, (WorldPoint{-0.1f, -1.0}));
    // The canvas shows x from -6 to 6 and y from -2 to 3: its corners.
    DevicePoint d;
    ASSERT_TRUE(w.picture1.geometry().toDevice(-6, 3, 0, d));
    EXPECT_DOUBLE_EQ(d.x, 0);
    EXPECT_DOUBLE_EQ(d.y, 0);
    ASSERT_TRUE(w.picture1.geometry().toDevice(6, -2, 0, d));
    EXPECT_DOUBLE_EQ(d.x, test::kPicture1.width);
    EXPECT_DOUBLE_EQ(d.y, test::kPicture1.height);
    // The drawing width stays 5 for the graphs; DrawAxes leaves the legend alone.
    EXPECT_EQ(w.picture1.geometry().drawWidth(), 5);
    EXPECT_TRUE(w.picture2.calls().empty());
}

struct RangeLabelCase {
    const char* name;
    Numeric yMax;
    float yMin;
    const char* top;
    const char* bottom;
};
void PrintTo(const RangeLabelCase& c, std::ostream* os) { *os << c.name; }

class RangeLabels : public ::testing::TestWithParam<RangeLabelCase> {};

TEST_P(RangeLabels, ShowTheRangeRoundedHalfToEven) {
    const RangeLabelCase& c = GetParam();
    FormState s = test::axesSampleState();
    s.YMax = c.yMax;
    s.YMin = c.yMin;
    test::FakeWindow w;
    const auto p = prints(draw(w, s));
    ASSERT_EQ(p.size(), 9u);
    EXPECT_EQ(p[4].text, c.top);
    EXPECT_EQ(p[5].text, c.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    DrawAxes, RangeLabels,
    ::testing::Values(RangeLabelCase{"Whole", Numeric::single(2), -1, "    2 ", "   -1 "},
                      RangeLabelCase{"TiesGoToEven", Numeric::single(2.5f), -1.5f, "    2 ", "   -2 "},
                      RangeLabelCase{"TieUpwards", Numeric::single(3.5f), -0.5f, "    4 ", "    0 "},
                      RangeLabelCase{"NotATie", Numeric::real(2.5000001), -2.4999f, "    3 ", "   -2 "},
                      RangeLabelCase{"Untouched", Numeric::integer(-1000), 1000, "   -1000 ", "    1000 "},
                      // Beyond the 16-bit range the rounded value still prints whole.
                      RangeLabelCase{"Beyond16Bit", Numeric::real(32767.5), -40000.5f, "    32768 ",
                                     "   -40000 "},
                      RangeLabelCase{"Huge", Numeric::real(1e30), -kMaxF, "    1E+30 ",
                                     "   -3.40282346638529E+38 "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrawAxes, OriginLabelOnlyWhenTheStartIsNotZero) {
    struct Case {
        Numeric xStart;
        float startX;             // where the start label stands
        const char* startText;
        bool originLabel;
    };
    const Case cases[] = {
        {Numeric::real(0), -0.1f, "    0 ", false},
        {Numeric::real(0.5), 0.4f, "    0.5 ", true},
        {Numeric::integer(0), -0.1f, "    0 ", false},
        {Numeric{}, -0.1f, "   ", false},  // unset: prints as nothing, counts as 0
        {Numeric::real(-0.0), -0.1f, "    0 ", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.startText);
        FormState s = test::axesSampleState();
        s.XStart = c.xStart;
        test::FakeWindow w;
        const auto calls = draw(w, s);
        const auto p = prints(calls);
        EXPECT_EQ(p[2].text, c.startText);
        EXPECT_EQ(p[2].at, (WorldPoint{c.startX, -0.1f}));
        ASSERT_EQ(p.size(), c.originLabel ? 9u : 8u);
        ASSERT_EQ(calls.size(), c.originLabel ? 25u : 23u);
        if (c.originLabel) {
            EXPECT_EQ(p[6].text, "    0 ");
            EXPECT_EQ(p[6].at, (WorldPoint{-0.1f, -0.1f}));
        }
    }
}

// The guide lines and their labels: y = C across the canvas, labelled left
// of the y-axis; x = -b from bottom to top, labelled at x = b by the last
// print of the axes.
TEST(DrawAxes, GuideLinesAtCAndMinusBWithTheirLabels) {
    struct Case {
        bool atC;  // the line at y = C, else the line at x = -b
        float C;
        Numeric b;
        float x1, y1, x2, y2;
        const char* text;
        WorldPoint at;
    };
    const Case cases[] = {
        {true, 0.0f, {}, -6, 0, 6, 0, "    0 ", {-0.1f, 0}},
        {true, -2.25f, {}, -6, -2.25f, 6, -2.25f, "   -2.25 ", {-0.1f, -2.25f}},
        {true, 1.1f, {}, -6, 1.1f, 6, 1.1f, "    1.1 ", {-0.1f, 1.1f}},
        {false, 0, Numeric::real(2), -2, -2, -2, 3, " 2 ", {2, -0.1f}},
        {false, 0, Numeric::real(-2), 2, -2, 2, 3, "-2 ", {-2, -0.1f}},
        {false, 0, Numeric::real(0), 0, -2, 0, 3, " 0 ", {0, -0.1f}},  // on the y-axis, the label at the origin
        {false, 0, Numeric{}, 0, -2, 0, 3, "", {0, -0.1f}},           // unset: no number
        {false, 0, Numeric::real(0.1), -0.1f, -2, -0.1f, 3, " 0.1 ", {0.1f, -0.1f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FormState s = test::axesSampleState();
        if (c.atC) s.ShiftY = c.C;
        if (!c.atC) s.ShiftX = c.b;
        test::FakeWindow w;
        const auto calls = draw(w, s);
        const Colour colour = c.atC ? kCGuide : kBGuide;
        const Call& guide = lineIn(calls, colour);
        ASSERT_EQ(guide.op, Op::Line);
        EXPECT_EQ(guide.colour, colour);
        EXPECT_EQ(guide.x1, c.x1);
        EXPECT_EQ(guide.y1, c.y1);
        EXPECT_EQ(guide.x2, c.x2);
        EXPECT_EQ(guide.y2, c.y2);
        EXPECT_EQ(printAfter(calls, guide).text, c.text);
        EXPECT_EQ(printAfter(calls, guide).at, c.at);
        if (!c.atC) {
            // The b label is the last print; the current point is where it left.
            EXPECT_EQ(&printAfter(calls, guide), &calls.back());
            EXPECT_EQ(w.picture1.currentPoint().x, -6.0);
        }
    }
    // With C = 0 the guide line lies on the x-axis and is drawn after it.
    FormState s = test::axesSampleState();
    s.ShiftY = 0;
    test::FakeWindow w;
    const auto calls = draw(w, s);
    const Call& xAxis = lineIn(calls, kAxis, 0);
    const Call& guide = lineIn(calls, kCGuide);
    EXPECT_LT(&xAxis, &guide);
    EXPECT_EQ(xAxis.y1, guide.y1);
    EXPECT_EQ(xAxis.x1, guide.x1);
    EXPECT_EQ(xAxis.x2, guide.x2);
}

TEST(DrawAxes, BackwardIntervalMirrorsTheXAxis) {
    FormState s = test::axesSampleState();
    s.XStart = Numeric::real(5);
    s.XEnd = -5.0f;
    test::FakeWindow w;
    const auto calls = draw(w, s);
    ASSERT_EQ(calls.size(), 25u);
    EXPECT_EQ(scaleOf(calls).x1, 4.0);
    EXPECT_EQ(scaleOf(calls).x2, -4.0);
    EXPECT_EQ(lineIn(calls, kAxis).x1, 4.0);  // the x-axis runs from XStart - 1 to XEnd + 1
    EXPECT_EQ(lineIn(calls, kAxis).x2, -4.0);
    EXPECT_EQ(pointBefore(calls, "x").x1, -4.2f);
    EXPECT_EQ(pointBefore(calls, "-5 ").x1, -5.01f);
    EXPECT_EQ(printOf(calls, "-5 ").value().at, (WorldPoint{-5.01f, -0.1f}));
    EXPECT_EQ(printOf(calls, "    5 ").value().at, (WorldPoint{4.9f, -0.1f}));
    // x grows to the left: the guide at x = -2 stands right of the y-axis.
    const CanvasGeometry& g = w.picture1.geometry();
    DevicePoint guide, axis;
    ASSERT_TRUE(g.toDevice(lineIn(calls, kBGuide).x1, 0, 0, guide));
    ASSERT_TRUE(g.toDevice(0, 0, 0, axis));
    EXPECT_GT(guide.x, axis.x);
}

TEST(DrawAxes, UntouchedRangeTurnsTheYAxisDownwards) {
    FormState s = test::axesSampleState();
    s.YMax = Numeric::integer(-1000);
    s.YMin = 1000.0f;
    s.ShiftY = 100.0f;
    test::FakeWindow w;
    const auto calls = draw(w, s);
    EXPECT_EQ(scaleOf(calls).y1, -999.0);
    EXPECT_EQ(scaleOf(calls).y2, 999.0);
    EXPECT_EQ(lineIn(calls, kAxis, 1).y1, 999.0);  // y-axis from YMin - 1 to YMax + 1
    EXPECT_EQ(lineIn(calls, kAxis, 1).y2, -999.0);
    EXPECT_EQ(pointBefore(calls, "   y  ").y1, -999.1f);
    // y grows downwards: the guide at y = 100 lies below the x-axis.
    const CanvasGeometry& g = w.picture1.geometry();
    DevicePoint guide, axis;
    ASSERT_TRUE(g.toDevice(0, 100, 0, guide));
    ASSERT_TRUE(g.toDevice(0, 0, 0, axis));
    EXPECT_GT(guide.y, axis.y);
}

TEST(DrawAxes, ScaleWithoutWidthOrHeightDrawsNothingButGoesOn) {
    FormState noWidth = test::axesSampleState();
    noWidth.XStart = Numeric::real(7);  // exactly XEnd + 2
    FormState noHeight = test::axesSampleState();
    noHeight.YMax = Numeric::single(0);
    noHeight.YMin = 2.0f;
    for (const FormState& s : {noWidth, noHeight}) {
        test::FakeWindow w;
        std::vector<Call> calls;
        ASSERT_NO_THROW(calls = draw(w, s));
        EXPECT_EQ(calls.size(), 25u);
        EXPECT_FALSE(w.picture1.geometry().hasArea());
        EXPECT_EQ(calls.back().text, " 2 ");
    }
}

TEST(DrawAxes, LargestFloatEndStaysInRange) {
    // XEnd + 1 rounds back to the largest 32-bit float: no overflow.
    FormState s = test::axesSampleState();
    s.XEnd = kMaxF;
    test::FakeWindow w;
    const auto calls = draw(w, s);
    ASSERT_EQ(calls.size(), 25u);
    EXPECT_EQ(scaleOf(calls).x2, kMaxF);
    EXPECT_EQ(pointBefore(calls, "x").x1, kMaxF);
}

TEST(DrawAxes, FaultsStopTheDrawingWhereTheyArise) {
    struct Case {
        const char* name;
        void (*set)(FormState&);
        FaultKind kind;
        std::size_t callsBefore;  // what stays on the canvas
    };
    const Case cases[] = {
        {"XEnd + 1 overflows", [](FormState& s) { s.XEnd = kInfF; }, FaultKind::Overflow, 1},
        {"XEnd + 1 is invalid", [](FormState& s) { s.XEnd = kNaNF; }, FaultKind::InvalidOperation, 1},
        {"YMin - 1 overflows", [](FormState& s) { s.YMin = -kInfF; }, FaultKind::Overflow, 1},
        {"XStart - 1 beyond a float",
         [](FormState& s) { s.XStart = Numeric::real(-1e39); }, FaultKind::ConversionOverflow, 3},
        {"XStart infinite", [](FormState& s) { s.XStart = Numeric::real(kInf); },
         FaultKind::ConversionOverflow, 3},
        {"YMax + 1 beyond a float",
         [](FormState& s) { s.YMax = Numeric::real(1e39); }, FaultKind::ConversionOverflow, 10},
        {"-b beyond a float",
         [](FormState& s) { s.ShiftX = Numeric::real(1e39); }, FaultKind::ConversionOverflow, 22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormState s = test::axesSampleState();
        c.set(s);
        test::FakeWindow w;
        w.form.state = s;
        try {
            DrawAxes(w.form);
            ADD_FAILURE() << "no fault";
        } catch (const RuntimeFault& f) {
            EXPECT_EQ(f.kind(), c.kind);
        }
        EXPECT_EQ(w.picture1.calls().size(), c.callsBefore);
        EXPECT_EQ(w.picture1.calls().front().op, Op::Clear);
    }
}

} // namespace
} // namespace viramont
