// Positions, window counts and the semivariogram of a scanline.

#include "spacing/Variogram.h"

#include <gtest/gtest.h>

namespace ravelin {
namespace {

TEST(VariogramTest, PositionsAccumulateSpacingsAndSkipZeros) {
    EXPECT_EQ(VariogramPositions({1, 0, 1, 1, 1}, true), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(VariogramPositions({0.5, 1.5, 0, 1.6, 3.2}, false), (std::vector<double>{0.5, 1.5, 1.6, 3.2}));
}

TEST(VariogramTest, WindowCountsAndTheirSemivariogram) {
    struct Case {
        std::vector<double> positions;
        std::vector<long long> counts;
        std::vector<double> gamma;  // J - 1 lags at most
    };
    const Case cases[] = {
        // Window [0, 1) is empty (1 lies on its upper edge); the window holding 4 is incomplete.
        {{1, 2, 3, 4}, {0, 1, 1, 1}, {1.0 / 6, 0.25, 0.5}},
        {{0.5, 1.5, 1.6, 3.2}, {1, 2, 0}, {1.25, 0.5}},
        {{0.5, 2.0, 3.5}, {1, 0, 1}, {0.5, 0}},  // 2.0 belongs to [2, 3)
        // Positions out of order are not sorted: a position behind the current window adds nothing.
        {{5, 2, 6.5}, {0, 0, 0, 0, 0, 2}, {0.4, 0.5, 2.0 / 3, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.positions.back());
        const auto counts = CountWindows(c.positions, 1);
        ASSERT_TRUE(counts);
        EXPECT_EQ(*counts, c.counts);
        const std::vector<double> gamma = Semivariogram(*counts, 20);
        ASSERT_EQ(gamma.size(), c.gamma.size());
        for (std::size_t h = 0; h < gamma.size(); ++h) EXPECT_DOUBLE_EQ(gamma[h], c.gamma[h]) << h;
    }
    EXPECT_EQ(Semivariogram({1, 2, 0}, 1).size(), 1u);
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
    const double vertical[][2] = {{1, 1} /* 100 <= 0.04 P */, {1.5, 2}, {3, 8}, {6, 16}, {11, 32}, {26, 64}};
    for (const auto& [range, step] : vertical) EXPECT_EQ(VariogramLabelStep(range, 100, 2500), step) << range;
    const long long lags[][2] = {{8, 1}, {9, 2}, {19, 5}, {39, 10}, {79, 40}, {99, 100}};
    for (const auto& [count, step] : lags) EXPECT_EQ(LagLabelStep(100, count, 1000), step) << count;
}

}  // namespace
}  // namespace ravelin
