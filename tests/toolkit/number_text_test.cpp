#include "form_kit.h"
#include "toolkit/arith.h"
#include "toolkit/fault.h"
#include "toolkit/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iomanip>
#include <limits>
#include <ostream>
#include <random>
#include <string>

namespace viramont {
namespace {

struct ParseCase {
    const char* text;
    double expected;
};
// A case prints as what it reads, so that the test's list names it.
void PrintTo(const ParseCase& c, std::ostream* os) { *os << '"' << c.text << "\" -> " << c.expected; }

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, TakesTheLongestLeadingNumber) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(parseNumber(c.text), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseTest,
    ::testing::Values(
        // plain numbers
        ParseCase{"1", 1}, ParseCase{"-3.5", -3.5}, ParseCase{"+2", 2}, ParseCase{"0.0001", 0.0001},
        ParseCase{".5", 0.5}, ParseCase{"5.", 5}, ParseCase{"-.25", -0.25}, ParseCase{"007", 7},
        // leading blanks are skipped, the rest of the text is not read
        ParseCase{"  12", 12}, ParseCase{"\t7", 7}, ParseCase{"7abc", 7}, ParseCase{"1 2", 1},
        ParseCase{"2.5.3", 2.5},
        // the comma separates as the point does; only the first separator counts
        ParseCase{"0,5", 0.5}, ParseCase{"2,5", 2.5}, ParseCase{"1,5", 1.5}, ParseCase{",5", 0.5},
        ParseCase{"-,25", -0.25}, ParseCase{"1,5,3", 1.5}, ParseCase{"1.5,3", 1.5}, ParseCase{"1,5.3", 1.5},
        ParseCase{"2,5e2", 250}, ParseCase{",", 0}, ParseCase{" 1,", 1},
        // exponents
        ParseCase{"1E3", 1000}, ParseCase{"2.5e-1x", 0.25}, ParseCase{"1e-50", 1e-50}, ParseCase{"1e", 1},
        ParseCase{"1e+", 1}, ParseCase{"3e-x", 3}, ParseCase{"1e308", 1e308}, ParseCase{"1e-400", 0},
        ParseCase{"4.9e-324", 4.9e-324},
        // no number at all
        ParseCase{"", 0}, ParseCase{"abc", 0}, ParseCase{".", 0}, ParseCase{"-", 0}, ParseCase{"e5", 0},
        ParseCase{"- 5", 0}, ParseCase{"Sin(X)", 0},
        // long digit strings round correctly
        ParseCase{"123456789012345678901234567890", 1.2345678901234568e29},
        ParseCase{"0.1000000000000000055511151231257827021181583404541015625", 0.1}));

TEST(Parse, BeyondTheDoubleRangeIsAConversionOverflow) {
    for (const std::string& text : {std::string("1e999"), std::string("-2e308"), "1" + std::string(400, '0')}) {
        try {
            parseNumber(text);
            ADD_FAILURE() << text << " was accepted";
        } catch (const RuntimeFault& f) {
            EXPECT_EQ(f.kind(), FaultKind::ConversionOverflow);
        }
    }
}

TEST(Parse, NegativeZeroStaysZero) {
    const double v = parseNumber("-0");
    EXPECT_EQ(v, 0.0);
}

TEST(Parse, DigitsBeyondTheKeptOnesStillDecideATie) {
    // 2^53 + 1 is halfway between two doubles; only a non-zero digit far
    // behind it decides that it rounds up.
    const std::string tie = "9007199254740993";
    EXPECT_EQ(parseNumber(tie), 9007199254740992.0);
    EXPECT_EQ(parseNumber(tie + "." + std::string(900, '0') + "1"), 9007199254740994.0);
    EXPECT_EQ(parseNumber(tie + std::string(900, '0') + "1e-901"), 9007199254740994.0);
}

TEST(Parse, VeryLongTextsAreRead) {
    EXPECT_EQ(parseNumber(std::string(2'000'000, ' ') + "3"), 3.0);
    EXPECT_EQ(parseNumber("0." + std::string(3'000'000, '0') + "1"), 0.0);
    EXPECT_EQ(parseNumber(std::string(3'000'000, '1') + "e-2999990"), 1111111111.1111111111);
    EXPECT_THROW(parseNumber(std::string(3'000'000, '7') + "x"), RuntimeFault);
}

TEST(Parse, AgreesWithTheLibraryOnRandomDecimals) {
    std::mt19937_64 rng(12345);
    std::uniform_int_distribution<int> digit(0, 9), len(1, 40), exp(-330, 310);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int n = len(rng);
        for (int j = 0; j < n; ++j) text += static_cast<char>('0' + digit(rng));
        if (i % 3 == 0) text.insert(static_cast<std::size_t>(len(rng) % n), ".");
        text += "e" + std::to_string(exp(rng));
        const double expected = std::strtod(text.c_str(), nullptr);
        if (std::isinf(expected)) continue;
        EXPECT_EQ(parseNumber(text), expected) << text;
    }
}

