#include "projection/Stereonet.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "projection/SphereGeometry.h"

namespace ravelin {

std::optional<Line> lowerHemisphereLine(Line line) {
    if (!std::isfinite(line.trend) || !std::isfinite(line.plunge)) return std::nullopt;
    if (line.plunge >= 0 && line.plunge <= 90) return Line{wrapDegrees(line.trend), line.plunge};
    return vectorLine(lineVector(line));
}

std::optional<Plane> normalisedPlane(Plane plane) {
    if (!std::isfinite(plane.dipDirection) || !std::isfinite(plane.dip)) return std::nullopt;
    if (plane.dip >= 0 && plane.dip <= 90) return Plane{wrapDegrees(plane.dipDirection), plane.dip};
    // Through the pole, which lowerHemisphereLine brings into range.
    const Line pole = *lowerHemisphereLine({plane.dipDirection + 180, 90 - plane.dip});
    return Plane{wrapDegrees(pole.trend + 180), 90 - pole.plunge};
}

Vector3 lineVector(Line line) {
    const double t = line.trend * RAD;
    const double p = line.plunge * RAD;
    return {std::cos(t) * std::cos(p), std::sin(t) * std::cos(p), std::sin(p)};
}

Line vectorLine(const Vector3& v) {
    OrientationResult r;
    CosinesToLine(r, v.x, v.y, v.z);
    return {wrapDegrees(r.Trend), std::clamp(r.Plunge, 0.0, 90.0)};
}

NetView NetView::forCanvas(double width, double height, NetKind net, Hemisphere hemisphere) {
    const double cx = std::isfinite(width) ? std::max(width, 0.0) / 2 : 0;
    const double cy = std::isfinite(height) ? std::max(height, 0.0) / 2 : 0;
    return NetView(cx, cy, std::max(std::min(cx, cy) - kNetMargin, 0.0), net, hemisphere);
}

NetView::NetView(double cx, double cy, double radius, NetKind net, Hemisphere hemisphere)
    : cx_(cx), cy_(cy), radius_(radius), net_(net), hemisphere_(hemisphere) {}

double NetView::viewAzimuth(double azimuth) const {
    if (hemisphere_ == Hemisphere::Lower) return azimuth;
    return wrapDegrees(std::nearbyint(azimuth + 180));
}

std::optional<NetPoint> NetView::project(Line line) const {
    const std::optional<Line> lower = lowerHemisphereLine(line);
    if (!lower) return std::nullopt;
    const double t = viewAzimuth(lower->trend) * RAD;
    const double halfColatitude = RAD * (90 - lower->plunge) / 2;
    const double r = net_ == NetKind::Wulff ? radius_ * std::tan(halfColatitude)
                                            : std::numbers::sqrt2 * radius_ * std::sin(halfColatitude);
    return NetPoint{cx_ + r * std::sin(t), cy_ - r * std::cos(t)};
}

NetPoint NetView::projectDirection(const Vector3& v) const {
    // Closed forms of the two projections in direction cosines: the distance
    // from the centre is R h / (1 + z) (Wulff) or R sqrt(1 - z) (Schmidt),
    // h being the horizontal length, with no angle to recover first.
    const double z = std::max(v.z, 0.0);
    const double scale = net_ == NetKind::Wulff ? radius_ / (1 + z) : radius_ / std::sqrt(1 + z);
    return {cx_ + scale * v.y, cy_ - scale * v.x};
}

Vector3 unitNetDirection(NetKind net, double east, double north) {
    const double rho2 = east * east + north * north;
    if (net == NetKind::Wulff) {
        const double k = 2 / (1 + rho2);
        return {k * north, k * east, (1 - rho2) / (1 + rho2)};
    }
    // The equal-area net covers the whole sphere within sqrt(2); beyond it, the zenith.
    const double r2 = std::min(rho2, 2.0);
    const double k = std::sqrt(2 - r2);
    return {k * north, k * east, 1 - r2};
}

Polyline primitiveCircle(const NetView& view) {
    constexpr int kSteps = 200;  // pi / 100 per step
    Polyline circle;
    circle.reserve(kSteps + 1);
    for (int k = 0; k < kSteps; ++k) {
        const double angle = k * std::numbers::pi / 100;
        circle.push_back({view.cx() + view.radius() * std::cos(angle), view.cy() - view.radius() * std::sin(angle)});
    }
    circle.push_back(circle.front());
    return circle;
}

RimMarks rimMarks(const NetView& view) {
    RimMarks marks;
    const double r = view.radius();
    for (int k = 0; k < 36; ++k) {
        const double azimuth = k * 10 * RAD;
        const double east = std::sin(azimuth);
        const double south = -std::cos(azimuth);
        const double length = std::min(k % 9 == 0 ? kRimCardinalTick : kRimTick, r);
        marks.ticks.push_back({{view.cx() + r * east, view.cy() + r * south},
                               {view.cx() + (r - length) * east, view.cy() + (r - length) * south}});
    }
    marks.northLabelAnchor = {view.cx(), view.cy() - r - kNorthLabelGap};
    return marks;
}

PointSymbol pointSymbol(int symbolIndex) {
    switch (symbolIndex) {
        case 1: return {SymbolShape::FilledCircle, kSymbolCircleRadius, {}};
        case 2: return {SymbolShape::Character, 0, "+"};
        case 3: return {SymbolShape::Character, 0, "x"};
        case 4: return {SymbolShape::Character, 0, "*"};
        default: return {SymbolShape::OpenCircle, kSymbolCircleRadius, {}};
    }
}

Rgb replotColor(Hemisphere hemisphere) {
    return hemisphere == Hemisphere::Lower ? Rgb::fromRgb(255, 100, 100) : Rgb::fromRgb(100, 100, 255);
}

}  // namespace ravelin
