#include "models/ProbabilisticWedge.h"

#include <cmath>

namespace ravelin {

namespace {

// A line of intersection must plunge by more than rounding to count as plunging.
constexpr double kPlungeMargin = 1e-15;

Vector3 unitPole(double dipDirection, double dip) {
    OrientationResult r;
    PlaneToPole(r, dipDirection, dip);
    LineToCosines(r, r.Trend, r.Plunge);
    NormalizeVector(r, r.X, r.Y, r.Z);
    return cosines(r);
}

bool samePlane(double dipDirection1, double dip1, double dipDirection2, double dip2) {
    return dipDirection1 == dipDirection2 && dip1 == dip2;
}

}  // namespace

Vector3 PointDown(const Vector3& v) { return v.z < 0 ? Vector3{-v.x, -v.y, -v.z} : v; }

Vector3 PointUp(const Vector3& v) { return v.z > 0 ? Vector3{-v.x, -v.y, -v.z} : v; }

bool ProbabilisticWedgeInputComplete(const ProbabilisticWedgeInput& in) {
    return in.spacing1 != 0 && in.spacing2 != 0 && !samePlane(in.dipDirection1, in.dip1, in.dipDirection2, in.dip2) &&
           !samePlane(in.dipDirection1, in.dip1, in.slopeDipDirection, in.slopeDip) &&
           !samePlane(in.dipDirection2, in.dip2, in.slopeDipDirection, in.slopeDip);
}

ProbabilisticWedgeResult ComputeWedgeProb(const ProbabilisticWedgeInput& in) {
    ProbabilisticWedgeResult out;
    if (!ProbabilisticWedgeInputComplete(in)) return out;

    const Vector3 p1 = PointUp(unitPole(in.dipDirection1, in.dip1));
    const Vector3 p2 = PointUp(unitPole(in.dipDirection2, in.dip2));
    const Vector3 crossed = cross(p1, p2);
    const double s = std::sqrt(dot(crossed, crossed));  // sine of the angle between the poles
    if (s <= kRoundingZero) return out;
    const Vector3 I = PointUp({crossed.x / s, crossed.y / s, crossed.z / s});
    out.intersection = I;
    OrientationResult line;
    CosinesToLine(line, I.x, I.y, I.z);
    out.intersectionTrend = line.Trend;

    double offSlope = std::fabs(line.Trend - in.slopeDipDirection);
    if (offSlope > 180) offSlope = 360 - offSlope;
    if (!(I.z + kPlungeMargin < 0) || offSlope > 90) return out;

    // Within a plane of set 1, moving d2 / s along u changes the distance from set 2 by d2; likewise w.
    const Vector3 u = PointDown(cross(I, p1));
    const Vector3 w = PointDown(cross(I, p2));
    const double along1 = in.spacing2 / s;
    const double along2 = in.spacing1 / s;
    const Vector3 P{along1 * u.x + along2 * w.x, along1 * u.y + along2 * w.y, along1 * u.z + along2 * w.z};

    const Vector3 n = unitPole(in.slopeDipDirection, in.slopeDip);
    const double nI = dot(n, I);
    if (std::fabs(nI) <= kRoundingZero) return out;
    const double t = -dot(n, P) / nI;
    const double height = P.z + t * I.z;
    if (height < 0 || !std::isfinite(height)) return out;
    out.emergenceHeight = height;
    return out;
}

}  // namespace ravelin
