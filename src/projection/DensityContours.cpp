#include "projection/DensityContours.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "projection/SphereGeometry.h"

namespace ravelin {

namespace {

// A datum whose weight at a node is below e^-30 of its peak (1e-13) is left
// out: even 100,000 such data change a count by less than 1e-8.
constexpr double kNegligibleExponent = 30;

// Normalised net coordinates (east, north) of a unit vector, continued past
// the rim for upward vectors; false where the net has no such point.
bool netCoordinates(NetKind net, const Vector3& w, double& east, double& north) {
    const double denominator = net == NetKind::Wulff ? 1 + w.z : std::sqrt(std::max(1 + w.z, 0.0));
    // The zenith lies at infinity on the Wulff net and on the outer circle of the Schmidt net.
    if (!(denominator > 1e-12)) return false;
    east = w.y / denominator;
    north = w.x / denominator;
    return true;
}

// Largest stretch of the projection (net radius per radian) over the
// directions within `colatitude` radians of the nadir: both nets stretch
// most along the circles of equal colatitude, and more the farther out.
double largestStretch(NetKind net, double colatitude) {
    const double c = std::cos(colatitude / 2);
    return net == NetKind::Wulff ? 1 / (2 * c * c) : 1 / (std::numbers::sqrt2 * c);
}

double colatitudeAtRadius(NetKind net, double rho) {
    return net == NetKind::Wulff ? 2 * std::atan(rho) : 2 * std::asin(std::min(rho / std::numbers::sqrt2, 1.0));
}

}  // namespace

KambKernel kambKernel(std::size_t n) {
    KambKernel k;
    const double count = static_cast<double>(n);
    k.exponent = 2 * (1 + count / 9);
    const double f = k.exponent;
    k.mean = -std::expm1(-f) / f;
    k.variance = -std::expm1(-2 * f) / (2 * f) - k.mean * k.mean;
    k.expected = count * k.mean;
    k.sigma = std::sqrt(count * k.variance);
    return k;
}

NodeGrid kambDensityGrid(NetKind net, const std::vector<Vector3>& unitVectors, int cells) {
    cells = std::clamp(cells, kMinContourCells, kMaxContourCells);
    const double step = 2.0 / cells;
    const int nodes = cells + 3;
    NodeGrid grid{nodes, nodes, -1 - step, -1 - step, step, {}};
    const std::size_t total = static_cast<std::size_t>(nodes) * static_cast<std::size_t>(nodes);
    grid.values.assign(total, 0);

    const double reach = 1 + 1.5 * step;  // every cell that touches the net has its corners within it
    std::vector<Vector3> directions(total);
    std::vector<char> active(total, 0);
    for (int j = 0; j < nodes; ++j) {
        for (int i = 0; i < nodes; ++i) {
            const double east = grid.x0 + i * step, north = grid.y0 + j * step;
            if (east * east + north * north > reach * reach) continue;
            const std::size_t index = static_cast<std::size_t>(j) * static_cast<std::size_t>(nodes) + i;
            active[index] = 1;
            directions[index] = unitNetDirection(net, east, north);
        }
    }

    const double f = kambKernel(unitVectors.size()).exponent;
    const double minimumDot = 1 - kNegligibleExponent / f;
    auto add = [&](std::size_t index, double absoluteDot) {
        if (absoluteDot >= minimumDot) grid.values[index] += std::exp(f * (absoluteDot - 1));
    };

    // A datum reaches the nodes within `cutoff` radians of it or of its
    // opposite; on the net they lie within cutoff x the largest stretch.
    const double cutoff = minimumDot > -1 ? std::acos(minimumDot) : std::numbers::pi;
    const double outermost = colatitudeAtRadius(net, reach) + cutoff;
    constexpr double kWholeNet = 170 * std::numbers::pi / 180;  // past this the stretch bound is useless
    const bool everyNode = minimumDot <= 0 || outermost >= kWholeNet;
    // 1 % over the bound covers the rounding of node positions.
    const double boxHalfWidth = everyNode ? 0 : 1.01 * cutoff * largestStretch(net, outermost);

    for (const Vector3& raw : unitVectors) {
        const Vector3 v = normalized(raw);
        if (everyNode) {
            for (std::size_t index = 0; index < total; ++index) {
                if (active[index]) add(index, std::fabs(dot(directions[index], v)));
            }
            continue;
        }
        // Each node takes the datum once: from the end of the axis on its own side.
        for (const double sign : {1.0, -1.0}) {
            double east = 0, north = 0;
            if (!netCoordinates(net, sign * v, east, north)) continue;
            if (std::hypot(east, north) - boxHalfWidth > reach) continue;
            const int i0 = std::max(0, static_cast<int>(std::floor((east - boxHalfWidth - grid.x0) / step)));
            const int i1 = std::min(nodes - 1, static_cast<int>(std::ceil((east + boxHalfWidth - grid.x0) / step)));
            const int j0 = std::max(0, static_cast<int>(std::floor((north - boxHalfWidth - grid.y0) / step)));
            const int j1 = std::min(nodes - 1, static_cast<int>(std::ceil((north + boxHalfWidth - grid.y0) / step)));
            for (int j = j0; j <= j1; ++j) {
                for (int i = i0; i <= i1; ++i) {
                    const std::size_t index = static_cast<std::size_t>(j) * static_cast<std::size_t>(nodes) + i;
                    if (!active[index]) continue;
                    const double c = sign * dot(directions[index], v);
                    if (c > 0 || (c == 0 && sign > 0)) add(index, c);
                }
            }
        }
    }
    return grid;
}

DensityContours densityContours(const NetView& view, const std::vector<Line>& lines, const ContourOptions& options) {
    std::vector<Vector3> vectors;
    vectors.reserve(lines.size());
    for (const Line& line : lines) {
        const std::optional<Line> lower = lowerHemisphereLine(line);
        if (lower) vectors.push_back(lineVector({view.viewAzimuth(lower->trend), lower->plunge}));
    }
    DensityContours result;
    DensityLegend& legend = result.legend;
    legend.n = vectors.size();
    if (vectors.empty()) return result;

    const KambKernel kernel = kambKernel(vectors.size());
    legend.countingArea = 9 / (static_cast<double>(vectors.size()) + 9);
    legend.expectedSigma = kernel.expected / kernel.sigma;

    NodeGrid grid = kambDensityGrid(view.net(), vectors, options.cells);
    for (double& value : grid.values) value /= kernel.sigma;
    for (int j = 0; j < grid.rows; ++j) {
        for (int i = 0; i < grid.columns; ++i) {
            const double east = grid.x0 + i * grid.step, north = grid.y0 + j * grid.step;
            if (east * east + north * north <= 1) legend.maximumSigma = std::max(legend.maximumSigma, grid.value(i, j));
        }
    }

    double step = options.levelStep > 0 && std::isfinite(options.levelStep) ? options.levelStep : 2;
    if (legend.maximumSigma / step > kMaxContourLevels)
        step *= std::ceil(legend.maximumSigma / step / kMaxContourLevels);
    legend.levelStep = step;
    for (int k = 1; k * step < legend.maximumSigma; ++k) legend.levels.push_back(k * step);

    const double r = view.radius();
    for (const double level : legend.levels) {
        ContourLevel contour{level, clipToDisk(contourPaths(grid, level), {0, 0}, 1)};
        for (Polyline& path : contour.paths) {
            for (NetPoint& p : path) p = {view.cx() + r * p.x, view.cy() - r * p.y};
        }
        result.contours.push_back(std::move(contour));
    }
    return result;
}

}  // namespace ravelin
