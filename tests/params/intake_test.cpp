// Pressing ВЫБОР: the fields as read into the form state, the checks of the
// logarithm's interval and domain, and the base dialog.

#include "form_kit.h"
#include "params/intake.h"
#include "toolkit/fault.h"
#include "toolkit/number_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace viramont {
namespace {

const std::string kInterval = "измените параметры начала и конца отрезка";
const std::string kDomain = "Измените параметры: логарифм значений не существует!";

// Picks `function` (unless empty) and fills Text1..Text4, Text6, Text7 in
// that order; fields not given keep the window's initial texts.
void prepare(test::FakeWindow& w, const std::string& function, const std::vector<std::string>& texts) {
    if (!function.empty()) w.pick(function);
    TextField* fields[] = {&w.text1, &w.text2, &w.text3, &w.text4, &w.text6, &w.text7};
    for (std::size_t i = 0; i < texts.size(); ++i) fields[i]->setText(texts[i]);
}

class Intake : public ::testing::Test {
protected:
    test::DecimalSeparator point{"."};
    test::FakeWindow w;
    const FormState& s = w.form.state;
};

TEST_F(Intake, EmptyFieldsGiveOneForTheFactorsAndZeroElsewhere) {
    prepare(w, fn::kCube, {"", "", "", "", "", ""});
    ВЫБОР_Click(w.form);
    EXPECT_EQ(s.StretchY, 1.0f);
    EXPECT_EQ(s.StretchX.kind(), Numeric::Kind::Integer);
    EXPECT_EQ(s.StretchX.value(), 1.0);
    EXPECT_EQ(s.ShiftX.kind(), Numeric::Kind::Real);
    EXPECT_EQ(s.ShiftX.value(), 0.0);
    EXPECT_EQ(s.ShiftY, 0.0f);
    EXPECT_EQ(s.XStart.kind(), Numeric::Kind::Real);
    EXPECT_EQ(s.XStart.value(), 0.0);
    EXPECT_EQ(s.XEnd, 0.0f);
    EXPECT_TRUE(w.dialogs.messages.empty());
    EXPECT_EQ(w.text5.text(), "+(x)^3");
}

TEST_F(Intake, FieldsAreStoredInTheKindOfTheirMember) {
    // 1.00000001 is the float 1, so A counts as exactly 1; the same text
    // stays a 64-bit float in k. A comma separates the fraction: b's "2,5" is 2.5.
    prepare(w, fn::kSin, {"1.00000001", "1.00000001", "2,5", "0.1", "-3", "1e-50"});
    ВЫБОР_Click(w.form);
    EXPECT_EQ(s.StretchY, 1.0f);
    EXPECT_EQ(s.StretchX.kind(), Numeric::Kind::Real);
    EXPECT_EQ(s.StretchX.value(), 1.00000001);
    EXPECT_EQ(s.ShiftX.value(), 2.5);
    EXPECT_EQ(s.ShiftY, 0.1f);
    EXPECT_EQ(s.XStart.value(), -3.0);
    EXPECT_EQ(s.XEnd, 0.0f);
    // A's "0,5" is a half; "abc" reads as 0 and becomes 1; a k of 0 becomes
    // the integer 1.
    prepare(w, "", {"0,5", "0"});
    ВЫБОР_Click(w.form);
    EXPECT_EQ(s.StretchY, 0.5f);
    EXPECT_EQ(s.StretchX.kind(), Numeric::Kind::Integer);
    prepare(w, "", {"abc", "0"});
    ВЫБОР_Click(w.form);
    EXPECT_EQ(s.StretchY, 1.0f);
    EXPECT_EQ(s.StretchX.kind(), Numeric::Kind::Integer);
}

TEST_F(Intake, IntervalAndDomainOfTheLogarithm) {
    struct Case {
        std::vector<std::string> fields;  // k, b, start, end
        std::string message;              // "" when the press goes through
        float lastX;                      // CurX after the scan, when it ran
    };
    const Case cases[] = {
        {{"", "", "", ""}, kInterval, 0},
        {{"1", "0", "-1", "5"}, kInterval, 0},
        {{"1", "0", "1", "0"}, kInterval, 0},
        {{"1", "0", "1", "1e-50"}, kInterval, 0},  // the end rounds to the float 0
        {{"1", "0", "5", "1"}, "", 5.0f},           // no point lies in the interval
        {{"1", "-2", "1", "4"}, kDomain, 1.0f},
        {{"1", "-1", "1", "3"}, kDomain, 1.0f},     // exactly 0 is outside
        {{"-2", "5", "0.5", "3"}, kDomain, 2.5f},   // 4, 3, 2, 1, then 0 at x = 2.5
        // Only the half-unit grid from the start is tested: 1, 1.5, 2 pass,
        // the end 2.2 (where -x + 2.1 < 0) is not a grid point.
        {{"-1", "2.1", "1", "2.2"}, "", 2.5f},
        {{"0.5", "0", "0.25", "10"}, "", 10.25f},
    };
    for (const char* function : {fn::kLog, fn::kLogBase}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(function) + " k=" + c.fields[0] + " b=" + c.fields[1] + " from " +
                         c.fields[2] + " to " + c.fields[3]);
            test::FakeWindow fresh;
            prepare(fresh, function, {"2", c.fields[0], c.fields[1], "3", c.fields[2], c.fields[3]});
            FormState& st = fresh.form.state;
            st.LogBase = 5;
            st.CurX = -7.0f;
            fresh.dialogs.answers = {"3"};
            ВЫБОР_Click(fresh.form);

            if (c.message.empty()) {
                EXPECT_TRUE(fresh.dialogs.messages.empty());
                EXPECT_NE(fresh.text5.text(), "Text5");
            } else {
                // The press ends: no base is asked, Text5 and LogBase stay,
                // but the fields are already read.
                EXPECT_EQ(fresh.dialogs.messages, std::vector<std::string>{c.message});
                EXPECT_TRUE(fresh.dialogs.prompts.empty());
                EXPECT_EQ(fresh.text5.text(), "Text5");
                EXPECT_EQ(st.LogBase, 5);
                EXPECT_EQ(st.StretchY, 2.0f);
                EXPECT_EQ(st.ShiftY, 3.0f);
            }
            EXPECT_EQ(st.CurX, c.message == kInterval ? -7.0f : c.lastX);
        }
    }
}

