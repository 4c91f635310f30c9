#include "tools/VolumeEstimation.h"

#include <algorithm>
#include <cmath>

#include "core/NumberText.h"
#include "core/Orientation.h"

namespace ravelin {

namespace {

constexpr double kPi = 3.14159265358979;

double sinDegrees(double degrees) { return std::sin(degrees * kPi / 180); }

}  // namespace

double VolumeFromTwoSets(double spacing1, double spacing2, double persistence1, double persistence2, double angle) {
    if (angle == 0 || angle == 180) return 0;
    return 2 * spacing1 * spacing2 * std::min(persistence1, persistence2) / (kPi * sinDegrees(angle));
}

double VolumeWithFracturation(double spacing1, double spacing2, double angle, double frequency) {
    if (frequency == 0 || angle == 0 || angle == 180) return 0;
    return spacing1 * spacing2 / (sinDegrees(angle) * frequency);
}

double VolumeFromThreeSets(const std::array<PrismSet, 3>& sets) {
    for (size_t i = 0; i < 3; ++i) {
        const PrismSet& a = sets[i];
        const PrismSet& b = sets[(i + 1) % 3];
        if (a.dipDirection == b.dipDirection && a.dip == b.dip) return 0;
        if (a.dip == 0 && b.dip == 0) return 0;
    }
    if (sets[0].dipDirection == sets[1].dipDirection && sets[1].dipDirection == sets[2].dipDirection) return 0;

    std::array<Vector3, 3> poles;
    for (size_t i = 0; i < 3; ++i) {
        OrientationResult r;
        PlaneToPole(r, sets[i].dipDirection, sets[i].dip);
        LineToCosines(r, r.Trend, r.Plunge);
        poles[i] = cosines(r);
    }
    const double triple = Determinant3(poles[0].x, poles[0].y, poles[0].z, poles[1].x, poles[1].y, poles[1].z,
                                       poles[2].x, poles[2].y, poles[2].z);
    // Poles in one plane leave only the rounding of their sines and cosines.
    if (std::fabs(triple) <= kRoundingZero) return 0;
    return sets[0].spacing * sets[1].spacing * sets[2].spacing / std::fabs(triple);
}

std::string VolumeText(double volume, bool zeroIsDash) {
    if (!std::isfinite(volume) || (zeroIsDash && volume == 0)) return "-";
    return formatNumber(volume, volume < 1000000000 ? "0.0" : "0.00E+00");
}

}  // namespace ravelin
