#pragma once
// The report "Export" of the volume tool writes into the Info box for each
// of its three methods: a title, a subtitle naming the inputs, the sets'
// characteristics and the volume as its result field shows it.

#include <array>
#include <string>
#include <vector>

#include "core/Report.h"
#include "tools/VolumeEstimation.h"

namespace ravelin {

struct TwoSetInput {
    double spacing1 = 0, spacing2 = 0, persistence1 = 0, persistence2 = 0, angle = 0;
};
struct FracturationInput {
    double spacing1 = 0, spacing2 = 0, angle = 0, frequency = 0;
};

std::vector<ReportBlock> TwoSetVolumeReport(const TwoSetInput& in, const std::string& volumeText);
std::vector<ReportBlock> FracturationVolumeReport(const FracturationInput& in, const std::string& volumeText);
std::vector<ReportBlock> ThreeSetVolumeReport(const std::array<PrismSet, 3>& sets, const std::string& volumeText);

}  // namespace ravelin
