#pragma once
// Arithmetic of the spacing and probability tool. Spacings of a set follow a
// negative exponential law, so the number of discontinuities met along a
// length or in a volume follows a Poisson law.
//
// Notation: m mean spacing, λ frequency (discontinuities per unit length,
// 1/m), p mean persistence (trace length), P a probability threshold as a
// fraction 0..1, d a threshold distance, θ and δ angles in degrees. Lengths
// only have to share one unit. Every result is finite for inputs within the
// fields' ranges (lengths and frequencies 0 to 2147483647, angles 0 to 90 or
// 360, P 0 to 1).
//
// The connectivity results are built as texts: later results are computed
// from the numbers the earlier ones show, as the user reads them.

#include <array>
#include <optional>
#include <string>

namespace ravelin {

// Probability of exactly k events (k >= 0) when a·b are expected (a·b >= 0).
// Computed through the regularized gamma function, so it is exact to double
// precision for any k up to 2147483647 and any expectation, where the
// textbook (a·b)^k·e^(-a·b)/k! overflows.
double Poisson(long long k, double a, double b);
// Probability of fewer than k events (k >= 0) when `expected` are expected:
// the sum of Poisson(i) for i = 0..k-1, in closed form.
double PoissonBelow(long long k, double expected);

// The distance along which discontinuities of mean spacing m are met with
// probability P: -m·ln(1 - P); nullopt (infinite) when P = 1.
std::optional<double> ThresholdDistance(double meanSpacing, double probability);

// "Distribution" page.
struct DistributionInput {
    double meanSpacing = 0;             // m
    long long count = 1;                // k, 1..2147483647
    double volume = 0;                  // V
    double interval = 0;                // d
    double probability = 0;             // P, fraction 0..1
    double volumePerDiscontinuity = 0;  // v
};
struct DistributionTexts {
    std::string exactly;     // P(k, V) in percent, "0.00"
    std::string fewer;       // P(<k, V) in percent, "0.00"
    std::string atLeastOne;  // P(>=1, d) in percent, "0.00"
    std::string threshold;   // threshold distance for P, "0.00"; empty when infinite
    bool thresholdInfinite = false;
};
DistributionTexts ComputeDistribution(const DistributionInput& in);

// "Intersections" page, each rounded to 2 decimals (halves to even).
// Total length of intersection lines of two sets in a volume: λ1·λ2·V·sin θ.
double IntersectionLength(double frequency1, double frequency2, double volume, double angleDegrees);
// Number of intersection lines on a surface whose pole makes δ with them: λ1·λ2·S·cos δ.
double IntersectionCount(double frequency1, double frequency2, double surface, double deltaDegrees);

// "Connectivity (2)" page.
struct ConnectivityInput {
    double persistence1 = 0, frequency1 = 0, persistence2 = 0, frequency2 = 0;
    double angle = 0;        // θ, degrees 0..90
    double probability = 0;  // P, fraction 0..1
    long long stairs = 0;    // n, number of successive intersections
};
struct ConnectivityTexts {
    std::array<std::string, 2> distance;  // d1, d2, "0.0#"; empty when infinite
    std::array<bool, 2> infinite{};
    std::string crossing;    // Pc in percent
    std::string continuity;  // Ps in percent, "0.000"
    std::string stairs;      // Pt in percent, "0.000"
};
ConnectivityTexts ComputeConnectivity(const ConnectivityInput& in);

// "Conn. (4/2)" page: the probabilities, in percent "0.0", that one
// discontinuity of set 1 cuts two or more of set 2, the same for set 2 cutting
// set 1, and that both form a net of four; solution 1 then its simplification.
struct FourDiscontinuityInput {
    double frequency1 = 0, persistence1 = 0, frequency2 = 0, persistence2 = 0;
    double angle = 0;  // θ, degrees 0..90
};
std::array<std::string, 6> ComputeFourDiscontinuityNet(const FourDiscontinuityInput& in);

// "Conn. net (3)" page: a scheme still under testing.
struct NetSet {
    double frequency = 0, persistence = 0;
    double dipDirection = 0, dip = 0;  // degrees
};
// The probability in percent (0..100) of the permutations (1 2 - 3), (2 3 - 1), (3 1 - 2).
std::array<double, 3> ComputeThreeSetNet(const std::array<NetSet, 3>& sets, double probability);

}  // namespace ravelin
