// Density contours: the modified Kamb kernel against a numerical integral,
// the counting grid against a brute-force sum, marching squares and the
// clipping to the net on fields whose contours are known.

#include "projection/DensityContours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <string>

#include "projection/ContourLines.h"
#include "projection/NetInverse.h"

namespace ravelin {
namespace {

NodeGrid sampled(int nodes, double x0, double step, const std::function<double(double, double)>& field) {
    NodeGrid grid{nodes, nodes, x0, x0, step, {}};
    for (int j = 0; j < nodes; ++j) {
        for (int i = 0; i < nodes; ++i) grid.values.push_back(field(x0 + i * step, x0 + j * step));
    }
    return grid;
}

double length(const Polyline& path) {
    double total = 0;
    for (std::size_t k = 1; k < path.size(); ++k)
        total += std::hypot(path[k].x - path[k - 1].x, path[k].y - path[k - 1].y);
    return total;
}

TEST(ContourLinesTest, ClosedAndOpenContours) {
    // x^2 + y^2 = 1 inside the grid: one closed circle (linear interpolation of r^2 along
    // edges 0.05 long puts points within 1e-3 of it).
    const NodeGrid bowl = sampled(81, -2, 0.05, [](double x, double y) { return x * x + y * y; });
    const std::vector<Polyline> circle = contourPaths(bowl, 1);
    ASSERT_EQ(circle.size(), 1u);
    EXPECT_EQ(circle[0].front(), circle[0].back());
    for (const NetPoint& p : circle[0]) EXPECT_NEAR(std::hypot(p.x, p.y), 1, 1e-3);
    EXPECT_NEAR(length(circle[0]), 2 * std::numbers::pi, 2e-3);
    // A plane field: one straight open path from border to border.
    const NodeGrid ramp = sampled(11, 0, 0.1, [](double x, double) { return x; });
    const std::vector<Polyline> line = contourPaths(ramp, 0.55);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0].size(), 11u);
    for (const NetPoint& p : line[0]) EXPECT_NEAR(p.x, 0.55, 1e-12);
    EXPECT_NEAR(std::fabs(line[0].back().y - line[0].front().y), 1, 1e-12);
    // Levels outside the field's range draw nothing.
    EXPECT_TRUE(contourPaths(ramp, 2).empty());
    EXPECT_TRUE(contourPaths(ramp, std::nan("")).empty());
}

TEST(ContourLinesTest, ClippingToADisk) {
    const NetPoint centre{0, 0};
    // A line through the disk with both ends outside: one piece ending on the circle.
    std::vector<Polyline> pieces = clipToDisk({{{-3, 0.6}, {3, 0.6}}}, centre, 1);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_NEAR(pieces[0].front().x, -0.8, 1e-12);
    EXPECT_NEAR(pieces[0].back().x, 0.8, 1e-12);
    // A closed square crossing the circle at its four corners' sides, starting inside:
    // the piece over the start is one path, not two.
    const Polyline square{{0, -0.9}, {0.9, -0.9}, {0.9, 0.9}, {-0.9, 0.9}, {-0.9, -0.9}, {0, -0.9}};
    pieces = clipToDisk({square}, centre, 1);
    ASSERT_EQ(pieces.size(), 4u);
    for (const Polyline& piece : pieces) {
        EXPECT_NEAR(std::hypot(piece.front().x, piece.front().y), 1, 1e-12);
        EXPECT_NEAR(std::hypot(piece.back().x, piece.back().y), 1, 1e-12);
    }
    // A closed path inside stays closed; one outside disappears.
    const Polyline small{{0, 0}, {0.1, 0}, {0.1, 0.1}, {0, 0}};
    pieces = clipToDisk({small, {{2, 2}, {3, 2}, {2, 2}}}, centre, 1);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0], small);
}

// Lower-hemisphere unit vectors drawn uniformly from the sphere (fixed seed).
std::vector<Vector3> uniformAxes(std::size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> normal;
    std::vector<Vector3> out;
    while (out.size() < n) {
        Vector3 v{normal(random), normal(random), normal(random)};
        const double length = std::sqrt(dot(v, v));
        if (length == 0) continue;
        v = {v.x / length, v.y / length, v.z / length};
        if (v.z < 0) v = {-v.x, -v.y, -v.z};
        out.push_back(v);
    }
    return out;
}

// A Fisher-like cluster: each datum a few degrees off the axis (fixed seed).
std::vector<Line> cluster(Line axis, double spreadDegrees, std::size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> offset(0, spreadDegrees);
    std::vector<Line> out;
    for (std::size_t i = 0; i < n; ++i) {
        out.push_back({axis.trend + offset(random) / std::cos(axis.plunge * std::numbers::pi / 180),
                       axis.plunge + offset(random)});
    }
    return out;
}

TEST(DensityContoursTest, KernelMomentsMatchANumericalIntegral) {
    for (std::size_t n : {1u, 10u, 100u, 100000u}) {
        const KambKernel k = kambKernel(n);
        EXPECT_DOUBLE_EQ(k.exponent, 2 * (1 + n / 9.0));
        // u = |x . v| is uniform on [0, 1] for uniform axes: midpoint rule on a fine partition
        // of the part of [0, 1] where the weight exceeds e^-60.
        constexpr int kSteps = 200000;
        const double from = std::max(0.0, 1 - 60 / k.exponent);
        const double h = (1 - from) / kSteps;
        double first = 0, second = 0;
        for (int i = 0; i < kSteps; ++i) {
            const double w = std::exp(k.exponent * (from + (i + 0.5) * h - 1));
            first += w * h;
            second += w * w * h;
        }
        EXPECT_NEAR(k.mean, first, 1e-6 * first) << n;
        EXPECT_NEAR(k.variance, second - first * first, 1e-5 * k.variance) << n;
        EXPECT_NEAR(k.sigma, std::sqrt(static_cast<double>(n) * k.variance), 1e-12 * k.sigma) << n;
    }
    // The Kamb criterion: uniform data lie 3 standard deviations above nothing, for large n.
    const KambKernel large = kambKernel(100000);
    EXPECT_NEAR(large.expected / large.sigma, 3, 1e-3);
    EXPECT_EQ(kambKernel(0).sigma, 0);
}

