// Statistics, classes, default interval and vertical range of a histogram.

#include "spacing/Histogram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

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
    EXPECT_EQ(CountClasses({-3, 5, 5}, 4, 2), (Counts{0, 0, 0, 0, 0}));
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

TEST(VerticalRangeTest, RangesTickStepsAndLabelSteps) {
    // Largest count or semivariogram, then ymax.
    const double ranges[][2] = {{37, 40}, {8, 8.3}, {120, 150}, {1, 1.3}, {100, 130}, {1.25, 1.5}, {0.25, 0.28}};
    for (const auto& [g, ymax] : ranges) EXPECT_NEAR(VerticalRangeOf(g)->ymax, ymax, 1e-15) << g;
    EXPECT_EQ(VerticalRangeOf(0), std::nullopt);
    EXPECT_EQ(VerticalRangeOf(-50000), std::nullopt);
    const double ticks[][2] = {{0.5, 1}, {0.9, 2}, {1.3, 4}, {1.56, 5}, {2.07, 10}, {2.9, 25}, {3, 50}, {3.3, 100}};
    for (const auto& [e, step] : ticks) EXPECT_EQ(TickStep(e), step) << e;
    EXPECT_NEAR(TickStep(4), 9998, 1e-9);
    const long long vertical[][2] = {{10, 1} /* exactly fits */, {11, 2}, {21, 4}, {51, 10}, {101, 20}};
    for (const auto& [labels, step] : vertical) EXPECT_EQ(VerticalLabelStep(labels, 100, 1000), step) << labels;
    const long long horizontal[][2] = {{8, 1}, {9, 2}, {19, 4}};
    for (const auto& [classes, step] : horizontal) EXPECT_EQ(HorizontalLabelStep(100, classes, 1000), step) << classes;
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

}  // namespace
}  // namespace ravelin
