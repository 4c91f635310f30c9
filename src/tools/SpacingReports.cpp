#include "tools/SpacingReports.h"

#include "core/NumberText.h"

namespace ravelin {

namespace {

constexpr const char* kCrLf = "\r\n";
const std::string kTwoBreaks = std::string(kCrLf) + kCrLf;

std::string plain(double value) { return generalNumber(value); }
std::string angle(double degrees) { return formatNumber(degrees, "00.0##°"); }
// A percentage field's number as a percentage pattern ("52.034" gives "52.034%").
std::string percentOfField(const std::string& fieldText) { return formatNumber(readNumber(fieldText) / 100, "0.0##%"); }

// The two sets of a connectivity page and their angle, each line ended.
std::string setLines(double persistence1, double frequency1, double persistence2, double frequency2, double theta) {
    return kCrLf + std::string("Mean persistence of set 1 : ") + plain(persistence1) + kCrLf +
           "Frequency of set 1 : " + plain(frequency1) + kCrLf + "Mean persistence of set 2 : " + plain(persistence2) +
           kCrLf + "Frequency of set 2 : " + plain(frequency2) + kCrLf +
           "Angle between the two sets : " + angle(theta) + kCrLf;
}

}  // namespace

std::vector<ReportBlock> DistributionReport(const DistributionInput& in, const DistributionShown& shown) {
    return {
        titleBlock("Spacing distribution and probability threshold"),
        bodyBlock(kTwoBreaks + "Mean spacing of the discontinuity set : " + plain(in.meanSpacing) + kTwoBreaks),
        titleBlock("Discontinuities per volume"),
        bodyBlock(kTwoBreaks + "Number of discontinuities k : " + std::to_string(in.count) + kCrLf +
                  "Volume : " + plain(in.volume) + kCrLf +
                  "Probability of finding k discontinuities in this volume : " + shown.exactly + "%" + kCrLf +
                  "Probability of finding less than k discontinuities in this volume : " + shown.fewer + "%" +
                  kTwoBreaks),
        titleBlock("Spacing distribution"),
        bodyBlock(kTwoBreaks + "Interval length d for probability calculation : " + plain(in.interval) + kCrLf +
                  "Probability of finding one or more discontinuities in an interval of d meters : " +
                  shown.atLeastOne + "%" + kTwoBreaks),
        titleBlock("Threshold distance"),
        bodyBlock(kTwoBreaks +
                  "Probability threshold of finding one or more discontinuities : " + plain(in.probability * 100) +
                  "%" + kCrLf + "Interval distance for this threshold : " + shown.threshold + kTwoBreaks + kCrLf),
    };
}

std::vector<ReportBlock> IntersectionsReport(const IntersectionInput& in, const std::string& lengthText,
                                             const std::string& countText) {
    return {
        titleBlock("Density of intersection of two discontinuity sets"),
        headingBlock(kTwoBreaks + "Intersection data"),
        bodyBlock(kCrLf + std::string("Frequency of set 1 : ") + plain(in.frequency1) + kCrLf +
                  "Frequency of set 2 : " + plain(in.frequency2) + kCrLf +
                  "Angle between the two sets : " + angle(in.angle) + kCrLf +
                  "Angle between intersection line and the pole to the surface of observation : " + angle(in.delta) +
                  kTwoBreaks),
        titleBlock("Total length of the instersection lines in a given volume"),
        bodyBlock(kCrLf + std::string("Volume : ") + plain(in.volume) + kCrLf +
                  "Total length of the intersection lines in the considered volume : " + lengthText + kTwoBreaks),
        titleBlock("Number of instersections on a given surface"),
        bodyBlock(kCrLf + std::string("Surface : ") + plain(in.surface) + kCrLf +
                  "Number of intersection lines on the considered surface : " + countText + kTwoBreaks + kCrLf),
    };
}

std::vector<ReportBlock> ConnectivityReport(const ConnectivityInput& in, const std::array<std::string, 5>& shown) {
    return {
        titleBlock("Connectivity of two discontinuity sets"),
        headingBlock(kTwoBreaks + "Discontinuity sets characteristics"),
        bodyBlock(setLines(in.persistence1, in.frequency1, in.persistence2, in.frequency2, in.angle) +
                  "Probability of continuity threshold : " + formatNumber(in.probability, "0.0##%") + kCrLf +
                  "Number of successive intersections (=number of stairs) : " + std::to_string(in.stairs) + kTwoBreaks),
        headingBlock("Probability of intersection"),
        bodyBlock(kCrLf + std::string("Threshold distance of set 1 : ") + shown[0] + kCrLf +
                  "Threshold distance of set 2 : " + shown[1] + kCrLf +
                  "Probability of crossing of the two sets (Pc) : " + percentOfField(shown[2]) + kCrLf +
                  "Probability of continuity of the net (threshold) (Ps) : " + percentOfField(shown[3]) + kCrLf +
                  "Probability of intersection under this threshold (Pt) : " + percentOfField(shown[4]) + kTwoBreaks +
                  kCrLf),
    };
}

std::vector<ReportBlock> FourDiscontinuityReport(const FourDiscontinuityInput& in,
                                                 const std::array<std::string, 6>& shown) {
    const std::string cuts1 = "Probability that one disc. of set 1 cuts two (or more) disc. of set 2 : ";
    const std::string cuts2 = "Probability that one discontinuity of set 2 cuts two (or more) disc. of set 1 : ";
    const std::string net = "Probability that sets 1 and 2 form a net of four successive discontinuities : ";
    return {
        titleBlock("Connectivity of 4 discontinuities form 2 discontinuity sets"),
        headingBlock(kTwoBreaks + "Discontinuity sets characteristics"),
        bodyBlock(setLines(in.persistence1, in.frequency1, in.persistence2, in.frequency2, in.angle) + kCrLf),
        headingBlock("Solution 1"),
        bodyBlock(kCrLf + cuts1 + shown[0] + kCrLf + cuts2 + shown[1] + kCrLf + net + shown[2] + kTwoBreaks),
        headingBlock("Solution 2 (simplification of solution 1)"),
        bodyBlock(kCrLf + cuts1 + percentOfField(shown[3]) + kCrLf + cuts2 + percentOfField(shown[4]) + kCrLf + net +
                  percentOfField(shown[5]) + kTwoBreaks + kCrLf),
    };
}

std::vector<ReportBlock> ThreeSetNetReport() {
    return {
        titleBlock("Connectivity net formed by 3 discontinuity sets"),
        bodyBlock(kTwoBreaks + "The calculation scheme used for 3 discontinuity sets is still under testing..." +
                  kTwoBreaks + kCrLf),
    };
}

}  // namespace ravelin
