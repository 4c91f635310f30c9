#pragma once
// Orientation arithmetic shared by every calculation window.
//
// Notation: angles are in degrees at every interface. A plane is (dip
// direction 0..360 clockwise from north, dip 0..90); a line is (trend,
// plunge positive downwards). Vectors are right-handed with X north,
// Y east, Z down; direction cosines of a line are
//   X = cos(trend)cos(plunge), Y = sin(trend)cos(plunge), Z = sin(plunge).

#include <cstddef>
#include <string>
#include <vector>

namespace ravelin {

constexpr double DEG = 57.29577951308238;  // degrees per radian

// The five results every conversion overwrites. Callers needing two vectors
// copy the first before computing the second.
struct OrientationResult {
    double X = 0;
    double Y = 0;
    double Z = 0;
    double Plunge = 0;  // plunge of a line, or dip of a plane (degrees)
    double Trend = 0;   // trend of a line, or dip direction of a plane (degrees)
};

struct Vector3 {
    double x = 0, y = 0, z = 0;
};

inline Vector3 cross(const Vector3& u, const Vector3& v) {
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}
inline double dot(const Vector3& u, const Vector3& v) { return u.x * v.x + u.y * v.y + u.z * v.z; }

// Products of unit vectors that should be exactly 0 come out of the sines
// and cosines of 90, 180 and 360 degrees as about 1e-16; anything at or
// below 1e-12 (an angle of some 1e-10 degrees) is taken as that zero, so
// that sign tests and divisions see the zero the geometry has.
constexpr double kRoundingZero = 1e-12;

// Trend = dip direction + 180 (less 360 above 360: 180 gives 360, not 0),
// Plunge = 90 - dip. Applied to a line, gives the plane normal to it.
void PlaneToPole(OrientationResult& r, double dipDirection, double dip);
void LineToCosines(OrientationResult& r, double trend, double plunge);
// The zero vector stays zero.
void NormalizeVector(OrientationResult& r, double x, double y, double z);
// Always the lower-hemisphere line; X, Y, Z receive the downward unit vector.
// Where X or Y is 0 the trend comes from a quadrant-aware arc tangent.
void CosinesToLine(OrientationResult& r, double x, double y, double z);
void CrossProduct(OrientationResult& r, const Vector3& a, const Vector3& b);
// Acute angle (0..90 degrees) between two lines given by unit vectors.
double AngleBetweenLines(const Vector3& a, const Vector3& b);
// Arc cosine / arc sine in degrees; the argument is clamped to [-1, 1] first.
double ArcCosDeg(double v);
double ArcSinDeg(double v);
// Between -90 and 270: +-90 when |x| < 1e-05, else atan(y/x), plus 180 when x < 0.
double AtanDeg2(double y, double x);
double Cotan(double radians);
double Determinant3(double p1, double p2, double p3, double p4, double p5, double p6, double p7, double p8, double p9);

inline Vector3 cosines(const OrientationResult& r) { return {r.X, r.Y, r.Z}; }

// Theta between the scanline (trend, plunge) and the pole of the set
// (dip direction, dip): 0..90 degrees.
double ThetaAngle(double setDipDirection, double setDip, double scanTrend, double scanPlunge);

// Stable ascending sort of a[lo..hi] (inclusive bounds).
void MergeSort(std::vector<double>& a, std::ptrdiff_t lo, std::ptrdiff_t hi);

}  // namespace ravelin
