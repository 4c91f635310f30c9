#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace ravelin {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();

TEST(ReadNumber, TakesTheLeadingNumericPart) {
    EXPECT_EQ(readNumber("12abc"), 12);
    EXPECT_EQ(readNumber("1,5"), 1);
    EXPECT_EQ(readNumber(" -.5e1x"), -5);
    EXPECT_EQ(readNumber("  +3.5e2"), 350);
    EXPECT_EQ(readNumber("\t 7"), 7);
    EXPECT_EQ(readNumber(".5"), 0.5);
    EXPECT_EQ(readNumber("5."), 5);
    EXPECT_EQ(readNumber("1.2.3"), 1.2);
    EXPECT_EQ(readNumber("0x10"), 0);
    EXPECT_EQ(readNumber("2E3"), 2000);
    EXPECT_EQ(readNumber("2e-3"), 0.002);
}

TEST(ReadNumber, AnExponentNeedsDigits) {
    EXPECT_EQ(readNumber("1e"), 1);
    EXPECT_EQ(readNumber("1e+"), 1);
    EXPECT_EQ(readNumber("4E-x"), 4);
    EXPECT_EQ(readNumber("e5"), 0);
}

TEST(ReadNumber, TextWithoutNumericStartReadsZero) {
    for (const char* text : {"", "-", "+", ".", "-.", "abc", " x1", "--1", "+-2", "\n5"}) {
        EXPECT_EQ(readNumber(text), 0) << text;
        EXPECT_FALSE(hasNumericStart(text)) << text;
    }
    for (const char* text : {"0", "-0", " .5", "+1e", "3 m"}) EXPECT_TRUE(hasNumericStart(text)) << text;
}

TEST(ReadNumber, ExtremesStayFinite) {
    EXPECT_EQ(readNumber("1e400"), kMax);
    EXPECT_EQ(readNumber("-1e400"), -kMax);
    EXPECT_EQ(readNumber("1e99999999999999999999999"), kMax);
    EXPECT_EQ(readNumber("1e-400"), 0);
    EXPECT_EQ(readNumber("0.000e99999"), 0);
    EXPECT_GT(readNumber("1e-310"), 0);  // subnormals are kept

    std::string nines(10000, '9');
    EXPECT_EQ(readNumber(nines), kMax);
    std::string tiny = "0." + std::string(10000, '0') + "1";
    EXPECT_EQ(readNumber(tiny), 0);
    std::string longOne = "1." + std::string(10000, '0') + "x";
    EXPECT_EQ(readNumber(longOne), 1);
}

