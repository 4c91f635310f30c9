#include "models/WedgeFailure.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/NumberText.h"

namespace ravelin {

namespace {

double snap(double value) { return std::fabs(value) <= kRoundingZero ? 0.0 : value; }

Vector3 snap(const Vector3& v) { return {snap(v.x), snap(v.y), snap(v.z)}; }
double sign(double value) { return value > 0 ? 1.0 : -1.0; }

constexpr const char* kBehindWedge = "The tension crack is behind the wedge !";
constexpr const char* kNoWedge = "No wedge is formed !";
constexpr const char* kReduceDip = "Invalid tension crack ! Reduce its dip.";
constexpr const char* kChangeDirection = "Invalid tension crack ! Change its dip direction.";
constexpr const char* kInvalidCrack = "Invalid tension crack !";
constexpr const char* kBothLost = "Contact lost on both planes";
constexpr const char* kOnPlane1 = "Sliding on plane 1 (contact is lost on plane 2)";
constexpr const char* kOnPlane2 = "Sliding on plane 2 (contact is lost on plane 1)";
constexpr const char* kOnIntersection = "Sliding on line of intersection";

WedgeFailureResult messageResult(WedgeFailureResult out, const char* message) {
    out.failureMode = message;
    return out;
}

// The safety factor on one plane after contact is lost on the other: the
// normal force is m, the shear the resultant of the forces not carried by
// the plane (normal n of the plane kept, normal o of the other plane).
double singlePlaneSafety(double m, const Vector3& n, double otherForce, const Vector3& o, double V, const Vector3& f5,
                         double W, double uplift, double area, double friction, double cohesion) {
    const Vector3 S{-(m * n.x + V * f5.x + otherForce * o.x), -(m * n.y + V * f5.y + otherForce * o.y),
                    -(m * n.z + V * f5.z + otherForce * o.z) + W};
    const double shear = std::sqrt(dot(S, S));
    if (shear == 0) return std::numeric_limits<double>::quiet_NaN();
    return ((m - uplift * area) * std::tan(friction / DEG) + cohesion * area) / shear;
}

}  // namespace

Vector3 PlaneNormal(double dipDirection, double dip) {
    const double alpha = dipDirection / DEG;
    const double psi = dip / DEG;
    return {std::sin(psi) * std::sin(alpha), std::sin(psi) * std::cos(alpha), std::cos(psi)};
}

bool WedgeInputComplete(const WedgeFailureInput& in) {
    return in.slopeHeight != 0 && in.rockUnitWeight != 0 && in.dip1 != 0 && in.dip2 != 0 && in.dipDirection4 != 0 &&
           in.dip4 != 0 && (in.dipDirection1 != in.dipDirection2 || in.dip1 != in.dip2) &&
           (in.dipDirection3 != in.dipDirection4 || in.dip3 != in.dip4);
}

std::string WeightPattern(double weight) {
    // The digits of the rounded weight decide the groups, so that a weight
    // that rounds up to the next thousand still gets its separator.
    const size_t digits = std::isfinite(weight) && weight >= 1 ? formatNumber(weight, "0").size() : 1;
    const size_t groups = (digits - 1) / 3;
    if (groups == 0) return "##0";
    std::string pattern = "###";
    for (size_t k = 1; k < groups; ++k) pattern += "'###";
    return pattern + "'##0";
}

std::string WeightText(double weight) {
    if (!std::isfinite(weight) || weight <= 0) return "-";
    return formatNumber(weight, WeightPattern(weight));
}

WedgeFailureResult ComputeWedge(const WedgeFailureInput& in) {
    WedgeFailureResult out;
    if (!WedgeInputComplete(in)) return out;

    // Step 1: normals.
    const Vector3 a = snap(PlaneNormal(in.dipDirection1, in.dip1));
    const Vector3 b = snap(PlaneNormal(in.dipDirection2, in.dip2));
    const Vector3 d = snap(PlaneNormal(in.dipDirection3, in.dip3));
    const Vector3 f = snap(PlaneNormal(in.dipDirection4, in.dip4));
    const Vector3 f5 = snap(PlaneNormal(in.dipDirection5, in.dip5));
    const double eta = in.overhanging ? -1.0 : 1.0;

    // Step 2: the vectors and scalars of the solution.
    const Vector3 g = snap(cross(f, a));
    const Vector3 g5 = snap(cross(f5, a));
    const Vector3 i = snap(cross(b, a));
    const Vector3 j = snap(cross(f, d));
    const Vector3 j5 = snap(cross(f5, d));
    const Vector3 k = snap(cross(i, b));
    const Vector3 l = snap(cross(a, i));
    const double m = snap(dot(g, d));
    const double m5 = snap(dot(g5, d));
    const double n = snap(dot(b, j));
    const double n5 = snap(dot(b, j5));
    const double p = snap(dot(i, d));
    const double q = snap(dot(b, g));
    const double q5 = snap(dot(b, g5));
    const double r = dot(a, b);
    const double s5 = snap(dot(a, f5));
    const double v5 = snap(dot(b, f5));
    const double w5 = snap(dot(i, f5));
    const double lambda = snap(dot(i, g));
    const double lambda5 = snap(dot(i, g5));
    const double epsilon = snap(dot(f5, f));

    // The same plane written twice with different numbers (0 and 360, two
    // horizontal planes) leaves no line of intersection or no crest.
    const double R2 = snap(1 - r * r);
    if (R2 == 0 || dot(j, j) == 0) return out;
    // Divisions and signs the solution takes: nothing to analyse without them.
    if (p == 0 || n == 0 || m == 0 || q == 0 || g.z == 0) return out;

    const double R = std::sqrt(R2);
    const double rho = sign(n * q) / R2;
    const double mu = sign(m * q) / R2;
    const double nu = sign(p) / R;
    const double G = dot(g, g);
    const double G5 = dot(g5, g5);
    const double M = std::sqrt(std::max(0.0, G * p * p - 2 * m * p * lambda + m * m * R2));
    const double M5 = snap(std::sqrt(std::max(0.0, G5 * p * p - 2 * m5 * p * lambda5 + m5 * m5 * R2)));

    // Step 3: heights.
    const double h = in.slopeHeight / std::fabs(g.z);
    double h5 = 0;
    if (in.tensionCrack) {
        if (M5 == 0 || n5 == 0) return out;
        h5 = (M * h - std::fabs(p) * in.crackDistance) / M5;
    }
    out.height = h;
    out.crackHeight = h5;
    out.crackLimit = M * h / std::fabs(p);

    // Step 4: the crack position, tested with or without a crack.
    if (in.crackDistance > out.crackLimit) return messageResult(out, kBehindWedge);

    // Step 5: the line of intersection.
    const double plunge = ArcSinDeg(nu * i.z);
    const double trend = AtanDeg2(-nu * i.x, -nu * i.y);

    // Step 6: wedge existence.
    if (p * i.z < 0 || eta * q * i.z < 0) return messageResult(out, kNoWedge);

    // Step 7: crack validity (without a crack h5 = 0 passes).
    if (in.tensionCrack) {
        const double depthRatio = std::fabs(m5 * h5 / (m * h));
        const double directionRatio = std::fabs(n * q5 * m5 * h5 / (n5 * q * m * h));
        if (depthRatio > 1) return messageResult(out, kReduceDip);
        if (directionRatio > 1) return messageResult(out, kChangeDirection);
        if (h5 < 0) return messageResult(out, kInvalidCrack);
    }

    // Step 8: areas and weight; the crack terms vanish without a crack.
    const double crackFace = in.tensionCrack ? std::fabs(m5 * q5) * h5 * h5 : 0.0;
    const double A1 = (std::fabs(m * q) * h * h - crackFace) / (2 * std::fabs(p));
    const double A2 =
        (std::fabs(q / n) * m * m * h * h - (in.tensionCrack ? std::fabs(q5 / n5) * m5 * m5 * h5 * h5 : 0.0)) /
        (2 * std::fabs(p));
    const double A5 = in.tensionCrack ? crackFace / (2 * std::fabs(n5)) : 0.0;
    const double W = in.rockUnitWeight *
                     (q * q * m * m * h * h * h / std::fabs(n) -
                      (in.tensionCrack ? q5 * q5 * m5 * m5 * h5 * h5 * h5 / std::fabs(n5) : 0.0)) /
                     (6 * std::fabs(p));
    out.area1 = A1;
    out.area2 = A2;
    out.crackArea = A5;
    if (!std::isfinite(W)) return out;
    out.weight = W;

    // Step 10: water. A dry slope has no water in the crack either.
    double u = 0;
    double V = 0;
    if (A5 == 0) {
        u = in.waterUnitWeight * h * std::fabs(m * i.z) / (6 * std::fabs(p));
    } else {
        if (d.z == 0 || epsilon == 0) return out;
        u = in.waterUnitWeight * h5 * std::fabs(m5) / (3 * d.z);
        V = u * A5 * eta * sign(epsilon);
    }
    double u1 = u;
    double u2 = u;
    if (in.drySlope) u1 = u2 = V = 0;
    out.crackWaterForce = V;

    // Step 11: normal reactions with contact on both planes.
    const double Na = rho * (W * snap(k.z) + V * (r * v5 - s5)) - u1 * A1;
    const double Nb = mu * (W * snap(l.z) + V * (r * s5 - v5)) - u2 * A2;
    out.reaction1 = Na;
    out.reaction2 = Nb;

    // Step 12: failure mode.
    double safety = std::numeric_limits<double>::quiet_NaN();
    if (Na < 0 && Nb < 0) {
        out.failureMode = kBothLost;
        safety = 0;
    } else if (Na > 0 && Nb < 0) {
        out.failureMode = kOnPlane1;
        const double ma = W * a.z - V * s5 - u2 * A2 * r;
        safety = singlePlaneSafety(ma, a, u2 * A2, b, V, f5, W, u1, A1, in.friction1, in.cohesion1);
    } else if (Na < 0 && Nb > 0) {
        out.failureMode = kOnPlane2;
        const double mb = W * b.z - V * v5 - u1 * A1 * r;
        safety = singlePlaneSafety(mb, b, u1 * A1, a, V, f5, W, u2, A2, in.friction2, in.cohesion2);
    } else if (Na > 0 && Nb > 0) {
        out.failureMode = kOnIntersection;
        out.slidingDirection = trend;
        out.slidingPlunge = plunge;
        const double S = nu * (W * i.z - V * w5);
        const double Q = Na * std::tan(in.friction1 / DEG) + Nb * std::tan(in.friction2 / DEG) + in.cohesion1 * A1 +
                         in.cohesion2 * A2;
        if (S != 0) safety = Q / S;
    }
    // A reaction of exactly 0 decides no mode: every box but the weight shows "-".
    if (std::isfinite(safety)) out.safetyFactor = safety;
    return out;
}

std::vector<std::string> WedgeFailureModeTexts() {
    return {kBehindWedge, kNoWedge,  kReduceDip, kChangeDirection, kInvalidCrack,
            kBothLost,    kOnPlane1, kOnPlane2,  kOnIntersection};
}

}  // namespace ravelin
