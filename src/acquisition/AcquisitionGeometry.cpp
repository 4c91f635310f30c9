#include "acquisition/AcquisitionGeometry.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "core/NumberText.h"

namespace ravelin {

std::int32_t roundToCanvasUnit(double value) {
    if (std::isnan(value)) return 0;
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (value <= lowest) return std::numeric_limits<std::int32_t>::min();
    if (value >= highest) return std::numeric_limits<std::int32_t>::max();
    const double below = std::floor(value);
    const double fraction = value - below;  // exact: both lie within the 32-bit range
    const auto whole = static_cast<std::int32_t>(below);
    return fraction > 0.5 || (fraction == 0.5 && whole % 2 != 0) ? whole + 1 : whole;
}

CanvasPoint roundToCanvas(double x, double y) { return {roundToCanvasUnit(x), roundToCanvasUnit(y)}; }

double canvasDistance(CanvasPoint a, CanvasPoint b) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    return std::sqrt(dx * dx + dy * dy);
}

double truncateToHundredths(double x) {
    // From 1e15 on a double holds no hundredths to cut, and x × 100 could overflow.
    if (!std::isfinite(x) || std::fabs(x) >= 1e15) return x;
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", x * 100);
    return std::floor(std::strtod(text, nullptr)) / 100;
}

double AcquisitionGeometry::metresPerUnit() const { return readNumber(scaleText) / (kReferenceWidth + 1); }

void AcquisitionGeometry::dragCorner(int corner, CanvasPoint to) {
    if (corner < 0 || corner > 3) return;
    rectangle[static_cast<std::size_t>(corner)] = to;
    // A corner passes its x to the corner above or below it and its y to the corner beside it.
    auto& r = rectangle;
    switch (corner) {
        case 0:
            r[3].x = to.x;
            r[1].y = to.y;
            break;
        case 1:
            r[0].y = to.y;
            r[2].x = to.x;
            break;
        case 2:
            r[3].y = to.y;
            r[1].x = to.x;
            break;
        default:
            r[2].y = to.y;
            r[0].x = to.x;
            break;
    }
}

std::array<CanvasPoint, 4> AcquisitionGeometry::defaultRectangle(double innerWidth, double innerHeight) {
    // Integer division of the sizes rounded to whole units, as the window's own arithmetic does it.
    const std::int32_t x1 = roundToCanvasUnit(innerWidth) / 6;
    const std::int32_t y1 = roundToCanvasUnit(innerHeight) / 6;
    return {{{x1, y1}, {3 * x1, y1}, {3 * x1, 3 * y1}, {x1, 3 * y1}}};
}

}  // namespace ravelin
