#include "toolkit/guard.h"
#include "toolkit/fault.h"
#include "toolkit/number_text.h"
#include "toolkit/numeric.h"
#include "form_kit.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace viramont {
namespace {

TEST(Numeric, UnsetCountsAsZeroAndPrintsAsNothing) {
    const Numeric unset;
    EXPECT_TRUE(unset.isUnset());
    EXPECT_EQ(unset.value(), 0.0);
    EXPECT_EQ(numberText(unset), "");
    EXPECT_EQ(unset.value() + 1.5, 1.5);
    EXPECT_FALSE(unset.value() > 0);
}

TEST(Numeric, AbsoluteValueKeepsTheKind) {
    EXPECT_EQ(Numeric().abs().kind(), Numeric::Kind::Integer);
    EXPECT_EQ(Numeric().abs().value(), 0.0);
    EXPECT_EQ(numberText(Numeric().abs()), "0");
    EXPECT_EQ(Numeric::integer(-1000).abs().kind(), Numeric::Kind::Integer);
    EXPECT_EQ(Numeric::integer(-1000).abs().value(), 1000.0);
    EXPECT_EQ(Numeric::single(-2.5f).abs().kind(), Numeric::Kind::Single);
    EXPECT_EQ(Numeric::real(-3.0).abs().kind(), Numeric::Kind::Real);
    EXPECT_EQ(Numeric::real(-3.0).abs().value(), 3.0);
}

TEST(Numeric, TextFollowsTheKind) {
    const test::DecimalSeparator point{"."};
    const double third = 1.0 / 3.0;
    EXPECT_EQ(numberText(Numeric::integer(-1000)), "-1000");
    EXPECT_EQ(numberText(Numeric::single(static_cast<float>(third))), "0.3333333");
    EXPECT_EQ(numberText(Numeric::real(third)), "0.333333333333333");
    EXPECT_EQ(numberText(Numeric::single(1.9974949f)), "1.997495");
}

TEST(Guard, FaultsBecomeMessagesAndTheProgramGoesOn) {
    test::ScriptedDialogs dialogs;
    bool ran = false;
    EXPECT_TRUE(runGuarded(dialogs, [&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_TRUE(dialogs.messages.empty());

    EXPECT_FALSE(runGuarded(dialogs, [] { throw RuntimeFault(FaultKind::DivisionByZero); }));
    EXPECT_FALSE(runGuarded(dialogs, [] { throw std::logic_error("x"); }));
    EXPECT_FALSE(runGuarded(dialogs, [] { throw 42; }));
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[0], faultMessage(FaultKind::DivisionByZero));
    EXPECT_EQ(dialogs.messages[1],
              "Внутренняя ошибка программы. Нажмите кнопку ещё раз; если ошибка повторится, перезапустите программу.");
    EXPECT_EQ(dialogs.messages[2], dialogs.messages[1]);
}

} // namespace
} // namespace viramont