struct FormatCase {
    double value;
    const char* single;  // as a 32-bit float
    const char* dbl;     // as a 64-bit float
};
void PrintTo(const FormatCase& c, std::ostream* os) { *os << std::setprecision(17) << c.value; }

class FormatTest : public ::testing::TestWithParam<FormatCase> {
protected:
    test::DecimalSeparator point{"."};
};

TEST_P(FormatTest, RoundsToTheKindsDigits) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(singleText(static_cast<float>(c.value)), c.single) << c.value;
    EXPECT_EQ(doubleText(c.value), c.dbl) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatTest,
    ::testing::Values(FormatCase{0, "0", "0"}, FormatCase{-0.0, "0", "0"}, FormatCase{1, "1", "1"},
                      FormatCase{-2.5, "-2.5", "-2.5"}, FormatCase{0.5, "0.5", "0.5"},
                      FormatCase{0.1, "0.1", "0.1"}, FormatCase{100, "100", "100"},
                      FormatCase{0.333333333, "0.3333333", "0.333333333"},
                      FormatCase{1.00000001, "1", "1.00000001"},
                      FormatCase{1.9974949, "1.997495", "1.9974949"},
                      // plain up to digits - 1 as exponent, then E+NN
                      FormatCase{1234567, "1234567", "1234567"}, FormatCase{12345678, "1.234568E+07", "12345678"},
                      FormatCase{1e7, "1E+07", "10000000"}, FormatCase{123456789012345.0, "1.234568E+14", "123456789012345"},
                      FormatCase{1e15, "1E+15", "1E+15"}, FormatCase{-3e20, "-3E+20", "-3E+20"},
                      // plain down to E-05, then E-NN
                      FormatCase{0.00001, "0.00001", "0.00001"}, FormatCase{0.000012345, "0.000012345", "0.000012345"},
                      FormatCase{0.000001, "1E-06", "1E-06"}, FormatCase{-0.0000025, "-2.5E-06", "-2.5E-06"},
                      // rounding carries into a new digit
                      FormatCase{9.9999999999999991, "10", "10"}, FormatCase{0.99999999, "1", "0.99999999"},
                      FormatCase{9999999.6, "1E+07", "9999999.6"},
                      // the ends of the ranges
                      FormatCase{3.4028234663852886e38, "3.402823E+38", "3.40282346638529E+38"},
                      FormatCase{1e-45, "1.401298E-45", "1E-45"},
                      FormatCase{1.7976931348623157e308, "Inf", "1.79769313486232E+308"},
                      FormatCase{9.99999974737875e-05, "0.0001", "0.0000999999974737875"}));

TEST(Format, IntegerAndPrintedForms) {
    const test::DecimalSeparator point{"."};
    EXPECT_EQ(integerText(-1000), "-1000");
    EXPECT_EQ(integerText(32767), "32767");
    EXPECT_EQ(printedText(5.0f), " 5 ");
    EXPECT_EQ(printedText(-2.5f), "-2.5 ");
    EXPECT_EQ(printedText(0.0f), " 0 ");
    EXPECT_EQ(printedText(-0.0f), " 0 ");
    EXPECT_EQ(printedInteger(0), " 0 ");
    EXPECT_EQ(printedText(Numeric::integer(-1000)), "-1000 ");
    EXPECT_EQ(printedText(Numeric::real(0.5)), " 0.5 ");
    EXPECT_EQ(printedText(Numeric()), "");
}

TEST(Format, UsesTheUsersSeparator) {
    const test::DecimalSeparator comma{","};
    EXPECT_EQ(singleText(0.5f), "0,5");
    EXPECT_EQ(doubleText(-2.25), "-2,25");
    EXPECT_EQ(singleText(12345678.0f), "1,234568E+07");
    EXPECT_EQ(singleText(3.0f), "3");
    // what the program writes reads back, whichever separator the user has
    EXPECT_EQ(parseNumber(singleText(0.5f)), 0.5);
    EXPECT_EQ(parseNumber(doubleText(-2.25)), -2.25);
    EXPECT_EQ(parseNumber(singleText(12345678.0f)), 12345680.0);
}

