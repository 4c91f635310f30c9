// The structural data read from the grid's cells or a text file, and where
// the two nets draw them as lines, planes and cones, checked through an
// independent inverse of each projection (NetInverse.h).

#include "projection/Stereonet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "projection/NetInverse.h"
#include "projection/StereonetCurves.h"
#include "projection/StructuralData.h"

namespace ravelin {
namespace {

TEST(StructuralDataTest, TextLinesSplitIntoTwoCells) {
    // A comma and a tab are two separators, with an empty cell between them.
    const struct {
        std::string line;
        std::string direction, dip;
    } cases[] = {
        {"120,45", "120", "45"},
        {"120\t45", "120", "45"},
        {"  120   45  ", "120", "45"},
        {"120,,45", "120", ""},
        {",45", "", "45"},
        {"120", "120", ""},
        {"120 45 60", "120", "45"},
        {"N120E, 45SW", "N120E", "45SW"},
        {"", "", ""},
        {"120 ,\t45", "120", ""},
    };
    for (const auto& c : cases) {
        const std::vector<DataRow> rows = splitDataText(c.line);
        ASSERT_EQ(rows.size(), c.line.empty() ? 0u : 1u) << c.line;
        if (rows.empty()) continue;
        EXPECT_EQ(rows[0].direction, c.direction) << "[" << c.line << "]";
        EXPECT_EQ(rows[0].dip, c.dip) << "[" << c.line << "]";
    }
}

TEST(StructuralDataTest, FileRowsWithAnyLineEndsAndAByteOrderMark) {
    const std::vector<DataRow> rows = splitDataText(
        "\xEF\xBB\xBF"
        "10,20\r\n30,40\n\n50,60\r70,80");
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].direction, "10");
    EXPECT_EQ(rows[2].direction, "");  // the empty line keeps its row
    EXPECT_EQ(rows[4].dip, "80");
    const std::vector<Reading> readings = readDataRows(rows);
    ASSERT_EQ(readings.size(), 4u);
    EXPECT_EQ(readings[2].row, 4);
    EXPECT_EQ(readings[2].direction, 50);
}

TEST(StructuralDataTest, RowsNeedBothCellsAndReadTheLeadingNumber) {
    const std::vector<DataRow> rows = {
        {"120", "45"}, {"", "30"}, {"200", ""}, {"  ", "10"}, {"abc", "12.5deg"}, {"-30", "1e2"}, {"1e999", "7"},
    };
    const std::vector<Reading> readings = readDataRows(rows);
    ASSERT_EQ(readings.size(), 4u);
    EXPECT_EQ(readings[0].row, 1);
    EXPECT_EQ(readings[1].row, 5);
    EXPECT_EQ(readings[1].direction, 0);  // no numeric start reads as 0
    EXPECT_EQ(readings[1].dip, 12.5);
    EXPECT_EQ(readings[2].direction, -30);
    EXPECT_EQ(readings[2].dip, 100);
    EXPECT_TRUE(std::isfinite(readings[3].direction));
    EXPECT_TRUE(readDataRows({{"", ""}, {" ", "\t"}}).empty());  // the "no structural data" condition
}

TEST(StructuralDataTest, PolesRoundToWholeDegrees) {
    const struct {
        double dipDirection, dip, trend, plunge;
    } cases[] = {
        {0, 0, 180, 90},       {180, 30, 0, 60},      {181, 30, 1, 60},   {270, 90, 90, 0},     {45.4, 30.4, 225, 60},
        {45.5, 30.5, 226, 60}, {44.5, 31.5, 224, 58}, {-30, 20, 150, 70}, {720, 100, 180, -10},
    };
    for (const auto& c : cases) {
        const Line pole = plottedPole(c.dipDirection, c.dip);
        EXPECT_EQ(pole.trend, c.trend) << c.dipDirection << "/" << c.dip;
        EXPECT_EQ(pole.plunge, c.plunge) << c.dipDirection << "/" << c.dip;
    }
    // Lines, unlike poles, keep their decimals.
    const Line line = plottedLines({{100.6, 80.2, 1}}, StructureType::Lines).at(0);
    EXPECT_EQ(line.trend, 100.6);
    EXPECT_EQ(line.plunge, 80.2);
}

constexpr double kR = 2850;  // the net of the default 6000 x 6000 canvas
constexpr double kTight = 1e-9 * kR;

NetView net(NetKind kind, Hemisphere hemisphere = Hemisphere::Lower) {
    return NetView::forCanvas(6000, 6000, kind, hemisphere);
}

TEST(StereonetTest, UpperHemisphereTurnsTheWholeDegreeTrendHalfATurn) {
    const struct {
        double trend, viewTrend;
    } cases[] = {{30, 210}, {200, 20}, {180, 0}, {45.4, 225}, {45.6, 226}, {44.5, 224}, {45.5, 226}, {-90, 90}};
    for (NetKind kind : {NetKind::Wulff, NetKind::Schmidt}) {
        const NetView upper = net(kind, Hemisphere::Upper);
        for (const auto& c : cases) EXPECT_EQ(upper.viewAzimuth(c.trend), c.viewTrend) << c.trend;
        const NetPoint p = *upper.project({45.5, 40}), q = *net(kind).project({226, 40});
        EXPECT_NEAR(std::hypot(p.x - q.x, p.y - q.y), 0, kTight);  // where the lower hemisphere draws 226
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

TEST(StereonetTest, AnyFiniteLineLandsWithinTheNetEvenOnANonsenseCanvas) {
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
    // A nonsense canvas gives a net of radius 0, not a mirrored one.
    const NetView nonsense = NetView::forCanvas(std::nan(""), -5, NetKind::Schmidt, Hemisphere::Upper);
    EXPECT_EQ(nonsense.radius(), 0);
    EXPECT_TRUE(std::isfinite(nonsense.project({10, 10})->x));
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
                    for (const NetPoint& p : piece) {
                        ASSERT_NEAR(test::degreesBetween(test::directionDrawnAt(view, p), axis), c.cone, 1e-7) << what;
                        ASSERT_LE(test::radiusOf(view, p), view.radius() * (1 + 1e-12)) << what;
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

TEST(SmallCircleTest, TheOppositeEndAndDegenerateCones) {
    const NetView view = net(NetKind::Schmidt, Hemisphere::Lower);
    // The cone of 30 degrees around a line plunging 10 crosses the rim; asked
    // for, its opposite end comes back in on the other side.
    const std::vector<Polyline> both = smallCircle(view, {0, 10}, 30, true);
    ASSERT_EQ(both.size(), 2u);
    for (const NetPoint& p : both[1]) {
        EXPECT_NEAR(test::degreesBetween(test::directionDrawnAt(view, p), test::unitOf(180, -10)), 30, 1e-7);
        EXPECT_GT(p.y, view.cy());  // south half
    }
    EXPECT_TRUE(smallCircleDirections({0, 0, -1}, 20).empty());  // wholly above the horizon
    EXPECT_EQ(smallCircle(view, {50, 40}, 200), smallCircle(view, {50, 40}, 160));
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
