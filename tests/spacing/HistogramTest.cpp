// Statistics, classes, default interval and vertical range of a histogram.

#include "spacing/Histogram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace ravelin {
namespace {

TEST(HistogramStatisticsTest, MeanAndSampleStandardDeviation) {
    const SampleStatistics s = Statistics({1, 2, 3});
    EXPECT_DOUBLE_EQ(s.mean, 2);
    EXPECT_DOUBLE_EQ(s.stdDev, 1);  // denominator n - 1
    const SampleStatistics single = Statistics({0.7});
    EXPECT_DOUBLE_EQ(single.mean, 0.7);
    EXPECT_EQ(single.stdDev, 0);
    const SampleStatistics part = Statistics({100, 4, 6, 100}, 1, 2);
    EXPECT_DOUBLE_EQ(part.mean, 5);
    EXPECT_DOUBLE_EQ(part.stdDev, std::sqrt(2.0));
    EXPECT_EQ(Statistics({}).mean, 0);
}

TEST(HistogramStatisticsTest, IntersectionDistancesBecomeSpacings) {
    std::vector<double> data = {2, 5, 9};
    ToSpacings(data);
    EXPECT_EQ(data, (std::vector<double>{2, 3, 4}));
    EXPECT_DOUBLE_EQ(ScanlineLength(data), 9);
    std::vector<double> decreasing = {5, 2};
    ToSpacings(decreasing);
    EXPECT_EQ(decreasing, (std::vector<double>{5, -3}));
}

TEST(DefaultIntervalTest, QuarterOfTheLeadingDecadeRoundedHalfToEven) {
    EXPECT_DOUBLE_EQ(*DefaultInterval({0.37}), 0.1);
    EXPECT_DOUBLE_EQ(*DefaultInterval({2.5}), 0.65);
    EXPECT_DOUBLE_EQ(*DefaultInterval({0.2, 0.3, 0.6}), 0.1);
    // (Int(k mean) + 1) / 4 / k lands on a half: 0.125 goes down, 0.075 up.
    EXPECT_DOUBLE_EQ(*DefaultInterval({4.0 / 10}), 0.12);   // k = 10: (4 + 1) / 4 / 10
    EXPECT_DOUBLE_EQ(*DefaultInterval({0.2}), 0.08);        // k = 10: (2 + 1) / 4 / 10
    // k reaches 10000 and may go no further.
    EXPECT_DOUBLE_EQ(*DefaultInterval({0.0001}), 0);  // (1 + 1) / 4 / 10000 rounds to 0
    EXPECT_EQ(DefaultInterval({0.00009}), std::nullopt);
    EXPECT_EQ(DefaultInterval({-1, 0.5}), std::nullopt);
    EXPECT_EQ(DefaultInterval({std::numeric_limits<double>::max(), std::numeric_limits<double>::max()}),
              std::nullopt);
}

TEST(CountClassesTest, BoundaryValuesFallIntoTheLowerClass) {
    EXPECT_EQ(CountClasses({0.5, 1.0, 1.5}, 3, 0.5), (std::vector<long long>{0, 1, 1, 1}));
    // Within 1e-06 of a boundary still counts below it.
    EXPECT_EQ(CountClasses({1.0000005}, 3, 0.5), (std::vector<long long>{0, 0, 1, 0}));
    EXPECT_EQ(CountClasses({1.0000015}, 3, 0.5), (std::vector<long long>{0, 0, 0, 1}));
}

TEST(CountClassesTest, TheWalkStopsBelowTheFirstClassAndBeyondTheLast) {
    // A value at or below epsilon stops everything: nothing is counted.
    EXPECT_EQ(CountClasses({-3, 5, 5}, 4, 2), (std::vector<long long>{0, 0, 0, 0, 0}));
    EXPECT_EQ(CountClasses({0.0000005, 1}, 2, 1), (std::vector<long long>{0, 0, 0}));
    // Values beyond the last class are dropped.
    EXPECT_EQ(CountClasses({0.1, 0.2, 7, 8}, 2, 1), (std::vector<long long>{0, 2, 0}));
    EXPECT_EQ(CountClasses({1}, 0, 1), (std::vector<long long>{0}));
    EXPECT_EQ(CountClasses({1}, -4, 1), (std::vector<long long>{0}));
    EXPECT_EQ(CountClasses({1, 2}, 3, -1), (std::vector<long long>{0, 0, 0, 0}));
    EXPECT_EQ(CountClasses({1, 2}, 3, std::nan("")), (std::vector<long long>{0, 0, 0, 0}));
}

TEST(CountClassesTest, MaxCountStartsFarBelowZero) {
    EXPECT_EQ(MaxCount({0, 3, 9, 4}, 1, 3), 9);
    EXPECT_EQ(MaxCount({0, 3, 9, 4}, 1, 1), 3);
    EXPECT_EQ(MaxCount({0}, 1, 0), -50000);
}

TEST(VerticalRangeTest, ExamplesOfTheLargestCount) {
    const auto of = [](double g) { return *VerticalRangeOf(g); };
    EXPECT_DOUBLE_EQ(of(37).e, 1.56);
    EXPECT_DOUBLE_EQ(of(37).p, 1);
    EXPECT_DOUBLE_EQ(of(37).ymax, 40);
    EXPECT_DOUBLE_EQ(of(8).ymax, 8.3);
    EXPECT_DOUBLE_EQ(of(120).ymax, 150);
    EXPECT_DOUBLE_EQ(of(1).ymax, 1.3);
    EXPECT_DOUBLE_EQ(of(100).ymax, 130);
    // A semivariogram: 1.25 gives 1.5, 0.25 gives 0.28.
    EXPECT_DOUBLE_EQ(of(1.25).e, 0.09);
    EXPECT_DOUBLE_EQ(of(1.25).p, 0.1);
    EXPECT_DOUBLE_EQ(of(1.25).ymax, 1.5);
    EXPECT_DOUBLE_EQ(of(0.25).e, -0.61);
    EXPECT_DOUBLE_EQ(of(0.25).p, 0.01);
    EXPECT_NEAR(of(0.25).ymax, 0.28, 1e-15);
    EXPECT_EQ(VerticalRangeOf(0), std::nullopt);
    EXPECT_EQ(VerticalRangeOf(-50000), std::nullopt);
}

TEST(VerticalRangeTest, TickStepsAndLabelSteps) {
    EXPECT_EQ(TickStep(0.5), 1);
    EXPECT_EQ(TickStep(0.9), 2);
    EXPECT_EQ(TickStep(1.3), 4);
    EXPECT_EQ(TickStep(1.56), 5);
    EXPECT_EQ(TickStep(2.07), 10);
    EXPECT_EQ(TickStep(2.9), 25);
    EXPECT_EQ(TickStep(3), 50);
    EXPECT_EQ(TickStep(3.3), 100);
    EXPECT_NEAR(TickStep(4), 9998, 1e-9);
    EXPECT_EQ(VerticalLabelStep(10, 100, 1000), 1);  // exactly fits
    EXPECT_EQ(VerticalLabelStep(11, 100, 1000), 2);
    EXPECT_EQ(VerticalLabelStep(21, 100, 1000), 4);
    EXPECT_EQ(VerticalLabelStep(51, 100, 1000), 10);
    EXPECT_EQ(VerticalLabelStep(101, 100, 1000), 20);
    EXPECT_EQ(HorizontalLabelStep(100, 8, 1000), 1);
    EXPECT_EQ(HorizontalLabelStep(100, 9, 1000), 2);
    EXPECT_EQ(HorizontalLabelStep(100, 19, 1000), 4);
}

TEST(SettleHistogramTest, DefaultClassesOfTheWorkedExample) {
    std::vector<double> data = {0.6, 0.2, 0.3};
    const HistogramFigures f = SettleHistogram(data, 0, 0);
    ASSERT_EQ(f.status, HistogramStatus::Ok);
    EXPECT_EQ(data, (std::vector<double>{0.2, 0.3, 0.6}));  // sorted in place
    EXPECT_DOUBLE_EQ(f.interval, 0.1);
    EXPECT_EQ(f.classes, 7);  // 0.6 / 0.1 is just below 6 in double precision
    EXPECT_EQ(f.counts, (std::vector<long long>{0, 0, 1, 1, 0, 0, 1, 0}));
    EXPECT_EQ(f.maxCount, 1);
    EXPECT_DOUBLE_EQ(f.range.ymax, 1.3);
    EXPECT_NEAR(f.statistics.mean, 0.366666666666667, 1e-12);
}

TEST(SettleHistogramTest, GivenSettlesAreKeptOnlyWhenBothAreNonZero) {
    std::vector<double> data = {0.5, 1.0, 1.5};
    HistogramFigures f = SettleHistogram(data, 0.5, 3);
    EXPECT_EQ(f.counts, (std::vector<long long>{0, 1, 1, 1}));
    f = SettleHistogram(data, 0.5, 0);  // one of them missing: both chosen again
    EXPECT_DOUBLE_EQ(f.interval, 0.28);  // (10 + 1) / 4 / 10 = 0.275, half to even
    EXPECT_EQ(f.classes, 7);
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

TEST(SettleHistogramTest, IntervalTextOfTheOptionsWindow) {
    EXPECT_EQ(IntervalText(0.1), "0.1");
    EXPECT_EQ(IntervalText(0.12345), "0.1235");
    EXPECT_EQ(IntervalText(0.05), "0.05");
    EXPECT_EQ(IntervalText(2.5), "2.5");
    EXPECT_EQ(IntervalText(12), "12");
}

}  // namespace
}  // namespace ravelin
