#include <gtest/gtest.h>

#include <cmath>

#include "models/ProbabilisticWedge.h"
#include "models/SlipSurface.h"

namespace ravelin {
namespace {

// The pole of a plane (X north, Y east, Z down), pointing down.
Vector3 pole(double dipDirection, double dip) {
    OrientationResult r;
    PlaneToPole(r, dipDirection, dip);
    LineToCosines(r, r.Trend, r.Plunge);
    return cosines(r);
}

// The worked example (d0 = 1.44, 51.41 %) is in tests/cli/models.tsv.
TEST(SlipSurface, MissingOrImpossibleInputsGiveNothing) {
    const SlipSurfaceInput cases[] = {
        {0, 0, 0, 0, 0},      // the window's defaults
        {60, 60, 10, 50, 2},  // slip surface as steep as the slope
        {60, 30, 10, 0, 2},   // S = 0 gives d0 = 0
        {60, 30, 0, 50, 2},   // a = 0
        {60, 30, 10, 50, 0},  // lambda = 0
        {60, 0, 10, 50, 2},   // beta = 0
    };
    for (const SlipSurfaceInput& in : cases) {
        const SlipSurfaceResult r = ComputeSlipSurface(in);
        EXPECT_FALSE(r.crestDistance || r.probability) << in.slopeDip << " " << in.slipDip;
    }
}

TEST(SlipSurface, ANegativeSlipDipIsLeftForTheRangeCheck) { EXPECT_EQ(LimitSlipDip(-5, 60), -5); }

TEST(ProbabilisticWedge, SymmetricWedgeEmergesWhereTheNextSetsMeetTheSlope) {
    const ProbabilisticWedgeInput in{1, 1, 135, 60, 225, 60, 180, 70};
    const ProbabilisticWedgeResult r = ComputeWedgeProb(in);
    ASSERT_TRUE(r.emergenceHeight);
    EXPECT_NEAR(r.intersectionTrend, 180, 1e-9);

    // The emergence point E lies on the slope surface through the origin, one
    // spacing from each set's plane through the origin, at the depth h.
    const Vector3 p1 = pole(135, 60), p2 = pole(225, 60), n = pole(180, 70);
    const double h = *r.emergenceHeight;
    // By symmetry E lies below the line of intersection's trend: E = (x, 0, h).
    const double x = -n.z * h / n.x;
    const Vector3 E{x, 0, h};
    EXPECT_NEAR(dot(n, E), 0, 1e-12);
    EXPECT_NEAR(std::fabs(dot(p1, E)), 1, 1e-9);
    EXPECT_NEAR(std::fabs(dot(p2, E)), 1, 1e-9);
}

TEST(ProbabilisticWedge, NoHeightWithoutAWedgeOutOfTheSlope) {
    const ProbabilisticWedgeInput cases[] = {
        {0, 0, 0, 0, 0, 0, 0, 0},           // the window's defaults
        {0, 1, 135, 60, 225, 60, 180, 70},  // d1 missing
        {1, 1, 135, 60, 135, 60, 180, 70},  // the same set twice
        {1, 1, 135, 60, 225, 60, 135, 60},  // set 1 parallel to the slope
        {1, 1, 0, 60, 360, 60, 180, 70},    // the same set written as 0 and 360
        {1, 1, 90, 60, 270, 60, 180, 70},   // a horizontal line of intersection
        {1, 1, 135, 60, 225, 60, 0, 70},    // the line points into the slope
        {1, 1, 135, 60, 225, 60, 180, 20},  // a negative height
    };
    for (const ProbabilisticWedgeInput& in : cases)
        EXPECT_FALSE(ComputeWedgeProb(in).emergenceHeight) << in.slopeDipDirection << "/" << in.slopeDip;
}

TEST(ProbabilisticWedge, LineInTheSlopeSurfaceGivesNothing) {
    // Sets 135/60 and 225/60 meet in a line plunging atan(tan 60 cos 45) towards 180; a slope dipping as much contains
    // it.
    const double plunge = std::atan(std::tan(60 / DEG) * std::cos(45 / DEG)) * DEG;
    EXPECT_FALSE(ComputeWedgeProb({1, 1, 135, 60, 225, 60, 180, plunge}).emergenceHeight);
    EXPECT_TRUE(ComputeWedgeProb({1, 1, 135, 60, 225, 60, 180, plunge + 5}).emergenceHeight);
}

}  // namespace
}  // namespace ravelin
