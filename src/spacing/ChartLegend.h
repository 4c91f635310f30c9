#pragma once
// The legend of a histogram: a small white box framed in black naming each
// drawn law in its colour, after a short stroke of its curve. It is placed
// inside the plotting area where it hides no bar and no label; among such
// places it takes the one crossing the fewest curve points, the upper right
// first. Canvas coordinates: twips, y downwards.

#include <optional>
#include <string>
#include <vector>

#include "core/Canvas.h"

namespace ravelin {

struct CanvasRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

// Area shared by two rectangles (twips squared); 0 when they only touch.
double OverlapArea(const CanvasRect& a, const CanvasRect& b);

struct LegendEntry {
    std::string name;
    Rgb color;
};

struct LegendLayout {
    CanvasRect frame;
    std::vector<LegendEntry> entries;
    // Area of bars and labels under the frame: 0 unless no place inside the
    // plotting area is free of them (the least hidden is then taken).
    double hiddenArea = 0;
};

// Sizes of the legend at print scale 1 (twips); they grow with the scale.
namespace legendsize {
constexpr double Padding = 90;  // between the frame and its contents
constexpr double Stroke = 300;  // the sample of each curve
constexpr double Gap = 90;      // between the stroke and the name
constexpr double Inset = 60;    // kept from the plotting area's edges
}  // namespace legendsize

// The legend's frame of width x height inside `area` (shrunk by `inset`):
// of a grid of places, the first with the least area of `solid` under it,
// then the fewest `points`. nullopt when the legend does not fit in the area.
std::optional<CanvasRect> PlaceLegend(const CanvasRect& area, double width, double height, double inset,
                                      const std::vector<CanvasRect>& solid, const std::vector<DrawPoint>& points);

// Draws the frame and its entries with the font given (the text's colour is its law's).
void DrawLegend(Canvas& canvas, const LegendLayout& legend, const FontSpec& font, double scale);

}  // namespace ravelin
