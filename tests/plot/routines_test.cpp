#include "form_kit.h"
#include "plot/plot.h"
#include "toolkit/fault.h"
#include "toolkit/guard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace viramont {
namespace {

using Op = test::RecordingCanvas::Op;
using Call = test::RecordingCanvas::Call;

TEST(Plot, DefaultSineSetsEveryPointAtTheFloatStep) {
    test::FakeWindow w;
    test::setDefaults(w.form.state, "Sin(X)");
    Command1_Click(w.form);

    const auto blue = w.picture1.pointsIn(kBlue);
    const auto red = w.picture1.pointsIn(kRed);
    ASSERT_EQ(blue.size(), 99'937u);
    ASSERT_EQ(red.size(), 99'951u);
    EXPECT_EQ(blue.front().x1, 0.0);
    EXPECT_NEAR(blue.back().x1, 9.9999018, 5e-7);
    EXPECT_EQ(red.front().x1, -1.0);
    EXPECT_NEAR(red.back().x1, 8.999999, 5e-7);
    // Every x is a 32-bit float advanced by a 32-bit addition.
    EXPECT_EQ(static_cast<float>(blue[1].x1), 0.0f + 0.0001f);
    EXPECT_EQ(static_cast<float>(blue[2].x1), (0.0f + 0.0001f) + 0.0001f);
    // y is the 64-bit value stored as a 32-bit float.
    EXPECT_EQ(blue[5000].y1, static_cast<float>(std::sin(static_cast<double>(static_cast<float>(blue[5000].x1)))));
    const double x = static_cast<float>(red[777].x1);
    EXPECT_EQ(red[777].y1, static_cast<float>(1.0 * std::sin(1.0 * x + 1.0) + 1.0));
    // Red after blue, every point in the drawing width the axes left.
    EXPECT_TRUE(std::all_of(blue.begin(), blue.end(), [](const Call& c) { return c.width == 5; }));
    const auto firstRed = std::find_if(w.picture1.calls().begin(), w.picture1.calls().end(),
                                       [](const Call& c) { return c.op == Op::Point && c.colour == kRed; });
    EXPECT_TRUE(std::none_of(firstRed, w.picture1.calls().end(),
                             [](const Call& c) { return c.op == Op::Point && c.colour == kBlue; }));
    // CurX ends past the red loop, CurY holds the last red value.
    EXPECT_GT(w.form.state.CurX, 9.0f - 0.0001f);
    EXPECT_EQ(w.form.state.CurY, static_cast<float>(red.back().y1));
}

struct RangeCase {
    const char* function;
    double yMax;
    double yMin;
};
void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.function; }

class RangeScan : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RangeScan, DefaultFieldsGiveTheRange) {
    const RangeCase& c = GetParam();
    test::FakeWindow w;
    test::setDefaults(w.form.state, c.function);
    w.picture1.setKeepPoints(false);
    Command1_Click(w.form);
    EXPECT_EQ(w.form.state.YMax.kind(), Numeric::Kind::Single);
    EXPECT_EQ(static_cast<float>(w.form.state.YMax.value()), static_cast<float>(c.yMax));
    EXPECT_EQ(w.form.state.YMin, static_cast<float>(c.yMin));
}

INSTANTIATE_TEST_SUITE_P(Functions, RangeScan,
                         ::testing::Values(RangeCase{"Sin(X)", 1.9974949, -0.9775301},
                                           RangeCase{"Cos(X)", 1.9765877, -0.9971722},
                                           // the power scans leave b out: C + A·(k·10)^n
                                           RangeCase{"(x)^2", 101, 0}, RangeCase{"(x)^3", 1001, 0}));

TEST(Plot, CubeFarFromZeroLeavesTheLowerStart) {
    test::FakeWindow w;
    FormState& s = w.form.state;
    test::setDefaults(s, "(x)^3");
    s.ShiftX = Numeric::real(0);
    s.ShiftY = 0;
    s.XStart = Numeric::real(11);
    s.XEnd = 20;
    w.picture1.setKeepPoints(false);
    Command1_Click(w.form);
    EXPECT_EQ(s.YMax.value(), 8000.0);
    EXPECT_EQ(s.YMin, 1000.0f);
}

TEST(Plot, BackwardIntervalDrawsNoPointButAxesAndLegend) {
    test::FakeWindow w;
    test::setDefaults(w.form.state, "Sin(X)");
    w.form.state.XStart = Numeric::real(5);
    w.form.state.XEnd = 1;
    Command1_Click(w.form);
    EXPECT_EQ(w.form.state.YMax.kind(), Numeric::Kind::Integer);
    EXPECT_EQ(w.form.state.YMax.value(), -1000.0);
    EXPECT_EQ(w.form.state.YMin, 1000.0f);
    EXPECT_EQ(w.picture1.pointsIn(kBlue).size() + w.picture1.pointsIn(kRed).size(), 0u);
    EXPECT_EQ(w.picture1.count(Op::Clear), 1);
    EXPECT_GT(w.picture2.count(Op::Print), 0);
}

TEST(Plot, StateAfterStartPlotsTheOriginOnce) {
    test::FakeWindow w;
    w.form.state.FunctionName = "Sin(X)";
    Command1_Click(w.form);
    EXPECT_EQ(w.form.state.YMax.value(), 0.0);
    EXPECT_EQ(w.form.state.YMin, 0.0f);
    const auto blue = w.picture1.pointsIn(kBlue);
    const auto red = w.picture1.pointsIn(kRed);
    ASSERT_EQ(blue.size(), 1u);
    ASSERT_EQ(red.size(), 1u);
    EXPECT_EQ(blue[0].x1, 0.0);
    EXPECT_EQ(blue[0].y1, 0.0);
    EXPECT_EQ(red[0].x1, 0.0);
    EXPECT_EQ(red[0].y1, 0.0);
}

TEST(Plot, NothingChosenOrAnUnknownEntryDrawsNothing) {
    for (const char* name : {"", "sin(x)", "Sin(X) ", "ФУНКЦИИ"}) {
        test::FakeWindow w;
        test::setDefaults(w.form.state, name);
        Command1_Click(w.form);
        EXPECT_TRUE(w.picture1.calls().empty()) << name;
        EXPECT_TRUE(w.picture2.calls().empty()) << name;
    }
}

struct FaultCase {
    const char* what;
    const char* function;
    double xStart;
    float xEnd;
    double k;
    double b;
    std::int16_t base;
    FaultKind fault;
    bool axesDrawn;     // the fault came after DrawAxes
    bool blueComplete;  // the blue graph was drawn to its end
    bool redBegun;      // the fault came part of the way through the red graph
    // The box: its first line (what stopped, where) and its reason.
    const char* stopped;
    const char* reason;
};
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.what; }