TEST(DensityContoursTest, GridCountsEqualABruteForceSum) {
    struct Case {
        NetKind net;
        std::size_t n;
        int cells;
    };
    // 20 data reach every node; 5,000 only those near them (the fast path).
    for (const Case c : {Case{NetKind::Schmidt, 20, 40}, Case{NetKind::Wulff, 20, 40}, Case{NetKind::Schmidt, 5000, 60},
                         Case{NetKind::Wulff, 5000, 60}, Case{NetKind::Schmidt, 5000, 10}}) {
        std::vector<Vector3> data = uniformAxes(c.n / 2, 7);
        for (const Line& l : cluster({300, 5}, 3, c.n - c.n / 2, 8))
            data.push_back(lineVector(*lowerHemisphereLine(l)));
        const NodeGrid grid = kambDensityGrid(c.net, data, c.cells);
        const double f = kambKernel(data.size()).exponent;
        const std::string what = std::to_string(c.n) + (c.net == NetKind::Wulff ? " Wulff" : " Schmidt");
        ASSERT_EQ(grid.columns, c.cells + 3);
        int checked = 0;
        for (int j = 0; j < grid.rows; j += 3) {
            for (int i = 0; i < grid.columns; i += 2) {
                const double east = grid.x0 + i * grid.step, north = grid.y0 + j * grid.step;
                if (std::hypot(east, north) > 1 + grid.step) continue;  // nodes left at 0 are not used
                // The direction at the node through the net's own colatitude, continued past the rim.
                const Vector3 x = test::directionDrawnAt(NetView(0, 0, 1, c.net, Hemisphere::Lower), {east, -north});
                double sum = 0;
                for (const Vector3& v : data) sum += std::exp(f * (std::fabs(dot(x, v)) - 1));
                ASSERT_NEAR(grid.value(i, j), sum, 1e-9 * sum + 1e-8) << what << " node " << i << "," << j;
                ++checked;
            }
        }
        EXPECT_GT(checked, 10) << what;
    }
}

TEST(DensityContoursTest, ContoursCircleAClusterAndStayWithinTheNet) {
    std::vector<Line> lines = cluster({120, 40}, 4, 60, 3);
    for (const Vector3& v : uniformAxes(60, 4)) lines.push_back(vectorLine(v));
    for (Hemisphere hemisphere : {Hemisphere::Lower, Hemisphere::Upper}) {
        const NetView view = NetView::forCanvas(6000, 6000, NetKind::Schmidt, hemisphere);
        const DensityContours result = densityContours(view, lines);
        const DensityLegend& legend = result.legend;
        EXPECT_EQ(legend.n, 120u);
        EXPECT_NEAR(legend.countingArea, 9.0 / 129, 1e-15);
        EXPECT_NEAR(legend.expectedSigma, kambKernel(120).expected / kambKernel(120).sigma, 1e-12);
        ASSERT_FALSE(legend.levels.empty());
        EXPECT_EQ(legend.levels.front(), 2);
        EXPECT_LT(legend.levels.back(), legend.maximumSigma);
        EXPECT_GE(legend.levels.back() + 2, legend.maximumSigma);
        ASSERT_EQ(result.contours.size(), legend.levels.size());
        for (const ContourLevel& level : result.contours) {
            for (const Polyline& path : level.paths) {
                for (const NetPoint& p : path) ASSERT_LE(test::radiusOf(view, p), view.radius() * (1 + 1e-12));
            }
        }
        // The highest contour rings the cluster's centre as the hemisphere draws it.
        const Vector3 centre = test::unitOf(view.viewAzimuth(120), 40);
        const ContourLevel& top = result.contours.back();
        ASSERT_FALSE(top.paths.empty());
        for (const NetPoint& p : top.paths.front()) {
            EXPECT_LT(test::degreesBetween(test::directionDrawnAt(view, p), centre), 15);
        }
    }
}

TEST(DensityContoursTest, OptionsAndEmptyData) {
    const NetView view = NetView::forCanvas(6000, 6000, NetKind::Schmidt, Hemisphere::Lower);
    EXPECT_TRUE(densityContours(view, {}).contours.empty());
    EXPECT_EQ(densityContours(view, {{std::nan(""), 3}}).legend.n, 0u);
    const std::vector<Line> lines = cluster({10, 70}, 2, 500, 5);
    const DensityContours coarse = densityContours(view, lines, {.levelStep = -1, .cells = 3});
    // A step that is not positive means 2 (grown in whole multiples when the peak is high).
    EXPECT_EQ(std::fmod(coarse.legend.levelStep, 2), 0);
    // A step so small that more than 50 levels would be drawn grows to keep 50 at most.
    const DensityContours fine = densityContours(view, lines, {.levelStep = 0.01});
    EXPECT_LE(fine.legend.levels.size(), static_cast<std::size_t>(kMaxContourLevels));
    EXPECT_GE(fine.legend.levels.size(), static_cast<std::size_t>(kMaxContourLevels) - 1);
}

}  // namespace
}  // namespace ravelin
