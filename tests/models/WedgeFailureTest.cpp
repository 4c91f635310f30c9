#include <gtest/gtest.h>

#include <cmath>

#include "models/WedgeFailure.h"

namespace ravelin {
namespace {

WedgeFailureInput defaults() {
    return {.slopeHeight = 100,
            .rockUnitWeight = 160,
            .dipDirection1 = 105,
            .dip1 = 45,
            .cohesion1 = 500,
            .friction1 = 20,
            .dipDirection2 = 235,
            .dip2 = 70,
            .cohesion2 = 1000,
            .friction2 = 30,
            .dipDirection3 = 195,
            .dip3 = 12,
            .dipDirection4 = 185,
            .dip4 = 65,
            .dipDirection5 = 165,
            .dip5 = 70,
            .waterUnitWeight = 62.4,
            .crackDistance = 40};
}

WedgeFailureInput withPlanes(double a1, double d1, double a2, double d2) {
    WedgeFailureInput in = defaults();
    in.dipDirection1 = a1, in.dip1 = d1, in.dipDirection2 = a2, in.dip2 = d2;
    return in;
}

WedgeFailureInput swapped(WedgeFailureInput in) {
    std::swap(in.dipDirection1, in.dipDirection2);
    std::swap(in.dip1, in.dip2);
    std::swap(in.cohesion1, in.cohesion2);
    std::swap(in.friction1, in.friction2);
    return in;
}

double tanDeg(double degrees) { return std::tan(degrees / DEG); }

void expectNoResult(const WedgeFailureResult& r) {
    EXPECT_FALSE(r.safetyFactor || r.weight || r.slidingDirection || r.slidingPlunge);
}

// The worked example (1.219, its weight, direction and plunge; with a crack 1.1387, dry 1.84637)
// is in tests/cli/models.tsv.
TEST(WedgeFailure, CrackHeightAndDrySlopeWithACrack) {
    const WedgeFailureResult noCrack = ComputeWedge(defaults());
    EXPECT_EQ(noCrack.crackHeight, 0);
    EXPECT_EQ(noCrack.crackWaterForce, 0);
    WedgeFailureInput in = defaults();
    in.tensionCrack = true;
    EXPECT_NEAR(ComputeWedge(in).crackHeight, 87.5, 0.05);  // to the 0.05 m the worked example gives
    // Dry with a crack: no water anywhere, so the unit weight of water cannot matter.
    in.drySlope = true;
    const WedgeFailureResult dryCrack = ComputeWedge(in);
    EXPECT_EQ(dryCrack.crackWaterForce, 0);
    in.waterUnitWeight = 1000;
    EXPECT_EQ(*ComputeWedge(in).safetyFactor, *dryCrack.safetyFactor);
}

TEST(WedgeFailure, CrackBeyondTheWedgeIsToldWithOrWithoutTheCrack) {
    for (bool crack : {false, true}) {
        WedgeFailureInput in = defaults();
        in.tensionCrack = crack;
        in.crackDistance = 148;
        const WedgeFailureResult r = ComputeWedge(in);
        EXPECT_EQ(r.failureMode, "The tension crack is behind the wedge !");
        expectNoResult(r);
        in.crackDistance = 147;
        EXPECT_TRUE(ComputeWedge(in).safetyFactor) << crack;
    }
}

TEST(WedgeFailure, NumberingOfTheTwoPlanesDoesNotChangeTheWedge) {
    // Cohesionless, the safety factor does not depend on the wedge's size,
    // so naming either plane "plane 1" must give the same answer.
    for (bool dry : {false, true}) {
        WedgeFailureInput in = defaults();
        in.cohesion1 = in.cohesion2 = 0;
        in.drySlope = dry;
        const WedgeFailureResult first = ComputeWedge(in);
        const WedgeFailureResult second = ComputeWedge(swapped(in));
        ASSERT_TRUE(first.safetyFactor && second.safetyFactor) << second.failureMode;
        EXPECT_NEAR(*second.safetyFactor, *first.safetyFactor, 1e-12);
        EXPECT_NEAR(*second.slidingDirection, *first.slidingDirection, 1e-9);
        EXPECT_NEAR(*second.slidingPlunge, *first.slidingPlunge, 1e-9);
    }
    // With the crack at the crest the swapped wedge is analysed, not sent behind itself.
    WedgeFailureInput atCrest = swapped(defaults());
    atCrest.crackDistance = 0;
    EXPECT_EQ(ComputeWedge(atCrest).failureMode, "Sliding on line of intersection");
}

TEST(WedgeFailure, TurningTheWholeSlopeTurnsOnlyTheSlidingDirection) {
    // Every dip direction turned by 175 degrees puts the slope face at 360, which counts as typed.
    WedgeFailureInput turned = defaults();
    for (double* dipDirection : {&turned.dipDirection1, &turned.dipDirection2, &turned.dipDirection3,
                                 &turned.dipDirection4, &turned.dipDirection5})
        *dipDirection = std::fmod(*dipDirection + 175, 360) == 0 ? 360 : std::fmod(*dipDirection + 175, 360);
    ASSERT_EQ(turned.dipDirection4, 360);
    const WedgeFailureResult base = ComputeWedge(defaults());
    const WedgeFailureResult r = ComputeWedge(turned);
    ASSERT_TRUE(r.safetyFactor);
    EXPECT_NEAR(*r.safetyFactor, *base.safetyFactor, 1e-9);
    EXPECT_NEAR(*r.weight, *base.weight, 1e-6 * *base.weight);
    EXPECT_NEAR(std::fmod(*r.slidingDirection + 360, 360), std::fmod(*base.slidingDirection + 175, 360), 1e-9);
}

TEST(WedgeFailure, LineOfIntersectionAgreesWithAForceBalance) {
    // Dry and cohesionless: the weight's part across the line of intersection
    // is carried by the two normal reactions, its part along the line drives.
    WedgeFailureInput in = defaults();
    in.drySlope = true;
    in.cohesion1 = in.cohesion2 = 0;
    const WedgeFailureResult r = ComputeWedge(in);
    ASSERT_TRUE(r.safetyFactor);

    const Vector3 a = PlaneNormal(105, 45), b = PlaneNormal(235, 70);
    Vector3 line = cross(b, a);
    const double length = std::sqrt(dot(line, line));
    line = {line.x / length, line.y / length, line.z / length};
    // Support needed across the line: up minus its part along the line (weight 1).
    const Vector3 across{-line.z * line.x, -line.z * line.y, 1 - line.z * line.z};
    // Solve Na a + Nb b = across with the two in-plane equations.
    const double ab = dot(a, b), aDot = dot(a, across), bDot = dot(b, across);
    const double Na = (aDot - ab * bDot) / (1 - ab * ab);
    const double Nb = (bDot - ab * aDot) / (1 - ab * ab);
    const double expected = (Na * tanDeg(20) + Nb * tanDeg(30)) / std::fabs(line.z);
    EXPECT_NEAR(*r.safetyFactor, expected, 1e-9);
    EXPECT_NEAR(std::asin(std::fabs(line.z)) * DEG, *r.slidingPlunge, 1e-9);
}

TEST(WedgeFailure, SlidingOnOnePlane) {
    struct Case {
        WedgeFailureInput in;
        bool dryCohesionless;
        int plane;
        double safety;
    };
    // Dry and cohesionless on one plane, the safety factor is tan(phi) / tan(psi); with water
    // and cohesion, as the window computes them.
    const Case cases[] = {
        {withPlanes(120, 15, 30, 60), true, 1, tanDeg(20) / tanDeg(15)},
        {withPlanes(15, 75, 180, 45), true, 2, tanDeg(30) / tanDeg(45)},
        {withPlanes(90, 30, 200, 50), false, 1, 0.653835},
        {withPlanes(110, 80, 200, 30), false, 2, 1.075790},
    };
    for (Case c : cases) {
        if (c.dryCohesionless) {
            c.in.tensionCrack = c.in.drySlope = true;
            c.in.cohesion1 = c.in.cohesion2 = 0;
        }
        const WedgeFailureResult r = ComputeWedge(c.in);
        EXPECT_EQ(r.failureMode, c.plane == 1 ? "Sliding on plane 1 (contact is lost on plane 2)"
                                              : "Sliding on plane 2 (contact is lost on plane 1)");
        ASSERT_TRUE(r.safetyFactor) << r.failureMode;
        EXPECT_NEAR(*r.safetyFactor, c.safety, 1e-6) << c.in.dipDirection1;
        EXPECT_FALSE(r.slidingDirection || r.slidingPlunge);
    }
}

TEST(WedgeFailure, ContactLostOnBothPlanesHasSafetyZero) {
    const WedgeFailureResult r = ComputeWedge(withPlanes(90, 30, 230, 30));
    EXPECT_EQ(r.failureMode, "Contact lost on both planes");
    EXPECT_TRUE(r.reaction1 < 0 && r.reaction2 < 0);
    EXPECT_EQ(r.safetyFactor, 0.0);
    EXPECT_FALSE(r.slidingDirection || r.slidingPlunge);
}

TEST(WedgeFailure, InvalidTensionCracksEndTheAnalysis) {
    WedgeFailureInput in = withPlanes(90, 30, 270, 30);
    in.tensionCrack = true;
    for (const auto& [dip1, message] : {std::pair{30, "Invalid tension crack ! Reduce its dip."},
                                        std::pair{55, "Invalid tension crack ! Change its dip direction."}}) {
        in.dip1 = dip1;
        const WedgeFailureResult r = ComputeWedge(in);
        EXPECT_EQ(r.failureMode, message);
        expectNoResult(r);
    }
    // The same planes without a crack: the crack tests pass.
    in.tensionCrack = false;
    EXPECT_EQ(ComputeWedge(in).failureMode.find("Invalid"), std::string::npos);
}

TEST(WedgeFailure, IncompleteOrIdenticalPlanesComputeNothing) {
    // Input and whether it counts as complete: the same plane under two names (north as 0 and 360,
    // one vertical plane from both sides) does.
    std::vector<std::pair<WedgeFailureInput, bool>> cases = {{withPlanes(105, 45, 105, 45), false},
                                                             {defaults(), false},
                                                             {withPlanes(0, 45, 360, 45), true},
                                                             {withPlanes(100, 90, 280, 90), true}};
    cases[1].first.dipDirection3 = 185, cases[1].first.dip3 = 65;  // upper surface = face
    // A face dipping towards 0 counts as missing.
    for (double WedgeFailureInput::*field :
         {&WedgeFailureInput::dipDirection4, &WedgeFailureInput::slopeHeight, &WedgeFailureInput::rockUnitWeight,
          &WedgeFailureInput::dip1, &WedgeFailureInput::dip2, &WedgeFailureInput::dip4}) {
        cases.push_back({defaults(), false});
        cases.back().first.*field = 0;
    }
    for (const auto& [in, complete] : cases) {
        EXPECT_EQ(WedgeInputComplete(in), complete) << in.dipDirection1 << "/" << in.dip1;
        const WedgeFailureResult r = ComputeWedge(in);
        expectNoResult(r);
        EXPECT_TRUE(r.failureMode.empty());
    }
}

TEST(WedgeFailure, HorizontalLineOfIntersectionHasNoSafetyFactor) {
    // Two planes dipping the same way meet in a horizontal line: no driving shear.
    const WedgeFailureResult r = ComputeWedge(withPlanes(0, 45, 0, 60));
    EXPECT_EQ(r.failureMode, "Sliding on line of intersection");
    EXPECT_FALSE(r.safetyFactor);
    ASSERT_TRUE(r.slidingPlunge);
    EXPECT_EQ(*r.slidingPlunge, 0);
}

TEST(WedgeFailure, WeightPatternGroupsByThousands) {
    const std::pair<double, const char*> cases[] = {
        {0.4, "0"}, {999.6, "1'000"}, {999999.7, "1'000'000"}, {0, "-"}, {-12, "-"}, {INFINITY, "-"},
    };
    for (const auto& [weight, expected] : cases) EXPECT_EQ(WeightText(weight), expected) << weight;
}

}  // namespace
}  // namespace ravelin
