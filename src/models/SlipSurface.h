#pragma once
// Probabilistic slip surface: the chance that a discontinuity of one set,
// parallel to the slip surface, cuts right through the rock behind a slope
// face. Spacings of the set are exponentially distributed with a known mean.
//
// Notation: alpha dip of the slope face, beta dip of the slip surface (both
// degrees, beta <= alpha), a length of the slope face, S mean area of a
// discontinuity, lambda mean spacing of the set. Lengths in any one unit.

#include <optional>

namespace ravelin {

struct SlipSurfaceInput {
    double slopeDip = 0;     // alpha, degrees 0..90
    double slipDip = 0;      // beta, degrees 0..90, already limited to alpha
    double faceLength = 0;   // a, length
    double meanSurface = 0;  // S, length^2
    double meanSpacing = 0;  // lambda, length
};

struct SlipSurfaceResult {
    std::optional<double> crestDistance;  // d0, between the slope crest and the slip surface
    std::optional<double> probability;    // P in percent (0..100)
};

// The slip surface cannot dip more steeply than the slope: the smaller of the two.
double LimitSlipDip(double typedSlipDip, double slopeDip);

// Both results, or neither when beta >= alpha, when alpha, beta, lambda or a
// is 0, or when d0 comes out as 0 (S = 0) or non-finite.
SlipSurfaceResult ComputeSlipSurface(const SlipSurfaceInput& input);

}  // namespace ravelin