// Runs Command1 behind the event boundary; the kind of the fault that
// stopped it.
std::optional<FaultKind> plotFault(test::FakeWindow& w) {
    std::optional<FaultKind> kind;
    runGuarded(w.dialogs, [&] {
        try {
            Command1_Click(w.form);
        } catch (const RuntimeFault& fault) {
            kind = fault.kind();
            throw;
        }
    });
    return kind;
}

// Blue points of a complete graph over the interval.
std::size_t completeBlueGraph(double xStart, float xEnd) {
    test::FakeWindow w;
    test::setDefaults(w.form.state, "(x)^2");
    w.form.state.XStart = Numeric::real(xStart);
    w.form.state.XEnd = xEnd;
    Command1_Click(w.form);
    return w.picture1.pointsIn(kBlue).size();
}

class PlotFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(PlotFaults, StopTheRoutineAndLeaveWhatWasDrawn) {
    const FaultCase& c = GetParam();
    test::FakeWindow w;
    FormState& s = w.form.state;
    test::setDefaults(s, c.function);
    s.XStart = Numeric::real(c.xStart);
    s.XEnd = c.xEnd;
    s.StretchX = Numeric::real(c.k);
    s.ShiftX = Numeric::real(c.b);
    s.LogBase = c.base;
    w.picture2.print("earlier legend", LineEnd::NewLine);
    const auto before2 = w.picture2.calls().size();

