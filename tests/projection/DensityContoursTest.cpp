#include "projection/DensityContours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>

#include "projection/NetInverse.h"

namespace ravelin {
namespace {

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

// The direction at a node, from the net's colatitude (continued past the rim).
Vector3 nodeDirection(NetKind net, double east, double north) {
    const double rho = std::hypot(east, north);
    const double colatitude =
        net == NetKind::Wulff ? 2 * std::atan(rho) : 2 * std::asin(std::min(rho / std::numbers::sqrt2, 1.0));
    const double azimuth = std::atan2(east, north);
    return {std::sin(colatitude) * std::cos(azimuth), std::sin(colatitude) * std::sin(azimuth), std::cos(colatitude)};
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
        EXPECT_DOUBLE_EQ(grid.x0, -1 - grid.step);
        int checked = 0;
        for (int j = 0; j < grid.rows; j += 3) {
            for (int i = 0; i < grid.columns; i += 2) {
                const double east = grid.x0 + i * grid.step, north = grid.y0 + j * grid.step;
                if (std::hypot(east, north) > 1 + grid.step) continue;  // nodes left at 0 are not used
                const Vector3 x = nodeDirection(c.net, east, north);
                double sum = 0;
                for (const Vector3& v : data) sum += std::exp(f * (std::fabs(dot(x, v)) - 1));
                ASSERT_NEAR(grid.value(i, j), sum, 1e-9 * sum + 1e-8) << what << " node " << i << "," << j;
                ++checked;
            }
        }
        EXPECT_GT(checked, 10) << what;
    }
}

TEST(DensityContoursTest, UniformDataAverageTheExpectedDensity) {
    const std::vector<Vector3> data = uniformAxes(20000, 11);
    const NodeGrid grid = kambDensityGrid(NetKind::Schmidt, data, 100);
    const KambKernel k = kambKernel(data.size());
    // On the equal-area net, nodes inside the primitive sample the hemisphere evenly.
    double sum = 0;
    int nodes = 0;
    for (int j = 0; j < grid.rows; ++j) {
        for (int i = 0; i < grid.columns; ++i) {
            const double east = grid.x0 + i * grid.step, north = grid.y0 + j * grid.step;
            if (east * east + north * north > 1) continue;
            sum += grid.value(i, j) / k.expected;
            ++nodes;
        }
    }
    EXPECT_NEAR(sum / nodes, 1, 0.02);
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
