#pragma once
// Plane failure: a rock block sliding on one planar discontinuity (the
// failure plane) that daylights in the slope face, cut off behind by a
// vertical tension crack. Two-dimensional, per unit width of slope.
//
// Notation: H slope height, b horizontal distance of the crack from the
// crest, f water filling of the crack (0 = dry, 1 = full), psi_f / psi_p /
// psi_s dips of the slope face, the failure plane and the upper face, phi
// friction angle, alpha seismic coefficient (horizontal acceleration in g),
// theta / T dip and tension of a rock bolt or cable. Angles in degrees;
// lengths, unit weights and forces in any consistent unit system (m, kN/m3,
// kPa or ft, lb/ft3, lb/ft2): nothing is converted.

#include <optional>
#include <string>
#include <vector>

namespace ravelin {

struct PlaneFailureInput {
    double slopeHeight = 0;           // H, length, >= 0
    double crackDistance = 0;         // b, length, >= 0
    double crackFilling = 0;          // f, 0..1
    double rockUnitWeight = 0;        // gamma_r, force/length^3
    double waterUnitWeight = 0;       // gamma_w, force/length^3
    double faceDip = 0;               // psi_f, degrees 0..90
    double failurePlaneDip = 0;       // psi_p, degrees 0..90
    double cohesion = 0;              // c, force/length^2
    double frictionAngle = 0;         // phi, degrees 0..90
    double upperFaceDip = 0;          // psi_s, degrees 0..90
    double seismicCoefficient = 0;    // alpha, fraction of g
    double boltDip = 0;               // theta, degrees below the horizontal, 0..90
    double boltTension = 0;           // T, force per unit width
    bool crackInUpperSurface = true;  // false: the crack lies in the slope face
};

// What the two result boxes show: the safety factor (or a warning, or
// nothing) and the depth z of the tension crack.
struct PlaneFailureResult {
    std::string message;                 // a geometric warning; empty when none
    std::optional<double> safetyFactor;  // empty: a message, a missing input or a zero driving force
    std::optional<double> crackDepth;    // z, once the crack is known to reach the failure plane
    // The quantities behind the safety factor, 0 until they are computed.
    double slidingLength = 0;    // A, length of the failure plane below the crack
    double weight = 0;           // W
    double uplift = 0;           // U, water force on the failure plane
    double crackWaterForce = 0;  // V, horizontal water force in the crack
};

// True when none of H, gamma_r, gamma_w, psi_f, psi_p, c, phi is zero: a zero
// among them means "not typed yet" and nothing is computed.
bool PlaneInputComplete(const PlaneFailureInput& input);

// The whole analysis: the completeness test, the geometry checks with their
// warnings, the crack depth and the safety factor. Never yields a non-finite
// number: a division by zero (a zero driving force, tan psi_s = tan psi_p in
// the largest admissible crack distance) and a block of no size (a crack at
// the toe of the face) leave the safety factor empty.
PlaneFailureResult ComputePlaneFailure(const PlaneFailureInput& input);

// "Invalid tension crack. B should be <" followed by the limit in "0.0##".
std::string InvalidCrackMessage(double limit);

// Every message the safety factor's box can show instead of a number, with
// the widest crack limit a slope can have.
std::vector<std::string> PlaneFailureMessages();

}  // namespace ravelin
