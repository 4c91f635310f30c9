// Arithmetic of the spacing and probability tool and of the volume tool
// against hand-worked values and an independent computation (log-space sums,
// done apart with Python), their refusals, and how a volume is shown. The
// worked examples are in tests/cli/tools.tsv.

#include <gtest/gtest.h>

#include <cmath>

#include "tools/SpacingProbability.h"
#include "tools/VolumeEstimation.h"

namespace ravelin {
namespace {

struct PoissonCase {
    long long k;
    double expected;
    double exactly;  // P(k)
    double fewer;    // P(<k)
};

TEST(PoissonTest, ExactAndCumulativeProbabilities) {
    const PoissonCase cases[] = {
        {0, 3, std::exp(-3.0), 0},
        {1, 1, std::exp(-1.0), std::exp(-1.0)},
        {3, 2.5, 0.2137630172497364, 0.5438131158833297},
        {1000, 1000, 0.012614611348719664, 0.4957947558196655},
        // Beyond 170 the factorial overflows: the probability is tiny, not 10^146.
        {171, 10, 3.658281120316272e-143, 1},
        {0, 0, 1, 0},
        {2, 0, 0, 1},
    };
    for (const PoissonCase& c : cases) {
        // Relative to the value, so that the tiny one is checked too.
        EXPECT_NEAR(Poisson(c.k, c.expected, 1), c.exactly, 1e-9 * c.exactly) << c.k;
        EXPECT_NEAR(PoissonBelow(c.k, c.expected), c.fewer, 1e-12) << c.k;
    }
}

TEST(PoissonTest, LargestCountsStayFiniteAndConsistent) {
    const long long largest = 2147483647;
    // Mean and count equal and huge: P(<k) is just under a half (normal approximation 0.5 - 1/(3·sqrt(2πk))).
    EXPECT_NEAR(PoissonBelow(largest, static_cast<double>(largest)), 0.5 - 1 / (3 * std::sqrt(2 * M_PI * largest)),
                1e-6);
    EXPECT_NEAR(Poisson(largest, static_cast<double>(largest), 1), 1 / std::sqrt(2 * M_PI * largest), 1e-9);
    EXPECT_EQ(PoissonBelow(largest, 1000), 1);
    EXPECT_EQ(Poisson(largest, 1000, 1), 0);
    // Successive cumulative values differ by the exact term.
    for (long long k : {1LL, 7LL, 150LL, 171LL, 5000LL})
        EXPECT_NEAR(PoissonBelow(k + 1, 160) - PoissonBelow(k, 160), Poisson(k, 160, 1), 1e-13) << k;
    // No volume at all, or a volume per discontinuity so small its frequency is infinite.
    EXPECT_EQ(Poisson(0, 0, INFINITY), 1);
    EXPECT_EQ(Poisson(1, 5, INFINITY), 0);
    EXPECT_EQ(PoissonBelow(1, INFINITY), 0);
}

TEST(DistributionTest, EachResultFollowsItsOwnInputs) {
    // No mean spacing: nothing along an interval, but the volume results still hold.
    DistributionTexts out = ComputeDistribution({0, 3, 10, 4, 0.3, 5});
    EXPECT_EQ(out.atLeastOne, "0.00");
    EXPECT_EQ(out.threshold, "0.00");
    EXPECT_EQ(out.exactly, "18.04");  // 2^3 e^-2 / 3!
    EXPECT_EQ(out.fewer, "67.67");    // e^-2 (1 + 2 + 2)
    // No volume per discontinuity: nothing in a volume, but the interval results still hold.
    out = ComputeDistribution({1, 1, 3, 1, 0.5, 0});
    EXPECT_EQ(out.atLeastOne, "63.21");  // 1 - 1/e
    EXPECT_EQ(out.threshold, "0.69");    // ln 2
    EXPECT_EQ(out.exactly, "0.00");
    EXPECT_EQ(out.fewer, "0.00");
}

TEST(IntersectionsTest, DensitiesRoundedHalfToEven) {
    EXPECT_EQ(IntersectionLength(0.5, 0.25, 1, 90), 0.12);  // 0.125
    EXPECT_EQ(IntersectionLength(0.5, 0.75, 1, 90), 0.38);  // 0.375
    EXPECT_EQ(IntersectionLength(7, 7, 7, 0), 0);
    // At 90 degrees the cosine is exactly 0, even for the largest inputs.
    EXPECT_EQ(IntersectionCount(2147483647, 2147483647, 2147483647, 90), 0);
    EXPECT_EQ(IntersectionLength(2147483647, 2147483647, 2147483647, 90), 9.903520300447984e27);
}

struct ConnectivityCase {
    const char* what;
    ConnectivityInput in;
    std::array<std::string, 5> shown;  // d1, d2 ("inf" for the sign), Pc, Ps, Pt
};

TEST(ConnectivityTest, ThresholdDistancesCrossingAndStairs) {
    const ConnectivityCase cases[] = {
        {"long traces are capped", {10, 1, 10, 1, 90, 0.5, 2}, {"0.69", "0.69", "100.000", "25.000", "6.250"}},
        {"unequal sets", {0.2, 0.5, 0.3, 2, 30, 0.2, 1}, {"0.45", "0.11", "7.531", "4.000", "0.301"}},
        {"no stairs", {1, 1, 1, 1, 90, 1, 0}, {"inf", "inf", "0.0", "100.000", "100.000"}},
        {"parallel sets", {1, 1, 1, 1, 0, 0.5, 1}, {"0.69", "0.69", "0.000", "25.000", "0.000"}},
        {"no frequency", {1, 0, 1, 1, 90, 0.5, 1}, {"0.0", "0.0", "0.00", "25.000", "0.000"}},
        {"no threshold", {1, 1, 1, 1, 90, 0, 3}, {"0.0", "0.0", "0.00", "0.000", "0.000"}},
        {"densest sets", {1, 2147483647, 1, 2147483647, 90, 1e-15, 1}, {"0.0", "0.0", "100.000", "0.000", "0.000"}},
    };
    for (const ConnectivityCase& c : cases) {
        const ConnectivityTexts out = ComputeConnectivity(c.in);
        for (size_t i = 0; i < 2; ++i)
            EXPECT_EQ(out.infinite[i] ? std::string("inf") : out.distance[i], c.shown[i]) << c.what << " d" << i + 1;
        EXPECT_EQ(out.crossing, c.shown[2]) << c.what;
        EXPECT_EQ(out.continuity, c.shown[3]) << c.what;
        EXPECT_EQ(out.stairs, c.shown[4]) << c.what;
    }
}

TEST(FourDiscontinuityNetTest, BothSolutions) {
    using Texts = std::array<std::string, 6>;
    // x1 = p1 λ2 sin 60 = 0.866, x2 = λ1 p2 sin 60 = 3.897; the nets use the shown one-decimal values.
    EXPECT_EQ(ComputeFourDiscontinuityNet({1.5, 2, 0.5, 3, 60}),
              (Texts{"21.5", "90.1", "19.4", "35.1", "85.8", "30.1"}));
    EXPECT_EQ(ComputeFourDiscontinuityNet({5, 5, 5, 5, 0}), (Texts{"0.0", "0.0", "0.0", "0.0", "0.0", "0.0"}));
    EXPECT_EQ(ComputeFourDiscontinuityNet({2147483647, 2147483647, 2147483647, 2147483647, 90}),
              (Texts{"100.0", "100.0", "100.0", "100.0", "100.0", "100.0"}));
}

TEST(ThreeSetNetTest, PermutationsOfTheWorkedExampleAndZeroCases) {
    std::array<NetSet, 3> sets = {NetSet{1, 1, 0, 60}, NetSet{1, 1, 90, 60}, NetSet{1, 1, 45, 10}};
    std::array<double, 3> r = ComputeThreeSetNet(sets, 0.5);
    EXPECT_NEAR(r[0], 3.040135212693008, 1e-9);
    EXPECT_NEAR(r[1], 3.607631915000776, 1e-9);
    EXPECT_NEAR(r[2], 3.607631915000775, 1e-9);
    EXPECT_EQ(ComputeThreeSetNet(sets, 0), (std::array<double, 3>{0, 0, 0}));
    // Certainty makes both threshold distances "infinite" (1E+20): nothing is left.
    r = ComputeThreeSetNet(sets, 1);
    EXPECT_LT(r[0], 1e-30);

    sets[2].frequency = 0;  // the pairs with set 3 have no threshold distance
    r = ComputeThreeSetNet(sets, 0.5);
    EXPECT_NEAR(r[0], 3.040135212693008, 1e-9);
    EXPECT_EQ(r[1], 0);
    EXPECT_EQ(r[2], 0);

    // Opposite dip directions cancel the north component of the pair exactly: no trend, no result.
    sets = {NetSet{1, 1, 0, 60}, NetSet{1, 1, 180, 60}, NetSet{1, 1, 90, 30}};
    EXPECT_EQ(ComputeThreeSetNet(sets, 0.5)[0], 0);
    // The largest frequencies and persistences are capped at 100.
    for (NetSet& set : sets) set.frequency = set.persistence = 2147483647;
    sets[1].dipDirection = 120;
    EXPECT_EQ(ComputeThreeSetNet(sets, 0.5)[0], 100);
}

TEST(VolumeEstimationTest, TwoSetsWithPersistenceOrFracturation) {
    EXPECT_NEAR(VolumeFromTwoSets(1, 1, 2, 3, 90), 4 / M_PI, 1e-12);  // the smaller persistence counts
    EXPECT_NEAR(VolumeFromTwoSets(2, 3, 5, 4, 30), 2 * 2 * 3 * 4 / (M_PI * 0.5), 1e-9);
    EXPECT_EQ(VolumeFromTwoSets(1, 1, 2, 3, 0), 0);
    EXPECT_EQ(VolumeFromTwoSets(1, 1, 2, 3, 180), 0);

    EXPECT_NEAR(VolumeWithFracturation(2, 3, 30, 4), 3, 1e-12);
    for (double angle : {0.0, 180.0}) EXPECT_EQ(VolumeWithFracturation(2, 3, angle, 4), 0);
    EXPECT_EQ(VolumeWithFracturation(2, 3, 30, 0), 0);
}

TEST(VolumeEstimationTest, ThreeSetsFormingPrisms) {
    // Mutually perpendicular sets: the prism is the box of the spacings.
    EXPECT_NEAR(VolumeFromThreeSets({PrismSet{1, 0, 90}, PrismSet{2, 90, 90}, PrismSet{3, 0, 0}}), 6, 1e-12);
    // Oblique sets: 6 / |u1·(u2 × u3)| with the poles' triple product 0.78445 worked apart.
    EXPECT_NEAR(VolumeFromThreeSets({PrismSet{1, 30, 60}, PrismSet{2, 150, 45}, PrismSet{3, 270, 20}}),
                7.648644772218371, 1e-9);

    struct Refused {
        const char* why;
        std::array<PrismSet, 3> sets;
    };
    const Refused refused[] = {
        {"two sets alike", {PrismSet{1, 40, 50}, PrismSet{2, 120, 30}, PrismSet{3, 40, 50}}},
        {"two horizontal sets", {PrismSet{1, 40, 0}, PrismSet{2, 120, 0}, PrismSet{3, 200, 60}}},
        {"one dip direction", {PrismSet{1, 40, 10}, PrismSet{2, 40, 50}, PrismSet{3, 40, 80}}},
        // Three vertical sets: their horizontal poles lie in one plane and bound no prism.
        {"coplanar poles", {PrismSet{1, 0, 90}, PrismSet{2, 60, 90}, PrismSet{3, 120, 90}}},
        {"the same plane named twice", {PrismSet{1, 0, 40}, PrismSet{2, 360, 40}, PrismSet{3, 90, 80}}},
    };
    for (const Refused& r : refused) EXPECT_EQ(VolumeFromThreeSets(r.sets), 0) << r.why;
}

TEST(VolumeEstimationTest, VolumeTexts) {
    const struct {
        double volume;
        bool zeroIsDash;
        const char* shown;
    } cases[] = {
        {4 / M_PI, false, "1.3"}, {0, false, "0.0"},
        {0, true, "-"},           {999999999.94, false, "999999999.9"},
        {1e9, false, "1.00E+09"}, {1.5e9, true, "1.50E+09"},
        {INFINITY, false, "-"},   {NAN, true, "-"},
    };
    for (const auto& c : cases) EXPECT_EQ(VolumeText(c.volume, c.zeroIsDash), c.shown) << c.volume;
}

}  // namespace
}  // namespace ravelin
