// The four density laws, their curves scaled to a histogram's bars, and
// their goodness of fit, checked against hand-worked values, numerical
// integration, published tables and an independent computation with the
// standard library's erfc on fixed data.

#include "spacing/GoodnessOfFit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "spacing/DensityLaws.h"

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

double normalCdf(double z) { return 0.5 * std::erfc(-z / std::numbers::sqrt2); }

const LawFit& fitOf(const FitSummary& summary, Law law) { return summary.laws[static_cast<std::size_t>(law)]; }

FitSummary fitted(std::vector<double> values, double interval = 0, long long classes = 0) {
    const HistogramFigures figures = SettleHistogram(values, interval, classes);  // sorts the values
    EXPECT_EQ(figures.status, HistogramStatus::Ok);
    return FitLaws(values, figures);
}

// The exponential and normal distribution functions in their textbook forms, with the method-of-moments parameters.
std::function<double(double)> referenceCdf(Law law, double m, double s) {
    if (law == Law::Exponential) return [m](double x) { return 1 - std::exp(-x / m); };
    return [m, s](double x) { return normalCdf((x - m) / s); };
}

TEST(GoodnessOfFitTest, KolmogorovPValuesMatchPublishedTables) {
    // Exact small-sample critical values (d, n, level), and the limiting law for large n.
    struct Case {
        double d;
        long long n;
        double level;
    };
    const Case cases[] = {{0.842, 2, 0.05},  {0.563, 5, 0.05},  {0.669, 5, 0.01},  {0.322, 10, 0.20},
                          {0.369, 10, 0.10}, {0.409, 10, 0.05}, {0.489, 10, 0.01}, {0.294, 20, 0.05},
                          {0.352, 20, 0.01}, {0.134, 100, 0.05}};
    // The tables give d to 3 decimals: half a unit there moves p by up to 0.004 at the 20% level.
    for (const Case& c : cases) EXPECT_NEAR(KolmogorovSmirnovPValue(c.d, c.n), c.level, 0.005) << c.n << " " << c.d;
    // Limiting Kolmogorov distribution, P(K > 1) = 0.2700 and P(K > 1.3581) = 0.05, on both sides of the series switch.
    const long long large = 1'000'000'000'000;
    EXPECT_NEAR(KolmogorovSmirnovPValue(1.0 / 1e6, large), 0.2700, 5e-5);
    EXPECT_NEAR(KolmogorovSmirnovPValue(1.3581 / 1e6, large), 0.0500, 5e-5);
    // One value: D = max(F, 1 - F) with F uniform, P(D >= 0.975) = 0.05.
    EXPECT_NEAR(KolmogorovSmirnovPValue(0.975, 1), 0.05, 1e-12);
    EXPECT_EQ(KolmogorovSmirnovPValue(0, 10), 1);
    EXPECT_NEAR(KolmogorovSmirnovPValue(1, 50), 0, 1e-12);
}

TEST(GoodnessOfFitTest, ClassesAreMergedUntilEachExpectsFiveValues) {
    struct Case {
        std::vector<double> expected;
        std::vector<std::pair<long long, long long>> groups;  // first and last class
    };
    const Case cases[] = {
        {{2, 2, 2, 6, 1, 1}, {{1, 3}, {4, 6}}},  // a short remainder joins the group before it
        {{5, 5, 5}, {{1, 1}, {2, 2}, {3, 3}}},   // exactly five closes a group
        {{1, 1}, {{1, 2}}},                      // too few values for two groups
        {{0, 7, 0, 0}, {{1, 4}}},                // classes expecting nothing join a group too
    };
    for (const Case& c : cases) {
        const std::vector<double> observed(c.expected.size(), 1);
        const std::vector<ClassGroup> groups = MergeClasses(c.expected, observed);
        ASSERT_EQ(groups.size(), c.groups.size());
        double expected = 0;
        for (std::size_t i = 0; i < groups.size(); ++i) {
            EXPECT_EQ(groups[i].firstClass, c.groups[i].first);
            EXPECT_EQ(groups[i].lastClass, c.groups[i].second);
            EXPECT_EQ(groups[i].observed, static_cast<double>(groups[i].lastClass - groups[i].firstClass + 1));
            expected += groups[i].expected;
        }
        double total = 0;
        for (double e : c.expected) total += e;
        EXPECT_DOUBLE_EQ(expected, total);
    }
}

