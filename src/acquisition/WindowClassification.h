#pragma once
// The discontinuity traces seen through a window (the rectangle or the
// contour): how many lie wholly inside it (n0, both ends visible), cross one
// side (n1, one end visible) or cross it from side to side (n2, neither end
// visible), and the trace length inside it.

#include <optional>
#include <span>

#include "acquisition/AcquisitionGeometry.h"

namespace ravelin {

struct WindowCounts {
    long long contained = 0;                                                  // n0
    long long dissecting = 0;                                                 // n1
    long long transecting = 0;                                                // n2
    double traceLength = 0;                                                   // L, metres
    long long total() const { return contained + dissecting + transecting; }  // N
};

// Counts the traces against the window polygon (fewer than three vertices
// hold nothing) with metresPerUnit metres a canvas unit. A trace with both
// ends outside is transecting when one of the 19 points dividing it in 20
// equal parts lies inside, so a trace that only clips a corner between two of
// them is not counted, though its length inside still enters L.
WindowCounts ClassifyTraces(std::span<const CanvasPoint> window, std::span<const Trace> traces, double metresPerUnit);

// The first two crossings of the segment end1-end2 with the window's edges,
// taken edge by edge in order (the closing edge last), rounded to whole units.
struct BoundaryPoints {
    std::optional<CanvasPoint> first;
    std::optional<CanvasPoint> second;
};
BoundaryPoints BoundaryCrossings(CanvasPoint end1, CanvasPoint end2, std::span<const CanvasPoint> window);

// The length (metres) of the trace inside the window, given which of its ends
// lie inside: the whole trace, the part from the inside end to the first
// boundary crossing, or the part between the first two crossings (0 when the
// trace misses the window or only touches it).
double TraceLengthInWindow(std::span<const CanvasPoint> window, const Trace& trace, bool end1Inside, bool end2Inside,
                           double metresPerUnit);

// The mean signed angle (degrees, 0 to 90) between the traces and the
// vertical, over all traces: traces leaning left and right cancel out. A
// horizontal trace counts 90°; no trace gives 0.
double MeanTraceAngle(std::span<const Trace> traces);

}  // namespace ravelin
