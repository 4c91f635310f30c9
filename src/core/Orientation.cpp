#include "core/Orientation.h"

#include <algorithm>
#include <cmath>

namespace ravelin {

void PlaneToPole(OrientationResult& r, double dipDirection, double dip) {
    double trend = dipDirection + 180;
    // Only a sum above 360 wraps, so a dip direction of 180 gives 360.
    if (trend > 360) trend -= 360;
    r.Trend = trend;
    r.Plunge = 90 - dip;
}

void LineToCosines(OrientationResult& r, double trend, double plunge) {
    double t = trend / DEG;
    double p = plunge / DEG;
    r.X = std::cos(t) * std::cos(p);
    r.Y = std::sin(t) * std::cos(p);
    r.Z = std::sin(p);
}

void NormalizeVector(OrientationResult& r, double x, double y, double z) {
    if (x == 0 && y == 0 && z == 0) {
        r.X = r.Y = r.Z = 0;
        return;
    }
    double length = std::sqrt(x * x + y * y + z * z);
    r.X = x / length;
    r.Y = y / length;
    r.Z = z / length;
}

void CosinesToLine(OrientationResult& r, double x, double y, double z) {
    // At most two passes: an upward vector is turned down once, after which
    // the plunge is non-negative (or NaN, which also ends the loop).
    for (int pass = 0; pass < 2; ++pass) {
        NormalizeVector(r, x, y, z);
        if (r.X != 0 && r.Y != 0) {
            r.Plunge = std::atan(r.Z / std::sqrt(r.X * r.X + r.Y * r.Y)) * DEG;
            r.Trend = std::atan(r.Y / r.X) * DEG;
            if (r.X < 0) {
                r.Trend += 180;
            } else if (r.Y < 0) {
                r.Trend += 360;
            }
        } else {
            // On a vertical plane through an axis (or the zero vector) the
            // ratio Y/X is undefined; "+ 0.0" turns -0 into +0 so atan2 does
            // not read a signed zero as a half turn.
            double north = r.X + 0.0;
            double east = r.Y + 0.0;
            r.Plunge = std::atan2(r.Z, std::hypot(north, east)) * DEG;
            r.Trend = std::atan2(east, north) * DEG;
            if (r.Trend < 0) r.Trend += 360;
        }
        if (!(r.Plunge < 0)) return;
        x = -r.X;
        y = -r.Y;
        z = -r.Z;
    }
}

void CrossProduct(OrientationResult& r, const Vector3& a, const Vector3& b) {
    const Vector3 c = cross(a, b);
    r.X = c.x;
    r.Y = c.y;
    r.Z = c.z;
}

double AngleBetweenLines(const Vector3& a, const Vector3& b) { return ArcCosDeg(std::fabs(dot(a, b))); }

double ArcCosDeg(double v) {
    // Rounding can push a dot product of unit vectors just past 1.
    v = std::clamp(v, -1.0, 1.0);
    if (v >= 1) return 0;
    if (v <= -1) return 180;
    return (std::atan(-v / std::sqrt(1 - v * v)) + 2 * std::atan(1.0)) * DEG;
}

double ArcSinDeg(double v) {
    v = std::clamp(v, -1.0, 1.0);
    if (v >= 1) return 90;
    if (v <= -1) return -90;
    return std::atan(v / std::sqrt(1 - v * v)) * DEG;
}

double AtanDeg2(double y, double x) {
    if (std::fabs(x) < 1e-05) return y < 0 ? -90 : 90;
    double angle = std::atan(y / x) * DEG;
    return x < 0 ? angle + 180 : angle;
}

double Cotan(double radians) { return 1 / std::tan(radians); }

double Determinant3(double p1, double p2, double p3, double p4, double p5, double p6, double p7, double p8, double p9) {
    return p1 * (p5 * p9 - p6 * p8) - p4 * (p2 * p9 - p3 * p8) + p7 * (p2 * p6 - p3 * p5);
}

double ThetaAngle(double setDipDirection, double setDip, double scanTrend, double scanPlunge) {
    OrientationResult r;
    PlaneToPole(r, setDipDirection, setDip);
    LineToCosines(r, r.Trend, r.Plunge);
    Vector3 pole = cosines(r);
    LineToCosines(r, scanTrend, scanPlunge);
    return AngleBetweenLines(pole, cosines(r));
}

namespace {

// Sorts a[lo..hi]; `buffer` is shared scratch space indexed like `a`.
void mergeSortRange(std::vector<double>& a, std::vector<double>& buffer, std::ptrdiff_t lo, std::ptrdiff_t hi) {
    if (hi <= lo) return;
    std::ptrdiff_t mid = lo + (hi - lo) / 2;
    mergeSortRange(a, buffer, lo, mid);
    mergeSortRange(a, buffer, mid + 1, hi);
    std::copy(a.begin() + lo, a.begin() + hi + 1, buffer.begin() + lo);
    std::ptrdiff_t left = lo;
    std::ptrdiff_t right = mid + 1;
    std::ptrdiff_t out = lo;
    // "<=" takes the left element on ties, which keeps the sort stable.
    while (left <= mid && right <= hi) {
        if (buffer[static_cast<std::size_t>(left)] <= buffer[static_cast<std::size_t>(right)]) {
            a[static_cast<std::size_t>(out++)] = buffer[static_cast<std::size_t>(left++)];
        } else {
            a[static_cast<std::size_t>(out++)] = buffer[static_cast<std::size_t>(right++)];
        }
    }
    while (left <= mid) a[static_cast<std::size_t>(out++)] = buffer[static_cast<std::size_t>(left++)];
    while (right <= hi) a[static_cast<std::size_t>(out++)] = buffer[static_cast<std::size_t>(right++)];
}

}  // namespace

void MergeSort(std::vector<double>& a, std::ptrdiff_t lo, std::ptrdiff_t hi) {
    // Bounds outside the array are the caller's error; keep them from
    // turning into out-of-range writes.
    lo = std::max<std::ptrdiff_t>(lo, 0);
    hi = std::min<std::ptrdiff_t>(hi, static_cast<std::ptrdiff_t>(a.size()) - 1);
    if (hi <= lo) return;
    std::vector<double> buffer(a.size());
    mergeSortRange(a, buffer, lo, hi);
}

}  // namespace ravelin
