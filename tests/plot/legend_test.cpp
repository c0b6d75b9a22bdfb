#include "form_kit.h"
#include "plot/legend.h"
#include "toolkit/fault.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace viramont {
namespace {

using Op = test::RecordingCanvas::Op;
using Call = test::RecordingCanvas::Call;

std::vector<std::string> linesOf(const Canvas& c) {
    std::vector<std::string> out;
    std::istringstream in(c.accessibleText());
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// The eight lines of the key, the same in every legend.
const std::vector<std::string> kKey = {
    " ", "       ЦВЕТ ГРАФИКА", " ", " Cиний - исходный", " Kрасный - преобразованный", " ", "       CМЕЩЕНИЕ", " ",
};

struct LegendCase {
    const char* name;
    Numeric b;
    float C;
    const char* xLine;
    const char* yLine;
};
void PrintTo(const LegendCase& c, std::ostream* os) { *os << c.name; }

class Legend : public ::testing::TestWithParam<LegendCase> {};

TEST_P(Legend, PrintsTheKeyAndTheTwoShifts) {
    const LegendCase& c = GetParam();
    test::FakeWindow w;
    w.form.state.ShiftX = c.b;
    w.form.state.ShiftY = c.C;
    ShowLegend(w.form);

    std::vector<std::string> expected = kKey;
    expected.push_back(c.xLine);
    expected.push_back(c.yLine);
    EXPECT_EQ(linesOf(w.picture2), expected);

    // Twelve prints; the two amounts stay on their line for the direction word.
    const auto& calls = w.picture2.calls();
    ASSERT_EQ(calls.size(), 12u);
    for (std::size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].op, Op::Print);
        EXPECT_EQ(calls[i].end, i == 8 || i == 10 ? LineEnd::Stay : LineEnd::NewLine) << "row " << i + 1;
    }
    EXPECT_TRUE(w.picture1.calls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    ShowLegend, Legend,
    ::testing::Values(
        LegendCase{"Positive", Numeric::real(3), 2.0f, " По оси X на 3 влево ", " По оси Y на 2 вверх "},
        LegendCase{"Negative", Numeric::real(-3), -0.5f, " По оси X на 3 вправо ", " По оси Y на 0.5 вниз "},
        LegendCase{"Zero", Numeric::real(0), 0.0f, " По оси X на 0 вправо ", " По оси Y на 0 вниз "},
        LegendCase{"NegativeZero", Numeric::real(-0.0), -0.0f, " По оси X на 0 вправо ", " По оси Y на 0 вниз "},
        LegendCase{"Unset", Numeric{}, 1.0f, " По оси X на 0 вправо ", " По оси Y на 1 вверх "},
        // b in the 64-bit form, C in the 32-bit form.
        LegendCase{"NumberForms", Numeric::real(-1.1), -1.1f, " По оси X на 1.1 вправо ",
                   " По оси Y на 1.1 вниз "},
        LegendCase{"LongDigits", Numeric::real(1.0 / 3), 1.0f / 3, " По оси X на 0.333333333333333 влево ",
                   " По оси Y на 0.3333333 вверх "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShowLegend, UsesLatinLettersWhereTheWordsSayLatin) {
    test::FakeWindow w;
    ShowLegend(w.form);
    const auto lines = linesOf(w.picture2);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[3].substr(0, 2), std::string(" \x43"));  // Latin C
    EXPECT_EQ(lines[4].substr(0, 2), std::string(" \x4B"));  // Latin K
    EXPECT_EQ(lines[6].substr(0, 8), std::string(7, ' ') + "\x43");
    EXPECT_EQ(lines[8].substr(0, 14), " По оси \x58");       // Latin X
    EXPECT_EQ(lines[9].substr(0, 14), " По оси \x59");       // Latin Y
}

TEST(ShowLegend, SecondLegendStartsOnTheLineAfterTheFirst) {
    test::FakeWindow w;
    w.form.state.ShiftX = Numeric::real(3);
    w.form.state.ShiftY = 2.0f;
    ShowLegend(w.form);
    const WorldPoint after = w.picture2.currentPoint();
    w.form.state.ShiftX = Numeric::real(-1);
    ShowLegend(w.form);

    const auto lines = linesOf(w.picture2);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[8], " По оси X на 3 влево ");
    EXPECT_EQ(lines[10], " ");
    EXPECT_EQ(lines[18], " По оси X на 1 вправо ");
    const auto& calls = w.picture2.calls();
    ASSERT_EQ(calls.size(), 24u);
    EXPECT_EQ(calls[12].at, after);
    EXPECT_EQ(calls[12].at, (WorldPoint{0, 10 * test::RecordingCanvas::kLineHeight}));
    // The legend never clears its panel.
    for (const Call& c : calls) EXPECT_NE(c.op, Op::Clear);
}

TEST(ShowLegend, InvalidCStopsAfterTheXLine) {
    test::FakeWindow w;
    w.form.state.ShiftX = Numeric::real(3);
    w.form.state.ShiftY = std::numeric_limits<float>::quiet_NaN();
    try {
        ShowLegend(w.form);
        ADD_FAILURE() << "no fault";
    } catch (const RuntimeFault& f) {
        EXPECT_EQ(f.kind(), FaultKind::InvalidOperation);
    }
    const auto lines = linesOf(w.picture2);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines.back(), " По оси X на 3 влево ");
}

} // namespace
} // namespace viramont