    const test::DecimalSeparator comma{","};
    EXPECT_EQ(plotFault(w), c.fault) << c.what;
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    const std::string& box = w.dialogs.messages[0];
    EXPECT_TRUE(box.starts_with(std::string(c.stopped) + "\nПричина: " + c.reason)) << c.what << ":\n" << box;
    EXPECT_NE(box.find("\nЧто изменить: "), std::string::npos) << c.what;
    EXPECT_EQ(w.picture1.count(Op::Clear), c.axesDrawn ? 1 : 0) << c.what;
    EXPECT_EQ(w.picture1.pointsIn(kBlue).size(), c.blueComplete ? completeBlueGraph(c.xStart, c.xEnd) : 0u)
        << c.what;
    const std::vector<Call> red = w.picture1.pointsIn(kRed);
    if (c.redBegun) {
        // Every red point computed before the fault is drawn: the last one is
        // one step before the x that faulted, and CurY still holds its y.
        ASSERT_GT(red.size(), 1000u) << c.what;
        EXPECT_EQ(static_cast<float>(red.back().x1) + 0.0001f, s.CurX) << c.what;
        EXPECT_EQ(static_cast<float>(red.back().y1), s.CurY) << c.what;
    } else {
        EXPECT_TRUE(red.empty()) << c.what;
    }
    EXPECT_EQ(w.picture2.calls().size(), before2) << c.what << ": no legend after a fault";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlotFaults,
    ::testing::Values(
        // ln 0 as the base value of the first scan point
        FaultCase{"log from 0", "Log(x)", 0, 10, 1, 1, 0, FaultKind::InvalidArgument, false, false, false,
                  "Графики не построены: синий график нельзя вычислить при x = 0.",
                  "логарифм не определён: x = 0 ≤ 0."},
        // the red loop starts at x = 1 - 5 = -4 where 2x + 5 = -3
        FaultCase{"log, red interval", "Log(x)", 1, 10, 2, 5, 0, FaultKind::InvalidArgument, true, true, false,
                  "Красный график остановлен при x = −4.", "логарифм не определён: 2x+5 = −3 ≤ 0."},
        // ln 1 = 0 divides the first transformed value
        FaultCase{"base 1", "Log(b)/Log(a)", 1, 4, 1, 1, 1, FaultKind::DivisionByZero, false, false, false,
                  "Графики не построены.", "логарифма по основанию 1 не бывает"},
        // a base never asked for: ln 0
        FaultCase{"base 0", "Log(b)/Log(a)", 1, 4, 1, 1, 0, FaultKind::InvalidArgument, false, false, false,
                  "Графики не построены.", "основание логарифма ещё не введено."},
        // k·x far beyond the 32-bit range in the scan of the square
        FaultCase{"square overflow", "(x)^2", 1, 2, 1e30, 0, 0, FaultKind::ConversionOverflow, false, false, false,
                  "Графики не построены: красный график нельзя вычислить при x = 1.",
                  "значение функции больше 3,4·10^38"},
        // sin of an infinite argument is an invalid operation: 1e308·2
        FaultCase{"sine of infinity", "Sin(X)", 1, 2, 1e308, 0, 0, FaultKind::InvalidOperation, false, false, false,
                  "Графики не построены: красный график нельзя вычислить при x = 2.",
                  "1E+308x при x = 2 больше любого числа программы."},
        // (k·x + b)^3 leaves the 32-bit range where 1e12·x - 1 passes the
        // cube root of 3.4·10^38, 6.98·10^12, in the red interval 1..7; the
        // scan's (k·x)^3 stays below it up to 6
        FaultCase{"cube overflow in red", "(x)^3", 0, 6, 1e12, -1, 0, FaultKind::ConversionOverflow, true, true, true,
                  "Красный график остановлен при x = 6,98.", "значение функции больше 3,4·10^38"}));

