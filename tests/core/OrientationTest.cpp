#include "core/Orientation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

namespace ravelin {
namespace {

constexpr double kTol = 1e-9;

void expectVector(const OrientationResult& r, Vector3 expected, const std::string& what) {
    EXPECT_NEAR(r.X, expected.x, kTol) << what;
    EXPECT_NEAR(r.Y, expected.y, kTol) << what;
    EXPECT_NEAR(r.Z, expected.z, kTol) << what;
}

TEST(PlaneToPole, TrendWrapsOnlyAbove360) {
    const double cases[][4] = {
        // dip direction, dip, pole trend, pole plunge
        {180, 30, 360, 60},
        {181, 30, 1, 60},
        {0, 90, 180, 0},
        {90, 0, 270, 90},
    };
    for (const auto& c : cases) {
        OrientationResult r;
        PlaneToPole(r, c[0], c[1]);
        EXPECT_EQ(r.Trend, c[2]) << c[0] << "/" << c[1];
        EXPECT_EQ(r.Plunge, c[3]) << c[0] << "/" << c[1];
    }
}

TEST(VectorMath, NormalizeAndCrossProduct) {
    OrientationResult r;
    NormalizeVector(r, 3, 0, -4);
    expectVector(r, {0.6, 0, -0.8}, "normalized");
    NormalizeVector(r, 0, 0, 0);  // identical planes or lines give a zero vector: no division
    expectVector(r, {0, 0, 0}, "zero vector");
    CrossProduct(r, {1, 2, 3}, {4, 5, 6});
    expectVector(r, {-3, 6, -3}, "cross");
}

TEST(CosinesToLine, GeneralDirectionsRoundTrip) {
    for (double trend : {10.0, 95.0, 181.0, 275.0, 359.0}) {
        for (double plunge : {0.5, 30.0, 89.0}) {
            OrientationResult r;
            LineToCosines(r, trend, plunge);
            CosinesToLine(r, 5 * r.X, 5 * r.Y, 5 * r.Z);
            EXPECT_NEAR(r.Trend, trend, kTol) << trend << "/" << plunge;
            EXPECT_NEAR(r.Plunge, plunge, kTol) << trend << "/" << plunge;
        }
    }
}

TEST(CosinesToLine, AxisAndUpwardDirectionsUseTheQuadrant) {
    const double cases[][5] = {
        // x, y, z, trend, plunge
        {0, 1, 0, 90, 0},  {0, 0, 1, 0, 90},    {-1, 0, 0, 180, 0},  {0, -1, 0, 270, 0},
        {0, 0, -1, 0, 90}, {-2, 0, 2, 180, 45}, {0, -1, -1, 90, 45}, {-1, 0, -1, 0, 45},
    };
    for (const auto& [x, y, z, trend, plunge] : cases) {
        OrientationResult r;
        CosinesToLine(r, x, y, z);
        EXPECT_NEAR(r.Trend, trend, kTol) << x << "," << y << "," << z;
        EXPECT_NEAR(r.Plunge, plunge, kTol) << x << "," << y << "," << z;
    }
}

TEST(CosinesToLine, ZeroAndNonFiniteVectorsEnd) {
    OrientationResult r;
    r.Trend = r.Plunge = 5;
    CosinesToLine(r, 0, 0, 0);
    expectVector(r, {0, 0, 0}, "zero");
    EXPECT_EQ(r.Trend, 0);
    EXPECT_EQ(r.Plunge, 0);
    CosinesToLine(r, std::nan(""), 1, -1);  // must return, whatever it holds
    EXPECT_TRUE(std::isnan(r.Plunge));
}

TEST(AngleBetweenLines, AcuteAngleAndDotProductsJustPastOne) {
    EXPECT_NEAR(AngleBetweenLines({1, 0, 0}, {-0.5, std::sqrt(0.75), 0}), 60, kTol);
    // Unit vectors whose dot product rounds just past 1.
    double s = std::sqrt(0.5);
    Vector3 d{s, s, 0};
    ASSERT_GT(d.x * d.x + d.y * d.y + d.z * d.z, 1.0);
    EXPECT_EQ(AngleBetweenLines(d, d), 0);
    EXPECT_EQ(AngleBetweenLines(d, {-s, -s, 0}), 0);
}

TEST(Trigonometry, ClampedArcsAtanDeg2AndDeterminant) {
    EXPECT_EQ(ArcCosDeg(1.0000000000000002), 0);
    EXPECT_EQ(ArcCosDeg(-1.5), 180);
    EXPECT_EQ(ArcSinDeg(-1.0000000000000002), -90);
    const double atanCases[][3] = {{1, 0, 90}, {-1, 0.000001, -90}, {0, 0, 90}, {-1, -1, 225}, {0, -2, 180}};
    for (const auto& c : atanCases) EXPECT_NEAR(AtanDeg2(c[0], c[1]), c[2], kTol) << c[0] << "," << c[1];
    EXPECT_EQ(Determinant3(1, 2, 3, 4, 5, 6, 7, 8, 10), -3);
}

TEST(ThetaAngle, BetweenScanlineAndPole) {
    // Pole of (120, 40) is trend 300, plunge 50.
    EXPECT_NEAR(ThetaAngle(120, 40, 300, 50), 0, 1e-6);
    EXPECT_NEAR(ThetaAngle(120, 40, 120, -50), 0, 1e-6);  // same line, other way
    EXPECT_NEAR(ThetaAngle(120, 40, 120, 40), 90, 1e-6);  // a scanline lying in the plane
    // Horizontal scanline across a vertical set, 30 degrees off its normal.
    EXPECT_NEAR(ThetaAngle(90, 90, 60, 0), 30, 1e-6);
}

TEST(MergeSort, MatchesStableSortOnASubrangeAndIgnoresDegenerateRanges) {
    std::mt19937 random(7);
    std::vector<double> values(5000);
    // Many ties, zeros of both signs among them: -0.0 and 0.0 compare equal, so their sign shows
    // whether ties keep order.
    for (double& v : values) v = (static_cast<int>(random() % 41) - 20) / (random() % 2 ? 4.0 : -4.0);
    std::vector<double> ours = values;
    MergeSort(ours, 100, 4899);
    std::vector<double> reference = values;
    std::stable_sort(reference.begin() + 100, reference.begin() + 4900);
    for (std::size_t i = 0; i < values.size(); ++i)
        ASSERT_TRUE(ours[i] == reference[i] && std::signbit(ours[i]) == std::signbit(reference[i])) << i;

    std::vector<double> two{3, 1};
    MergeSort(two, 1, 0);
    MergeSort(two, -5, 0);
    EXPECT_EQ(two, (std::vector<double>{3, 1}));
    MergeSort(two, -5, 99);  // bounds beyond the array are clamped, not written past
    EXPECT_EQ(two, (std::vector<double>{1, 3}));
}

}  // namespace
}  // namespace ravelin
