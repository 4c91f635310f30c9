#include "projection/KinematicAnalysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>

#include "projection/NetInverse.h"

namespace ravelin {
namespace {

// Face 120/60, friction 30, lateral limit 20. Hand-worked apparent dips:
// face at 20 degrees off its dip direction atan(tan 60 cos 20) = 58.4333;
// at 40: 52.9955, at 80: 16.7396; the friction plane (dip 30) at 40: 23.8587, at 80: 5.7251.
const KinematicInputs kFace{{120, 60}, 30, 20};

struct PlaneCase {
    Plane plane;
    bool critical;
    const char* why;
};

double degrees(double radians) { return radians * 180 / std::numbers::pi; }
double apparent(double dip, double offset) {
    return degrees(std::atan(std::tan(dip * std::numbers::pi / 180) * std::cos(offset * std::numbers::pi / 180)));
}

TEST(KinematicAnalysisTest, PlanarSlidingAtTheZoneBoundaries) {
    const PlaneCase cases[] = {
        {{120, 45}, true, "daylights, steeper than friction"},
        {{120, 60}, false, "as steep as the face: does not daylight"},
        {{120, 59.9999}, true, "just flatter than the face"},
        {{120, 30}, false, "dips exactly at the friction angle"},
        {{120, 30.0001}, true, "just steeper than friction"},
        {{140, 45}, true, "exactly at the lateral limit (inclusive)"},
        {{140.0001, 45}, false, "just past the lateral limit"},
        {{140, 58.43}, true, "just under the apparent dip of 58.4333 at 20 degrees"},
        {{140, 58.44}, false, "just over the apparent dip at 20 degrees"},
        {{300, 45}, false, "dips into the slope"},
        {{480, 45}, true, "dip direction past 360"},
        {{300, 135}, true, "dip past 90: the plane 120/45"},
        {{std::nan(""), 45}, false, "not a number"},
    };
    for (const auto& c : cases) EXPECT_EQ(isPlanarCritical(kFace, c.plane), c.critical) << c.why;
}

TEST(KinematicAnalysisTest, TopplingAtTheZoneBoundaries) {
    // Poles plunging less than 60 - 30 = 30, trending within 20 of 120.
    const PlaneCase cases[] = {
        {{300, 70}, true, "pole 120/20"},
        {{300, 60}, false, "pole plunging exactly the slip limit"},
        {{300, 60.0001}, true, "just past the slip limit"},
        {{320, 70}, true, "pole at the lateral limit (inclusive)"},
        {{320.0001, 70}, false, "just past the lateral limit"},
        {{120, 70}, false, "dips out of the face"},
        {{120, 90}, true, "vertical, written dipping out: its pole has two ends"},
        {{30, 90}, false, "vertical, striking across the face"},
    };
    for (const auto& c : cases) EXPECT_EQ(isTopplingCritical(kFace, c.plane), c.critical) << c.why;
    // A face no steeper than the friction angle lets nothing topple.
    EXPECT_FALSE(isTopplingCritical({{120, 30}, 30, 20}, {300, 89}));
}

TEST(KinematicAnalysisTest, WedgeZonesAtTheirBoundaries) {
    const struct {
        Line line;
        WedgeZone zone;
        const char* why;
    } cases[] = {
        {{120, 45}, WedgeZone::Primary, "between friction and face"},
        {{120, 60}, WedgeZone::None, "as steep as the face"},
        {{120, 30}, WedgeZone::None, "at friction in the dip direction: both zones pinch out"},
        {{160, 35}, WedgeZone::Primary, "40 off the dip direction, under the face's 53.00"},
        {{160, 53.01}, WedgeZone::None, "over the face's 53.00"},
        {{160, 30}, WedgeZone::Secondary, "exactly at friction: secondary (inclusive)"},
        {{160, 23.8}, WedgeZone::None, "under the friction plane's 23.86"},
        {{200, 10}, WedgeZone::Secondary, "80 off: between 5.73 and 16.74"},
        {{200, 17}, WedgeZone::None, "80 off, over the face"},
        {{300, 10}, WedgeZone::None, "into the slope"},
        {{30, 0}, WedgeZone::None, "horizontal along the strike, either end"},
        {{310, 0}, WedgeZone::None, "horizontal: its face-side end is 130/0, flatter than the friction plane"},
    };
    for (const auto& c : cases) EXPECT_EQ(wedgeZone(kFace, c.line), c.zone) << c.why;
}

TEST(KinematicAnalysisTest, IntersectionOfTwoPlanes) {
    // Symmetric about 120, each dipping 45: trend 120, tan plunge = tan 45 cos 30.
    const Line line = *intersectionLine({90, 45}, {150, 45});
    EXPECT_NEAR(line.trend, 120, 1e-9);
    EXPECT_NEAR(line.plunge, degrees(std::atan(std::cos(std::numbers::pi / 6))), 1e-9);
    EXPECT_FALSE(intersectionLine({90, 45}, {90, 45}));
    EXPECT_FALSE(intersectionLine({90, 45}, {270, 135}));  // the same plane written the other way
    EXPECT_FALSE(intersectionLine({90, std::nan("")}, {10, 10}));
}

TEST(KinematicAnalysisTest, CountsAndTheMostCriticalPairAgreeWithThePlaneByPlaneTests) {
    const std::vector<Plane> chosen = {{120, 45}, {300, 70}, {90, 50}, {150, 50}, {100, 70}, {140, 70}};
    EXPECT_EQ(ModeCount{}.percent(), 0);
    std::mt19937 random(5);
    std::uniform_real_distribution<double> direction(0, 360), dip(0, 90);
    std::vector<Plane> drawn;
    for (int i = 0; i < 150; ++i) drawn.push_back({std::nearbyint(direction(random)), std::nearbyint(dip(random))});
    for (const auto& [inputs, planes] :
         {std::pair{kFace, chosen}, std::pair{kFace, drawn}, std::pair{KinematicInputs{{15, 85}, 20, 30}, drawn},
          std::pair{KinematicInputs{{200, 90}, 0, 10}, drawn}}) {
        const KinematicResult k = kinematicAnalysis(inputs, planes);
        std::size_t primary = 0, secondary = 0, pairs = 0;
        double steepest = -1;
        for (std::size_t i = 0; i < planes.size(); ++i) {
            for (std::size_t j = i + 1; j < planes.size(); ++j, ++pairs) {
                const auto line = intersectionLine(planes[i], planes[j]);
                const WedgeZone zone = line ? wedgeZone(inputs, *line) : WedgeZone::None;
                primary += zone == WedgeZone::Primary;
                secondary += zone == WedgeZone::Secondary;
                if (zone == WedgeZone::Primary) steepest = std::max(steepest, line->plunge);
            }
        }
        EXPECT_GT(primary + secondary, 0u);
        auto count = [&](auto critical) { return std::size_t(std::ranges::count_if(planes, critical)); };
        EXPECT_EQ(k.planar.critical, count([&](Plane p) { return isPlanarCritical(inputs, p); }));
        EXPECT_EQ(k.toppling.critical, count([&](Plane p) { return isTopplingCritical(inputs, p); }));
        EXPECT_EQ(k.wedgePrimary.total, pairs);
        EXPECT_EQ(k.wedgePrimary.critical, primary);
        EXPECT_EQ(k.wedgeSecondary.critical, secondary);
        EXPECT_EQ(k.primaryPairs.size(), primary);
        EXPECT_NEAR(k.wedgePrimary.percent(), 100.0 * primary / pairs, 1e-12);
        ASSERT_TRUE(k.mostCriticalPair);
        EXPECT_NEAR(k.mostCriticalPair->intersection.plunge, steepest, 1e-9);
    }
}

// Plane whose pole is drawn at p, and line drawn at p, on the lower hemisphere.
Line lineAt(const NetView& view, NetPoint p) {
    const Vector3 v = test::directionDrawnAt(view, p);
    return {std::fmod(degrees(std::atan2(v.y, v.x)) + 360, 360), degrees(std::asin(std::min(v.z, 1.0)))};
}
Plane planeOfPoleAt(const NetView& view, NetPoint p) {
    const Line pole = lineAt(view, p);
    return {pole.trend + 180, 90 - pole.plunge};
}
double offsetFromFace(double azimuth) { return std::remainder(azimuth - 120, 360.0); }

TEST(KinematicAnalysisTest, ZonesFollowTheirDefinitions) {
    constexpr double kEps = 1e-7;
    for (NetKind kind : {NetKind::Wulff, NetKind::Schmidt}) {
        const NetView view = NetView::forCanvas(6000, 6000, kind, Hemisphere::Lower);
        const KinematicZones z = kinematicZones(view, kFace);
        // The daylight envelope: poles of the planes whose dip line lies in the face.
        const Vector3 faceNormal = test::unitOf(300, 30);
        ASSERT_GT(z.daylightEnvelope.size(), 100u);
        for (const NetPoint& p : z.daylightEnvelope) {
            const Plane plane = planeOfPoleAt(view, p);
            if (plane.dip < 1e-6) continue;  // the net's centre: any dip direction
            EXPECT_NEAR(dot(test::unitOf(plane.dipDirection, plane.dip), faceNormal), 0, 1e-9);
        }
        for (const NetPoint& p : z.planarZone) {
            const Plane plane = planeOfPoleAt(view, p);
            const double offset = offsetFromFace(plane.dipDirection);
            EXPECT_LE(std::fabs(offset), 20 + kEps);
            EXPECT_GE(plane.dip, 30 - kEps);
            EXPECT_LE(plane.dip, apparent(60, offset) + kEps);
        }
        for (const NetPoint& p : z.topplingZone) {
            const Line pole = lineAt(view, p);
            EXPECT_LE(std::fabs(offsetFromFace(pole.trend)), 20 + kEps);
            EXPECT_LE(pole.plunge, 30 + kEps);
        }
        for (const NetPoint& p : z.wedgePrimaryZone) {
            const Line l = lineAt(view, p);
            EXPECT_GE(l.plunge, 30 - kEps);
            EXPECT_LE(l.plunge, apparent(60, offsetFromFace(l.trend)) + kEps);
        }
        for (const NetPoint& p : z.wedgeSecondaryZone) {
            const Line l = lineAt(view, p);
            const double offset = offsetFromFace(l.trend);
            if (std::fabs(std::fabs(offset) - 90) < 1e-6) continue;  // the strike ends: any plunge 0
            EXPECT_GE(l.plunge, apparent(30, offset) - kEps);
            EXPECT_LE(l.plunge, std::min(30.0, apparent(60, offset)) + kEps);
        }
        for (const Polyline* zone : {&z.planarZone, &z.topplingZone, &z.wedgePrimaryZone, &z.wedgeSecondaryZone}) {
            ASSERT_GT(zone->size(), 3u);
            EXPECT_EQ(zone->front(), zone->back());
        }
        // A face flatter than the friction angle: nothing slides or topples.
        const KinematicZones flat = kinematicZones(view, {{120, 25}, 30, 20});
        for (const Polyline* zone :
             {&flat.planarZone, &flat.topplingZone, &flat.wedgePrimaryZone, &flat.wedgeSecondaryZone})
            EXPECT_TRUE(zone->empty());
        EXPECT_FALSE(flat.daylightEnvelope.empty());
        EXPECT_TRUE(kinematicZones(view, {{120, 60}, std::nan(""), 20}).daylightEnvelope.empty());
    }
}

}  // namespace
}  // namespace ravelin
