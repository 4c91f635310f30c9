// Segment intersection, the point-in-contour rule and the contour surface,
// checked against hand-worked values and an independent winding number.

#include "acquisition/PlaneGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

#include "acquisition/WindowEstimators.h"

namespace ravelin {
namespace {

using Polygon = std::vector<CanvasPoint>;

TEST(SegmentsIntersectTest, EndsCountParallelsNeverMeet) {
    struct Case {
        CanvasPoint a1, a2, b1, b2;
        std::optional<FloatPoint> expected;
    };
    const Case cases[] = {
        {{0, 0}, {10, 10}, {0, 10}, {10, 0}, FloatPoint{5, 5}},        // a plain cross
        {{0, 0}, {10, 0}, {5, 0}, {5, 10}, FloatPoint{5, 0}},          // B starts on A
        {{0, 0}, {10, 0}, {10, 0}, {20, 5}, FloatPoint{10, 0}},        // end to end
        {{0, 0}, {10, 0}, {0, 1}, {10, 1}, std::nullopt},              // parallel
        {{0, 0}, {10, 0}, {5, 0}, {15, 0}, std::nullopt},              // collinear overlap
        {{0, 0}, {10, 0}, {20, -5}, {20, 5}, std::nullopt},            // B beyond A's end
        {{0, 0}, {0, 0}, {-5, -5}, {5, 5}, std::nullopt},              // a point is parallel to anything
        {{0, 0}, {3, 1}, {1, 0}, {1, 1}, FloatPoint{1, 1.0f / 3.0f}},  // single precision, not double
    };
    for (const Case& c : cases) {
        const auto got = SegmentsIntersect(c.a1, c.a2, c.b1, c.b2);
        EXPECT_EQ(got, c.expected) << c.a1.x << "," << c.a1.y << " " << c.b1.x << "," << c.b1.y;
        // The roles of the segments may swap without changing whether they meet.
        EXPECT_EQ(SegmentsIntersect(c.b1, c.b2, c.a1, c.a2).has_value(), c.expected.has_value());
    }
}

TEST(PointInContourTest, DegenerateAndHugeContours) {
    // Fewer than three vertices, or all in a line, hold nothing.
    EXPECT_FALSE(PointInContour(Polygon{}, {0, 0}));
    EXPECT_FALSE(PointInContour(Polygon{{0, 0}, {10, 10}}, {5, 5}));
    EXPECT_FALSE(PointInContour(Polygon{{0, 0}, {10, 10}, {20, 20}}, {10, 10}));
    // Across the whole 32-bit range, beyond the winding number's reach below. The long side is the
    // line x + y = -1: the region is x + y <= -1, that side being bottom-right.
    constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
    const Polygon triangle{{lo, lo}, {hi, lo}, {lo, hi}};
    EXPECT_TRUE(PointInContour(triangle, {-1000000000, 999999998}));
    EXPECT_FALSE(PointInContour(triangle, {-1, 0}));
    EXPECT_FALSE(PointInContour(triangle, {0, 0}));
}

// An independent winding number: the angle the polygon turns round a point
// moved right by 1e-5 and down by 1e-10, so that left and top edges are
// inside, right and bottom ones outside. For coordinates below 3000 no edge
// that misses the point passes that close to it, and the shift down is too
// small to matter against any edge but a horizontal one.
bool referenceInside(const Polygon& polygon, CanvasPoint p) {
    const double qx = p.x + 1e-5, qy = p.y + 1e-10;
    double turn = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const CanvasPoint a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        const double ax = a.x - qx, ay = a.y - qy, bx = b.x - qx, by = b.y - qy;
        turn += std::atan2(ax * by - ay * bx, ax * bx + ay * by);
    }
    return std::lround(turn / (2 * std::numbers::pi)) != 0;
}

void expectAgreesWithReference(const Polygon& polygon, std::mt19937& random, int points, int width, int height) {
    const ContourRegion region(polygon);
    std::uniform_int_distribution<int> x(-2, width + 2), y(-2, height + 2);
    for (int i = 0; i < points; ++i) {
        const CanvasPoint p{x(random), y(random)};
        ASSERT_EQ(region.contains(p), referenceInside(polygon, p)) << p.x << "," << p.y << " of " << polygon.size();
    }
    // Vertices too, a couple of hundred at most.
    for (std::size_t i = 0; i < polygon.size(); i += polygon.size() / 200 + 1)
        ASSERT_EQ(region.contains(polygon[i]), referenceInside(polygon, polygon[i]));
}

TEST(PointInContourTest, AgreesWithAnIndependentWindingNumber) {
    std::mt19937 random(20240611);
    // Small random polygons, most of them crossing themselves, on a coarse grid full of edge and vertex cases.
    for (int round = 0; round < 300; ++round) {
        std::uniform_int_distribution<int> coordinate(0, 12), size(3, 12);
        Polygon polygon(static_cast<std::size_t>(size(random)));
        for (CanvasPoint& v : polygon) v = {coordinate(random), coordinate(random)};
        expectAgreesWithReference(polygon, random, 60, 12, 12);
    }
    // A 200-vertex star-shaped contour, as the estimators meet it (the band index).
    Polygon contour;
    for (int i = 0; i < 200; ++i) {
        const double angle = 2 * std::numbers::pi * i / 200, radius = 30 + (i * 7919 % 17);
        contour.push_back(roundToCanvas(50 + radius * std::cos(angle), 50 + radius * std::sin(angle)));
    }
    expectAgreesWithReference(contour, random, 3000, 100, 100);
    // A zigzag of 3000 long teeth: millions of band entries, so it is tested edge by edge.
    Polygon comb;
    for (int i = 0; i < 1500; ++i) {
        comb.push_back({i * 7 % 200, i});
        comb.push_back({i * 13 % 200, 2999 - i});
    }
    expectAgreesWithReference(comb, random, 300, 200, 3000);
}

TEST(ContourSurfaceTest, HandWorkedSurfaces) {
    // A 2001-unit square at scale 1 (metre) is one square metre, shown as "1" either way round.
    const Polygon square{{0, 0}, {2001, 0}, {2001, 2001}, {0, 2001}};
    EXPECT_EQ(SurfaceText(ContourSurface(square, 1.0 / 2001)), "1");
    EXPECT_EQ(SurfaceText(ContourSurface(Polygon(square.rbegin(), square.rend()), 1.0 / 2001)), "1");
    // Half of a 2001-square at 2 m across the picture: half of (2 m)².
    EXPECT_DOUBLE_EQ(ContourSurface(Polygon{{0, 0}, {2001, 0}, {0, 2001}}, 2.0 / 2001), 2);
    EXPECT_EQ(ContourSurface(Polygon{{5, 5}}, 1), 0);
    // Coordinates whose sums and products leave 32 bits still give the right surface.
    constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
    const double side = 4294967295.0;
    EXPECT_DOUBLE_EQ(ContourSurface(Polygon{{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}}, 1), side * side);
}

}  // namespace
}  // namespace ravelin
