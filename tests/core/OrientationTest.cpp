#include "core/Orientation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace ravelin {
namespace {

constexpr double kTol = 1e-9;

TEST(PlaneToPole, TrendWrapsOnlyAbove360) {
    OrientationResult r;
    PlaneToPole(r, 180, 30);
    EXPECT_EQ(r.Trend, 360);
    EXPECT_EQ(r.Plunge, 60);
    PlaneToPole(r, 181, 30);
    EXPECT_EQ(r.Trend, 1);
    PlaneToPole(r, 0, 90);
    EXPECT_EQ(r.Trend, 180);
    EXPECT_EQ(r.Plunge, 0);
    PlaneToPole(r, 90, 0);
    EXPECT_EQ(r.Trend, 270);
    EXPECT_EQ(r.Plunge, 90);
}

TEST(PlaneToPole, OfALineGivesThePlaneNormalToIt) {
    // The plane normal to a line has the line as its pole.
    OrientationResult r;
    PlaneToPole(r, 300, 25);
    Vector3 pole;
    {
        OrientationResult c;
        LineToCosines(c, r.Trend, r.Plunge);
        pole = cosines(c);
    }
    OrientationResult line;
    LineToCosines(line, 120, 65);
    EXPECT_NEAR(AngleBetweenLines(pole, cosines(line)), 0, 1e-6);
}

TEST(VectorMath, LineToCosinesFollowsTheAxes) {
    OrientationResult r;
    LineToCosines(r, 0, 0);
    EXPECT_NEAR(r.X, 1, kTol);
    EXPECT_NEAR(r.Y, 0, kTol);
    EXPECT_NEAR(r.Z, 0, kTol);
    LineToCosines(r, 90, 0);  // east
    EXPECT_NEAR(r.X, 0, kTol);
    EXPECT_NEAR(r.Y, 1, kTol);
    LineToCosines(r, 0, 90);  // straight down
    EXPECT_NEAR(r.Z, 1, kTol);
    LineToCosines(r, 225, 30);
    EXPECT_NEAR(r.X, -std::cos(30 / DEG) / std::sqrt(2.0), kTol);
    EXPECT_NEAR(r.Y, -std::cos(30 / DEG) / std::sqrt(2.0), kTol);
    EXPECT_NEAR(r.Z, 0.5, kTol);
}

TEST(VectorMath, NormalizeAndCrossProduct) {
    OrientationResult r;
    NormalizeVector(r, 3, 0, -4);
    EXPECT_DOUBLE_EQ(r.X, 0.6);
    EXPECT_DOUBLE_EQ(r.Y, 0);
    EXPECT_DOUBLE_EQ(r.Z, -0.8);
    r.X = r.Y = r.Z = 7;
    NormalizeVector(r, 0, 0, 0);
    EXPECT_EQ(r.X, 0);
    EXPECT_EQ(r.Y, 0);
    EXPECT_EQ(r.Z, 0);

    CrossProduct(r, {1, 0, 0}, {0, 1, 0});
    EXPECT_EQ(r.X, 0);
    EXPECT_EQ(r.Y, 0);
    EXPECT_EQ(r.Z, 1);  // north x east = down in this right-handed frame
    CrossProduct(r, {1, 2, 3}, {4, 5, 6});
    EXPECT_EQ(r.X, -3);
    EXPECT_EQ(r.Y, 6);
    EXPECT_EQ(r.Z, -3);
}

TEST(CosinesToLine, GeneralDirectionsRoundTrip) {
    for (double trend : {10.0, 95.0, 181.0, 275.0, 359.0}) {
        for (double plunge : {0.5, 30.0, 89.0}) {
            OrientationResult r;
            LineToCosines(r, trend, plunge);
            CosinesToLine(r, 5 * r.X, 5 * r.Y, 5 * r.Z);
            EXPECT_NEAR(r.Trend, trend, 1e-9) << trend << "/" << plunge;
            EXPECT_NEAR(r.Plunge, plunge, 1e-9) << trend << "/" << plunge;
        }
    }
}

TEST(CosinesToLine, UpwardVectorsTurnDown) {
    OrientationResult r;
    LineToCosines(r, 40, 20);
    Vector3 down = cosines(r);
    CosinesToLine(r, -2 * down.x, -2 * down.y, -2 * down.z);
    EXPECT_NEAR(r.Trend, 40, kTol);
    EXPECT_NEAR(r.Plunge, 20, kTol);
    EXPECT_NEAR(r.X, down.x, kTol);
    EXPECT_NEAR(r.Y, down.y, kTol);
    EXPECT_NEAR(r.Z, down.z, kTol);
    EXPECT_GT(r.Z, 0);
}

TEST(CosinesToLine, AxisDirectionsUseTheQuadrant) {
    struct Case {
        double x, y, z, trend, plunge;
    };
    const Case cases[] = {
        {0, 1, 0, 90, 0},   {0, 0, 1, 0, 90},   {1, 0, 0, 0, 0},   {-1, 0, 0, 180, 0},
        {0, -1, 0, 270, 0}, {0, 0, -1, 0, 90},  {0, 3, 3, 90, 45}, {-2, 0, 2, 180, 45},
        {0, -1, -1, 90, 45}, {-1, 0, -1, 0, 45},
    };
    for (const Case& c : cases) {
        OrientationResult r;
        CosinesToLine(r, c.x, c.y, c.z);
        EXPECT_NEAR(r.Trend, c.trend, kTol) << c.x << "," << c.y << "," << c.z;
        EXPECT_NEAR(r.Plunge, c.plunge, kTol) << c.x << "," << c.y << "," << c.z;
        EXPECT_GE(r.Trend, 0);
        EXPECT_LT(r.Trend, 360);
    }
}

TEST(CosinesToLine, ZeroAndNonFiniteVectorsEnd) {
    OrientationResult r;
    r.Trend = r.Plunge = 5;
    CosinesToLine(r, 0, 0, 0);
    EXPECT_EQ(r.X, 0);
    EXPECT_EQ(r.Y, 0);
    EXPECT_EQ(r.Z, 0);
    EXPECT_EQ(r.Trend, 0);
    EXPECT_EQ(r.Plunge, 0);
    CosinesToLine(r, std::nan(""), 1, -1);  // must return, whatever it holds
    EXPECT_TRUE(std::isnan(r.Plunge));
}

TEST(AngleBetweenLines, AcuteAngle) {
    OrientationResult r;
    LineToCosines(r, 123, 37);
    Vector3 a = cosines(r);
    Vector3 opposite{-a.x, -a.y, -a.z};
    EXPECT_EQ(AngleBetweenLines(a, a), 0);
    EXPECT_EQ(AngleBetweenLines(a, opposite), 0);
    EXPECT_NEAR(AngleBetweenLines({1, 0, 0}, {0, 0, 1}), 90, kTol);
    EXPECT_NEAR(AngleBetweenLines({1, 0, 0}, {-0.5, std::sqrt(0.75), 0}), 60, 1e-9);

    // Unit vectors whose dot product rounds just past 1.
    double s = std::sqrt(0.5);
    Vector3 d{s, s, 0};
    double dot = d.x * d.x + d.y * d.y + d.z * d.z;
    ASSERT_GT(dot, 1.0);
    EXPECT_EQ(AngleBetweenLines(d, d), 0);
    EXPECT_EQ(AngleBetweenLines(d, {-s, -s, 0}), 0);
}

TEST(Trigonometry, ArcCosAndArcSinClampTheirArgument) {
    EXPECT_EQ(ArcCosDeg(1), 0);
    EXPECT_EQ(ArcCosDeg(1.0000000000000002), 0);
    EXPECT_EQ(ArcCosDeg(-1), 180);
    EXPECT_EQ(ArcCosDeg(-1.5), 180);
    EXPECT_NEAR(ArcCosDeg(0), 90, kTol);
    EXPECT_NEAR(ArcCosDeg(0.5), 60, kTol);
    EXPECT_NEAR(ArcCosDeg(-0.5), 120, kTol);

    EXPECT_EQ(ArcSinDeg(1), 90);
    EXPECT_EQ(ArcSinDeg(2), 90);
    EXPECT_EQ(ArcSinDeg(-1), -90);
    EXPECT_EQ(ArcSinDeg(-1.0000000000000002), -90);
    EXPECT_NEAR(ArcSinDeg(0.5), 30, kTol);
    EXPECT_NEAR(ArcSinDeg(-0.5), -30, kTol);
}

TEST(Trigonometry, AtanDeg2Quadrants) {
    EXPECT_EQ(AtanDeg2(1, 0), 90);
    EXPECT_EQ(AtanDeg2(-1, 0.000001), -90);
    EXPECT_EQ(AtanDeg2(0, 0), 90);
    EXPECT_NEAR(AtanDeg2(1, -1), 135, kTol);
    EXPECT_NEAR(AtanDeg2(-1, -1), 225, kTol);
    EXPECT_NEAR(AtanDeg2(-1, 1), -45, kTol);
    EXPECT_NEAR(AtanDeg2(1, 1), 45, kTol);
    EXPECT_NEAR(AtanDeg2(0, -2), 180, kTol);
}

TEST(Trigonometry, CotanAndDeterminant) {
    EXPECT_NEAR(Cotan(45 / DEG), 1, kTol);
    EXPECT_NEAR(Cotan(30 / DEG), std::sqrt(3.0), kTol);
    EXPECT_EQ(Determinant3(1, 0, 0, 0, 1, 0, 0, 0, 1), 1);
    EXPECT_EQ(Determinant3(1, 2, 3, 2, 4, 6, 7, 8, 9), 0);  // rows 1 and 2 are parallel
    EXPECT_EQ(Determinant3(1, 2, 3, 4, 5, 6, 7, 8, 10), -3);
    // Columns (p1,p4,p7), (p2,p5,p8), (p3,p6,p9) as vectors: their triple product.
    OrientationResult r;
    CrossProduct(r, {2, 5, 8}, {3, 6, 10});
    EXPECT_EQ(Determinant3(1, 2, 3, 4, 5, 6, 7, 8, 10), 1 * r.X + 4 * r.Y + 7 * r.Z);
}

TEST(ThetaAngle, BetweenScanlineAndPole) {
    // Pole of (120, 40) is trend 300, plunge 50.
    EXPECT_NEAR(ThetaAngle(120, 40, 300, 50), 0, 1e-6);
    EXPECT_NEAR(ThetaAngle(120, 40, 120, -50), 0, 1e-6);  // same line, other way
    // A scanline lying in the plane: its strike, or its dip line.
    EXPECT_NEAR(ThetaAngle(120, 40, 30, 0), 90, 1e-6);
    EXPECT_NEAR(ThetaAngle(120, 40, 120, 40), 90, 1e-6);
    // Horizontal scanline across a vertical set, 30 degrees off its normal.
    EXPECT_NEAR(ThetaAngle(90, 90, 60, 0), 30, 1e-6);
    EXPECT_NEAR(ThetaAngle(180, 90, 0, 0), 0, 1e-6);
}

TEST(MergeSort, SortsAndIsStable) {
    std::vector<double> sorted{-3, -1, 0, 0, 2, 2.5, 9};
    std::vector<double> copy = sorted;
    MergeSort(copy, 0, static_cast<std::ptrdiff_t>(copy.size()) - 1);
    EXPECT_EQ(copy, sorted);

    // -0.0 and 0.0 compare equal, so their sign shows whether ties keep order.
    std::vector<double> ties{0.0, 1.0, -0.0, -1.0, 0.0, -0.0, 0.5, -0.0};
    MergeSort(ties, 0, static_cast<std::ptrdiff_t>(ties.size()) - 1);
    const bool expectedSigns[] = {false, true, false, true, true};  // zeros in their original order
    ASSERT_EQ(ties[0], -1.0);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(std::signbit(ties[1 + i]), expectedSigns[i]) << i;
    EXPECT_EQ(ties[6], 0.5);
    EXPECT_EQ(ties[7], 1.0);
}

TEST(MergeSort, MatchesStableSortOnASubrange) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(-20, 20);
    std::vector<double> values(5000);
    for (double& v : values) {
        int k = pick(random);
        v = k == 0 ? (random() % 2 ? 0.0 : -0.0) : k / 4.0;
    }
    std::vector<double> ours = values;
    MergeSort(ours, 100, 4899);
    std::vector<double> reference = values;
    std::stable_sort(reference.begin() + 100, reference.begin() + 4900);
    for (std::size_t i = 0; i < values.size(); ++i) {
        ASSERT_EQ(ours[i], reference[i]) << i;
        ASSERT_EQ(std::signbit(ours[i]), std::signbit(reference[i])) << i;
    }
}

TEST(MergeSort, LargeAndDegenerateRanges) {
    std::vector<double> big(1'000'000);
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<double>((i * 7919) % 1'000'003);
    MergeSort(big, 0, static_cast<std::ptrdiff_t>(big.size()) - 1);
    EXPECT_TRUE(std::is_sorted(big.begin(), big.end()));

    std::vector<double> one{3, 1};
    MergeSort(one, 1, 1);
    MergeSort(one, 1, 0);
    EXPECT_EQ(one, (std::vector<double>{3, 1}));
    std::vector<double> empty;
    MergeSort(empty, 0, -1);
    EXPECT_TRUE(empty.empty());
}

}  // namespace
}  // namespace ravelin
