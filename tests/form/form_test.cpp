#include "form/form.h"
#include "form_kit.h"

#include <gtest/gtest.h>

namespace viramont {
namespace {

TEST(Form, LoadFillsTheListAndLeavesTheTextPart) {
    test::FakeWindow w;
    Form_Load(w.form);
    EXPECT_EQ(w.combo1.entries,
              (std::vector<std::string>{"Sin(X)", "Cos(X)", "(x)^2", "(x)^3", "Log(x)", "Log(b)/Log(a)"}));
    EXPECT_EQ(w.combo1.text(), "ФУНКЦИИ");
    EXPECT_EQ(w.form.state.FunctionName, "");
}

TEST(Form, PickingAnEntryStoresIt) {
    test::FakeWindow w;
    Form_Load(w.form);
    w.pick("Cos(X)");
    EXPECT_EQ(w.form.state.FunctionName, "Cos(X)");
    w.pick("Cos(X)");
    EXPECT_EQ(w.form.state.FunctionName, "Cos(X)");
    w.pick("Log(b)/Log(a)");
    EXPECT_EQ(w.form.state.FunctionName, "Log(b)/Log(a)");
}

TEST(Form, StartsZeroedAndExitEndsTheProgram) {
    test::FakeWindow w;
    const FormState& s = w.form.state;
    EXPECT_TRUE(s.XStart.isUnset());
    EXPECT_TRUE(s.StretchX.isUnset());
    EXPECT_TRUE(s.ShiftX.isUnset());
    EXPECT_TRUE(s.YMax.isUnset());
    EXPECT_EQ(s.XEnd, 0.0f);
    EXPECT_EQ(s.LogBase, 0);
    EXPECT_FALSE(w.ended);
    Command3_Click(w.form);
    EXPECT_TRUE(w.ended);
}

} // namespace
} // namespace viramont
