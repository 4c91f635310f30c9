#include "spacing/ChartLegend.h"

#include <algorithm>
#include <limits>

namespace ravelin {

namespace {
// Places tried along each direction: fine enough to find a gap between a
// tall first class and the statistics, few enough to stay instant on 32767 classes.
constexpr int kPlacesAcross = 9;
}  // namespace

double OverlapArea(const CanvasRect& a, const CanvasRect& b) {
    const double width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const double height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

std::optional<CanvasRect> PlaceLegend(const CanvasRect& area, double width, double height, double inset,
                                      const std::vector<CanvasRect>& solid, const std::vector<DrawPoint>& points) {
    const double leftmost = area.left + inset;
    const double rightmost = area.right - inset - width;
    const double highest = area.top + inset;
    const double lowest = area.bottom - inset - height;
    if (!(rightmost >= leftmost) || !(lowest >= highest)) return std::nullopt;

    std::optional<CanvasRect> best;
    double bestHidden = std::numeric_limits<double>::infinity();
    long long bestCrossed = 0;
    // From the top row down, each row from the right: the first of equal places wins.
    for (int row = 0; row < kPlacesAcross; ++row) {
        const double top = highest + (lowest - highest) * row / (kPlacesAcross - 1);
        for (int column = 0; column < kPlacesAcross; ++column) {
            const double left = rightmost - (rightmost - leftmost) * column / (kPlacesAcross - 1);
            const CanvasRect place{left, top, left + width, top + height};
            double hidden = 0;
            for (const CanvasRect& r : solid) hidden += OverlapArea(place, r);
            if (hidden > bestHidden) continue;
            long long crossed = 0;
            for (const DrawPoint& p : points)
                crossed += p.x >= place.left && p.x <= place.right && p.y >= place.top && p.y <= place.bottom;
            if (hidden < bestHidden || crossed < bestCrossed) {
                best = place;
                bestHidden = hidden;
                bestCrossed = crossed;
            }
        }
    }
    return best;
}

void DrawLegend(Canvas& canvas, const LegendLayout& legend, const FontSpec& font, double scale) {
    const CanvasRect& frame = legend.frame;
    canvas.fillBox(frame.left, frame.top, frame.right, frame.bottom, colors::White);
    canvas.setPen(colors::Black, 1);
    canvas.box(frame.left, frame.top, frame.right, frame.bottom);
    canvas.setFont(font);
    const double rowHeight = canvas.textHeight("Tg");
    double top = frame.top + legendsize::Padding * scale;
    for (const LegendEntry& entry : legend.entries) {
        const double strokeLeft = frame.left + legendsize::Padding * scale;
        const double strokeRight = strokeLeft + legendsize::Stroke * scale;
        canvas.setPen(entry.color, 1);
        canvas.line(strokeLeft, top + rowHeight / 2, strokeRight, top + rowHeight / 2);
        canvas.text(strokeRight + legendsize::Gap * scale, top, entry.name);
        top += rowHeight;
    }
    canvas.setPen(colors::Black, 1);
}

}  // namespace ravelin