// Values 1, 2, 3: mean 2, standard deviation 1, worked by hand.
TEST(GoodnessOfFitTest, ValuesOneTwoThreeWorkedByHand) {
    const FitSummary summary = fitted({3, 1, 2});
    struct Expected {
        Law law;
        double d;
        double logLikelihood;
        int k;
    };
    const Expected table[] = {
        {Law::Exponential, 1 - std::exp(-0.5), -3 * (std::log(2.0) + 1), 1},  // D at x = 1: F = 1 - e^-1/2
        {Law::Normal, normalCdf(1) - 2.0 / 3, -1.5 * std::log(2 * std::numbers::pi) - 1, 2},  // at x = 3
        // sigma^2 = ln 1.25, mu = ln 2 - sigma^2 / 2; D at x = 2: F = 0.593357
        {Law::Lognormal, 0.593357 - 1.0 / 3, -3.683436, 2},
        {Law::Triangular, 1 - 25.0 / 36, std::log(5.0 / 18) + std::log(4.0 / 18) + std::log(3.0 / 18), 1},
    };
    for (const Expected& e : table) {
        const LawFit& fit = fitOf(summary, e.law);
        ASSERT_TRUE(fit.fitted()) << LawKey(e.law);
        EXPECT_NEAR(fit.ksD, e.d, 1e-5) << LawKey(e.law);
        EXPECT_NEAR(fit.logLikelihood, e.logLikelihood, 1e-5) << LawKey(e.law);
        EXPECT_NEAR(fit.aic, 2 * e.k - 2 * e.logLikelihood, 1e-4) << LawKey(e.law);
        EXPECT_FALSE(fit.chiSquare);  // 3 values expect fewer than 5 in any class: one group, no test
    }
    // AIC 12.16, 11.51, 11.37, 11.15: the triangle's single parameter wins.
    EXPECT_EQ(summary.best, Law::Triangular);
    const LawFit& lognormal = fitOf(summary, Law::Lognormal);
    EXPECT_NEAR(lognormal.parameters[0].value, std::log(2.0) - std::log(1.25) / 2, 1e-12);  // mu
    EXPECT_NEAR(lognormal.parameters[1].value, std::sqrt(std::log(1.25)), 1e-12);           // sigma
}

// 40 values in classes of 1: counts 25, 9, 4, 2; mean 1.085, sd 0.9009, largest 3.6.
TEST(GoodnessOfFitTest, ChiSquareOnMergedClassesWithItsDegreesOfFreedom) {
    std::vector<double> values;
    for (int k = 1; k <= 25; ++k) values.push_back(0.04 * k);
    for (int k = 1; k <= 9; ++k) values.push_back(1 + 0.1 * k);
    for (double x : {2.2, 2.4, 2.6, 2.8, 3.3, 3.6}) values.push_back(x);
    const double m = 43.4 / 40;
    double squares = 0;
    for (double x : values) squares += (x - m) * (x - m);
    const double s = std::sqrt(squares / 39);
    const FitSummary summary = fitted(values, 1, 4);

    // Expected counts per class, the first from -infinity and the last to +infinity; by hand they
    // group as [1], [2], [3-4] for both laws (exponential 24.09, 9.58, 3.81 + 2.52; normal 18.50,
    // 15.31, 5.53 + 0.67), with observed 25, 9, 6.
    for (const auto& [law, freedom] : {std::pair{Law::Exponential, 1}, std::pair{Law::Normal, 0}}) {
        const auto F = referenceCdf(law, m, s);
        const double e[] = {40 * F(1), 40 * (F(2) - F(1)), 40 * (1 - F(2))};
        const double o[] = {25, 9, 6};
        double chiSquare = 0;
        for (int i = 0; i < 3; ++i) chiSquare += (o[i] - e[i]) * (o[i] - e[i]) / e[i];
        const LawFit& fit = fitOf(summary, law);
        ASSERT_TRUE(fit.chiSquare) << LawKey(law);
        EXPECT_NEAR(*fit.chiSquare, chiSquare, 1e-9) << LawKey(law);
        EXPECT_EQ(fit.degreesOfFreedom, freedom);  // 3 groups - 1 - the law's parameters
        // With one degree of freedom P(X > x) = erfc(sqrt(x / 2)); with none nothing is left to test.
        ASSERT_EQ(fit.chiSquareP.has_value(), freedom > 0) << LawKey(law);
        if (fit.chiSquareP) {
            EXPECT_NEAR(*fit.chiSquareP, std::erfc(std::sqrt(chiSquare / 2)), 1e-9);
        }
    }

    // Lognormal expects 23.94, 11.51, 3.01, 1.55: the last two join the second group.
    const LawFit& lognormal = fitOf(summary, Law::Lognormal);
    ASSERT_TRUE(lognormal.chiSquare);
    EXPECT_EQ(lognormal.degreesOfFreedom, -1);
    EXPECT_FALSE(lognormal.chiSquareP);

    // 3.6 lies beyond 3 x mean = 3.255, where the triangle ends.
    const LawFit& triangular = fitOf(summary, Law::Triangular);
    EXPECT_FALSE(triangular.fitted());
    EXPECT_NE(triangular.notFitted.find("3.2550"), std::string::npos) << triangular.notFitted;
    EXPECT_EQ(summary.best, Law::Exponential);  // of the three that fit
}

TEST(GoodnessOfFitTest, LawsWithoutSpreadOrWithoutValuesAreNotFitted) {
    const FitSummary single = fitted({0.7});
    EXPECT_TRUE(fitOf(single, Law::Exponential).fitted());
    EXPECT_TRUE(fitOf(single, Law::Triangular).fitted());  // 0.7 lies inside 0..2.1
    for (Law law : {Law::Normal, Law::Lognormal})
        EXPECT_EQ(fitOf(single, law).notFitted, "the standard deviation is 0");
    // D of one value under the exponential law of its own mean: F(0.7) = 1 - 1/e.
    EXPECT_NEAR(fitOf(single, Law::Exponential).ksD, 1 - std::exp(-1.0), 1e-12);

    const FitSummary none = FitLaws({}, HistogramFigures{});
    for (const LawFit& fit : none.laws) EXPECT_FALSE(fit.fitted());
    EXPECT_FALSE(none.best);
}

}  // namespace
}  // namespace ravelin
