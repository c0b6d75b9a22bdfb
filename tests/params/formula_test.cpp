// The formula shown in Text5 after a press of ВЫБОР, through the real handler.

#include "fakes.h"
#include "params/intake.h"
#include "toolkit/number_text.h"

#include <gtest/gtest.h>

#include <string>

namespace viramont {
namespace {

// Pins the decimal separator for the test and gives the old one back after.
class FormulaText : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = decimalSeparator();
        setDecimalSeparator(".");
    }
    void TearDown() override { setDecimalSeparator(saved_); }

private:
    std::string saved_;
};

struct FormulaCase {
    const char* function;  // nullptr: nothing picked yet
    const char* a;
    const char* k;
    const char* b;
    const char* c;
    const char* base;      // answer to the base box, "" when none is asked
    const char* expected;
};

std::string pressWith(test::FakeWindow& w, const FormulaCase& row) {
    if (row.function) w.pick(row.function);
    w.text1.setText(row.a);
    w.text2.setText(row.k);
    w.text3.setText(row.b);
    w.text4.setText(row.c);
    w.text6.setText("1");
    w.text7.setText("4");
    if (*row.base) w.dialogs.answers.push_back(row.base);
    ВЫБОР_Click(w.form);
    return w.text5.text();
}

TEST_F(FormulaText, ComposedFromTheParametersAndTheFunction) {
    const FormulaCase rows[] = {
        {"Sin(X)", "2", "3", "1", "4", "", "4+2Sin(3x+1)"},
        {"Sin(X)", "", "", "", "", "", "+Sin(x)"},
        {"Cos(X)", "-1", "-1", "-2", "-3", "", "-3-Cos(-x-2)"},
        {"Cos(X)", "-2.5", "0.5", "0", "1", "", "1-2.5Cos(0.5x)"},
        {"(x)^2", "2", "1", "3", "0", "", "+2(x+3)^2"},
        {"(x)^2", "-1", "-3", "0.25", "-0.5", "", "-0.5-(-3x+0.25)^2"},
        {"(x)^3", "-0.5", "2", "-1", "1", "", "1-0.5(2x-1)^3"},
        {"(x)^3", "1", "1", "0", "0", "", "+(x)^3"},
        {"Log(x)", "1", "2", "0", "0", "", "+Log(2x)"},
        {"Log(b)/Log(a)", "3", "1", "1", "-2", "2", "-2+3Log(x+1)/Log(2)"},
        {"Log(b)/Log(a)", "1", "-0.5", "3", "0", "10", "+Log(-0.5x+3)/Log(10)"},
        {"Sin(X)", "0.333333333", "0.333333333", "0", "0", "", "+0.3333333Sin(0.333333333x)"},
        {"Sin(X)", "1.00000001", "1.00000001", "0", "0", "", "+Sin(1.00000001x)"},
        {nullptr, "2", "1", "0", "0", "", "+2"},
        // k typed as 0 is replaced by 1 and left out; -1 keeps only its sign.
        {"Sin(X)", "-1", "0", "-0.5", "0", "", "-Sin(x-0.5)"},
        // Exponent forms of the two float kinds.
        {"Sin(X)", "12345678", "1e20", "1e-7", "-0.000001", "", "-1E-06+1.234568E+07Sin(1E+20x+1E-07)"},
        // Names are compared exactly: a lower-case name gets neither the
        // checks nor an ending, and is walked up to its last two characters.
        {"log(x)", "1", "1", "0", "0", "", "+log(x)"},
        {"log(b)/log(a)", "1", "2", "0", "0", "", "+log(2x)b)/log(2x)"},
        // The walk counts characters, not bytes.
        {"Синус(X)", "2", "1", "0", "0", "", "+2Синус(x)"},
        {"Ω", "2", "1", "0", "0", "", "+2"},
    };
    for (const FormulaCase& row : rows) {
        SCOPED_TRACE(std::string(row.function ? row.function : "(none)") + " A=" + row.a + " k=" + row.k +
                     " b=" + row.b + " C=" + row.c);
        test::FakeWindow w;
        EXPECT_EQ(pressWith(w, row), row.expected);
        EXPECT_EQ(w.form.state.FormulaText, row.expected);
        EXPECT_TRUE(w.dialogs.messages.empty());
        EXPECT_EQ(w.dialogs.prompts.size(), *row.base ? 1u : 0u);
    }
}

TEST_F(FormulaText, SamePressTwiceGivesTheSameText) {
    test::FakeWindow w;
    const FormulaCase row{"(x)^2", "2", "1", "3", "0", "", "+2(x+3)^2"};
    EXPECT_EQ(pressWith(w, row), row.expected);
    ВЫБОР_Click(w.form);
    EXPECT_EQ(w.text5.text(), row.expected);
}

TEST_F(FormulaText, NumbersUseTheUsersDecimalSeparator) {
    setDecimalSeparator(",");
    test::FakeWindow w;
    // The fields are still read with a point.
    EXPECT_EQ(pressWith(w, {"Cos(X)", "0.5", "1.25", "-0.75", "2.5", "", ""}), "2,5+0,5Cos(1,25x-0,75)");
}

} // namespace
} // namespace viramont
