#pragma once
// Small vector helpers shared by the stereonet constructions (unit vectors
// x north, y east, z down; angles in degrees unless named in radians).

#include <cmath>

#include "core/Orientation.h"

namespace ravelin {

inline Vector3 operator+(const Vector3& a, const Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector3 operator-(const Vector3& a) { return {-a.x, -a.y, -a.z}; }
inline Vector3 operator*(double k, const Vector3& a) { return {k * a.x, k * a.y, k * a.z}; }
inline double norm(const Vector3& a) { return std::sqrt(dot(a, a)); }
// The zero vector stays zero.
inline Vector3 normalized(const Vector3& a) {
    const double n = norm(a);
    return n > 0 ? (1 / n) * a : a;
}

// An angle in degrees brought into [0, 360); any finite angle.
inline double wrapDegrees(double degrees) {
    double r = std::fmod(degrees, 360.0);
    if (r < 0) r += 360;
    // -1e-17 + 360 rounds to 360.
    return r >= 360 ? 0.0 : r;
}

// Signed difference a - b of two azimuths, in [-180, 180).
inline double azimuthDifference(double a, double b) {
    const double d = wrapDegrees(a - b);
    return d >= 180 ? d - 360 : d;
}

// Two unit vectors completing the unit vector `axis` to a right-handed
// orthonormal frame (first x second = axis).
inline void orthonormalFrame(const Vector3& axis, Vector3& first, Vector3& second) {
    // Cross with the coordinate axis least aligned with `axis`, so the product never vanishes.
    const Vector3 helper = std::fabs(axis.z) < 0.9 ? Vector3{0, 0, 1} : Vector3{1, 0, 0};
    first = normalized(cross(helper, axis));
    second = cross(axis, first);
}

}  // namespace ravelin
