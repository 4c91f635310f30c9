#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace ravelin {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();

struct FormatCase {
    double value;
    const char* pattern;
    const char* expected;
};

void expectFormats(std::initializer_list<FormatCase> cases) {
    for (const FormatCase& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.pattern), c.expected) << c.value << " as " << c.pattern;
}

TEST(ReadNumber, TakesTheLeadingNumericPart) {
    const std::pair<const char*, double> cases[] = {
        {"12abc", 12},
        {"1,5", 1},
        {" -.5e1x", -5},
        {"5.", 5},
        {"1.2.3", 1.2},
        {"0x10", 0},
        // An exponent needs digits.
        {"1e", 1},
        {"e5", 0},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(readNumber(text), expected) << text;
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
    EXPECT_EQ(readNumber("1e99999999999999999999999"), kMax);
    EXPECT_EQ(readNumber("1e-400"), 0);
    EXPECT_EQ(readNumber("0.000e99999"), 0);
    EXPECT_GT(readNumber("1e-310"), 0);  // subnormals are kept
    EXPECT_EQ(readNumber(std::string(10000, '9')), kMax);
    EXPECT_EQ(readNumber("0." + std::string(10000, '0') + "1"), 0);
    EXPECT_EQ(readNumber("1." + std::string(10000, '0') + "x"), 1);
}

TEST(GeneralNumber, FifteenSignificantDigitsThenScientific) {
    const std::pair<double, const char*> cases[] = {
        {123456789012345.0, "123456789012345"},
        {7.000000000000001, "7"},
        {0.1 + 0.2, "0.3"},
        {-0.012, "-0.012"},
        {-0.0, "0"},
        {1e15, "1E+15"},
        {999999999999999.5, "1E+15"},  // the 15-digit text decides
        {1.5e-7, "1.5E-07"},
        {kMax, "1.79769313486232E+308"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
        // Non-finite values as a last resort.
        {std::numeric_limits<double>::infinity(), "inf"},
        {-std::numeric_limits<double>::infinity(), "-inf"},
        {std::nan(""), "nan"},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(generalNumber(value), expected) << expected;
}

TEST(FormatNumber, DecimalIntegerAndLiteralPlaceholders) {
    expectFormats({
        {3, "0.0#", "3.0"},
        {1.0 / 3, "0.0######", "0.3333333"},
        {12, "0.#", "12"},  // no digit left after the point: no point
        {0.5, "#.##", ".5"},
        {0.4, "##0", "0"},
        {0, "#", ""},
        {1234, "###'##0", "1'234"},
        {1234567, "###'##0", "1234'567"},  // extra digits go in front, ungrouped
        {5, "0'000", "0'005"},
        {1e20, "0", "100000000000000000000"},
        {7.25, "000.0##°", "007.25°"},
        {0.012345, "0.0##%", "1.235%"},  // scaled exactly, then rounded half up
        {-2, "x = 0.00", "-x = 2.00"},
    });
}

TEST(FormatNumber, HalvesRoundAwayOnTheDecimalTextAndZeroShowsNoMinus) {
    expectFormats({
        {2.675, "0.00", "2.68"},
        {-2.5, "0", "-3"},
        {9.96, "0.0", "10.0"},
        {0.1 + 0.2, "0.0######", "0.3"},
        {-0.0001, "0.000", "0.000"},
        {-0.0, "0.00E+00", "0.00E+00"},
        {-1e-20, "0.0#", "0.0"},
    });
}

TEST(FormatNumber, ScientificExtremeAndNonFiniteValues) {
    expectFormats({
        {1234.5, "0.00E+00", "1.23E+03"},
        {9.995e9, "0.00E+00", "1.00E+10"},
        {-4.5e-300, "0.00E+00", "-4.50E-300"},
        {1234.5, "0.00E-00", "1.23E03"},
        {1.23456789012345678e20, "0", "123456789012346000000"},
        {std::numeric_limits<double>::infinity(), "0.00", "-"},
        {std::nan(""), "0.00E+00", "-"},
        {0.25, "", "0.25"},
    });
    EXPECT_EQ(formatNumber(1e300, "0.0"), "1" + std::string(300, '0') + ".0");
}

TEST(Rounding, HalfEvenAndHalfAway) {
    const std::pair<double, double> halfEven[] = {
        {0.125, 0.12}, {0.075, 0.08}, {0.365, 0.36}, {0.375, 0.38}, {0.12501, 0.13}};
    for (const auto& [value, expected] : halfEven) EXPECT_DOUBLE_EQ(roundHalfEven(value, 2), expected) << value;
    EXPECT_DOUBLE_EQ(roundHalfEven(-2.5, 0), -2);

    EXPECT_DOUBLE_EQ(roundHalfAway(2.675, 2), 2.68);
    EXPECT_DOUBLE_EQ(roundHalfAway(-2.5, 0), -3);
    EXPECT_DOUBLE_EQ(roundHalfAway(1250, -2), 1300);
    EXPECT_EQ(roundHalfAway(1.5e-10, 2), 0);
    EXPECT_EQ(roundHalfAway(1e300, 2), 1e300);
    EXPECT_EQ(roundHalfAway(0.1 + 0.2, 17), 0.1 + 0.2);  // nothing to drop
    EXPECT_TRUE(std::isnan(roundHalfAway(std::nan(""), 2)));

    EXPECT_EQ(intPart(-2.2), -3);  // toward minus infinity
    EXPECT_EQ(intPart(-3), -3);
}

}  // namespace
}  // namespace ravelin