TEST(GeneralNumber, FifteenSignificantDigits) {
    EXPECT_EQ(generalNumber(123456789012345.0), "123456789012345");
    EXPECT_EQ(generalNumber(0.0001), "0.0001");
    EXPECT_EQ(generalNumber(7.000000000000001), "7");
    EXPECT_EQ(generalNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(generalNumber(-0.0), "0");
    EXPECT_EQ(generalNumber(0), "0");
    EXPECT_EQ(generalNumber(-2.5), "-2.5");
    EXPECT_EQ(generalNumber(100), "100");
    EXPECT_EQ(generalNumber(123.456), "123.456");
    EXPECT_EQ(generalNumber(-0.012), "-0.012");
}

TEST(GeneralNumber, ScientificOutsideTheFixedRange) {
    EXPECT_EQ(generalNumber(1e15), "1E+15");
    EXPECT_EQ(generalNumber(999999999999999.5), "1E+15");  // the 15-digit text decides
    EXPECT_EQ(generalNumber(1.5e-7), "1.5E-07");
    EXPECT_EQ(generalNumber(0.00001), "1E-05");
    EXPECT_EQ(generalNumber(1e100), "1E+100");
    EXPECT_EQ(generalNumber(-2.25e-100), "-2.25E-100");
    EXPECT_EQ(generalNumber(kMax), "1.79769313486232E+308");
    EXPECT_EQ(generalNumber(std::numeric_limits<double>::denorm_min()), "4.94065645841247E-324");
}

TEST(GeneralNumber, NonFiniteAsLastResort) {
    EXPECT_EQ(generalNumber(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(generalNumber(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(generalNumber(std::nan("")), "nan");
}

TEST(FormatNumber, DecimalPlaceholders) {
    EXPECT_EQ(formatNumber(3, "0.0#"), "3.0");
    EXPECT_EQ(formatNumber(3.1, "0.0#"), "3.1");
    EXPECT_EQ(formatNumber(3.14159, "0.0#"), "3.14");
    EXPECT_EQ(formatNumber(3.14159, "0.0###"), "3.1416");
    EXPECT_EQ(formatNumber(2.5, "0.00###"), "2.50");
    EXPECT_EQ(formatNumber(1.0 / 3, "0.0######"), "0.3333333");
    EXPECT_EQ(formatNumber(12.3456, "0.000"), "12.346");
    EXPECT_EQ(formatNumber(7, "0.0000"), "7.0000");
    EXPECT_EQ(formatNumber(12.5, "##0.0#"), "12.5");
    EXPECT_EQ(formatNumber(0.25, "##0.0#"), "0.25");
    EXPECT_EQ(formatNumber(12, "0.#"), "12");  // no digit left after the point: no point
    EXPECT_EQ(formatNumber(12.5, ".00"), "12.50");
    EXPECT_EQ(formatNumber(0.5, "#.##"), ".5");
}

TEST(FormatNumber, IntegerPlaceholdersAndGroupMarks) {
    EXPECT_EQ(formatNumber(0, "##0"), "0");
    EXPECT_EQ(formatNumber(0.4, "##0"), "0");
    EXPECT_EQ(formatNumber(12345, "##0"), "12345");
    EXPECT_EQ(formatNumber(0, "#"), "");
    EXPECT_EQ(formatNumber(123, "###'##0"), "123");
    EXPECT_EQ(formatNumber(1234, "###'##0"), "1'234");
    EXPECT_EQ(formatNumber(12345, "###'##0"), "12'345");
    EXPECT_EQ(formatNumber(1234567, "###'##0"), "1234'567");  // extra digits go in front, ungrouped
    EXPECT_EQ(formatNumber(1234567, "###'###'##0"), "1'234'567");
    EXPECT_EQ(formatNumber(999, "###'###'##0"), "999");
    EXPECT_EQ(formatNumber(-1234, "###'##0"), "-1'234");
    EXPECT_EQ(formatNumber(5, "0'000"), "0'005");
    EXPECT_EQ(formatNumber(1e20, "0"), "100000000000000000000");
}

TEST(FormatNumber, LiteralSuffixesAndPercent) {
    EXPECT_EQ(formatNumber(5, "00°"), "05°");
    EXPECT_EQ(formatNumber(45.4, "000°"), "045°");
    EXPECT_EQ(formatNumber(359.6, "000°"), "360°");
    EXPECT_EQ(formatNumber(7.25, "000.0##°"), "007.25°");
    EXPECT_EQ(formatNumber(30.1234, "00.0##°"), "30.123°");
    EXPECT_EQ(formatNumber(0.5, "0.0##%"), "50.0%");
    EXPECT_EQ(formatNumber(0.012345, "0.0##%"), "1.235%");  // scaled exactly, then rounded half up
    EXPECT_EQ(formatNumber(2.5, "0.0 m"), "2.5 m");
    EXPECT_EQ(formatNumber(2, "x = 0.00"), "x = 2.00");
    EXPECT_EQ(formatNumber(-2, "x = 0.00"), "-x = 2.00");
}

TEST(FormatNumber, HalvesRoundAwayOnTheDecimalText) {
    EXPECT_EQ(formatNumber(2.675, "0.00"), "2.68");
    EXPECT_EQ(formatNumber(1.005, "0.00"), "1.01");
    EXPECT_EQ(formatNumber(0.125, "0.00"), "0.13");
    EXPECT_EQ(formatNumber(-2.5, "0"), "-3");
    EXPECT_EQ(formatNumber(2.5, "0"), "3");
    EXPECT_EQ(formatNumber(0.5, "0"), "1");
    EXPECT_EQ(formatNumber(9.96, "0.0"), "10.0");
    EXPECT_EQ(formatNumber(-0.05, "0.0"), "-0.1");
    EXPECT_EQ(formatNumber(0.1 + 0.2, "0.0######"), "0.3");
}

TEST(FormatNumber, ZeroNeverShowsAMinus) {
    EXPECT_EQ(formatNumber(-0.0001, "0.000"), "0.000");
    EXPECT_EQ(formatNumber(-0.4, "0"), "0");
    EXPECT_EQ(formatNumber(-0.0, "0.0"), "0.0");
    EXPECT_EQ(formatNumber(-0.0, "0.00E+00"), "0.00E+00");
    EXPECT_EQ(formatNumber(-1e-20, "0.0#"), "0.0");
}

TEST(FormatNumber, Scientific) {
    EXPECT_EQ(formatNumber(1234.5, "0.00E+00"), "1.23E+03");
    EXPECT_EQ(formatNumber(0.000123, "0.00E+00"), "1.23E-04");
    EXPECT_EQ(formatNumber(0, "0.00E+00"), "0.00E+00");
    EXPECT_EQ(formatNumber(9.995e9, "0.00E+00"), "1.00E+10");
    EXPECT_EQ(formatNumber(-4.5e-300, "0.00E+00"), "-4.50E-300");
    EXPECT_EQ(formatNumber(1.5, "0.00E+00"), "1.50E+00");
    EXPECT_EQ(formatNumber(1234.5, "0.00E-00"), "1.23E03");
    EXPECT_EQ(formatNumber(0.000123, "0.00E-00"), "1.23E-04");
    EXPECT_EQ(formatNumber(1234.5, "00.00E+00"), "12.35E+02");
}

TEST(FormatNumber, ExtremeAndNonFiniteValues) {
    std::string big = formatNumber(1e300, "0.0");
    ASSERT_EQ(big.size(), 303u);
    EXPECT_EQ(big.substr(0, 2), "10");
    EXPECT_EQ(big.find_first_not_of('0', 1), 301u);
    EXPECT_EQ(big.substr(301), ".0");
    EXPECT_EQ(formatNumber(1.23456789012345678e20, "0"), "123456789012346000000");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity(), "0.00"), "-");
    EXPECT_EQ(formatNumber(std::nan(""), "0.00E+00"), "-");
    EXPECT_EQ(formatNumber(1e-300, "0.000"), "0.000");
    EXPECT_EQ(formatNumber(0.25, ""), "0.25");
}

TEST(Rounding, HalfEvenAndHalfAway) {
    EXPECT_DOUBLE_EQ(roundHalfEven(0.125, 2), 0.12);
    EXPECT_DOUBLE_EQ(roundHalfEven(0.075, 2), 0.08);
    EXPECT_DOUBLE_EQ(roundHalfEven(2.5, 0), 2);
    EXPECT_DOUBLE_EQ(roundHalfEven(3.5, 0), 4);
    EXPECT_DOUBLE_EQ(roundHalfEven(0.5, 0), 0);
    EXPECT_DOUBLE_EQ(roundHalfEven(0.365, 2), 0.36);
    EXPECT_DOUBLE_EQ(roundHalfEven(0.375, 2), 0.38);
    EXPECT_DOUBLE_EQ(roundHalfEven(-2.5, 0), -2);
    EXPECT_DOUBLE_EQ(roundHalfEven(0.12501, 2), 0.13);

    EXPECT_DOUBLE_EQ(roundHalfAway(0.125, 2), 0.13);
    EXPECT_DOUBLE_EQ(roundHalfAway(2.675, 2), 2.68);
    EXPECT_DOUBLE_EQ(roundHalfAway(2.5, 0), 3);
    EXPECT_DOUBLE_EQ(roundHalfAway(-2.5, 0), -3);
    EXPECT_DOUBLE_EQ(roundHalfAway(1250, -2), 1300);
    EXPECT_EQ(roundHalfAway(1.5e-10, 2), 0);
    EXPECT_EQ(roundHalfAway(1e300, 2), 1e300);
    EXPECT_EQ(roundHalfAway(0.1 + 0.2, 17), 0.1 + 0.2);  // nothing to drop
    EXPECT_TRUE(std::isnan(roundHalfAway(std::nan(""), 2)));
}

TEST(Rounding, IntPartGoesTowardMinusInfinity) {
    EXPECT_EQ(intPart(2.7), 2);
    EXPECT_EQ(intPart(-2.2), -3);
    EXPECT_EQ(intPart(-3), -3);
}

}  // namespace
}  // namespace ravelin
