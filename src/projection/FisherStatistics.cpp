#include "projection/FisherStatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <Eigen/Eigenvalues>

#include "projection/SphereGeometry.h"

namespace ravelin {

namespace {

// Opposite unit vectors leave a resultant of some 1e-16 per datum from the
// sines and cosines of their angles; below this per datum it counts as none.
constexpr double kNoResultant = 1e-12;

Vector3 principalAxis(const std::vector<Vector3>& vectors) {
    Eigen::Matrix3d t = Eigen::Matrix3d::Zero();
    for (const Vector3& v : vectors) {
        const Eigen::Vector3d e(v.x, v.y, v.z);
        t += e * e.transpose();
    }
    // Eigenvalues come in increasing order: the last column is the principal axis.
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> solver(t);
    const Eigen::Vector3d axis = solver.eigenvectors().col(2);
    return {axis.x(), axis.y(), axis.z()};
}

}  // namespace

FisherStatistics fisherStatistics(const std::vector<Line>& lines, FisherData kind) {
    std::vector<Vector3> vectors;
    vectors.reserve(lines.size());
    for (const Line& line : lines) {
        if (std::isfinite(line.trend) && std::isfinite(line.plunge)) vectors.push_back(lineVector(line));
    }
    FisherStatistics s;
    s.n = vectors.size();
    if (vectors.empty()) return s;

    if (kind == FisherData::Axes) {
        const Vector3 axis = principalAxis(vectors);
        for (Vector3& v : vectors) {
            if (dot(v, axis) < 0) v = -v;
        }
    }
    Vector3 sum;
    for (const Vector3& v : vectors) sum = sum + v;
    const double n = static_cast<double>(s.n);
    s.resultantLength = std::min(norm(sum), n);  // rounding can carry R of identical vectors past n
    if (s.resultantLength <= kNoResultant * n) {
        s.resultantLength = 0;
        return s;
    }
    const Vector3 mean = (1 / norm(sum)) * sum;
    if (kind == FisherData::Axes) {
        s.mean = vectorLine(mean);
    } else {
        s.mean = Line{wrapDegrees(std::atan2(mean.y, mean.x) * DEG), std::asin(std::clamp(mean.z, -1.0, 1.0)) * DEG};
    }
    if (s.n < 2) return s;

    // Identical unit vectors sum to n less a few rounding errors of their lengths: that is no spread.
    const double rawSpread = n - s.resultantLength;
    const double spread = rawSpread <= 8 * n * std::numeric_limits<double>::epsilon() ? 0 : rawSpread;
    s.kappa = spread > 0 ? (n - 1) / spread : std::numeric_limits<double>::infinity();
    const double cosine = 1 - spread / s.resultantLength * (std::pow(1 / 0.05, 1 / (n - 1)) - 1);
    if (cosine >= -1) s.alpha95 = std::acos(std::min(cosine, 1.0)) * DEG;
    return s;
}

}  // namespace ravelin
