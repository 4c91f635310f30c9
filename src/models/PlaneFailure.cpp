#include "models/PlaneFailure.h"

#include <algorithm>
#include <cmath>

#include "core/NumberText.h"
#include "core/Orientation.h"

namespace ravelin {

namespace {
constexpr const char* kEqualDips = "Warning : slope face dip = failure surface dip";
constexpr const char* kFaceFlatter = "Warning : slope face dip < failure surface dip";
// What is left of the face's run by a crack typed exactly at the toe: about 1e-16 of it.
constexpr double kRoundingRemainder = 1e-12;
}  // namespace

bool PlaneInputComplete(const PlaneFailureInput& in) {
    return in.slopeHeight != 0 && in.rockUnitWeight != 0 && in.waterUnitWeight != 0 && in.faceDip != 0 &&
           in.failurePlaneDip != 0 && in.cohesion != 0 && in.frictionAngle != 0;
}

std::string InvalidCrackMessage(double limit) {
    return "Invalid tension crack. B should be <" + formatNumber(limit, "0.0##");
}

PlaneFailureResult ComputePlaneFailure(const PlaneFailureInput& in) {
    PlaneFailureResult out;
    if (!PlaneInputComplete(in)) return out;

    const double H = in.slopeHeight;
    const double b = in.crackDistance;
    const double psiF = in.faceDip / DEG;
    const double psiP = in.failurePlaneDip / DEG;
    const double psiS = in.upperFaceDip / DEG;
    const double phi = in.frictionAngle / DEG;
    const double theta = in.boltDip / DEG;

    if (psiF == psiP) {
        out.message = kEqualDips;
        return out;
    }
    if (psiF < psiP) {
        out.message = kFaceFlatter;
        return out;
    }

    double z = 0;
    double A = 0;
    double W = 0;
    if (!in.crackInUpperSurface) {
        // b is measured from the crest towards the toe, along a face H cot psi_f long.
        const double faceRun = H / std::tan(psiF);
        if (faceRun < b) {
            out.message = InvalidCrackMessage(faceRun);
            return out;
        }
        // The horizontal distance from the toe to the crack. A b typed as H cot psi_f
        // leaves a remainder of rounding only: that crack stands at the toe.
        double run = H * Cotan(psiF) - b;
        if (run < kRoundingRemainder * faceRun) run = 0;
        const double D = H - run * std::tan(psiP);
        const double below = 1 - D / H;
        W = 0.5 * in.rockUnitWeight * H * H * below * below * Cotan(psiP) * (std::tan(psiF) * Cotan(psiP) - 1);
        A = run / std::cos(psiP);
        // Never negative on the face but through rounding, which the upper-surface test below must not see.
        z = run == 0 ? 0 : std::max(0.0, D - b * std::tan(psiF));
    } else {
        // b is measured behind the crest, on an upper face rising at psi_s.
        z = (H + b * std::tan(psiS)) - (H * Cotan(psiF) + b) * std::tan(psiP);
        const double X = H * (Cotan(psiP) - Cotan(psiF));
        W = in.rockUnitWeight / 2 * (H * X - (z - b * std::tan(psiS)) * (X - b) + b * b * std::tan(psiS));
        A = (H + b * std::tan(psiS) - z) / std::sin(psiP);
    }

    if (z < 0) {
        const double denominator = std::tan(psiS) - std::tan(psiP);
        const double limit = (H * std::tan(psiP) / std::tan(psiF) - H) / denominator;
        if (denominator != 0 && std::isfinite(limit)) out.message = InvalidCrackMessage(limit);
        return out;
    }
    if (!std::isfinite(z)) return out;
    out.crackDepth = z;

    const double zw = in.crackFilling * z;
    const double U = 0.5 * in.waterUnitWeight * zw * A;
    const double V = 0.5 * in.waterUnitWeight * zw * zw;
    out.slidingLength = A;
    out.weight = W;
    out.uplift = U;
    out.crackWaterForce = V;

    // A block of no size (a crack at the toe of the face) has no safety factor.
    if (!(W > 0) || !(A > 0)) return out;

    const double alpha = in.seismicCoefficient;
    const double T = in.boltTension;
    const double resisting = in.cohesion * A + (W * (std::cos(psiP) - alpha * std::sin(psiP)) - U - V * std::sin(psiP) +
                                                T * std::sin(psiP + theta)) *
                                                   std::tan(phi);
    const double driving =
        W * (std::sin(psiP) + alpha * std::cos(psiP)) + V * std::cos(psiP) - T * std::cos(psiP + theta);
    if (driving == 0) return out;
    const double safety = resisting / driving;
    if (std::isfinite(safety)) out.safetyFactor = safety;
    return out;
}

std::vector<std::string> PlaneFailureMessages() {
    // A crack limit of four digits before the point: 10 km and more is no slope.
    constexpr double kWidestLimit = 8888.888;
    return {kEqualDips, kFaceFlatter, InvalidCrackMessage(kWidestLimit)};
}

}  // namespace ravelin
