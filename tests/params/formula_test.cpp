// The formula shown in Text5 after a press of ВЫБОР, through the real handler.

#include "form_kit.h"
#include "params/intake.h"
#include "toolkit/number_text.h"

#include <gtest/gtest.h>

#include <string>

namespace viramont {
namespace {

class FormulaText : public ::testing::Test {
protected:
    test::DecimalSeparator point{"."};
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
        {fn::kSin, "2", "3", "1", "4", "", "4+2Sin(3x+1)"},
        {fn::kSin, "", "", "", "", "", "+Sin(x)"},
        {fn::kCos, "-1", "-1", "-2", "-3", "", "-3-Cos(-x-2)"},
        {fn::kCos, "-2.5", "0.5", "0", "1", "", "1-2.5Cos(0.5x)"},
        {fn::kSquare, "2", "1", "3", "0", "", "+2(x+3)^2"},
        {fn::kSquare, "-1", "-3", "0.25", "-0.5", "", "-0.5-(-3x+0.25)^2"},
        {fn::kCube, "-0.5", "2", "-1", "1", "", "1-0.5(2x-1)^3"},
        {fn::kCube, "1", "1", "0", "0", "", "+(x)^3"},
        {fn::kLog, "1", "2", "0", "0", "", "+Log(2x)"},
        {fn::kLogBase, "3", "1", "1", "-2", "2", "-2+3Log(x+1)/Log(2)"},
        {fn::kLogBase, "1", "-0.5", "3", "0", "10", "+Log(-0.5x+3)/Log(10)"},
        {fn::kSin, "0.333333333", "0.333333333", "0", "0", "", "+0.3333333Sin(0.333333333x)"},
        {fn::kSin, "1.00000001", "1.00000001", "0", "0", "", "+Sin(1.00000001x)"},
        {nullptr, "2", "1", "0", "0", "", "+2"},
        // k typed as 0 is replaced by 1 and left out; -1 keeps only its sign.
        {fn::kSin, "-1", "0", "-0.5", "0", "", "-Sin(x-0.5)"},
        // Exponent forms of the two float kinds.
        {fn::kSin, "12345678", "1e20", "1e-7", "-0.000001", "", "-1E-06+1.234568E+07Sin(1E+20x+1E-07)"},
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
    const FormulaCase row{fn::kSquare, "2", "1", "3", "0", "", "+2(x+3)^2"};
    EXPECT_EQ(pressWith(w, row), row.expected);
    ВЫБОР_Click(w.form);
    EXPECT_EQ(w.text5.text(), row.expected);
}

TEST_F(FormulaText, NumbersUseTheUsersDecimalSeparator) {
    const test::DecimalSeparator comma{","};
    test::FakeWindow w;
    // The fields are typed with a point here; the formula takes the comma.
    EXPECT_EQ(pressWith(w, {fn::kCos, "0.5", "1.25", "-0.75", "2.5", "", ""}), "2,5+0,5Cos(1,25x-0,75)");
}

} // namespace
} // namespace viramont
