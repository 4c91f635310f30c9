#include "tools/SpacingProbability.h"

#include <algorithm>
#include <cmath>

#include <boost/math/special_functions/gamma.hpp>

#include "core/NumberText.h"
#include "core/Orientation.h"

namespace ravelin {

namespace {

namespace policies = boost::math::policies;
// Errors come back as values (checked below), never as exceptions.
using QuietPolicy =
    policies::policy<policies::domain_error<policies::ignore_error>, policies::overflow_error<policies::ignore_error>,
                     policies::evaluation_error<policies::ignore_error>>;

double finiteOrZero(double value) { return std::isfinite(value) ? value : 0; }

double radians(double degrees) { return degrees / DEG; }

// cos of an angle in degrees as the sine of its complement, so that 90 gives exactly 0.
double cosDegrees(double degrees) { return std::sin(radians(90 - degrees)); }

// The expected count a·b, where a zero factor wins over an infinite one (no volume, no discontinuity).
double expectedCount(double a, double b) { return a == 0 || b == 0 ? 0 : a * b; }

std::string percent(double fraction, const char* pattern) { return formatNumber(fraction * 100, pattern); }

Vector3 pole(double dipDirection, double dip) {
    OrientationResult r;
    PlaneToPole(r, dipDirection, dip);
    LineToCosines(r, r.Trend, r.Plunge);
    return cosines(r);
}

// An angle cut (not rounded) to six decimals.
double cutToMicroDegrees(double degrees) { return intPart(degrees * 1000000) / 1000000; }

}  // namespace

double Poisson(long long k, double a, double b) {
    const double expected = expectedCount(a, b);
    if (k < 0) return 0;
    if (expected == 0) return k == 0 ? 1 : 0;
    if (!std::isfinite(expected)) return 0;
    // x^k e^-x / k! is the derivative of the regularized lower gamma function P(k + 1, x).
    return finiteOrZero(boost::math::gamma_p_derivative(static_cast<double>(k) + 1, expected, QuietPolicy()));
}

double PoissonBelow(long long k, double expected) {
    if (k <= 0) return 0;
    if (expected == 0) return 1;
    if (!std::isfinite(expected)) return 0;
    // The sum of the first k Poisson terms is the regularized upper gamma function Q(k, x).
    return finiteOrZero(boost::math::gamma_q(static_cast<double>(k), expected, QuietPolicy()));
}

std::optional<double> ThresholdDistance(double meanSpacing, double probability) {
    if (probability == 1) return std::nullopt;
    return -meanSpacing * std::log(1 - probability);
}

DistributionTexts ComputeDistribution(const DistributionInput& in) {
    DistributionTexts out;
    // Each result follows its own inputs: a volume per discontinuity or a mean
    // spacing not yet given leaves "0.00" in the results that need it only.
    if (in.volumePerDiscontinuity == 0) {
        out.exactly = out.fewer = "0.00";
    } else {
        const double frequency = 1 / in.volumePerDiscontinuity;
        out.exactly = percent(Poisson(in.count, in.volume, frequency), "0.00");
        out.fewer = percent(PoissonBelow(in.count, expectedCount(in.volume, frequency)), "0.00");
    }
    if (in.interval == 0 || in.meanSpacing == 0) out.atLeastOne = "0.00";
    else out.atLeastOne = percent(1 - std::exp(-in.interval / in.meanSpacing), "0.00");

    const std::optional<double> threshold = ThresholdDistance(in.meanSpacing, in.probability);
    out.thresholdInfinite = !threshold;
    if (threshold) out.threshold = formatNumber(*threshold, "0.00");
    return out;
}

double IntersectionLength(double frequency1, double frequency2, double volume, double angleDegrees) {
    return roundHalfEven(frequency1 * frequency2 * volume * std::sin(radians(angleDegrees)), 2);
}

double IntersectionCount(double frequency1, double frequency2, double surface, double deltaDegrees) {
    return roundHalfEven(frequency1 * frequency2 * surface * cosDegrees(deltaDegrees), 2);
}

ConnectivityTexts ComputeConnectivity(const ConnectivityInput& in) {
    ConnectivityTexts out;
    const double P = in.probability;
    std::array<double, 2> d{};
    if (P == 1) {
        out.infinite = {true, true};
    } else if (in.frequency1 != 0 && in.frequency2 != 0) {
        d = {-std::log(1 - P) / in.frequency1, -std::log(1 - P) / in.frequency2};
    }
    for (size_t i = 0; i < 2; ++i)
        if (!out.infinite[i]) out.distance[i] = formatNumber(d[i], "0.0#");

    if (P == 1) {
        out.crossing = "0.0";
    } else if (P == 0 || d[0] == 0 || d[1] == 0) {
        out.crossing = "0.00";
    } else if (!out.infinite[0] && !out.infinite[1]) {
        const double s = std::sin(radians(in.angle));
        // Both distances are at least 1e-16 / 2147483647 here, so their product is far from 0.
        const double numerator = in.persistence1 * in.persistence2 * s * s;
        const double crossing = numerator == 0 ? 0 : std::min(numerator / (4 * d[0] * d[1]) * 100, 100.0);
        out.crossing = formatNumber(crossing, "0.000");
    } else {
        out.crossing = "100";
    }
    out.continuity = formatNumber(P * P * 100, "0.000");
    const double shown = readNumber(out.crossing) * readNumber(out.continuity) / 10000;
    out.stairs = formatNumber(std::pow(shown, static_cast<double>(in.stairs)) * 100, "0.000");
    return out;
}

std::array<std::string, 6> ComputeFourDiscontinuityNet(const FourDiscontinuityInput& in) {
    const double s = std::sin(radians(in.angle));
    // The mean number of discontinuities of the other set cut by one of set 1, of set 2.
    const double cuts1 = in.persistence1 * in.frequency2 * s;
    const double cuts2 = in.frequency1 * in.persistence2 * s;
    std::array<std::string, 6> out;
    out[0] = percent(1 - (cuts1 + 1) * std::exp(-cuts1), "0.0");
    out[1] = percent(1 - (cuts2 + 1) * std::exp(-cuts2), "0.0");
    out[2] = formatNumber(readNumber(out[0]) * readNumber(out[1]) / 100, "0.0");
    out[3] = percent(1 - std::exp(-cuts1 / 2), "0.0");
    out[4] = percent(1 - std::exp(-cuts2 / 2), "0.0");
    out[5] = formatNumber(readNumber(out[3]) * readNumber(out[4]) / 100, "0.0");
    return out;
}

std::array<double, 3> ComputeThreeSetNet(const std::array<NetSet, 3>& sets, double probability) {
    const double P = probability;
    const double persistences = sets[0].persistence * sets[1].persistence * sets[2].persistence;
    auto permutation = [&](const NetSet& a, const NetSet& b, const NetSet& third) {
        const double pairAngle =
            cutToMicroDegrees(AngleBetweenLines(pole(b.dipDirection, b.dip), pole(a.dipDirection, a.dip)));
        double da = 0, db = 0;
        if (P == 1) {
            da = db = 1e20;  // an infinite threshold distance
        } else if (a.frequency != 0 && b.frequency != 0) {
            da = -std::log(1 - P) / a.frequency;
            db = -std::log(1 - P) / b.frequency;
        }
        // The sum of the two sets' frequency vectors along their dip lines.
        const double A = a.frequency * std::sin(radians(a.dipDirection)) * std::cos(radians(a.dip)) +
                         b.frequency * std::sin(radians(b.dipDirection)) * std::cos(radians(b.dip));
        const double B = a.frequency * std::cos(radians(a.dipDirection)) * std::cos(radians(a.dip)) +
                         b.frequency * std::cos(radians(b.dipDirection)) * std::cos(radians(b.dip));
        const double C = a.frequency * std::sin(radians(a.dip)) + b.frequency * std::sin(radians(b.dip));
        if (B == 0 || da * db == 0) return 0.0;
        const double length = std::sqrt(A * A + B * B + C * C);
        // The trend keeps the arc tangent's half-turn: no quadrant is added.
        OrientationResult r;
        LineToCosines(r, std::atan(A / B) * DEG, std::atan(C / std::sqrt(A * A + B * B)) * DEG);
        const double thirdAngle = cutToMicroDegrees(AngleBetweenLines(pole(third.dipDirection, third.dip), cosines(r)));
        const double sinPair = std::sin(radians(pairAngle));
        const double R =
            100 * P * P * P * persistences * length * sinPair * sinPair * std::sin(radians(thirdAngle)) / (8 * da * db);
        return std::isfinite(R) ? std::min(R, 100.0) : 100.0;
    };
    return {permutation(sets[0], sets[1], sets[2]), permutation(sets[1], sets[2], sets[0]),
            permutation(sets[2], sets[0], sets[1])};
}

}  // namespace ravelin
