// The four density laws and the curves scaled to a histogram's bars.

#include "spacing/DensityLaws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace ravelin {
namespace {

// A plotting area where one count and one class are one unit: curve heights read as counts.
PlotArea unitArea(double top = 100, double right = 100) {
    return {.right = right, .top = top, .classWidth = 1, .countHeight = 1};
}

const SampleStatistics kOneTwoThree{2, 1};  // values 1, 2, 3

TEST(DensityLawsTest, WorkedExampleOfValuesOneTwoThree) {
    // Interval 1, 4 classes: 200 samples at 0.01, 0.03, ..., each the count of a class of width 1.
    const double h = 1.0 / 50;
    const std::vector<double> normal = NormalDensities(200, h, kOneTwoThree);
    ASSERT_EQ(normal.size(), 201u);
    const double peak = *std::max_element(normal.begin() + 1, normal.end());
    EXPECT_NEAR(3 * peak, 1.197, 0.001);  // n I 0.399
    const auto top = std::max_element(normal.begin() + 1, normal.end()) - normal.begin();
    EXPECT_NEAR(static_cast<double>(top) * h - h / 2, 2, 0.011);
    EXPECT_NEAR(3 * ExponentialDensities(200, h, 2)[1], 1.49, 0.005);
}

TEST(DensityLawsTest, FittedLawsHaveTheSampleMoments) {
    const SampleStatistics s{0.4, 0.3};
    const double dx = 1e-4;
    double mass = 0, first = 0, second = 0;
    for (double x = dx / 2; x < 20; x += dx) {
        const double p = LognormalDensity(x, s.mean, s.stdDev) * dx;
        mass += p;
        first += x * p;
        second += x * x * p;
    }
    EXPECT_NEAR(mass, 1, 1e-6);
    EXPECT_NEAR(first, s.mean, 1e-6);
    EXPECT_NEAR(std::sqrt(second - first * first), s.stdDev, 1e-5);
    double triangle = 0, triangleFirst = 0;
    for (double x = dx / 2; x < 2; x += dx) {
        triangle += TriangularDensity(x, 0.4) * dx;
        triangleFirst += x * TriangularDensity(x, 0.4) * dx;
    }
    EXPECT_NEAR(triangle, 1, 1e-6);
    EXPECT_NEAR(triangleFirst, 0.4, 1e-6);
    EXPECT_EQ(TriangularDensity(1.21, 0.4), 0);
    EXPECT_NEAR(NormalDensity(2, 2, 1), 1 / std::sqrt(LawTwoPi), 1e-15);
}

TEST(DensityLawsTest, RelativeFrequenciesScaleTheCurvesByHundredOverN) {
    EXPECT_EQ(CountScale(3, false), 3);
    // 100 / 8 = 12.5 goes to the even 12, 100 / 40 = 2.5 to 2.
    const long long relative[][2] = {{3, 33}, {8, 12}, {40, 2}, {300, 0}};
    for (const auto& [n, scale] : relative) EXPECT_EQ(CountScale(n, true), scale) << n;
}

TEST(DensityLawsTest, NormalAndLognormalCurvesAreFlattenedOntoTheTop) {
    const std::vector<double> normal = NormalDensities(200, 1.0 / 50, kOneTwoThree);
    const PlotArea area = unitArea(1.0);
    const PenPath path = FlattenedCurve(normal, area, 3);
    ASSERT_EQ(path.size(), 202u);  // the axis point, the rise, 200 samples
    EXPECT_DOUBLE_EQ(path[1].x, 0);
    const auto flat = std::count_if(path.begin(), path.end(), [](const ChartPoint& p) { return p.y == 1.0; });
    EXPECT_GT(flat, 10);
    EXPECT_TRUE(std::all_of(path.begin(), path.end(), [](const ChartPoint& p) { return p.y <= 1.0; }));
    EXPECT_DOUBLE_EQ(path.back().x, 4);  // sample 200 is drawn at the right end of class 4
}

TEST(DensityLawsTest, ExponentialCurveEntersAtTheTopEdge) {
    const std::vector<double> values = ExponentialDensities(200, 1.0 / 50, 2);
    const PenPath inside = ExponentialCurve(values, unitArea(), 3);
    ASSERT_EQ(inside.size(), 201u);  // the pen start, then 200 segments
    EXPECT_DOUBLE_EQ(inside[0].y, inside[1].y);

    const PenPath cut = ExponentialCurve(values, unitArea(1.2), 3);
    // 1.5 e^(-x/2) comes down to 1.2 at x = 0.446: the first sample inside is the 23rd (x = 0.45).
    ASSERT_EQ(cut.size(), 200u - 22 + 1);
    EXPECT_DOUBLE_EQ(cut[0].y, 1.2);
    EXPECT_DOUBLE_EQ(cut[0].x, 23.0 / 50);

    EXPECT_TRUE(ExponentialCurve(values, unitArea(0.001), 3).empty());  // never inside
}

// From 1 count at 0 down to nothing at 3 x mean = 6, cut where it leaves the area.
TEST(DensityLawsTest, TriangularLineIsCutAtTheTopAndTheRightEdge) {
    auto line = TriangularLine(3, 2, 1, unitArea(0.5));
    ASSERT_TRUE(line);
    EXPECT_DOUBLE_EQ(line->first.x, 3);
    EXPECT_DOUBLE_EQ(line->first.y, 0.5);
    line = TriangularLine(3, 2, 1, unitArea(100, 4));
    ASSERT_TRUE(line);
    EXPECT_DOUBLE_EQ(line->second.x, 4);
    EXPECT_NEAR(line->second.y, 1.0 / 3, 1e-15);
    EXPECT_FALSE(TriangularLine(3, 2, 1, unitArea(0)));  // entirely above a zero-height area
    EXPECT_FALSE(TriangularLine(3, 0, 1, unitArea()));
}

}  // namespace
}  // namespace ravelin
