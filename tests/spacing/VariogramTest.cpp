// Positions, window counts and the semivariogram of a scanline.

#include "spacing/Variogram.h"

#include <gtest/gtest.h>

namespace ravelin {
namespace {

TEST(VariogramTest, PositionsAccumulateSpacingsAndSkipZeros) {
    EXPECT_EQ(VariogramPositions({1, 0, 1, 1, 1}, true), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(VariogramPositions({0.5, 1.5, 0, 1.6, 3.2}, false), (std::vector<double>{0.5, 1.5, 1.6, 3.2}));
}

TEST(VariogramTest, EqualSpacingsOfOne) {
    // Window [0, 1) is empty (1 lies on its upper edge); the window holding 4 is incomplete.
    const auto counts = CountWindows({1, 2, 3, 4}, 1);
    ASSERT_TRUE(counts);
    EXPECT_EQ(*counts, (std::vector<long long>{0, 1, 1, 1}));
    const std::vector<double> gamma = Semivariogram(*counts, 20);
    ASSERT_EQ(gamma.size(), 3u);
    EXPECT_DOUBLE_EQ(gamma[0], 1.0 / 6);
    EXPECT_DOUBLE_EQ(gamma[1], 0.25);
    EXPECT_DOUBLE_EQ(gamma[2], 0.5);
}

TEST(VariogramTest, IntersectionDistancesOfTheWorkedExample) {
    const auto counts = CountWindows({0.5, 1.5, 1.6, 3.2}, 1);
    ASSERT_TRUE(counts);
    EXPECT_EQ(*counts, (std::vector<long long>{1, 2, 0}));
    const std::vector<double> gamma = Semivariogram(*counts, 20);  // only J - 1 = 2 lags
    ASSERT_EQ(gamma.size(), 2u);
    EXPECT_DOUBLE_EQ(gamma[0], 1.25);
    EXPECT_DOUBLE_EQ(gamma[1], 0.5);
    EXPECT_EQ(Semivariogram(*counts, 1).size(), 1u);
}

TEST(VariogramTest, PositionOnAnEdgeCountsInTheUpperWindow) {
    const auto counts = CountWindows({0.5, 2.0, 3.5}, 1);
    ASSERT_TRUE(counts);
    EXPECT_EQ(*counts, (std::vector<long long>{1, 0, 1}));  // 2.0 belongs to [2, 3)
    // Positions out of order are not sorted: a position behind the current window adds nothing.
    const auto unordered = CountWindows({5, 2, 6.5}, 1);
    ASSERT_TRUE(unordered);
    EXPECT_EQ(*unordered, (std::vector<long long>{0, 0, 0, 0, 0, 2}));
}

TEST(VariogramTest, TooFewOrTooManyWindows) {
    EXPECT_TRUE(CountWindows({0.2, 0.4, 0.6}, 1)->empty());
    EXPECT_TRUE(Semivariogram({3}, 20).empty());
    EXPECT_FALSE(CountWindows({1, 2, 3}, 0));
    EXPECT_FALSE(CountWindows({1, 2, 3}, -1));
    EXPECT_FALSE(CountWindows({1, 2, 1e9}, 1));  // a billion windows
    EXPECT_TRUE(CountWindows({1, 2, 1e5}, 1));   // exactly the largest number allowed
}

TEST(VariogramTest, LabelStepsOfBothAxes) {
    EXPECT_EQ(VariogramLabelStep(1, 100, 2500), 1);   // 100 <= 0.04 P
    EXPECT_EQ(VariogramLabelStep(1.5, 100, 2500), 2);
    EXPECT_EQ(VariogramLabelStep(3, 100, 2500), 8);
    EXPECT_EQ(VariogramLabelStep(6, 100, 2500), 16);
    EXPECT_EQ(VariogramLabelStep(11, 100, 2500), 32);
    EXPECT_EQ(VariogramLabelStep(26, 100, 2500), 64);
    EXPECT_EQ(LagLabelStep(100, 8, 1000), 1);
    EXPECT_EQ(LagLabelStep(100, 9, 1000), 2);
    EXPECT_EQ(LagLabelStep(100, 19, 1000), 5);
    EXPECT_EQ(LagLabelStep(100, 39, 1000), 10);
    EXPECT_EQ(LagLabelStep(100, 79, 1000), 40);
    EXPECT_EQ(LagLabelStep(100, 99, 1000), 100);
}

}  // namespace
}  // namespace ravelin
