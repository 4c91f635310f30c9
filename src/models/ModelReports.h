#pragma once
// The reports that "Export" of the model windows writes into the Info box:
// a title, a blank line, then sections (a bold heading, plain value lines,
// a blank line). Input values are written in the plain number form; angles
// in their degree patterns; results as the result boxes show them.

#include <string>
#include <vector>

#include "core/Report.h"
#include "models/PlaneFailure.h"
#include "models/ProbabilisticWedge.h"
#include "models/SlipSurface.h"
#include "models/WedgeFailure.h"

namespace ravelin {

// The texts of the wedge result boxes txtFact(0), (1), (3), (4), (5).
struct WedgeResultTexts {
    std::string safetyFactor;
    std::string weight;
    std::string failureMode;
    std::string slidingDirection;
    std::string slidingPlunge;
};

std::vector<ReportBlock> PlaneFailureReport(const PlaneFailureInput& input, const std::string& safetyFactorText,
                                            const std::string& crackDepthText);
std::vector<ReportBlock> WedgeFailureReport(const WedgeFailureInput& input, const WedgeResultTexts& results);
std::vector<ReportBlock> SlipSurfaceReport(const SlipSurfaceInput& input, const std::string& crestDistanceText,
                                           const std::string& probabilityText);
std::vector<ReportBlock> ProbabilisticWedgeReport(const ProbabilisticWedgeInput& input, const std::string& heightText);

}  // namespace ravelin
