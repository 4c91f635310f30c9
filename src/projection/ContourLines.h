#pragma once
// Contour lines of a field sampled on a square grid (marching squares), and
// the clipping of paths to a disk.

#include <vector>

#include "projection/Stereonet.h"

namespace ravelin {

// Values at the nodes of a grid of `columns` x `rows` nodes, row by row:
// value(i, j) = values[j * columns + i]. Node (i, j) stands at
// (x0 + i step, y0 + j step) in the caller's coordinates.
struct NodeGrid {
    int columns = 0;
    int rows = 0;
    double x0 = 0;
    double y0 = 0;
    double step = 1;
    std::vector<double> values;
    double value(int i, int j) const {
        return values[static_cast<std::size_t>(j) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(i)];
    }
};

// The paths along which the field crosses `level`, linearly interpolated
// along the cell edges; a node at or above the level counts as above. A
// cell with two opposite corners above and two below is split by its mean.
// Paths that close on themselves repeat their first point; paths that reach
// the grid's border stay open. Coordinates as the grid's.
std::vector<Polyline> contourPaths(const NodeGrid& grid, double level);

// The parts of `paths` within the disk of centre `center` and radius
// `radius`; a path leaving the disk is cut exactly on its circle. A closed
// path wholly inside stays closed.
std::vector<Polyline> clipToDisk(const std::vector<Polyline>& paths, NetPoint center, double radius);

}  // namespace ravelin
