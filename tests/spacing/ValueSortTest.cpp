// The histogram's sort: the order of a stable sort by value for short and
// long arrays, signs, zeros, infinities and ties, with or without lent room.

#include "spacing/ValueSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace ravelin {
namespace {

std::vector<std::uint64_t> bitsOf(const std::vector<double>& values) {
    std::vector<std::uint64_t> bits;
    for (double v : values) bits.push_back(std::bit_cast<std::uint64_t>(v));
    return bits;
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
    const double specials[] = {0.0,
                               -0.0,
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::denorm_min(),
                               -std::numeric_limits<double>::max(),
                               1.0,
                               1.0};
    std::vector<double> values;
    for (std::size_t i = 0; i < n; ++i) {
        switch (random() % 4) {
            case 0: values.push_back(std::round(spacing(random) * 100) / 100); break;  // many ties
            case 1: values.push_back(-spacing(random)); break;
            case 2: values.push_back(specials[random() % std::size(specials)]); break;
            default: values.push_back(spacing(random) * 1e6); break;
        }
    }
    return values;
}

TEST(ValueSortTest, GivesTheOrderOfAStableSortShortAndLong) {
    for (std::size_t n : {0u, 1u, 2u, 100u, 4095u, 4096u, 50000u})
        expectStableOrder(mixedValues(n, static_cast<unsigned>(n)));
    std::vector<double> spacings = mixedValues(200000, 3);
    for (double& v : spacings) v = std::fabs(v);  // the usual case: all positive
    expectStableOrder(spacings);
    // Lent room of any size serves the sort.
    for (std::size_t room : {10u, 90000u}) expectStableOrder(mixedValues(30000, 11), room);
}

TEST(ValueSortTest, SortedValuesStayInPlaceAndNanGoesToTheEnds) {
    std::vector<double> sorted(10000);
    for (std::size_t i = 0; i < sorted.size(); ++i) sorted[i] = static_cast<double>(i) / 7;
    const double* before = sorted.data();
    SortValues(sorted);
    EXPECT_EQ(sorted.data(), before);  // one look, no copy

    std::vector<double> withNan = mixedValues(10000, 5);
    withNan[17] = std::numeric_limits<double>::quiet_NaN();
    withNan[4000] = -std::numeric_limits<double>::quiet_NaN();
    SortValues(withNan);
    EXPECT_TRUE(std::isnan(withNan.front()));
    EXPECT_TRUE(std::isnan(withNan.back()));
    EXPECT_TRUE(std::is_sorted(withNan.begin() + 1, withNan.end() - 1));
}

// Distances read to the centimetre: few distinct values, each repeated.
std::vector<double> measuredValues(std::size_t n, double step, unsigned seed) {
    std::mt19937 random(seed);
    std::lognormal_distribution<double> spacing(std::log(0.4), 0.6);
    std::vector<double> values;
    for (std::size_t i = 0; i < n; ++i) values.push_back(std::max(step, std::round(spacing(random) / step) * step));
    return values;
}

TEST(ValueSortTest, RepeatedValuesGiveTheSameOrder) {
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
    std::vector<double> withNan = measuredValues(50000, 0.01, 6);
    withNan[49999] = std::numeric_limits<double>::quiet_NaN();
    SortValues(withNan);
    EXPECT_TRUE(std::isnan(withNan.back()));
    EXPECT_TRUE(std::is_sorted(withNan.begin(), withNan.end() - 1));
}

}  // namespace
}  // namespace ravelin
