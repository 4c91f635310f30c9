#include "models/ModelReports.h"

#include "core/NumberText.h"

namespace ravelin {

namespace {

constexpr const char* kCrLf = "\r\n";

std::string plain(double value) { return generalNumber(value); }

// A result box's number in a pattern; a box without a number ("-") stays "-".
std::string reformatted(const std::string& boxText, const char* pattern) {
    return hasNumericStart(boxText) ? formatNumber(readNumber(boxText), pattern) : "-";
}

// Value lines, each ended by a line break, then the blank line closing the section.
std::string lines(const std::vector<std::string>& values) {
    std::string text;
    for (const std::string& line : values) text += line + kCrLf;
    return text + kCrLf;
}

void title(std::vector<ReportBlock>& blocks, const std::string& text) {
    blocks.push_back(titleBlock(text + kCrLf + kCrLf));
}

void section(std::vector<ReportBlock>& blocks, const std::string& heading, const std::vector<std::string>& values) {
    blocks.push_back(headingBlock(heading + kCrLf));
    blocks.push_back(bodyBlock(lines(values)));
}

}  // namespace

std::vector<ReportBlock> PlaneFailureReport(const PlaneFailureInput& in, const std::string& safetyFactorText,
                                            const std::string& crackDepthText) {
    std::vector<ReportBlock> blocks;
    title(blocks, "Plane failure analysis");
    section(blocks, "Model geometry",
            {"Height of the slope face : " + plain(in.slopeHeight),
             "Distance of the tension crack from the slope crest : " + plain(in.crackDistance),
             "Dip of the slope face : " + formatNumber(in.faceDip, "00°"),
             "Dip of the upper face : " + formatNumber(in.upperFaceDip, "00°"),
             "Dip of the failure plane : " + formatNumber(in.failurePlaneDip, "00°")});
    section(blocks, "Rock properties",
            {"Cohesion : " + plain(in.cohesion), "Friction angle  : " + formatNumber(in.frictionAngle, "00°"),
             "Unit weight of rock : " + plain(in.rockUnitWeight)});
    section(blocks, "Water properties",
            {"Unit weight of water : " + plain(in.waterUnitWeight),
             "Filling of the tension crack (0 = no water in t.c., 1 = t.c. filled) : " + plain(in.crackFilling)});
    section(blocks, "External load",
            {"Seismic coefficient (fraction of g) = horizontal acceleration : " + plain(in.seismicCoefficient),
             "Rock bolt / cable dip : " + formatNumber(in.boltDip, "00°"),
             "Rock bolt / cable tension : " + plain(in.boltTension)});
    section(blocks, "Model results",
            {"Safety factor : " + safetyFactorText, "Depth of the tension crack (z) : " + crackDepthText});
    return blocks;
}

std::vector<ReportBlock> WedgeFailureReport(const WedgeFailureInput& in, const WedgeResultTexts& results) {
    auto set = [](double dipDirection, double dip, double cohesion, double friction) {
        return std::vector<std::string>{"Dip direction : " + formatNumber(dipDirection, "000°"),
                                        "Dip angle : " + formatNumber(dip, "00°"), "Cohesion : " + plain(cohesion),
                                        "Friction angle : " + formatNumber(friction, "00°")};
    };
    auto plane = [](double dipDirection, double dip) {
        return std::vector<std::string>{"Dip direction : " + formatNumber(dipDirection, "000°"),
                                        "Dip angle : " + formatNumber(dip, "00°")};
    };
    std::vector<ReportBlock> blocks;
    title(blocks, "Wedge failure analysis");
    section(blocks, "Model dimensions", {"Slope height (referred to plane 1) : " + plain(in.slopeHeight)});
    section(blocks, "Discontinuity set 1", set(in.dipDirection1, in.dip1, in.cohesion1, in.friction1));
    section(blocks, "Discontinuity set 2", set(in.dipDirection2, in.dip2, in.cohesion2, in.friction2));
    section(blocks, "Upper slope surface", plane(in.dipDirection3, in.dip3));
    section(blocks, "Slope face", plane(in.dipDirection4, in.dip4));
    if (in.tensionCrack) {
        section(
            blocks, "Tension crack",
            {"Dip direction of the tension crack : " + formatNumber(in.dipDirection5, "000°"),
             "Dip angle of the tension crack : " + formatNumber(in.dip5, "00°"),
             "Distance from slope crest to tension crack (along the trace of plane 1) : " + plain(in.crackDistance)});
    } else {
        section(blocks, "Tension crack", {"No tension crack"});
    }
    section(blocks, "Model characteristics",
            {"Unit weight of rock : " + plain(in.rockUnitWeight),
             in.drySlope ? std::string("Dry slope") : "Unit weight of water : " + plain(in.waterUnitWeight),
             std::string("Overhanging slope face = ") + (in.overhanging ? "yes" : "no")});
    section(blocks, "Analysis results",
            {"Safety factor : " + results.safetyFactor, "Wedge weight : " + results.weight,
             "Failure mode : " + results.failureMode,
             "Sliding direction : " + reformatted(results.slidingDirection, "000.0##°"),
             "Sliding plunge : " + reformatted(results.slidingPlunge, "00.0##°")});
    return blocks;
}

std::vector<ReportBlock> SlipSurfaceReport(const SlipSurfaceInput& in, const std::string& crestDistanceText,
                                           const std::string& probabilityText) {
    std::vector<ReportBlock> blocks;
    title(blocks, "Probabilistic slip surface");
    blocks.push_back(bodyBlock(lines({
        "Dip angle of the slope : " + formatNumber(in.slopeDip, "000°"),
        "Dip angle of the slip surface : " + formatNumber(in.slipDip, "00°"),
        "Length of the slope face : " + plain(in.faceLength),
        "Mean surface of the slip surface : " + plain(in.meanSurface),
        "Mean spacing of the discontinuity set : " + plain(in.meanSpacing),
        "Distance do between the slope crest and the slip surface : " + crestDistanceText,
        "Probability that the slip surface crosses the rock mass completely : " + probabilityText + "%",
    })));
    return blocks;
}

std::vector<ReportBlock> ProbabilisticWedgeReport(const ProbabilisticWedgeInput& in, const std::string& heightText) {
    std::vector<ReportBlock> blocks;
    title(blocks, "Probabilistic wedge");
    blocks.push_back(bodyBlock(lines({
        "Distance d1 : " + plain(in.spacing1),
        "Distance d2 : " + plain(in.spacing2),
        "Dip direction of the first set of discontinuities : " + formatNumber(in.dipDirection1, "000°"),
        "Dip angle of the first set of discontinuities : " + formatNumber(in.dip1, "00°"),
        "Dip direction of the second set of discontinuities : " + formatNumber(in.dipDirection2, "000°"),
        "Dip angle of the second set of discontinuities : " + formatNumber(in.dip2, "00°"),
        "Dip direction of the slope surface : " + formatNumber(in.slopeDipDirection, "000°"),
        "Dip angle of the slope surface : " + formatNumber(in.slopeDip, "00°"),
        "Height of emergence : " + heightText,
    })));
    return blocks;
}

}  // namespace ravelin
