#pragma once
// The digitized acquisition as a value: the contoured window, the
// discontinuity traces, the scanline and the rectangular window, in whole
// canvas units (x to the right, y downwards), with the scale that turns them
// into metres. The canvas spans 2001 units across the photograph's width, so
// the scale is the photograph's real width in metres.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ravelin {

struct CanvasPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const CanvasPoint&) const = default;
};

struct Trace {
    CanvasPoint end1;
    CanvasPoint end2;
    bool operator==(const Trace&) const = default;
};

// Canvas units across the photograph's width, less one: metres per unit = scale / (kReferenceWidth + 1).
constexpr double kReferenceWidth = 2000;
// Corner 1's x when there is no rectangle.
constexpr std::int32_t kNoRectangleX = -10;

// A position in canvas units (any finite value) rounded to whole units, halves
// to even; beyond the 32-bit range it is held at its end, NaN gives 0.
std::int32_t roundToCanvasUnit(double value);
CanvasPoint roundToCanvas(double x, double y);
// The Euclidean distance between two points, canvas units.
double canvasDistance(CanvasPoint a, CanvasPoint b);

// x truncated to two decimals, toward minus infinity (2.499 gives 2.49,
// -0.001 gives -0.01), judged on x × 100 with 15 significant digits so that a
// value such as 0.29, whose product is 28.999999999999996, keeps its 0.29.
double truncateToHundredths(double x);

struct AcquisitionGeometry {
    std::vector<CanvasPoint> contour;       // vertices in the order clicked; closed implicitly
    std::vector<Trace> traces;              // the last one may be half-drawn, its second end (0, 0)
    std::array<CanvasPoint, 2> scanline{};  // both (0, 0) when none was drawn
    // Corners 1 top-left, 2 top-right, 3 bottom-right, 4 bottom-left, sides axis-parallel.
    std::array<CanvasPoint, 4> rectangle = noRectangle();
    std::string scaleText;  // the scale field's text: metres across the photograph

    long long contourCount() const { return static_cast<long long>(contour.size()); }
    long long traceCount() const { return static_cast<long long>(traces.size()); }
    bool hasRectangle() const { return rectangle[0].x != kNoRectangleX; }
    // Metres per canvas unit: the scale text's leading number / 2001.
    double metresPerUnit() const;

    void clearContour() { contour.clear(); }
    void clearDisc() { traces.clear(); }

    // Moves corner `corner` (0 to 3 for corners 1 to 4) to `to`; its two
    // neighbours follow so that the sides stay axis-parallel. Dragged past
    // the opposite side, corner 1 is no longer the top-left one.
    void dragCorner(int corner, CanvasPoint to);

    static std::array<CanvasPoint, 4> noRectangle() { return {{{kNoRectangleX, 0}, {0, 0}, {0, 0}, {0, 0}}}; }
    // The rectangle offered in a window of innerWidth × innerHeight canvas
    // units (non-negative): corner 1 at a sixth of each, corner 3 at half.
    static std::array<CanvasPoint, 4> defaultRectangle(double innerWidth, double innerHeight);

    bool operator==(const AcquisitionGeometry&) const = default;
};

}  // namespace ravelin
