// Where the two nets draw lines, planes and cones, checked through an
// independent inverse of each projection (NetInverse.h).

#include "projection/Stereonet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "projection/StereonetCurves.h"

#include "projection/NetInverse.h"

namespace ravelin {
namespace {

constexpr double kR = 2850;  // the net of the default 6000 x 6000 canvas
constexpr double kTight = 1e-9 * kR;

NetView net(NetKind kind, Hemisphere hemisphere = Hemisphere::Lower) {
    return NetView::forCanvas(6000, 6000, kind, hemisphere);
}

TEST(StereonetTest, NonsenseCanvasGivesANetOfRadiusZeroNotAMirroredOne) {
    const NetView nonsense = NetView::forCanvas(std::nan(""), -5, NetKind::Schmidt, Hemisphere::Upper);
    EXPECT_EQ(nonsense.radius(), 0);
    EXPECT_TRUE(std::isfinite(nonsense.project({10, 10})->x));
}

TEST(StereonetTest, EdgeCasesOfBothNets) {
    struct Case {
        const char* what;
        Line line;
        double radius;   // fraction of R
        double azimuth;  // degrees, where the radius is not 0
    };
    const Case cases[] = {
        {"vertical line at the centre", {123, 90}, 0, 0},
        {"horizontal line on the primitive", {30, 0}, 1, 30},
        {"pole of a horizontal plane at the centre (dip 0 to 90 plunge)", {180, 90}, 0, 0},
        {"pole of a vertical plane on the primitive", {270, 0}, 1, 270},
    };
    for (NetKind kind : {NetKind::Wulff, NetKind::Schmidt}) {
        const NetView view = net(kind);
        for (const Case& c : cases) {
            const NetPoint p = *view.project(c.line);
            EXPECT_NEAR(test::radiusOf(view, p), c.radius * kR, kTight) << c.what;
            if (c.radius > 0) {
                EXPECT_NEAR(std::atan2(p.x - view.cx(), view.cy() - p.y) * 180 / std::numbers::pi,
                            c.azimuth > 180 ? c.azimuth - 360 : c.azimuth, 1e-9)
                    << c.what;
            }
        }
    }
}

TEST(StereonetTest, HandWorkedPositions) {
    // Wulff 0/30: R tan 30 straight up; Schmidt 90/30: sqrt(2) R sin 30 to the right.
    const NetPoint wulff = *net(NetKind::Wulff).project({0, 30});
    EXPECT_NEAR(wulff.x, 3000, kTight);
    EXPECT_NEAR(wulff.y, 3000 - kR * 0.5773502691896257, 1e-6);
    const NetPoint schmidt = *net(NetKind::Schmidt).project({90, 30});
    EXPECT_NEAR(schmidt.x, 3000 + kR * 0.7071067811865476, 1e-6);
    EXPECT_NEAR(schmidt.y, 3000, kTight);
    // Schmidt keeps areas: the 45 degree plunge circle holds 1 - sin 45 of the hemisphere.
    const double r45 = test::radiusOf(net(NetKind::Schmidt), *net(NetKind::Schmidt).project({200, 45}));
    EXPECT_NEAR(r45 * r45 / (kR * kR), 1 - std::sqrt(0.5), 1e-12);
}

TEST(StereonetTest, UpperHemisphereTurnsTheWholeDegreeTrendHalfATurn) {
    const struct {
        double trend, viewTrend;
    } cases[] = {{30, 210}, {200, 20}, {180, 0}, {45.4, 225}, {45.6, 226}, {44.5, 224}, {45.5, 226}, {-90, 90}};
    for (NetKind kind : {NetKind::Wulff, NetKind::Schmidt}) {
        const NetView lower = net(kind);
        const NetView upper = net(kind, Hemisphere::Upper);
        for (const auto& c : cases) {
            EXPECT_EQ(upper.viewAzimuth(c.trend), c.viewTrend) << c.trend;
            const NetPoint p = *upper.project({c.trend, 40});
            const NetPoint q = *lower.project({c.viewTrend, 40});
            EXPECT_NEAR(p.x, q.x, kTight) << c.trend;
            EXPECT_NEAR(p.y, q.y, kTight) << c.trend;
        }
        // A whole-degree line is drawn diametrically opposite.
        const NetPoint a = *lower.project({70, 25});
        const NetPoint b = *upper.project({70, 25});
        EXPECT_NEAR(a.x + b.x, 2 * lower.cx(), kTight);
        EXPECT_NEAR(a.y + b.y, 2 * lower.cy(), kTight);
    }
}

TEST(StereonetTest, OutOfRangeLinesAreAxesAndNonFiniteOnesAreRefused) {
    const struct {
        Line given, lower;
    } cases[] = {{{30, -20}, {210, 20}}, {{30, 120}, {210, 60}}, {{-30, 10}, {330, 10}},
                 {{750, 45}, {30, 45}},  {{10, -90}, {0, 90}},   {{10, 270}, {0, 90}}};
    for (const auto& c : cases) {
        const Line l = *lowerHemisphereLine(c.given);
        const double trendError = std::fabs(std::remainder(l.trend - c.lower.trend, 360.0));
        if (c.lower.plunge < 90) {
            EXPECT_NEAR(trendError, 0, 1e-9) << c.given.trend << "/" << c.given.plunge;
        }
        EXPECT_NEAR(l.plunge, c.lower.plunge, 1e-9) << c.given.trend << "/" << c.given.plunge;
    }
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(lowerHemisphereLine({std::nan(""), 10}));
    EXPECT_FALSE(net(NetKind::Wulff).project({10, inf}));
    const Plane p = *normalisedPlane({30, 120});
    EXPECT_NEAR(p.dipDirection, 210, 1e-9);
    EXPECT_NEAR(p.dip, 60, 1e-9);
    EXPECT_FALSE(normalisedPlane({inf, 10}));
}

TEST(StereonetTest, AnyFiniteLineLandsWithinTheNet) {
    const double big = std::numeric_limits<double>::max();
    const Line lines[] = {{big, big},   {-big, 45},   {1e300, -1e300},   {359.9999999, 90.0000001},
                          {0, -1e-300}, {1e15, 89.5}, {-1e-320, 1e-320}, {12345.678, -9876.5}};
    for (NetKind kind : {NetKind::Wulff, NetKind::Schmidt}) {
        for (Hemisphere hemisphere : {Hemisphere::Lower, Hemisphere::Upper}) {
            const NetView view = net(kind, hemisphere);
            for (const Line& line : lines) {
                const NetPoint p = *view.project(line);
                ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << line.trend << "/" << line.plunge;
                EXPECT_LE(test::radiusOf(view, p), kR * (1 + 1e-12)) << line.trend << "/" << line.plunge;
            }
        }
    }
}

TEST(StereonetTest, NetCoordinatesBeyondTheRimContinueIntoTheUpperHemisphere) {
    for (NetKind kind : {NetKind::Wulff, NetKind::Schmidt}) {
        const Vector3 up = unitNetDirection(kind, 0.6, 0.8 * 1.2);
        EXPECT_LT(up.z, 0);
        EXPECT_NEAR(dot(up, up), 1, 1e-15);
    }
}

TEST(StereonetTest, PrimitiveCircleAndRimMarks) {
    const NetView view = net(NetKind::Schmidt);
    const Polyline circle = primitiveCircle(view);
    EXPECT_EQ(circle.front(), circle.back());
    for (const NetPoint& p : circle) EXPECT_NEAR(test::radiusOf(view, p), kR, 1e-9);
    const RimMarks marks = rimMarks(view);
    ASSERT_EQ(marks.ticks.size(), 36u);
    EXPECT_EQ(marks.ticks[0][0], (NetPoint{3000, 3000 - kR}));
    EXPECT_GT(marks.ticks[0][1].y, marks.ticks[0][0].y);  // inwards
    EXPECT_GT(marks.ticks[1][0].x, 3000);                 // clockwise: east of north
}

constexpr double kPi = std::numbers::pi;

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
    EXPECT_TRUE(greatCircle(view, {std::nan(""), 30}).empty());
}

}  // namespace
}  // namespace ravelin
