#pragma once
// The plane geometry the acquisition shares between drawing, scanline
// sampling and the window estimators: where two segments meet, whether a
// point lies in the contoured window, and the window's surface. Coordinates
// are whole canvas units, y downwards.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "acquisition/AcquisitionGeometry.h"

namespace ravelin {

struct FloatPoint {
    float x = 0;
    float y = 0;
    bool operator==(const FloatPoint&) const = default;
};

// Where the segments A1-A2 and B1-B2 meet, ends included, computed in single
// precision (the same roundings wherever it is used); nullopt when they miss
// each other or are parallel, collinear overlaps included.
std::optional<FloatPoint> SegmentsIntersect(CanvasPoint a1, CanvasPoint a2, CanvasPoint b1, CanvasPoint b2);

// The region of a polygon filled with the non-zero winding rule, for many
// point tests. A point on a left or top edge is inside, on a right or bottom
// edge outside (as if it were moved right by a hair and down by less), so
// windows that share a side never both hold a point. A polygon of fewer than
// three vertices holds nothing.
//
// The edges are indexed by horizontal bands between the vertices' distinct
// y values, so a test looks only at the edges that cross its band: a few for
// a hand-drawn contour, whatever its number of vertices. A polygon whose
// bands would hold more than about 32 entries a vertex is tested edge by edge.
class ContourRegion {
public:
    explicit ContourRegion(std::span<const CanvasPoint> polygon);

    bool contains(CanvasPoint point) const;
    // A point in canvas units (single precision), rounded to whole units halves to even.
    bool contains(float x, float y) const { return contains(roundToCanvas(x, y)); }

private:
    struct Edge {
        std::int32_t xLow, yLow;    // the end with the smaller y
        std::int32_t xHigh, yHigh;  // the end with the larger y
        int winding;                // +1 when drawn downwards, -1 upwards
    };

    int crossing(const Edge& edge, CanvasPoint point) const;

    std::vector<Edge> edges_;
    std::vector<std::int32_t> bandTops_;    // distinct vertex y values, ascending
    std::vector<std::uint32_t> bandFirst_;  // per band, its first entry in bandEdges_; one more at the end
    std::vector<std::uint32_t> bandEdges_;  // edge indices, band after band
    bool indexed_ = false;
};

// One test against a polygon (builds its region: prefer ContourRegion for many tests).
bool PointInContour(std::span<const CanvasPoint> polygon, CanvasPoint point);

// The surface of the polygon (square metres, >= 0) with metresPerUnit metres
// a canvas unit: half the absolute shoelace sum, each term computed exactly
// from the whole coordinates and summed in double precision. 0 for fewer
// than three vertices.
double ContourSurface(std::span<const CanvasPoint> polygon, double metresPerUnit);

}  // namespace ravelin
