#include <gtest/gtest.h>

#include <cmath>

#include "core/Orientation.h"
#include "models/PlaneFailure.h"

namespace ravelin {
namespace {

// The worked example's results (1.106, 49.924, dry 1.346) are in tests/cli/models.tsv.

PlaneFailureInput defaults() {
    return {.slopeHeight = 100,
            .crackDistance = 29,
            .crackFilling = 0.5,
            .rockUnitWeight = 160,
            .waterUnitWeight = 62.5,
            .faceDip = 60,
            .failurePlaneDip = 30,
            .cohesion = 1000,
            .frictionAngle = 30};
}

double tanDeg(double degrees) { return std::tan(degrees / DEG); }

// Area of a polygon (shoelace), vertices in order.
double polygonArea(const std::vector<std::pair<double, double>>& points) {
    double twice = 0;
    for (size_t k = 0; k < points.size(); ++k) {
        const auto& [x1, y1] = points[k];
        const auto& [x2, y2] = points[(k + 1) % points.size()];
        twice += x1 * y2 - x2 * y1;
    }
    return std::fabs(twice) / 2;
}

TEST(PlaneFailure, BlockGeometryMatchesThePolygonOfTheSection) {
    // Toe at the origin, x into the slope, y up.
    for (double upperDip : {0.0, 10.0, 25.0}) {
        PlaneFailureInput in = defaults();
        in.upperFaceDip = upperDip;
        const double H = in.slopeHeight, b = in.crackDistance;
        const double crestX = H / tanDeg(in.faceDip);
        const double crackX = crestX + b;
        const double top = H + b * tanDeg(upperDip);
        const double bottom = crackX * tanDeg(in.failurePlaneDip);
        const PlaneFailureResult r = ComputePlaneFailure(in);
        ASSERT_TRUE(r.crackDepth) << upperDip;
        EXPECT_NEAR(*r.crackDepth, top - bottom, 1e-9 * H);
        EXPECT_NEAR(r.weight, in.rockUnitWeight * polygonArea({{0, 0}, {crestX, H}, {crackX, top}, {crackX, bottom}}),
                    1e-9 * r.weight);
        EXPECT_NEAR(r.slidingLength, crackX / std::cos(in.failurePlaneDip / DEG), 1e-9 * H);
    }

    PlaneFailureInput face = defaults();
    face.crackInUpperSurface = false;
    face.crackDistance = 20;
    const double crackX = face.slopeHeight / tanDeg(face.faceDip) - face.crackDistance;
    const PlaneFailureResult r = ComputePlaneFailure(face);
    ASSERT_TRUE(r.crackDepth && r.safetyFactor);
    EXPECT_NEAR(*r.crackDepth, crackX * (tanDeg(60) - tanDeg(30)), 1e-9);
    EXPECT_NEAR(
        r.weight,
        face.rockUnitWeight * polygonArea({{0, 0}, {crackX, crackX * tanDeg(60)}, {crackX, crackX * tanDeg(30)}}),
        1e-6);
    EXPECT_NEAR(r.slidingLength, crackX / std::cos(30 / DEG), 1e-9);
}

TEST(PlaneFailure, WaterForcesFollowTheFillingOfTheCrack) {
    PlaneFailureInput in = defaults();
    in.crackFilling = 0;
    EXPECT_EQ(ComputePlaneFailure(in).uplift, 0);
    in.crackFilling = 1;
    const PlaneFailureResult r = ComputePlaneFailure(in);
    const double z = *r.crackDepth;
    // Hydrostatic in a full crack, falling linearly to zero at the toe.
    EXPECT_NEAR(r.uplift, 0.5 * 62.5 * z * r.slidingLength, 1.0);
    EXPECT_NEAR(r.crackWaterForce, 0.5 * 62.5 * z * z, 1.0);
    EXPECT_LT(*r.safetyFactor, 1.106);
}

TEST(PlaneFailure, LoadsActInTheirDirections) {
    const double base = *ComputePlaneFailure(defaults()).safetyFactor;
    PlaneFailureInput seismic = defaults();
    seismic.seismicCoefficient = 0.1;
    EXPECT_LT(*ComputePlaneFailure(seismic).safetyFactor, base);

    // A bolt normal to the failure plane adds only friction: T tan(phi) over the driving force.
    PlaneFailureInput bolted = defaults();
    bolted.boltDip = 60;
    bolted.boltTension = 50000;
    const PlaneFailureResult r = ComputePlaneFailure(defaults());
    const double driving = r.weight * std::sin(30 / DEG) + r.crackWaterForce * std::cos(30 / DEG);
    EXPECT_NEAR(*ComputePlaneFailure(bolted).safetyFactor - base, 50000 * tanDeg(30) / driving, 1e-9);
}

TEST(PlaneFailure, EqualDipsAreToldAsEqualEvenWhenBothAreVertical) {
    PlaneFailureInput in = defaults();
    in.faceDip = in.failurePlaneDip = 90;
    const PlaneFailureResult r = ComputePlaneFailure(in);
    EXPECT_EQ(r.message, "Warning : slope face dip = failure surface dip");
    EXPECT_FALSE(r.safetyFactor || r.crackDepth);
}

TEST(PlaneFailure, CrackInTheSlopeFaceAtTheToeCutsNoBlock) {
    // b typed as H cot psi_f must neither be refused through rounding nor
    // be sent to the upper-surface test; the block it cuts has no size.
    for (double H : {1.0, 3.0, 7.0, 100.0, 250.0}) {
        for (double faceDip : {31.0, 36.0, 40.0, 45.0, 60.0, 89.0}) {
            PlaneFailureInput in = defaults();
            in.crackInUpperSurface = false;
            in.slopeHeight = H;
            in.faceDip = faceDip;
            in.boltTension = 1000;
            in.crackDistance = H / tanDeg(faceDip);
            const PlaneFailureResult atToe = ComputePlaneFailure(in);
            EXPECT_TRUE(atToe.message.empty()) << H << " " << faceDip << ": " << atToe.message;
            ASSERT_TRUE(atToe.crackDepth);
            EXPECT_EQ(*atToe.crackDepth, 0);
            EXPECT_FALSE(atToe.safetyFactor);
        }
    }
}

TEST(PlaneFailure, CrackBehindTheFailurePlaneGivesTheLargestDistance) {
    // With a flat upper face the crack reaches the plane up to b = H (cot 30 - cot 60) = 115.470.
    PlaneFailureInput in = defaults();
    in.crackDistance = 115.46;
    EXPECT_NEAR(*ComputePlaneFailure(in).crackDepth, 0.0058, 1e-4);  // 10 mm short of it: a 6 mm crack
    in.crackDistance = 116;
    const PlaneFailureResult r = ComputePlaneFailure(in);
    EXPECT_EQ(r.message, "Invalid tension crack. B should be <115.47");
    EXPECT_FALSE(r.safetyFactor || r.crackDepth);
}

TEST(PlaneFailure, AZeroAmongTheMainInputsComputesNothing) {
    double PlaneFailureInput::*fields[] = {&PlaneFailureInput::slopeHeight,     &PlaneFailureInput::rockUnitWeight,
                                           &PlaneFailureInput::waterUnitWeight, &PlaneFailureInput::faceDip,
                                           &PlaneFailureInput::failurePlaneDip, &PlaneFailureInput::cohesion,
                                           &PlaneFailureInput::frictionAngle};
    for (auto field : fields) {
        PlaneFailureInput in = defaults();
        in.*field = 0;
        const PlaneFailureResult r = ComputePlaneFailure(in);
        EXPECT_FALSE(PlaneInputComplete(in));
        EXPECT_TRUE(r.message.empty());
        EXPECT_FALSE(r.safetyFactor || r.crackDepth);
    }
}

}  // namespace
}  // namespace ravelin
