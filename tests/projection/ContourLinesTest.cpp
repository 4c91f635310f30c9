#include "projection/ContourLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

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

TEST(ContourLinesTest, SaddleSplitsByTheCellMean) {
    // Corners (0,0) and (1,1) high, the other two low.
    NodeGrid grid{2, 2, 0, 0, 1, {1, 0, 0, 1}};
    auto cutsAround = [](const std::vector<Polyline>& paths, NetPoint corner) {
        for (const Polyline& p : paths) {
            const NetPoint mid{(p.front().x + p.back().x) / 2, (p.front().y + p.back().y) / 2};
            if (std::hypot(mid.x - corner.x, mid.y - corner.y) < 0.5) return true;
        }
        return false;
    };
    // Mean 0.5 >= 0.4: the high corners join through the middle; the low corners are cut off.
    std::vector<Polyline> paths = contourPaths(grid, 0.4);
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_TRUE(cutsAround(paths, {1, 0}));
    EXPECT_TRUE(cutsAround(paths, {0, 1}));
    // Mean 0.5 < 0.6: the high corners are islands.
    paths = contourPaths(grid, 0.6);
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_TRUE(cutsAround(paths, {0, 0}));
    EXPECT_TRUE(cutsAround(paths, {1, 1}));
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

}  // namespace
}  // namespace ravelin
