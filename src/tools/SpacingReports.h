#pragma once
// The reports "Export" of the spacing and probability tool writes into the
// Info box, one per page. Inputs are written in the general number form;
// results as their fields show them (a field in the "Symbol" font as the
// signs it shows).

#include <array>
#include <string>
#include <vector>

#include "core/Report.h"
#include "tools/SpacingProbability.h"

namespace ravelin {

// The four result fields of the "Distribution" page, as shown.
struct DistributionShown {
    std::string exactly, fewer, atLeastOne, threshold;
};
std::vector<ReportBlock> DistributionReport(const DistributionInput& in, const DistributionShown& shown);

struct IntersectionInput {
    double frequency1 = 0, frequency2 = 0;
    double angle = 0;  // θ between the sets, degrees
    double delta = 0;  // δ between the intersection lines and the pole of the surface, degrees
    double volume = 0, surface = 0;
};
std::vector<ReportBlock> IntersectionsReport(const IntersectionInput& in, const std::string& lengthText,
                                             const std::string& countText);

// The five result fields of "Connectivity (2)" (d1, d2, Pc, Ps, Pt), as shown.
std::vector<ReportBlock> ConnectivityReport(const ConnectivityInput& in, const std::array<std::string, 5>& shown);
// The six result fields of "Conn. (4/2)", as shown.
std::vector<ReportBlock> FourDiscontinuityReport(const FourDiscontinuityInput& in,
                                                 const std::array<std::string, 6>& shown);
std::vector<ReportBlock> ThreeSetNetReport();

}  // namespace ravelin
