#pragma once
// Fisher statistics of a set of lines: mean orientation, resultant length,
// concentration K and the 95 % cone of confidence.
//
// Notation: n unit vectors v_i; R = |sum v_i| the resultant length (0..n);
// K = (n - 1) / (n - R) (Fisher's estimate of the concentration);
// cos a95 = 1 - (n - R) / R ((1 / 0.05)^(1 / (n - 1)) - 1), the semi-angle
// of the cone that holds the true mean with 95 % probability. Angles in
// degrees.
//
// Lines can be read two ways. As vectors, each line points where its
// trend and plunge say (an upward plunge stays upward) and opposite lines
// cancel. As axes (poles, and lines whose sense means nothing), a line and
// its opposite are one datum: each vector's sense is first aligned with the
// principal axis of the orientation matrix T = sum v_i v_i^T (its
// eigenvector of largest eigenvalue), and the Fisher statistics are those of
// the aligned vectors. The principal axis does not depend on the senses the
// data were given in, so a cluster that straddles the horizontal (poles of
// near-vertical planes, written half with one dip direction and half with
// the opposite one) is gathered whole, where aligning to the lower
// hemisphere would split it in two.

#include <cstddef>
#include <optional>
#include <vector>

#include "projection/Stereonet.h"

namespace ravelin {

enum class FisherData { Vectors, Axes };

struct FisherStatistics {
    std::size_t n = 0;           // lines used (non-finite ones are left out)
    double resultantLength = 0;  // R, 0..n
    // Vectors: trend 0..360 and plunge -90..90 of the mean vector; axes: the
    // lower end of the mean axis. Empty for no data or R = 0.
    std::optional<Line> mean;
    // Empty for n < 2 or R = 0; +infinity when every vector is the same (R = n).
    std::optional<double> kappa;
    // Degrees, 0..180. Empty for n < 2, R = 0, or data so scattered that
    // the formula's cosine falls below -1 (no cone on the sphere holds them).
    std::optional<double> alpha95;
};

FisherStatistics fisherStatistics(const std::vector<Line>& lines, FisherData kind);

}  // namespace ravelin
