#include "projection/ProjectionReports.h"

#include <cmath>
#include <string>

#include "core/NumberText.h"
#include "projection/SphereGeometry.h"

namespace ravelin {

namespace {

constexpr const char* kCrLf = "\r\n";

std::string degrees(double value) { return formatNumber(value, "0.0°"); }

std::string orientation(double direction, double dip) { return degrees(direction) + " / " + degrees(dip); }

void title(std::vector<ReportBlock>& blocks, const std::string& text) {
    blocks.push_back(titleBlock(text + kCrLf + kCrLf));
}

// A heading, its value lines, then the blank line closing the section.
void section(std::vector<ReportBlock>& blocks, const std::string& heading, const std::vector<std::string>& values) {
    blocks.push_back(headingBlock(heading + kCrLf));
    std::string text;
    for (const std::string& line : values) text += line + kCrLf;
    blocks.push_back(bodyBlock(text + kCrLf));
}

std::string modeLine(const char* name, const ModeCount& count, const char* items) {
    return std::string(name) + " : " + std::to_string(count.critical) + " of " + std::to_string(count.total) + " " +
           items + " (" + formatNumber(count.percent(), "0.0") + " %)";
}

}  // namespace

std::vector<ReportBlock> MeanOrientationReport(const MeanOrientation& mean, std::size_t lines, std::size_t poles) {
    const FisherStatistics& s = mean.statistics;
    const bool axes = mean.kind == FisherData::Axes;
    std::vector<ReportBlock> blocks;
    title(blocks, "Mean orientation");
    std::vector<std::string> data;
    if (lines > 0) data.push_back("Number of lines : " + std::to_string(lines));
    if (poles > 0) data.push_back("Number of poles to planes : " + std::to_string(poles));
    data.push_back(axes ? "Read as axes (a line and its opposite are one datum)" : "Read as vectors");
    section(blocks, "Data", data);

    std::vector<std::string> figures;
    if (s.mean) {
        figures.push_back("Mean trend / plunge : " + orientation(s.mean->trend, s.mean->plunge));
        // The plane whose pole is the mean axis: what a geologist reads off a set of poles.
        if (axes) {
            figures.push_back("Mean plane (dip direction / dip) : " +
                              orientation(wrapDegrees(s.mean->trend + 180), 90 - s.mean->plunge));
        }
    } else {
        figures.push_back("Mean trend / plunge : - (the data cancel out)");
    }
    figures.push_back("Resultant length R : " + formatNumber(s.resultantLength, "0.000"));
    std::string kappa = "-";
    if (s.kappa) kappa = std::isinf(*s.kappa) ? "infinite (every datum alike)" : formatNumber(*s.kappa, "0.0");
    else if (s.n < 2) kappa = "- (fewer than 2 data)";
    figures.push_back("Fisher's K : " + kappa);
    std::string cone = "-";
    if (s.alpha95) cone = degrees(*s.alpha95);
    else if (s.n < 2) cone = "- (fewer than 2 data)";
    else if (s.mean) cone = "- (data too scattered)";
    figures.push_back(
        "Cone of confidence \xCE\xB1"
        "95 : " +
        cone);
    section(blocks, "Fisher statistics", figures);
    return blocks;
}

std::vector<ReportBlock> KinematicReport(const KinematicPicture& k) {
    const KinematicInputs& in = k.inputs;
    const KinematicResult& r = k.result;
    std::vector<ReportBlock> blocks;
    title(blocks, "Kinematic analysis");
    section(blocks, "Slope face",
            {"Dip direction : " + degrees(in.slope.dipDirection), "Dip angle : " + degrees(in.slope.dip)});
    section(blocks, "Limits",
            {"Friction angle : " + degrees(in.frictionAngle), "Lateral limit : " + degrees(in.lateralLimit),
             "Number of planes : " + std::to_string(k.planes.size())});
    std::vector<std::string> modes = {modeLine("Planar sliding", r.planar, "planes")};
    if (r.wedgesSkipped) {
        modes.push_back("Wedge sliding : not analysed (more than " + std::to_string(kMaxWedgePlanes) + " planes)");
    } else {
        modes.push_back(modeLine("Wedge sliding, primary critical zone", r.wedgePrimary, "pairs of planes"));
        modes.push_back(modeLine("Wedge sliding, secondary critical zone", r.wedgeSecondary, "pairs of planes"));
    }
    modes.push_back(modeLine("Flexural toppling", r.toppling, "planes"));
    section(blocks, "Critical planes and pairs of planes", modes);
    if (r.mostCriticalPair) {
        const PlanePair& pair = *r.mostCriticalPair;
        auto plane = [&](std::size_t i) {
            const Plane p = normalisedPlane(k.planes[i]).value_or(k.planes[i]);
            return orientation(p.dipDirection, p.dip);
        };
        section(blocks, "Most critical wedge",
                {"Plane 1 (dip direction / dip) : " + plane(pair.first),
                 "Plane 2 (dip direction / dip) : " + plane(pair.second),
                 "Line of intersection (trend / plunge) : " +
                     orientation(pair.intersection.trend, pair.intersection.plunge)});
    } else if (!r.wedgesSkipped) {
        section(blocks, "Most critical wedge", {"No pair of planes lies in the primary critical zone"});
    }
    return blocks;
}

}  // namespace ravelin
