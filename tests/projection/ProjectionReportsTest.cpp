// The reports of the projection tool's analyses where the figures cannot all
// be given: one datum, data too scattered for a cone, data that cancel out,
// too many planes for the wedge test, no critical pair.

#include <gtest/gtest.h>

#include "projection/ProjectionReports.h"

using namespace ravelin;

namespace {

std::string text(const std::vector<ReportBlock>& blocks) {
    std::string all;
    for (const ReportBlock& b : blocks) all += b.text;
    return all;
}

bool has(const std::string& all, const std::string& line) { return all.find(line + "\r\n") != std::string::npos; }

MeanOrientation meanOf(std::vector<Line> lines, FisherData kind) {
    MeanOrientation mean;
    mean.kind = kind;
    mean.statistics = fisherStatistics(lines, kind);
    return mean;
}

}  // namespace

TEST(ProjectionReportsTest, MeanReportSaysWhyAFigureIsMissing) {
    const std::string one = text(MeanOrientationReport(meanOf({{40, 30}}, FisherData::Vectors), 1, 0));
    EXPECT_TRUE(has(one, "Number of lines : 1"));
    EXPECT_TRUE(has(one, "Mean trend / plunge : 40.0\xC2\xB0 / 30.0\xC2\xB0"));
    EXPECT_TRUE(has(one, "Fisher's K : - (fewer than 2 data)"));
    EXPECT_TRUE(has(one,
                    "Cone of confidence \xCE\xB1"
                    "95 : - (fewer than 2 data)"));

    // Three lines 120 degrees apart on the horizon, read as vectors: R = 0, they cancel out.
    const std::string cancel =
        text(MeanOrientationReport(meanOf({{0, 0}, {120, 0}, {240, 0}}, FisherData::Vectors), 3, 0));
    EXPECT_TRUE(has(cancel, "Mean trend / plunge : - (the data cancel out)"));

    // Three poles nearly at right angles: R is about sqrt 3, and cos a95 = 1 - (3 - R) / R (sqrt 20 - 1)
    // falls below -1: a mean, but no cone on the sphere holds it.
    const std::string scattered =
        text(MeanOrientationReport(meanOf({{0, 5}, {92, 3}, {10, 88}}, FisherData::Axes), 0, 3));
    EXPECT_TRUE(has(scattered, "Number of poles to planes : 3"));
    EXPECT_TRUE(has(scattered, "Read as axes (a line and its opposite are one datum)"));
    EXPECT_TRUE(has(scattered,
                    "Cone of confidence \xCE\xB1"
                    "95 : - (data too scattered)"));
    EXPECT_NE(scattered.find("Mean plane (dip direction / dip) : "), std::string::npos);
}

TEST(ProjectionReportsTest, KinematicReportWithoutWedges) {
    KinematicPicture k;
    k.inputs = {{185, 65}, 30, 20};
    k.planes.assign(kMaxWedgePlanes + 1, Plane{185, 45});
    k.result = kinematicAnalysis(k.inputs, k.planes);
    const std::string skipped = text(KinematicReport(k));
    EXPECT_TRUE(has(skipped, "Planar sliding : 3001 of 3001 planes (100.0 %)"));
    EXPECT_TRUE(has(skipped, "Wedge sliding : not analysed (more than 3000 planes)"));
    EXPECT_EQ(skipped.find("Most critical wedge"), std::string::npos);

    k.planes = {{185, 45}, {10, 80}};
    k.result = kinematicAnalysis(k.inputs, k.planes);
    const std::string none = text(KinematicReport(k));
    EXPECT_TRUE(has(none, "Wedge sliding, primary critical zone : 0 of 1 pairs of planes (0.0 %)"));
    EXPECT_TRUE(has(none, "No pair of planes lies in the primary critical zone"));
}
