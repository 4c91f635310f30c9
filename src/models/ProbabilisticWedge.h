#pragma once
// Probabilistic wedge: where the next line of intersection of two
// discontinuity sets (one mean spacing deep in each set) emerges on the
// slope surface, the "height of emergence".
//
// Vectors are in the frame of the orientation routines: X north, Y east,
// Z down. Angles in degrees; spacings in any one length unit.

#include <optional>

#include "core/Orientation.h"

namespace ravelin {

struct ProbabilisticWedgeInput {
    double spacing1 = 0;       // d1, mean spacing of set 1
    double spacing2 = 0;       // d2, mean spacing of set 2
    double dipDirection1 = 0;  // set 1, degrees 0..360
    double dip1 = 0;           // set 1, degrees 0..90
    double dipDirection2 = 0;
    double dip2 = 0;
    double slopeDipDirection = 0;  // slope surface
    double slopeDip = 0;
};

struct ProbabilisticWedgeResult {
    std::optional<double> emergenceHeight;  // h, >= 0
    // The line of intersection of the two sets (unit vector pointing up) and its trend.
    Vector3 intersection;
    double intersectionTrend = 0;
};

// A vector pointing up (Z < 0) is turned over; down and horizontal ones are kept.
Vector3 PointDown(const Vector3& v);
// A vector pointing down (Z > 0) is turned over; up and horizontal ones are kept.
Vector3 PointUp(const Vector3& v);

// d1 and d2 typed (non-zero) and the three planes pairwise different.
bool ProbabilisticWedgeInputComplete(const ProbabilisticWedgeInput& input);

// The height, or none: incomplete input, parallel sets, a line of
// intersection that is horizontal, points into the slope or runs parallel to
// the slope surface, or a negative height.
ProbabilisticWedgeResult ComputeWedgeProb(const ProbabilisticWedgeInput& input);

}  // namespace ravelin
