#include "projection/Stereonet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "projection/NetInverse.h"

namespace ravelin {
namespace {

constexpr double kR = 2850;  // the net of the default 6000 x 6000 canvas
constexpr double kTight = 1e-9 * kR;

NetView net(NetKind kind, Hemisphere hemisphere = Hemisphere::Lower) {
    return NetView::forCanvas(6000, 6000, kind, hemisphere);
}

TEST(StereonetTest, CanvasGivesCentreAndRadius) {
    const NetView wide = NetView::forCanvas(8000, 5000, NetKind::Wulff, Hemisphere::Lower);
    EXPECT_EQ(wide.center(), (NetPoint{4000, 2500}));
    EXPECT_EQ(wide.radius(), 2350);
    EXPECT_EQ(net(NetKind::Schmidt).radius(), kR);
    // Too small or nonsense sizes leave a net of radius 0 rather than a mirrored one.
    EXPECT_EQ(NetView::forCanvas(250, 4000, NetKind::Wulff, Hemisphere::Lower).radius(), 0);
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

TEST(StereonetTest, ProjectDirectionAgreesWithTheLineFormulas) {
    for (NetKind kind : {NetKind::Wulff, NetKind::Schmidt}) {
        const NetView view = net(kind);
        for (double trend = 5; trend < 360; trend += 37) {
            for (double plunge : {0.0, 0.5, 17.0, 45.0, 88.0, 90.0}) {
                const NetPoint a = *view.project({trend, plunge});
                const NetPoint b = view.projectDirection(test::unitOf(trend, plunge));
                EXPECT_NEAR(a.x, b.x, kTight) << trend << "/" << plunge;
                EXPECT_NEAR(a.y, b.y, kTight) << trend << "/" << plunge;
            }
        }
        // Net coordinates beyond the rim continue into the upper hemisphere.
        const Vector3 up = unitNetDirection(kind, 0.6, 0.8 * 1.2);
        EXPECT_LT(up.z, 0);
        EXPECT_NEAR(dot(up, up), 1, 1e-15);
    }
}

TEST(StereonetTest, PrimitiveCircleAndRimMarks) {
    const NetView view = net(NetKind::Schmidt);
    const Polyline circle = primitiveCircle(view);
    ASSERT_EQ(circle.size(), 201u);
    EXPECT_EQ(circle.front(), circle.back());
    for (const NetPoint& p : circle) EXPECT_NEAR(test::radiusOf(view, p), kR, 1e-9);
    // Successive points pi / 100 apart: chords of 2 R sin(pi / 200).
    EXPECT_NEAR(std::hypot(circle[1].x - circle[0].x, circle[1].y - circle[0].y),
                2 * kR * std::sin(std::numbers::pi / 200), 1e-9);

    const RimMarks marks = rimMarks(view);
    ASSERT_EQ(marks.ticks.size(), 36u);
    const Polyline& north = marks.ticks[0];
    EXPECT_EQ(north[0], (NetPoint{3000, 3000 - kR}));
    EXPECT_NEAR(north[1].y - north[0].y, kRimCardinalTick, 1e-9);  // inwards
    const Polyline& tenDegrees = marks.ticks[1];
    EXPECT_GT(tenDegrees[0].x, 3000);  // clockwise: east of north
    EXPECT_NEAR(std::hypot(tenDegrees[1].x - tenDegrees[0].x, tenDegrees[1].y - tenDegrees[0].y), kRimTick, 1e-9);
    EXPECT_EQ(marks.northLabel, "N");
    EXPECT_EQ(marks.northLabelAnchor, (NetPoint{3000, 3000 - kR - kNorthLabelGap}));
}

TEST(StereonetTest, SymbolsAndColours) {
    EXPECT_EQ(pointSymbol(0).shape, SymbolShape::OpenCircle);
    EXPECT_EQ(pointSymbol(1).shape, SymbolShape::FilledCircle);
    EXPECT_EQ(pointSymbol(1).radius, 30);
    EXPECT_EQ(pointSymbol(2).character, "+");
    EXPECT_EQ(pointSymbol(3).character, "x");
    EXPECT_EQ(pointSymbol(4).character, "*");
    EXPECT_EQ(pointSymbol(7).shape, SymbolShape::OpenCircle);
    EXPECT_EQ(replotColor(Hemisphere::Lower), Rgb::fromRgb(255, 100, 100));
    EXPECT_EQ(replotColor(Hemisphere::Upper), Rgb::fromRgb(100, 100, 255));
}

}  // namespace
}  // namespace ravelin
