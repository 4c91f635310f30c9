// How views map a form's drawing units to pixels: round trips, zooming about
// a point, fitting, actual size, panning, and the inputs that change nothing.

#include "core/ViewTransform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ravelin {
namespace {

constexpr double kExact = 1e-9;  // relative: a few products and quotients of doubles

void expectNear(DrawPoint got, DrawPoint want) {
    EXPECT_NEAR(got.x, want.x, kExact * std::max(1.0, std::fabs(want.x)));
    EXPECT_NEAR(got.y, want.y, kExact * std::max(1.0, std::fabs(want.y)));
}

ViewTransform view(double scale, DrawPoint origin, double width = 1600, double height = 1000) {
    ViewTransform v;
    v.setViewport(width, height);
    v.setScale(scale);
    v.setOrigin(origin);
    return v;
}

TEST(ViewTransformTest, PointsRoundTripAtAnyScaleAndOrigin) {
    const struct {
        double scale;
        DrawPoint origin;
    } views[] = {{1, {0, 0}}, {0.0667, {-1500, 250}}, {37.5, {5999.5, 3999.25}}, {1e-4, {1e7, -1e7}}};
    const DrawPoint points[] = {{0, 0}, {1, -1}, {6000, 4000}, {-12.25, 1e5}};
    for (const auto& [scale, origin] : views) {
        const ViewTransform v = view(scale, origin);
        for (const DrawPoint p : points) {
            // device = (drawing - origin) x scale, worked out here rather than asked of the transform
            expectNear(v.toDevice(p), {(p.x - origin.x) * scale, (p.y - origin.y) * scale});
            expectNear(v.toDrawing(v.toDevice(p)), p);
        }
    }
    const ViewTransform v = view(0.25, {100, 50});
    EXPECT_EQ(v.visible(), (DrawRect{100, 50, 100 + 1600 / 0.25, 50 + 1000 / 0.25}));
    EXPECT_EQ(v.deviceRect({100, 50, 140, 70}), (DrawRect{0, 0, 10, 5}));
}

TEST(ViewTransformTest, ZoomingAboutAPointKeepsThatPointInPlace) {
    const DrawPoint anchors[] = {{0, 0}, {800, 500}, {1599, 3}, {-40, 1200}};
    const double factors[] = {2, 0.5, 1.1892071150027210, 1e3, 1e-3};
    for (const DrawPoint anchor : anchors) {
        for (const double factor : factors) {
            ViewTransform v = view(0.8, {-300, 420});
            v.setLimits(0.01, 40);  // the large factors end at a limit: the point still stays
            const DrawPoint under = v.toDrawing(anchor);
            v.zoomAbout(anchor, factor);
            EXPECT_DOUBLE_EQ(v.scale(), std::clamp(0.8 * factor, 0.01, 40.0));
            expectNear(v.toDrawing(anchor), under);
        }
    }
}

TEST(ViewTransformTest, FitShowsTheWholeContentCentredAndActualSizeKeepsThePointer) {
    // A 6000 x 4000 photograph in 1600 x 1000 pixels: the height decides, 0.25; 1500 pixels wide, 50 on each side.
    ViewTransform v = view(3, {77, -9});
    v.fit({0, 0, 6000, 4000});
    EXPECT_DOUBLE_EQ(v.scale(), 0.25);
    expectNear(v.toDevice({0, 0}), {50, 0});
    expectNear(v.toDevice({6000, 4000}), {1550, 1000});
    // A tall strip away from the origin: the width decides.
    v.setViewport(400, 1000);
    v.fit({1000, 1000, 1200, 1100});
    EXPECT_DOUBLE_EQ(v.scale(), 2);
    expectNear(v.toDevice({1000, 1000}), {0, 400});

    v.actualSize(1.5, {100, 700});
    const DrawPoint before = v.toDrawing({100, 700});
    EXPECT_DOUBLE_EQ(v.scale(), 1.5);
    v.actualSize(0.75, {100, 700});
    expectNear(v.toDrawing({100, 700}), before);

    // A drag of 30 pixels right and 20 up moves every point with it.
    const DrawPoint dragged = v.toDevice({1100, 1050});
    v.panBy(30, -20);
    expectNear(v.toDevice({1100, 1050}), {dragged.x + 30, dragged.y - 20});
}

TEST(ViewTransformTest, NonsenseChangesNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const ViewTransform original = view(0.5, {10, 20});
    ViewTransform v = original;
    for (const double factor : {0.0, -2.0, nan, inf}) v.zoomAbout({5, 5}, factor);
    for (const double scale : {0.0, -1.0, nan, inf}) v.setScale(scale);
    v.setLimits(0, 10);
    v.setLimits(5, 1);
    v.setLimits(1, inf);
    v.panBy(nan, 3);
    v.actualSize(nan, {0, 0});
    v.fit({10, 10, 10, 50});  // no width
    EXPECT_EQ(v, original);
    v.setViewport(0, 1000);  // nowhere to show it
    v.fit({0, 0, 100, 100});
    EXPECT_EQ(v.scale(), 0.5);
    // Limits bring the scale inside at once.
    v.setLimits(1, 4);
    EXPECT_EQ(v.scale(), 1);
}

}  // namespace
}  // namespace ravelin
