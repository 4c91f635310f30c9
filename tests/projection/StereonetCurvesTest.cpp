#include "projection/StereonetCurves.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "projection/NetInverse.h"

namespace ravelin {
namespace {

constexpr double kPi = std::numbers::pi;

NetView net(NetKind kind, Hemisphere hemisphere) { return NetView::forCanvas(6000, 6000, kind, hemisphere); }

std::string name(NetKind kind, Hemisphere hemisphere, double a, double b) {
    return std::string(kind == NetKind::Wulff ? "Wulff " : "Schmidt ") +
           (hemisphere == Hemisphere::Lower ? "lower " : "upper ") + std::to_string(a) + "/" + std::to_string(b);
}

// The normal of the plane as the net draws it: its dip direction turned for
// the hemisphere, and the Wulff construction's stand-ins for dips of 90 and 0.
Vector3 drawnNormal(const NetView& view, Plane plane) {
    const double dipDirection = view.hemisphere() == Hemisphere::Upper
                                    ? std::fmod(std::nearbyint(plane.dipDirection + 180), 360.0)
                                    : plane.dipDirection;
    double dip = plane.dip * kPi / 180;
    if (view.net() == NetKind::Wulff && plane.dip == 90) dip = kWulffVerticalDip;
    if (view.net() == NetKind::Wulff && plane.dip == 0) dip = kWulffHorizontalDip;
    return test::unitOf(dipDirection + 180, 90 - dip * 180 / kPi);
}

const Plane kPlanes[] = {{0, 0},    {0, 90},  {30, 45},      {123.4, 89.99999}, {200, 1e-9},
                         {271, 12}, {90, 60}, {359.5, 89.5}, {180, 30},         {45.5, 75}};

TEST(GreatCircleTest, EveryPointLiesOnThePlaneAndTheEndsOnTheStrike) {
    for (NetKind kind : {NetKind::Wulff, NetKind::Schmidt}) {
        for (Hemisphere hemisphere : {Hemisphere::Lower, Hemisphere::Upper}) {
            const NetView view = net(kind, hemisphere);
            for (const Plane& plane : kPlanes) {
                const std::string what = name(kind, hemisphere, plane.dipDirection, plane.dip);
                const Polyline path = greatCircle(view, plane);
                ASSERT_GE(path.size(), 2u) << what;
                const Vector3 normal = drawnNormal(view, plane);
                for (const NetPoint& p : path) {
                    ASSERT_LE(std::fabs(dot(test::directionDrawnAt(view, p), normal)), 1e-9) << what;
                    ASSERT_LE(test::radiusOf(view, p), view.radius() * (1 + 1e-12)) << what;
                }
                // From the strike end left of the dip direction to the one on its right.
                const double dipDirection = view.viewAzimuth(plane.dipDirection) * kPi / 180;
                const NetPoint left{view.cx() - view.radius() * std::cos(dipDirection),
                                    view.cy() - view.radius() * std::sin(dipDirection)};
                EXPECT_NEAR(path.front().x, left.x, 1e-9 * view.radius()) << what;
                EXPECT_NEAR(path.front().y, left.y, 1e-9 * view.radius()) << what;
                EXPECT_NEAR(path.front().x + path.back().x, 2 * view.cx(), 1e-9 * view.radius()) << what;
                EXPECT_NEAR(path.front().y + path.back().y, 2 * view.cy(), 1e-9 * view.radius()) << what;
            }
        }
    }
}

TEST(GreatCircleTest, SamplingSteps) {
    // Schmidt: directions 1 degree apart along the plane. Wulff: pi / 100 of the circle's own angle.
    const Plane plane{140, 50};
    const NetView schmidt = net(NetKind::Schmidt, Hemisphere::Lower);
    const Polyline s = greatCircle(schmidt, plane);
    ASSERT_EQ(s.size(), 181u);
    for (std::size_t k = 1; k < s.size(); ++k) {
        EXPECT_NEAR(
            test::degreesBetween(test::directionDrawnAt(schmidt, s[k - 1]), test::directionDrawnAt(schmidt, s[k])), 1,
            1e-7);
    }
    const NetView wulff = net(NetKind::Wulff, Hemisphere::Lower);
    const Polyline w = greatCircle(wulff, plane);
    // Arc centre at R tan 50 from the net's centre towards 320, radius R / cos 50.
    const double a = 140 * kPi / 180, d = 50 * kPi / 180, r = wulff.radius();
    const NetPoint centre{wulff.cx() - r * std::tan(d) * std::sin(a), wulff.cy() + r * std::tan(d) * std::cos(a)};
    double previous = std::nan("");
    for (std::size_t k = 0; k < w.size(); ++k) {
        EXPECT_NEAR(std::hypot(w[k].x - centre.x, w[k].y - centre.y), r / std::cos(d), 1e-9 * r);
        const double angle = std::atan2(w[k].x - centre.x, centre.y - w[k].y);
        if (k >= 2 && k + 1 < w.size()) {
            EXPECT_NEAR(std::remainder(angle - previous, 2 * kPi), kPi / 100, 1e-12);
        }
        previous = angle;
    }
    // The arc spans pi - 2 d of the circle's angle: 80 steps plus the two strike ends.
    EXPECT_EQ(w.size(), 2u + static_cast<std::size_t>(std::ceil((kPi - 2 * d) / (kPi / 100))) - 1);
}

TEST(GreatCircleTest, NonFinitePlaneDrawsNothing) {
    EXPECT_TRUE(greatCircle(net(NetKind::Wulff, Hemisphere::Lower), {std::nan(""), 30}).empty());
}

TEST(SmallCircleTest, PointsKeepTheConeAngleAndPiecesEndOnThePrimitive) {
    const struct {
        Line axis;
        double cone;
        std::size_t pieces;
        bool closed;
    } cases[] = {
        {{40, 60}, 20, 1, true},    // wholly below
        {{40, 10}, 30, 1, false},   // crosses the horizon
        {{300, 0}, 45, 1, false},   // axis on the rim: half the cone
        {{0, 90}, 90, 1, true},     // the primitive itself
        {{90, 30}, 150, 1, false},  // a cone past 90 degrees: around the opposite end
        {{270, 5}, 1, 1, true},     // tiny and near the rim
    };
    for (NetKind kind : {NetKind::Wulff, NetKind::Schmidt}) {
        for (Hemisphere hemisphere : {Hemisphere::Lower, Hemisphere::Upper}) {
            const NetView view = net(kind, hemisphere);
            for (const auto& c : cases) {
                const std::string what = name(kind, hemisphere, c.axis.trend, c.cone);
                const std::vector<Polyline> pieces = smallCircle(view, c.axis, c.cone);
                ASSERT_EQ(pieces.size(), c.pieces) << what;
                const Vector3 axis = test::unitOf(view.viewAzimuth(c.axis.trend), c.axis.plunge);
                for (const Polyline& piece : pieces) {
                    EXPECT_EQ(piece.front() == piece.back(), c.closed) << what;
                    for (std::size_t k = 0; k < piece.size(); ++k) {
                        const Vector3 v = test::directionDrawnAt(view, piece[k]);
                        ASSERT_NEAR(test::degreesBetween(v, axis), c.cone, 1e-7) << what;
                        ASSERT_LE(test::radiusOf(view, piece[k]), view.radius() * (1 + 1e-12)) << what;
                        if (k > 0) {
                            EXPECT_LE(test::degreesBetween(v, test::directionDrawnAt(view, piece[k - 1])), 1 + 1e-7)
                                << what;
                        }
                    }
                    if (!c.closed) {
                        EXPECT_NEAR(test::radiusOf(view, piece.front()), view.radius(), 1e-9 * view.radius()) << what;
                        EXPECT_NEAR(test::radiusOf(view, piece.back()), view.radius(), 1e-9 * view.radius()) << what;
                    }
                }
            }
        }
    }
}

TEST(SmallCircleTest, ConesAboveTheHorizonAndTheOppositeEnd) {
    const NetView view = net(NetKind::Schmidt, Hemisphere::Lower);
    // The cone of 30 degrees around a line plunging 10 crosses the rim; its
    // opposite end comes back in on the other side.
    const std::vector<Polyline> one = smallCircle(view, {0, 10}, 30);
    const std::vector<Polyline> both = smallCircle(view, {0, 10}, 30, true);
    ASSERT_EQ(one.size(), 1u);
    ASSERT_EQ(both.size(), 2u);
    const Vector3 opposite = test::unitOf(180, -10);
    for (const NetPoint& p : both[1]) {
        EXPECT_NEAR(test::degreesBetween(test::directionDrawnAt(view, p), opposite), 30, 1e-7);
        EXPECT_GT(p.y, view.cy());  // south half
    }
    // Wholly above: an axis pointing up with a cone too narrow to reach the horizon.
    EXPECT_TRUE(smallCircleDirections({0, 0, -1}, 20).empty());
    // Cone angles fold into 0..180.
    EXPECT_EQ(smallCircle(view, {50, 40}, 200), smallCircle(view, {50, 40}, 160));
    EXPECT_EQ(smallCircle(view, {50, 40}, -25), smallCircle(view, {50, 40}, 25));
    // A cone of 0 is the axis itself.
    const std::vector<Polyline> point = smallCircle(view, {50, 40}, 0);
    ASSERT_EQ(point.size(), 1u);
    ASSERT_EQ(point[0].size(), 1u);
    EXPECT_NEAR(point[0][0].x, view.project({50, 40})->x, 1e-9);
    EXPECT_NEAR(point[0][0].y, view.project({50, 40})->y, 1e-9);
    EXPECT_TRUE(smallCircle(view, {50, 40}, std::nan("")).empty());
}

}  // namespace
}  // namespace ravelin
