// The slope stability models against independent computations: the plane
// failure block against the polygon of its section, the wedge against a
// force balance and its own symmetries, the probabilistic wedge's emergence
// point against its definition; and the inputs and modes that end an
// analysis. The worked examples are in tests/cli/models.tsv.

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "core/Orientation.h"
#include "models/PlaneFailure.h"
#include "models/ProbabilisticWedge.h"
#include "models/SlipSurface.h"
#include "models/WedgeFailure.h"

namespace ravelin {
namespace {

PlaneFailureInput planeDefaults() {
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
        PlaneFailureInput in = planeDefaults();
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

    PlaneFailureInput face = planeDefaults();
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
    PlaneFailureInput in = planeDefaults();
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
    const double base = *ComputePlaneFailure(planeDefaults()).safetyFactor;
    PlaneFailureInput seismic = planeDefaults();
    seismic.seismicCoefficient = 0.1;
    EXPECT_LT(*ComputePlaneFailure(seismic).safetyFactor, base);

    // A bolt normal to the failure plane adds only friction: T tan(phi) over the driving force.
    PlaneFailureInput bolted = planeDefaults();
    bolted.boltDip = 60;
    bolted.boltTension = 50000;
    const PlaneFailureResult r = ComputePlaneFailure(planeDefaults());
    const double driving = r.weight * std::sin(30 / DEG) + r.crackWaterForce * std::cos(30 / DEG);
    EXPECT_NEAR(*ComputePlaneFailure(bolted).safetyFactor - base, 50000 * tanDeg(30) / driving, 1e-9);
}

TEST(PlaneFailure, InputsThatCutNoBlockComputeNothing) {
    // Equal dips are told as equal even when both are vertical; with a flat upper face the
    // crack reaches the plane up to b = H (cot 30 - cot 60) = 115.470.
    PlaneFailureInput vertical = planeDefaults(), behind = planeDefaults();
    vertical.faceDip = vertical.failurePlaneDip = 90;
    behind.crackDistance = 116;
    std::vector<std::pair<PlaneFailureInput, std::string>> cases = {
        {vertical, "Warning : slope face dip = failure surface dip"},
        {behind, "Invalid tension crack. B should be <115.47"}};
    // A zero among the main inputs makes them incomplete, and nothing is told.
    for (auto field :
         {&PlaneFailureInput::slopeHeight, &PlaneFailureInput::rockUnitWeight, &PlaneFailureInput::waterUnitWeight,
          &PlaneFailureInput::faceDip, &PlaneFailureInput::failurePlaneDip, &PlaneFailureInput::cohesion,
          &PlaneFailureInput::frictionAngle}) {
        cases.push_back({planeDefaults(), ""});
        cases.back().first.*field = 0;
        EXPECT_FALSE(PlaneInputComplete(cases.back().first));
    }
    for (const auto& [in, message] : cases) {
        const PlaneFailureResult r = ComputePlaneFailure(in);
        EXPECT_EQ(r.message, message);
        EXPECT_FALSE(r.safetyFactor || r.crackDepth) << message;
    }
    behind.crackDistance = 115.46;  // 10 mm short of the limit: a 6 mm crack
    EXPECT_NEAR(*ComputePlaneFailure(behind).crackDepth, 0.0058, 1e-4);

    // A crack in the slope face at the toe: b typed as H cot psi_f must neither be refused
    // through rounding nor be sent to the upper-surface test; the block it cuts has no size.
    for (double H : {1.0, 3.0, 7.0, 100.0, 250.0}) {
        for (double faceDip : {31.0, 36.0, 40.0, 45.0, 60.0, 89.0}) {
            PlaneFailureInput in = planeDefaults();
            in.crackInUpperSurface = false;
            in.slopeHeight = H;
            in.faceDip = faceDip;
            in.boltTension = 1000;
            in.crackDistance = H / tanDeg(faceDip);
            const PlaneFailureResult atToe = ComputePlaneFailure(in);
            EXPECT_EQ(atToe.message, "") << H << " " << faceDip;
            EXPECT_EQ(atToe.crackDepth, 0.0) << H << " " << faceDip;
            EXPECT_FALSE(atToe.safetyFactor);
        }
    }
}

WedgeFailureInput wedgeDefaults() {
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
    WedgeFailureInput in = wedgeDefaults();
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

TEST(WedgeFailure, CrackHeightAndDrySlopeWithACrack) {
    const WedgeFailureResult noCrack = ComputeWedge(wedgeDefaults());
    EXPECT_EQ(noCrack.crackHeight, 0);
    EXPECT_EQ(noCrack.crackWaterForce, 0);
    WedgeFailureInput in = wedgeDefaults();
    in.tensionCrack = true;
    EXPECT_NEAR(ComputeWedge(in).crackHeight, 87.5, 0.05);  // to the 0.05 m the worked example gives
    // Dry with a crack: no water anywhere, so the unit weight of water cannot matter.
    in.drySlope = true;
    const WedgeFailureResult dryCrack = ComputeWedge(in);
    EXPECT_EQ(dryCrack.crackWaterForce, 0);
    in.waterUnitWeight = 1000;
    EXPECT_EQ(*ComputeWedge(in).safetyFactor, *dryCrack.safetyFactor);
}

TEST(WedgeFailure, NumberingOfTheTwoPlanesDoesNotChangeTheWedge) {
    // Cohesionless, the safety factor does not depend on the wedge's size,
    // so naming either plane "plane 1" must give the same answer (water included).
    WedgeFailureInput in = wedgeDefaults();
    in.cohesion1 = in.cohesion2 = 0;
    const WedgeFailureResult first = ComputeWedge(in);
    const WedgeFailureResult second = ComputeWedge(swapped(in));
    ASSERT_TRUE(first.safetyFactor && second.safetyFactor) << second.failureMode;
    EXPECT_NEAR(*second.safetyFactor, *first.safetyFactor, 1e-12);
    EXPECT_NEAR(*second.slidingDirection, *first.slidingDirection, 1e-9);
    EXPECT_NEAR(*second.slidingPlunge, *first.slidingPlunge, 1e-9);
    // With the crack at the crest the swapped wedge is analysed, not sent behind itself.
    WedgeFailureInput atCrest = swapped(wedgeDefaults());
    atCrest.crackDistance = 0;
    EXPECT_EQ(ComputeWedge(atCrest).failureMode, "Sliding on line of intersection");
}

TEST(WedgeFailure, LineOfIntersectionAgreesWithAForceBalance) {
    // Dry and cohesionless: the weight's part across the line of intersection
    // is carried by the two normal reactions, its part along the line drives.
    WedgeFailureInput in = wedgeDefaults();
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
    // Dry and cohesionless on one plane, the safety factor is tan(phi) / tan(psi).
    const std::tuple<WedgeFailureInput, const char*, double> cases[] = {
        {withPlanes(120, 15, 30, 60), "Sliding on plane 1 (contact is lost on plane 2)", tanDeg(20) / tanDeg(15)},
        {withPlanes(15, 75, 180, 45), "Sliding on plane 2 (contact is lost on plane 1)", tanDeg(30) / tanDeg(45)},
    };
    for (auto [in, mode, safety] : cases) {
        in.tensionCrack = in.drySlope = true;
        in.cohesion1 = in.cohesion2 = 0;
        const WedgeFailureResult r = ComputeWedge(in);
        EXPECT_EQ(r.failureMode, mode);
        ASSERT_TRUE(r.safetyFactor) << r.failureMode;
        EXPECT_NEAR(*r.safetyFactor, safety, 1e-9) << in.dipDirection1;
        EXPECT_FALSE(r.slidingDirection || r.slidingPlunge);
    }
}

TEST(WedgeFailure, ModesThatEndTheAnalysisAndInputsThatComputeNothing) {
    struct Case {
        const char* why;
        WedgeFailureInput in;
        const char* mode;
        bool complete = true;  // the inputs are all given
        std::optional<double> safety = std::nullopt;
    };
    std::vector<Case> cases = {
        {"contact lost on both planes", withPlanes(90, 30, 230, 30), "Contact lost on both planes", true, 0.0},
        {"the same plane twice", withPlanes(105, 45, 105, 45), "", false},
        {"north as 0 and as 360", withPlanes(0, 45, 360, 45), ""},
        {"one vertical plane from both sides", withPlanes(100, 90, 280, 90), ""},
        {"the upper surface as the face", wedgeDefaults(), "", false},
    };
    cases.back().in.dipDirection3 = 185, cases.back().in.dip3 = 65;
    for (bool crack : {false, true}) {
        cases.push_back({"the crack beyond the wedge", wedgeDefaults(), "The tension crack is behind the wedge !"});
        cases.back().in.tensionCrack = crack;
        cases.back().in.crackDistance = 148;
    }
    for (const auto& [dip1, mode] : {std::pair{30, "Invalid tension crack ! Reduce its dip."},
                                     std::pair{55, "Invalid tension crack ! Change its dip direction."}}) {
        cases.push_back({"an invalid crack", withPlanes(90, dip1, 270, 30), mode});
        cases.back().in.tensionCrack = true;
    }
    // A face dipping towards 0 counts as missing; towards 360, it is the same face as typed.
    for (double WedgeFailureInput::*field :
         {&WedgeFailureInput::dipDirection4, &WedgeFailureInput::slopeHeight, &WedgeFailureInput::rockUnitWeight,
          &WedgeFailureInput::dip1, &WedgeFailureInput::dip2, &WedgeFailureInput::dip4}) {
        cases.push_back({"a zero among the main inputs", wedgeDefaults(), "", false});
        cases.back().in.*field = 0;
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(WedgeInputComplete(c.in), c.complete);
        const WedgeFailureResult r = ComputeWedge(c.in);
        EXPECT_EQ(r.failureMode, c.mode);
        EXPECT_FALSE(r.slidingDirection || r.slidingPlunge);
        EXPECT_EQ(r.safetyFactor, c.safety);
        EXPECT_EQ(r.weight.has_value(), c.safety.has_value());  // a wedge is weighed only where it is analysed
    }
    WedgeFailureInput in = wedgeDefaults();
    in.dipDirection4 = 360;
    EXPECT_TRUE(WedgeInputComplete(in));
    // Just in front of the wedge the crack is taken; without a crack, the same planes pass its tests.
    in = wedgeDefaults();
    in.crackDistance = 147;
    EXPECT_TRUE(ComputeWedge(in).safetyFactor);
    EXPECT_EQ(ComputeWedge(withPlanes(90, 30, 270, 30)).failureMode.find("Invalid"), std::string::npos);
    // Two planes dipping the same way meet in a horizontal line: no driving shear.
    const WedgeFailureResult flat = ComputeWedge(withPlanes(0, 45, 0, 60));
    EXPECT_EQ(flat.failureMode, "Sliding on line of intersection");
    EXPECT_FALSE(flat.safetyFactor);
    EXPECT_EQ(flat.slidingPlunge, 0.0);
}

TEST(WedgeFailure, WeightPatternGroupsByThousands) {
    const std::pair<double, const char*> cases[] = {
        {0.4, "0"}, {999.6, "1'000"}, {999999.7, "1'000'000"}, {0, "-"}, {-12, "-"}, {INFINITY, "-"},
    };
    for (const auto& [weight, expected] : cases) EXPECT_EQ(WeightText(weight), expected) << weight;
}

// The pole of a plane (X north, Y east, Z down), pointing down.
Vector3 pole(double dipDirection, double dip) {
    OrientationResult r;
    PlaneToPole(r, dipDirection, dip);
    LineToCosines(r, r.Trend, r.Plunge);
    return cosines(r);
}

TEST(SlipSurface, MissingOrImpossibleInputsGiveNothing) {
    const SlipSurfaceInput cases[] = {
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
    EXPECT_EQ(LimitSlipDip(-5, 60), -5);  // a negative slip dip is left for the range check
}

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
    // Sets 135/60 and 225/60 meet in a line plunging atan(tan 60 cos 45) towards 180: a slope dipping as much holds it.
    const double plunge = std::atan(std::tan(60 / DEG) * std::cos(45 / DEG)) * DEG;
    EXPECT_FALSE(ComputeWedgeProb({1, 1, 135, 60, 225, 60, 180, plunge}).emergenceHeight);
    EXPECT_TRUE(ComputeWedgeProb({1, 1, 135, 60, 225, 60, 180, plunge + 5}).emergenceHeight);
}

}  // namespace
}  // namespace ravelin