TEST(Plot, ASineBeyondTheFloatRangeIsAnOverflow) {
    test::FakeWindow w;
    test::setDefaults(w.form.state, "Sin(X)");
    w.form.state.StretchY = 3e38f;
    w.form.state.ShiftY = 3e38f;
    EXPECT_EQ(plotFault(w), FaultKind::Overflow);
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    // 3e38·sin(1) + 3e38 at the first scan point
    EXPECT_TRUE(w.dialogs.messages[0].starts_with("Графики не построены: красный график нельзя вычислить при x = 0."))
        << w.dialogs.messages[0];
}

TEST(Plot, ALogarithmPlottedBeforeВЫБОРAsksForIt) {
    for (const char* name : {"Log(x)", "Log(b)/Log(a)"}) {
        test::FakeWindow w;
        w.form.state.FunctionName = name;  // the state after start: nothing read
        EXPECT_EQ(plotFault(w), FaultKind::InvalidArgument) << name;
        ASSERT_EQ(w.dialogs.messages.size(), 1u);
        EXPECT_EQ(w.dialogs.messages[0],
                  "Графики не построены.\nПричина: числа из полей ещё не прочитаны.\n"
                  "Что изменить: нажмите «ВЫБОР ПАРАМЕТРОВ», затем «ПОСТРОИТЬ ГРАФИКИ ФУНКЦИЙ».")
            << name;
    }
}

TEST(Plot, LoopsEndWhereTheStepStopsAdvancing) {
    // From 2048 on, x + 0.0001 rounds back to x: the graphs end there.
    test::FakeWindow w;
    FormState& s = w.form.state;
    test::setDefaults(s, "(x)^2");
    s.ShiftX = Numeric::real(0);
    s.XStart = Numeric::real(2047.99);
    s.XEnd = 100000;
    Command1_Click(w.form);
    const auto blue = w.picture1.pointsIn(kBlue);
    ASSERT_FALSE(blue.empty());
    EXPECT_EQ(blue.back().x1, 2048.0);
    EXPECT_EQ(w.picture1.pointsIn(kRed).size(), blue.size());
    EXPECT_LT(blue.size(), 200u);

    // Below -2048 the step never advances: one point per graph.
    test::FakeWindow far;
    test::setDefaults(far.form.state, "(x)^2");
    far.form.state.XStart = Numeric::real(-100000);
    far.form.state.XEnd = -99999;
    Command1_Click(far.form);
    EXPECT_EQ(far.picture1.pointsIn(kBlue).size(), 1u);
    EXPECT_EQ(far.picture1.pointsIn(kRed).size(), 1u);
}

TEST(Plot, TheScanEndsBeyondTwoToTheTwentyThird) {
    test::FakeWindow w;
    FormState& s = w.form.state;
    test::setDefaults(s, "(x)^2");
    s.XStart = Numeric::real(8388607);
    s.XEnd = 3e38f;
    Command1_Click(w.form);
    // The scan visits 8388607, 8388607.5 and 8388608, where x + 0.5 rounds
    // back to x; the graphs set one point each.
    EXPECT_EQ(s.YMax.value(), static_cast<float>(1 + 8388608.0 * 8388608.0));
    EXPECT_EQ(s.YMin, 1000.0f);
    EXPECT_EQ(w.picture1.pointsIn(kBlue).size(), 1u);
    EXPECT_EQ(w.picture1.pointsIn(kRed).size(), 1u);
}

TEST(Plot, ANewChoiceUsesTheParametersAlreadyRead) {
    test::FakeWindow w;
    test::setDefaults(w.form.state, "Cos(X)");
    w.form.state.StretchY = 2;
    w.picture1.setKeepPoints(false);
    Command1_Click(w.form);
    // The highest scan point of 2·cos(x + 1) + 1 is x = 5.5.
    EXPECT_EQ(static_cast<float>(w.form.state.YMax.value()), static_cast<float>(2 * std::cos(6.5) + 1));
}

} // namespace
} // namespace viramont