// Numbers as the picture's description and the messages say them.
TEST(Format, SpokenForm) {
    const test::DecimalSeparator comma{","};
    const std::pair<double, const char*> cases[] = {
        {0, "0"},           {-0.0, "0"},           {2.5, "2,5"},      {-3, "−3"},
        {0.004, "0"},       {-0.004, "0"},         {0.005, "0,01"},   {1234.567, "1234,57"},
        {-4.0001, "−4"},    {6.979, "6,98"},       {0.1, "0,1"},      {999999999.994, "999999999,99"},
        {1e9, "1·10^9"},    {3.4e38, "3,4·10^38"}, {-2.126e12, "−2,13·10^12"},
    };
    for (const auto& [value, spoken] : cases) EXPECT_EQ(spokenNumber(value), spoken) << value;
    const test::DecimalSeparator point{"."};
    EXPECT_EQ(spokenNumber(-1.5), "−1.5");
}

struct RoundCase {
    double value;
    double expected;
};

TEST(Arith, RoundsTiesToEven) {
    const RoundCase cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},     {3.5, 4},        {-0.5, 0}, {-1.5, -2},
                               {-2.5, -2}, {2.4999, 2}, {2.5000001, 3}, {-2.6, -3}, {1e300, 1e300}};
    for (const RoundCase& c : cases) EXPECT_EQ(roundHalfEven(c.value), c.expected) << c.value;
}

template <typename F>
FaultKind faultOf(F&& f) {
    try {
        f();
    } catch (const RuntimeFault& fault) {
        return fault.kind();
    }
    ADD_FAILURE() << "no fault";
    return FaultKind::InvalidArgument;
}

TEST(Arith, ConversionsAndChecksRaiseNamedFaults) {
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768.5), -32768);
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(faultOf([] { toInt16(32767.5); }), FaultKind::ConversionOverflow);
    EXPECT_EQ(faultOf([] { toInt16(-40000); }), FaultKind::ConversionOverflow);
    EXPECT_EQ(faultOf([] { toInt16(std::nan("")); }), FaultKind::ConversionOverflow);

    EXPECT_EQ(toSingle(1e-50), 0.0f);
    EXPECT_EQ(toSingle(3.4e38), 3.4e38f);
    EXPECT_EQ(faultOf([] { toSingle(3.5e38); }), FaultKind::ConversionOverflow);
    EXPECT_EQ(faultOf([] { toSingle(-1e39); }), FaultKind::ConversionOverflow);
    EXPECT_EQ(faultOf([] { toSingle(std::nan("")); }), FaultKind::InvalidOperation);
    // Just below halfway to 2^128 rounds to the largest float; halfway rounds up.
    EXPECT_EQ(toSingle(0x1.fffffefffffffp+127), 0x1.fffffep+127f);
    EXPECT_EQ(toSingle(-0x1.fffffefffffffp+127), -0x1.fffffep+127f);
    EXPECT_EQ(faultOf([] { toSingle(0x1.ffffffp+127); }), FaultKind::ConversionOverflow);
    EXPECT_EQ(faultOf([] { checkedSingleResult(-0x1.ffffffp+127); }), FaultKind::Overflow);

    EXPECT_EQ(faultOf([] { checkedDivide(1, 0); }), FaultKind::DivisionByZero);
    EXPECT_EQ(faultOf([] { checkedDivide(0, 0); }), FaultKind::InvalidOperation);
    EXPECT_EQ(faultOf([] { checkedResult(std::nan("")); }), FaultKind::InvalidOperation);
    EXPECT_EQ(faultOf([] { checkedResult(HUGE_VAL); }), FaultKind::Overflow);
    EXPECT_EQ(faultOf([] { checkedSingleResult(1e39); }), FaultKind::Overflow);
    EXPECT_EQ(checkedSingleResult(-1e38), -1e38);

    EXPECT_EQ(faultOf([] { naturalLog(0); }), FaultKind::InvalidArgument);
    EXPECT_EQ(faultOf([] { naturalLog(-1); }), FaultKind::InvalidArgument);
    EXPECT_EQ(naturalLog(1), 0.0);
}

TEST(Fault, MessagesNameTheFaultInRussian) {
    EXPECT_EQ(faultMessage(FaultKind::DivisionByZero),
              "Вычисление не удалось.\nПричина: пришлось бы делить на ноль.\n"
              "Что изменить: проверьте числа в полях и нажмите «ВЫБОР ПАРАМЕТРОВ».");
    EXPECT_EQ(faultMessage(FaultKind::Overflow),
              "Вычисление не удалось.\nПричина: получилось слишком большое число.\n"
              "Что изменить: проверьте числа в полях и нажмите «ВЫБОР ПАРАМЕТРОВ».");
    EXPECT_NE(faultMessage(FaultKind::InvalidOperation), faultMessage(FaultKind::InvalidArgument));
    EXPECT_NE(faultMessage(FaultKind::ConversionOverflow), faultMessage(FaultKind::Overflow));
}

} // namespace
} // namespace viramont
