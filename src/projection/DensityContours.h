#pragma once
// Density contours of lines or poles by the modified Kamb method.
//
// Notation: n data, unit vectors v_i of the view frame (see Stereonet.h);
// at a direction x each datum counts w_i = exp(f (|x . v_i| - 1)), so that
// antipodal directions count alike (axial data). The smoothed count is
// Z(x) = sum w_i. With f = 2 (1 + n / 9) the kernel stands for the Kamb
// counting circle of area A = 9 / (n + 9) of the hemisphere, whose expected
// count is 3 standard deviations for uniform data.
//
// For uniform axial data u = |x . v| is uniform on [0, 1], so one datum's
// weight has mean m = (1 - e^-f) / f and variance (1 - e^-2f) / (2 f) - m^2;
// Z then has mean E = n m and standard deviation s = sqrt(n var). Densities
// are given in multiples of s ("sigma"), and contour levels are multiples
// of a step in sigma (2 sigma by default).

#include <cstddef>
#include <vector>

#include "projection/ContourLines.h"
#include "projection/Stereonet.h"

namespace ravelin {

struct KambKernel {
    double exponent = 0;  // f
    double mean = 0;      // mean weight of one datum, uniform data
    double variance = 0;  // its variance
    double expected = 0;  // E = n m (count units)
    double sigma = 0;     // s = sqrt(n var) (count units); 0 when n = 0
};
// The kernel for n data (n >= 0).
KambKernel kambKernel(std::size_t n);

// Node spacing of the density grid: cells across the net's diameter.
constexpr int kDefaultContourCells = 100;
constexpr int kMinContourCells = 10;    // coarser grids draw polygons, not contours
constexpr int kMaxContourCells = 1000;  // a million nodes: beyond it a contour is finer than a pixel

// Smoothed counts Z at the nodes of a square grid laid over the net, in
// normalised net coordinates (east, north; the primitive circle has radius
// 1): node (i, j) at (x0 + i step, y0 + j step), one node beyond the rim on
// each side. Nodes outside the primitive circle stand for the directions
// beyond it (see unitNetDirection), whose axial density continues the one
// inside, so contours cross the rim without a break; nodes farther than 1.5
// steps from the circle are left at 0. `cells` is clamped to 10..1000.
NodeGrid kambDensityGrid(NetKind net, const std::vector<Vector3>& unitVectors, int cells = kDefaultContourCells);

struct ContourOptions {
    double levelStep = 2;              // sigma between levels; a step that is not positive means 2
    int cells = kDefaultContourCells;  // as for kambDensityGrid
};

struct ContourLevel {
    double level = 0;             // sigma
    std::vector<Polyline> paths;  // canvas coordinates, within the net
};

// What a legend of the contours shows.
struct DensityLegend {
    std::size_t n = 0;           // data contoured
    double countingArea = 0;     // A, fraction of the hemisphere (0..1)
    double expectedSigma = 0;    // E / s: where uniform data would lie (about 3)
    double maximumSigma = 0;     // highest node density within the net
    double levelStep = 0;        // sigma between levels
    std::vector<double> levels;  // sigma, ascending
};

struct DensityContours {
    std::vector<ContourLevel> contours;  // one per level, ascending
    DensityLegend legend;
};

// At most this many levels are drawn (the step grows to keep within it).
constexpr int kMaxContourLevels = 50;

// Contours of the lines as the net plots them (each through the view
// azimuth rule; non-finite lines are left out), at levels step, 2 step, ...
// below the highest density. Fewer than one datum gives no contours.
DensityContours densityContours(const NetView& view, const std::vector<Line>& lines,
                                const ContourOptions& options = {});

}  // namespace ravelin
