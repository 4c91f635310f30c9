#include "models/SlipSurface.h"

#include <algorithm>
#include <cmath>

#include "core/Orientation.h"

namespace ravelin {

double LimitSlipDip(double typedSlipDip, double slopeDip) { return std::min(typedSlipDip, slopeDip); }

SlipSurfaceResult ComputeSlipSurface(const SlipSurfaceInput& in) {
    SlipSurfaceResult out;
    const double alpha = in.slopeDip;
    const double beta = in.slipDip;
    if (alpha <= beta) return out;
    if (alpha == 0 || beta == 0 || in.meanSpacing == 0 || in.faceLength == 0) return out;

    const double d0 =
        in.meanSurface / (in.faceLength * (1 / std::tan((alpha - beta) / DEG) + 1 / std::tan(beta / DEG)));
    if (d0 == 0 || !std::isfinite(d0)) return out;
    const double probability = (1 - std::exp(-d0 / in.meanSpacing)) * 100;
    if (!std::isfinite(probability)) return out;
    out.crestDistance = d0;
    out.probability = probability;
    return out;
}

}  // namespace ravelin
