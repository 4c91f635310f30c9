// The histogram's statistics, classes, default interval and vertical range;
// then its values, gathered the quick ways (sorts, repeated sums in closed
// form, whole numbers counted or radix-sorted) and checked bit for bit
// against the plain way: a stable sort, one addition after the other.

#include "spacing/Histogram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "spacing/HistogramValues.h"
#include "spacing/ValueSort.h"

namespace ravelin {
namespace {

TEST(HistogramStatisticsTest, MeanSampleStandardDeviationAndSpacings) {
    EXPECT_DOUBLE_EQ(Statistics({1, 2, 3}).stdDev, 1);  // denominator n - 1
    const SampleStatistics part = Statistics({100, 4, 6, 100}, 1, 2);
    EXPECT_DOUBLE_EQ(part.mean, 5);
    EXPECT_DOUBLE_EQ(part.stdDev, std::sqrt(2.0));
    EXPECT_EQ(Statistics({}).mean, 0);

    std::vector<double> data = {2, 5, 9};
    ToSpacings(data);
    EXPECT_EQ(data, (std::vector<double>{2, 3, 4}));
    std::vector<double> decreasing = {5, 2};
    ToSpacings(decreasing);
    EXPECT_EQ(decreasing, (std::vector<double>{5, -3}));
}

TEST(DefaultIntervalTest, QuarterOfTheLeadingDecadeRoundedHalfToEven) {
    EXPECT_DOUBLE_EQ(*DefaultInterval({0.37}), 0.1);
    EXPECT_DOUBLE_EQ(*DefaultInterval({2.5}), 0.65);
    // (Int(k mean) + 1) / 4 / k lands on a half: 0.125 goes down, 0.075 up.
    EXPECT_DOUBLE_EQ(*DefaultInterval({4.0 / 10}), 0.12);  // k = 10: (4 + 1) / 4 / 10
    EXPECT_DOUBLE_EQ(*DefaultInterval({0.2}), 0.08);       // k = 10: (2 + 1) / 4 / 10
    // k reaches 10000 and may go no further.
    EXPECT_DOUBLE_EQ(*DefaultInterval({0.0001}), 0);  // (1 + 1) / 4 / 10000 rounds to 0
    EXPECT_EQ(DefaultInterval({0.00009}), std::nullopt);
    EXPECT_EQ(DefaultInterval({-1, 0.5}), std::nullopt);
    EXPECT_EQ(DefaultInterval({std::numeric_limits<double>::max(), std::numeric_limits<double>::max()}), std::nullopt);
}

TEST(CountClassesTest, BoundaryValuesFallIntoTheLowerClassAndTheWalkStopsAtBothEnds) {
    using Counts = std::vector<long long>;
    EXPECT_EQ(CountClasses({0.5, 1.0, 1.5}, 3, 0.5), (Counts{0, 1, 1, 1}));
    // Within 1e-06 of a boundary still counts below it.
    EXPECT_EQ(CountClasses({1.0000005}, 3, 0.5), (Counts{0, 0, 1, 0}));
    EXPECT_EQ(CountClasses({1.0000015}, 3, 0.5), (Counts{0, 0, 0, 1}));
    // A value at or below epsilon stops everything: nothing is counted.
    EXPECT_EQ(CountClasses({0.0000005, 1}, 2, 1), (Counts{0, 0, 0}));
    // Values beyond the last class are dropped.
    EXPECT_EQ(CountClasses({0.1, 0.2, 7, 8}, 2, 1), (Counts{0, 2, 0}));
    EXPECT_EQ(CountClasses({1}, -4, 1), (Counts{0}));
    EXPECT_EQ(CountClasses({1, 2}, 3, -1), (Counts{0, 0, 0, 0}));
    EXPECT_EQ(CountClasses({1, 2}, 3, std::nan("")), (Counts{0, 0, 0, 0}));
    // The largest count starts far below zero.
    EXPECT_EQ(MaxCount({0, 3, 9, 4}, 1, 3), 9);
    EXPECT_EQ(MaxCount({0, 3, 9, 4}, 1, 1), 3);
    EXPECT_EQ(MaxCount({0}, 1, 0), -50000);
}

TEST(VerticalRangeTest, RangesAndTickSteps) {
    // Largest count or semivariogram, then ymax.
    const double ranges[][2] = {{37, 40}, {8, 8.3}, {120, 150}, {1, 1.3}, {100, 130}, {1.25, 1.5}, {0.25, 0.28}};
    for (const auto& [g, ymax] : ranges) EXPECT_NEAR(VerticalRangeOf(g)->ymax, ymax, 1e-15) << g;
    EXPECT_EQ(VerticalRangeOf(0), std::nullopt);
    EXPECT_EQ(VerticalRangeOf(-50000), std::nullopt);
    const double ticks[][2] = {{0.5, 1}, {0.9, 2}, {1.3, 4}, {1.56, 5}, {2.07, 10}, {2.9, 25}, {3, 50}, {3.3, 100}};
    for (const auto& [e, step] : ticks) EXPECT_EQ(TickStep(e), step) << e;
    EXPECT_NEAR(TickStep(4), 9998, 1e-9);
}

TEST(SettleHistogramTest, DefaultClassesOfTheWorkedExample) {
    std::vector<double> data = {0.6, 0.2, 0.3};
    const HistogramFigures f = SettleHistogram(data, 0, 0);
    ASSERT_EQ(f.status, HistogramStatus::Ok);
    EXPECT_EQ(data, (std::vector<double>{0.2, 0.3, 0.6}));  // sorted in place
    EXPECT_DOUBLE_EQ(f.interval, 0.1);
    EXPECT_EQ(f.classes, 7);  // 0.6 / 0.1 is just below 6 in double precision
    EXPECT_EQ(f.counts, (std::vector<long long>{0, 0, 1, 1, 0, 0, 1, 0}));
    EXPECT_DOUBLE_EQ(f.range.ymax, 1.3);
    // The interval as the options window shows it.
    const std::pair<double, const char*> texts[] = {{0.1, "0.1"}, {0.12345, "0.1235"}, {0.05, "0.05"}, {12, "12"}};
    for (const auto& [interval, text] : texts) EXPECT_EQ(IntervalText(interval), text);
}

TEST(SettleHistogramTest, FailuresThatEndInTheInvalidDataMessage) {
    std::vector<double> empty;
    EXPECT_EQ(SettleHistogram(empty, 0, 0).status, HistogramStatus::NoData);
    std::vector<double> decreasing = {5, -3};  // intersection distances 5, 2
    HistogramFigures f = SettleHistogram(decreasing, 0, 0);
    EXPECT_EQ(f.status, HistogramStatus::NothingCounted);
    EXPECT_TRUE(f.classesSettled);  // interval and classes were chosen before the counting failed
    std::vector<double> tiny = {0.00001, 0.00002};
    EXPECT_EQ(SettleHistogram(tiny, 0, 0).status, HistogramStatus::IntervalOverflow);
    std::vector<double> spread = {0.01, 0.01, 0.01, 1000};
    EXPECT_EQ(SettleHistogram(spread, 0.001, 100000).status, HistogramStatus::TooManyClasses);
    std::vector<double> wide = {0.001, 0.001, 0.001, 0.001, 4000};
    EXPECT_EQ(SettleHistogram(wide, 0, 0).status, HistogramStatus::Ok);
    // An interval of 0.01 and a largest value of 400 would need 40002 classes.
    std::vector<double> far(20000, 0.02);
    far.push_back(400);
    EXPECT_EQ(SettleHistogram(far, 0, 0).status, HistogramStatus::TooManyClasses);
    std::vector<double> overflowing = {1e308, 1.5e308};
    EXPECT_EQ(SettleHistogram(overflowing, 1e308, 3).status, HistogramStatus::NotFinite);
}

// ---------------------------------------------------------------- the values

double addedOneByOne(double sum, double value, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) sum += value;
    return sum;
}

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

std::vector<std::uint64_t> bitsOf(std::span<const double> values) {
    std::vector<std::uint64_t> out;
    for (double x : values) out.push_back(bits(x));
    return out;
}

// Compared bit for bit, so +0 and -0 in the wrong order would show; `room` is lent to the sort.
void expectStableOrder(std::vector<double> values, std::size_t room = 0) {
    std::vector<double> expected = values;
    std::stable_sort(expected.begin(), expected.end());
    LargeVector<double> scratch(room, 5.0);
    SortValues(values, scratch);
    EXPECT_EQ(bitsOf(values), bitsOf(expected)) << room;
}

std::vector<double> mixedValues(std::size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::lognormal_distribution<double> spacing(std::log(0.4), 0.6);
    const double inf = std::numeric_limits<double>::infinity();
    const double extremes[] = {
        0.0, -0.0, inf, -inf, std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::max(), 1.0, 1.0};
    std::vector<double> values;
    for (std::size_t i = 0; i < n; ++i) {
        switch (random() % 4) {
            case 0: values.push_back(std::round(spacing(random) * 100) / 100); break;  // many ties
            case 1: values.push_back(-spacing(random)); break;
            case 2: values.push_back(extremes[random() % std::size(extremes)]); break;
            default: values.push_back(spacing(random) * 1e6); break;
        }
    }
    return values;
}

// Distances read to the centimetre or another step: few distinct values, each repeated.
std::vector<double> measuredValues(std::size_t n, double step, unsigned seed) {
    std::mt19937 random(seed);
    std::lognormal_distribution<double> spacing(std::log(0.4), 0.6);
    std::vector<double> values;
    for (std::size_t i = 0; i < n; ++i) values.push_back(std::max(step, std::round(spacing(random) / step) * step));
    return values;
}

TEST(ValueSortTest, GivesTheOrderOfAStableSortShortLongAndRepeated) {
    for (std::size_t n : {0u, 1u, 2u, 100u, 4095u, 4096u, 50000u})
        expectStableOrder(mixedValues(n, static_cast<unsigned>(n)));
    std::vector<double> spacings = mixedValues(200000, 3);
    for (double& v : spacings) v = std::fabs(v);  // the usual case: all positive
    expectStableOrder(spacings);
    for (std::size_t room : {10u, 90000u}) expectStableOrder(mixedValues(30000, 11), room);  // lent room of any size

    expectStableOrder(measuredValues(200000, 0.01, 1));    // a few hundred distinct values
    expectStableOrder(measuredValues(200000, 0.0005, 2));  // thousands: the count table grows
    expectStableOrder(measuredValues(200000, 1e-9, 3));    // nearly all distinct: sorted by bits
    std::vector<double> withInfinity = measuredValues(50000, 0.01, 4);
    withInfinity[10] = std::numeric_limits<double>::infinity();
    withInfinity[20] = -std::numeric_limits<double>::infinity();
    withInfinity[30] = -0.25;
    expectStableOrder(withInfinity);
    // Zeros of both signs are equal with other bits: their order must be the stable one.
    std::vector<double> zeros = measuredValues(50000, 0.01, 5);
    for (std::size_t i = 100; i < zeros.size(); i += 997) zeros[i] = i % 2 ? -0.0 : 0.0;
    expectStableOrder(zeros);
}

TEST(AddRepeatedlyTest, GivesTheSumOfOneAdditionAfterTheOther) {
    const double inf = std::numeric_limits<double>::infinity();
    const double big = std::numeric_limits<double>::max();
    struct Case {
        double sum;
        double value;
        std::size_t count;
    };
    const Case cases[] = {
        {0, 0.35, 1000000},         // the usual run: crosses many binades
        {1, 0x1p-53, 1000},         // exactly half a unit: ties to even, the sum never moves
        {1, 0x1.8p-53, 1000},       // above half a unit: each addition rounds up
        {1 + 0x1p-52, 0x1p-53, 5},  // a tie from an odd last bit rounds up once, then stays
        {3, 0x1p-52, 1000000},      // a quarter unit of the binade above 2: lost every time
        {1e6, -0.01, 200000},       // of opposite signs the sum shrinks through zero
        {-1e-3, 0.001, 7},          // from exactly opposite to zero and beyond
        {-2.5, -0.123456, 500000},  // negative sums mirror positive ones
        {0x1p-1000, 0x1p-1020, 1000},
        {0, 5e-324, 1000},       // subnormal steps
        {big / 2, big / 8, 10},  // overflow to infinity
        {0, inf, 3},
        {inf, -inf, 2},  // NaN
        {-0.0, 0.0, 4},  // the sign of a zero sum
        {12.5, 0.0, 9},
        {0.3, 0.7, 0},
    };
    for (const Case& c : cases) {
        const double expected = addedOneByOne(c.sum, c.value, c.count);
        const double got = AddRepeatedly(c.sum, c.value, c.count);
        EXPECT_TRUE(bits(got) == bits(expected) || (std::isnan(got) && std::isnan(expected)))
            << c.sum << " + " << c.value << " x " << c.count << ": " << got << " / " << expected;
    }
    // Random sums, values and counts of every scale.
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<int> exponent(-40, 40);
    std::uniform_real_distribution<double> mantissa(-2, 2);
    std::uniform_int_distribution<std::size_t> count(0, 20000);
    for (int round = 0; round < 3000; ++round) {
        const double sum = round % 5 == 0 ? 0 : std::ldexp(mantissa(random), exponent(random));
        // Decimal values of two places, as a datasheet holds, every third round.
        const double value =
            round % 3 == 0 ? std::round(mantissa(random) * 500) / 100 : std::ldexp(mantissa(random), exponent(random));
        const std::size_t n = count(random);
        ASSERT_EQ(bits(AddRepeatedly(sum, value, n)), bits(addedOneByOne(sum, value, n)))
            << sum << " + " << value << " x " << n;
    }
}

// A measured column filled with texts as typed.
std::unique_ptr<SpacingGrid> gridOf(const std::vector<std::string>& texts) {
    auto grid = std::make_unique<SpacingGrid>(0);
    grid->setRows(static_cast<long long>(texts.size()) + 1);
    SpacingColumn column;
    for (const std::string& text : texts) column.append(text);
    grid->assignColumn(std::move(column));
    return grid;
}

// What the values must be: the products of the column's numbers, zeros left
// out, spacings taken for intersection distances, sorted as doubles.
std::vector<double> plainWay(const SpacingGrid& grid, double factor, bool distances) {
    std::vector<double> data;
    for (long long r = 1; r <= grid.lastFilledRow(); ++r) {
        const double y = grid.number(r) * factor;
        if (y != 0) data.push_back(y);
    }
    if (distances) ToSpacings(data);
    std::stable_sort(data.begin(), data.end());
    return data;
}

TEST(HistogramValuesTest, PlainDecimalsGiveTheValuesASortOfTheProductsGives) {
    std::mt19937 random(15);
    std::exponential_distribution<double> spacing(2.5);
    // Every way the values are gathered: few distinct whole numbers (counted),
    // up to 2^32 (32-bit radix sort), beyond (64-bit), and columns holding
    // other texts, which are sorted as doubles.
    struct Column {
        const char* name;
        int decimals;
        double scale;
        const char* odd;  // a text put in every 50th cell, or none
    };
    const Column columns[] = {
        {"centimetres", 2, 1, nullptr}, {"whole metres", 0, 20, nullptr},     {"micrometres", 6, 1, nullptr},
        {"large", 4, 1e6, nullptr},     {"fourteen digits", 9, 1e4, nullptr}, {"with zeros", 2, 1, "0"},
        {"with texts", 3, 1, "abc"},    {"with negatives", 2, 1, "-0.25"},    {"with exponents", 2, 1, "1e-2"}};
    for (const Column& c : columns) {
        std::vector<std::string> texts;
        for (int i = 0; i < 20000; ++i) {
            char text[64];
            std::snprintf(text, sizeof text, "%.*f", c.decimals, spacing(random) * c.scale);
            texts.push_back(c.odd && i % 50 == 7 ? c.odd : text);
        }
        texts.push_back("0.5");  // fewer decimals than the rest: the same whole-number scale
        texts.push_back("");
        texts.push_back(texts[3]);  // a repeat
        const std::unique_ptr<SpacingGrid> grid = gridOf(texts);
        for (const double factor : {1.0, std::cos(15 / 57.29577951308232), std::cos(120 / 57.29577951308232)}) {
            for (const bool distances : {false, true}) {
                const SortedValues sorted = SortedHistogramValues(*grid, factor, distances);
                const std::vector<double> expected = plainWay(*grid, factor, distances);
                ASSERT_EQ(bitsOf(sorted.values()), bitsOf(expected)) << c.name << " " << factor << " " << distances;
                double sum = 0;
                for (double x : expected) sum += x;
                ASSERT_EQ(bits(sorted.sum()), bits(sum)) << c.name << " " << factor << " " << distances;

                // The figures drawn from them, against those of the plain values.
                std::vector<double> copy = expected;
                const HistogramFigures want = SettleHistogram(copy, 0, 0);
                const HistogramFigures got = SettleSortedHistogram(sorted, 0, 0);
                ASSERT_EQ(got.status, want.status) << c.name;
                EXPECT_EQ(got.counts, want.counts) << c.name;
                EXPECT_EQ(bits(got.statistics.mean), bits(want.statistics.mean)) << c.name;
                EXPECT_EQ(bits(got.statistics.stdDev), bits(want.statistics.stdDev)) << c.name;
                const SampleStatistics plain = Statistics(expected);
                EXPECT_EQ(bits(StatisticsOf(sorted).stdDev), bits(plain.stdDev)) << c.name;
            }
        }
    }
}

TEST(HistogramValuesTest, EmptyAndSingleColumns) {
    EXPECT_TRUE(SortedHistogramValues(*gridOf({}), 1, false).empty());
    EXPECT_TRUE(SortedHistogramValues(*gridOf({"0", "0.00", ""}), 1, false).empty());
    const SortedValues one = SortedHistogramValues(*gridOf({"", "0.35"}), 1, false);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one.largest(), 0.35);
    const HistogramFigures figures = SettleSortedHistogram(one, 0, 0);
    EXPECT_EQ(figures.status, HistogramStatus::Ok);
    EXPECT_EQ(figures.statistics.mean, 0.35);
    EXPECT_EQ(figures.statistics.stdDev, 0);
}

}  // namespace
}  // namespace ravelin