TEST_F(Intake, ScanEndsWhereTheFloatStopsAdvancing) {
    prepare(w, fn::kLog, {"1", "1", "0", "0", "1", "2e7"});
    ВЫБОР_Click(w.form);
    EXPECT_TRUE(w.dialogs.messages.empty());
    EXPECT_EQ(s.CurX, 8388608.0f);  // 2^23: adding 0.5 rounds back to it
    EXPECT_EQ(w.text5.text(), "+Log(x)");

    // Far beyond 2^23 the start is already a standstill.
    prepare(w, "", {"1", "1", "0", "0", "3e9", "3e38"});
    ВЫБОР_Click(w.form);
    EXPECT_TRUE(w.dialogs.messages.empty());
    EXPECT_EQ(s.CurX, 3e9f);
}

TEST_F(Intake, BaseIsAskedUntilItRoundsToAtLeastOne) {
    struct Case {
        std::vector<std::string> answers;
        int base;
    };
    const Case cases[] = {
        {{"abc", "0.5", "2.5"}, 2},  // ties go to the even neighbour
        {{"0,5", "2,5"}, 2},         // the comma as the separator
        {{"3,5"}, 4},
        {{"1"}, 1},
        {{"7abc"}, 7},
        {{"", "", "", "-4", "0", "1.5"}, 2},  // "" is what Cancel gives
        {{"0.51"}, 1},
        {{" 32767"}, 32767},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answers.back());
        test::FakeWindow fresh;
        prepare(fresh, fn::kLogBase, {"1", "1", "1", "0", "1"});
        fresh.dialogs.answers.assign(c.answers.begin(), c.answers.end());
        ВЫБОР_Click(fresh.form);
        const std::size_t asked = c.answers.size();
        EXPECT_EQ(fresh.dialogs.prompts, std::vector<std::string>(asked, "ВВЕДИТЕ ОСНОВАНИЕ ЛОГАРИФМА"));
        EXPECT_EQ(fresh.dialogs.titles, std::vector<std::string>(asked, "Ввод числа"));
        EXPECT_EQ(fresh.form.state.LogBase, c.base);
        EXPECT_EQ(fresh.text5.text(), "+Log(x+1)/Log(" + std::to_string(c.base) + ")");
        EXPECT_TRUE(fresh.dialogs.messages.empty());
    }
}

TEST_F(Intake, BaseIsAskedOnEveryPressOfItsFunction) {
    prepare(w, fn::kLogBase, {"1", "1", "0", "0", "1", "4"});
    w.dialogs.answers = {"3", "4"};
    ВЫБОР_Click(w.form);
    ВЫБОР_Click(w.form);
    EXPECT_EQ(w.dialogs.prompts.size(), 2u);
    EXPECT_EQ(s.LogBase, 4);
    w.pick(fn::kLog);
    ВЫБОР_Click(w.form);
    EXPECT_EQ(w.dialogs.prompts.size(), 2u);
    EXPECT_EQ(s.LogBase, 4);
}

TEST_F(Intake, LegendPanelIsClearedOnEveryPress) {
    w.pick(fn::kLog);
    for (const char* start : {"1", "-1"}) {  // a completed press, then one the check ends
        w.text6.setText(start);
        w.picture2.print("легенда", LineEnd::NewLine);
        ВЫБОР_Click(w.form);
        ASSERT_FALSE(w.picture2.calls().empty());
        EXPECT_EQ(w.picture2.calls().back().op, test::RecordingCanvas::Op::Clear);
        EXPECT_EQ(w.picture2.accessibleText(), "");
    }
    EXPECT_EQ(w.dialogs.messages, std::vector<std::string>{kInterval});
}

TEST_F(Intake, NumbersThatDoNotFitTheirKindAreConversionFaults) {
    struct Case {
        const char* function;
        std::vector<std::string> fields;
        const char* base;
    };
    const Case cases[] = {
        {fn::kSin, {"1e39"}, ""},
        {fn::kSin, {"1", "1", "1", "-1e39"}, ""},
        {fn::kSin, {"1", "1", "1", "1", "0", "1e999"}, ""},
        {fn::kLog, {"1", "1", "1", "1", "1e300", "5"}, ""},  // the scan's float start
        {fn::kLogBase, {"1", "1", "1", "1", "1", "5"}, "32767.5"},
        {fn::kLogBase, {"1", "1", "1", "1", "1", "5"}, "-40000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fields.back() + c.base);
        test::FakeWindow fresh;
        prepare(fresh, c.function, c.fields);
        if (*c.base) fresh.dialogs.answers = {c.base};
        try {
            ВЫБОР_Click(fresh.form);
            ADD_FAILURE() << "no fault";
        } catch (const RuntimeFault& fault) {
            EXPECT_EQ(fault.kind(), FaultKind::ConversionOverflow);
        }
        EXPECT_EQ(fresh.text5.text(), "Text5");
    }
}

} // namespace
} // namespace viramont
