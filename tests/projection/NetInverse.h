#pragma once
// Independent inverse of the two net projections for the projection tests:
// from a canvas point back to the lower-hemisphere unit vector drawn there,
// through the colatitude of each net (2 atan r for Wulff, 2 asin(r / sqrt 2)
// for Schmidt), not through the closed forms the code projects with.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "projection/Stereonet.h"

namespace ravelin::test {

inline Vector3 directionDrawnAt(const NetView& view, NetPoint p) {
    const double east = (p.x - view.cx()) / view.radius();
    const double north = (view.cy() - p.y) / view.radius();
    const double rho = std::hypot(east, north);
    const double colatitude =
        view.net() == NetKind::Wulff ? 2 * std::atan(rho) : 2 * std::asin(std::min(rho / std::numbers::sqrt2, 1.0));
    const double azimuth = std::atan2(east, north);
    return {std::sin(colatitude) * std::cos(azimuth), std::sin(colatitude) * std::sin(azimuth), std::cos(colatitude)};
}

inline double radiusOf(const NetView& view, NetPoint p) { return std::hypot(p.x - view.cx(), p.y - view.cy()); }

inline double degreesBetween(const Vector3& a, const Vector3& b) {
    const double c = std::clamp(dot(a, b) / std::sqrt(dot(a, a) * dot(b, b)), -1.0, 1.0);
    return std::acos(c) * 180 / std::numbers::pi;
}

inline Vector3 unitOf(double trendDegrees, double plungeDegrees) {
    const double t = trendDegrees * std::numbers::pi / 180, p = plungeDegrees * std::numbers::pi / 180;
    return {std::cos(t) * std::cos(p), std::sin(t) * std::cos(p), std::sin(p)};
}

}  // namespace ravelin::test
