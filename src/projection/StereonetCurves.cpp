#include "projection/StereonetCurves.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "projection/SphereGeometry.h"

namespace ravelin {

namespace {

constexpr double kPi = std::numbers::pi;

// The Wulff arc. With g = pi/2 - d and the arc's own angle written as
// a + psi (psi in [-g, g]), a point is C + R (u e1 + v e2), e1 the unit
// vector of the dip direction and e2 that of the strike on its right, with
// u = (cos psi - sin d) / cos d and v = sin psi / cos d. u is evaluated as a
// product of sines, so a nearly vertical plane (centre some 6e6 R away)
// loses no digits to cancellation.
Polyline wulffGreatCircle(const NetView& view, double dipDirection, double dip) {
    double d = dip * RAD;
    if (dip == 90 || d > kWulffVerticalDip) d = kWulffVerticalDip;
    if (dip == 0) d = kWulffHorizontalDip;
    const double g = kPi / 2 - d;
    const double a = dipDirection * RAD;
    const NetPoint e1{std::sin(a), -std::cos(a)};  // screen axes: y down
    const NetPoint e2{std::cos(a), std::sin(a)};
    const double r = view.radius();
    const double sinG = std::sin(g);
    auto at = [&](double u, double v) {
        return NetPoint{view.cx() + r * (u * e1.x + v * e2.x), view.cy() + r * (u * e1.y + v * e2.y)};
    };
    Polyline path{at(0, -1)};
    constexpr double kStep = kPi / 100;
    // Skips a sample within rounding of the far strike end, which follows anyway.
    constexpr double kSameAngle = 1e-12;
    for (int k = 1;; ++k) {
        const double psi = -g + k * kStep;
        if (psi >= g - kSameAngle) break;
        const double u = 2 * std::sin((g + psi) / 2) * std::sin((g - psi) / 2) / sinG;
        path.push_back(at(u, std::sin(psi) / sinG));
    }
    path.push_back(at(0, 1));
    return path;
}

Polyline schmidtGreatCircle(const NetView& view, double dipDirection, double dip) {
    const double a = dipDirection * RAD;
    const double d = dip * RAD;
    const Vector3 strike{std::sin(a), -std::cos(a), 0};  // azimuth a - 90
    const Vector3 dipLine{std::cos(a) * std::cos(d), std::sin(a) * std::cos(d), std::sin(d)};
    const int steps = static_cast<int>(std::ceil(180 / kCurveStepDegrees));
    Polyline path;
    path.reserve(static_cast<std::size_t>(steps) + 1);
    path.push_back(view.projectDirection(strike));
    for (int k = 1; k < steps; ++k) {
        const double phi = k * kPi / steps;
        path.push_back(view.projectDirection(std::cos(phi) * strike + std::sin(phi) * dipLine));
    }
    path.push_back(view.projectDirection(-strike));
    return path;
}

// The direction on the cone at angle beta around the axis.
struct Cone {
    Vector3 axis, first, second;
    double cosAngle = 1, sinAngle = 0;
    Vector3 at(double beta) const {
        return cosAngle * axis + sinAngle * (std::cos(beta) * first + std::sin(beta) * second);
    }
};

// Where the cone crosses the horizon between an angle below it and one above
// it: bisection to the last bit, keeping the end below the horizon.
Vector3 horizonCrossing(const Cone& cone, double above, double below) {
    for (int i = 0; i < 80; ++i) {
        const double mid = (above + below) / 2;
        if (mid == above || mid == below) break;
        (cone.at(mid).z >= 0 ? below : above) = mid;
    }
    return cone.at(below);
}

}  // namespace

Polyline greatCircle(const NetView& view, Plane plane) {
    const std::optional<Plane> p = normalisedPlane(plane);
    if (!p) return {};
    const double dipDirection = view.viewAzimuth(p->dipDirection);
    return view.net() == NetKind::Wulff ? wulffGreatCircle(view, dipDirection, p->dip)
                                        : schmidtGreatCircle(view, dipDirection, p->dip);
}

std::vector<std::vector<Vector3>> smallCircleDirections(const Vector3& axisInViewFrame, double coneAngle) {
    if (!std::isfinite(coneAngle)) return {};
    double angle = std::fabs(std::fmod(coneAngle, 360.0));
    if (angle > 180) angle = 360 - angle;
    Cone cone;
    cone.axis = normalized(axisInViewFrame);
    orthonormalFrame(cone.axis, cone.first, cone.second);
    cone.cosAngle = std::cos(angle * RAD);
    cone.sinAngle = std::sin(angle * RAD);
    if (angle == 0 || angle == 180) {
        const Vector3 only = angle == 0 ? cone.axis : -cone.axis;
        if (only.z < 0) return {};
        return {{only}};
    }

    const int steps = static_cast<int>(std::ceil(360 / kCurveStepDegrees));
    const double step = 2 * kPi / steps;
    std::vector<Vector3> samples(static_cast<std::size_t>(steps));
    for (int k = 0; k < steps; ++k) samples[static_cast<std::size_t>(k)] = cone.at(k * step);
    auto below = [&](int k) { return samples[static_cast<std::size_t>(k % steps)].z >= 0; };

    int start = -1;  // a sample above the horizon followed by one below
    for (int k = 0; k < steps && start < 0; ++k) {
        if (!below(k) && below(k + 1)) start = k;
    }
    if (start < 0) {
        if (!below(0)) return {};
        std::vector<Vector3> closed(samples);
        closed.push_back(samples.front());
        return {closed};
    }

    std::vector<std::vector<Vector3>> pieces;
    std::vector<Vector3> piece;
    for (int i = 0; i < steps; ++i) {
        const int k = start + i;
        const bool here = below(k);
        const bool next = below(k + 1);
        if (!here && next) {
            piece = {horizonCrossing(cone, k * step, (k + 1) * step)};
        }
        if (next) {
            piece.push_back(samples[static_cast<std::size_t>((k + 1) % steps)]);
        } else if (here) {
            piece.push_back(horizonCrossing(cone, (k + 1) * step, k * step));
            pieces.push_back(std::move(piece));
            piece.clear();
        }
    }
    if (!piece.empty()) pieces.push_back(std::move(piece));
    return pieces;
}

Polyline projectPath(const NetView& view, const std::vector<Vector3>& directions) {
    Polyline path;
    path.reserve(directions.size());
    for (const Vector3& v : directions) path.push_back(view.projectDirection(v));
    return path;
}

std::vector<Polyline> smallCircle(const NetView& view, Line axis, double coneAngle, bool bothEnds) {
    const std::optional<Line> lower = lowerHemisphereLine(axis);
    if (!lower || !std::isfinite(coneAngle)) return {};
    const Vector3 a = lineVector({view.viewAzimuth(lower->trend), lower->plunge});
    std::vector<std::vector<Vector3>> pieces = smallCircleDirections(a, coneAngle);
    if (bothEnds) {
        for (auto& piece : smallCircleDirections(-a, coneAngle)) pieces.push_back(std::move(piece));
    }
    std::vector<Polyline> paths;
    for (const auto& piece : pieces) paths.push_back(projectPath(view, piece));
    return paths;
}

}  // namespace ravelin
