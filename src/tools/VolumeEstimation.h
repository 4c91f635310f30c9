#pragma once
// Mean volume of a rock compartment from the discontinuity sets that cut it,
// by three methods. Spacings, persistences and the apparent frequency share
// one unit of length (0 to 2147483647); the volume is in that unit cubed.
// Angles are in degrees. A method that cannot give a volume returns 0.

#include <array>
#include <string>

namespace ravelin {

// Two sets of mean spacings S1, S2 and mean persistences P1, P2 at an angle α
// (0..180): 2·S1·S2·min(P1, P2) / (π·sin α); 0 when α is 0 or 180.
double VolumeFromTwoSets(double spacing1, double spacing2, double persistence1, double persistence2, double angle);

// Two sets and the apparent frequency F of the fractures perpendicular to
// their intersection: S1·S2 / (sin α · F); 0 when F = 0 or α is 0 or 180.
double VolumeWithFracturation(double spacing1, double spacing2, double angle, double frequency);

// Three sets forming prisms, each (mean spacing, dip direction 0..360, dip
// 0..90): the parallelepiped S1·S2·S3 / |u1·(u2 × u3)| of their unit poles.
// 0 when two sets are alike, two are horizontal, all dip the same way, or
// the poles lie in one plane (no finite prism).
struct PrismSet {
    double spacing = 0, dipDirection = 0, dip = 0;
};
double VolumeFromThreeSets(const std::array<PrismSet, 3>& sets);

// A volume as the result fields show it: "0.0" below 1000000000, else
// "0.00E+00"; "-" when there is no finite volume, and for 0 when zeroIsDash.
std::string VolumeText(double volume, bool zeroIsDash);

}  // namespace ravelin
