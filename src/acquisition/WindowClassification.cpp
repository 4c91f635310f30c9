#include "acquisition/WindowClassification.h"

#include <cmath>
#include <numbers>

#include "acquisition/PlaneGeometry.h"
#include "core/Orientation.h"

namespace ravelin {

namespace {

// A trace with both ends outside the window is looked at in this many equal parts.
constexpr int kTransectSteps = 20;

bool crossesInside(const ContourRegion& region, const Trace& trace) {
    const float x1 = static_cast<float>(trace.end1.x), y1 = static_cast<float>(trace.end1.y);
    const float dx = (static_cast<float>(trace.end2.x) - x1) / kTransectSteps;
    const float dy = (static_cast<float>(trace.end2.y) - y1) / kTransectSteps;
    for (int j = 1; j < kTransectSteps; ++j) {
        if (region.contains(x1 + static_cast<float>(j) * dx, y1 + static_cast<float>(j) * dy)) return true;
    }
    return false;
}

}  // namespace

WindowCounts ClassifyTraces(std::span<const CanvasPoint> window, std::span<const Trace> traces, double metresPerUnit) {
    WindowCounts counts;
    if (window.size() < 3) return counts;
    const ContourRegion region(window);
    for (const Trace& trace : traces) {
        const bool inside1 = region.contains(trace.end1);
        const bool inside2 = region.contains(trace.end2);
        if (inside1 && inside2) ++counts.contained;
        else if (inside1 || inside2) ++counts.dissecting;
        else if (crossesInside(region, trace)) ++counts.transecting;
        counts.traceLength += TraceLengthInWindow(window, trace, inside1, inside2, metresPerUnit);
    }
    return counts;
}

BoundaryPoints BoundaryCrossings(CanvasPoint end1, CanvasPoint end2, std::span<const CanvasPoint> window) {
    BoundaryPoints points;
    const std::size_t n = window.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::optional<FloatPoint> meeting = SegmentsIntersect(end1, end2, window[i], window[(i + 1) % n]);
        if (!meeting) continue;
        const CanvasPoint point = roundToCanvas(meeting->x, meeting->y);
        if (points.first) {
            points.second = point;
            break;
        }
        points.first = point;
    }
    return points;
}

double TraceLengthInWindow(std::span<const CanvasPoint> window, const Trace& trace, bool end1Inside, bool end2Inside,
                           double metresPerUnit) {
    if (end1Inside && end2Inside) return canvasDistance(trace.end1, trace.end2) * metresPerUnit;
    const BoundaryPoints boundary = BoundaryCrossings(trace.end1, trace.end2, window);
    if (end1Inside || end2Inside) {
        if (!boundary.first) return 0;
        return canvasDistance(end1Inside ? trace.end1 : trace.end2, *boundary.first) * metresPerUnit;
    }
    if (!boundary.second) return 0;
    return canvasDistance(*boundary.first, *boundary.second) * metresPerUnit;
}

double MeanTraceAngle(std::span<const Trace> traces) {
    if (traces.empty()) return 0;
    double sum = 0;
    for (const Trace& t : traces) {
        const double dy = static_cast<double>(t.end1.y) - t.end2.y;
        sum += dy == 0 ? std::numbers::pi / 2 : std::atan((static_cast<double>(t.end1.x) - t.end2.x) / dy);
    }
    return std::abs(sum / static_cast<double>(traces.size())) * DEG;
}

}  // namespace ravelin
