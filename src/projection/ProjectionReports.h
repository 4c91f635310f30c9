#pragma once
// The reports of the projection tool's analyses, written into the Info box
// by the "Export" buttons of the options window: the mean orientation of
// the plotted lines or poles with Fisher's statistics, and the kinematic
// analysis of a slope face with its counts per failure mode.

#include <cstddef>
#include <vector>

#include "core/Report.h"
#include "projection/NetPicture.h"

namespace ravelin {

// `lines` and `poles`: how many of the averaged data were plotted as lines
// and as poles of planes.
std::vector<ReportBlock> MeanOrientationReport(const MeanOrientation& mean, std::size_t lines, std::size_t poles);

std::vector<ReportBlock> KinematicReport(const KinematicPicture& kinematic);

}  // namespace ravelin
