// Fisher statistics of lines as vectors and as axes against hand-worked
// rings, and the reports of the projection's analyses, down to those whose
// figures cannot all be given.

#include "projection/FisherStatistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "projection/NetInverse.h"
#include "projection/ProjectionReports.h"

namespace ravelin {
namespace {

// n lines evenly around `axis` at `angle` degrees: R = n cos(angle) and the mean is the axis.
std::vector<Line> ring(Line axis, double angle, int n) {
    const Vector3 a = test::unitOf(axis.trend, axis.plunge);
    const Vector3 helper = std::fabs(a.z) < 0.9 ? Vector3{0, 0, 1} : Vector3{1, 0, 0};
    Vector3 b1 = cross(helper, a);
    const double l = std::sqrt(dot(b1, b1));
    b1 = {b1.x / l, b1.y / l, b1.z / l};
    const Vector3 b2 = cross(a, b1);
    const double c = std::cos(angle * std::numbers::pi / 180), s = std::sin(angle * std::numbers::pi / 180);
    std::vector<Line> lines;
    for (int k = 0; k < n; ++k) {
        const double beta = 2 * std::numbers::pi * k / n;
        const Vector3 v{c * a.x + s * (std::cos(beta) * b1.x + std::sin(beta) * b2.x),
                        c * a.y + s * (std::cos(beta) * b1.y + std::sin(beta) * b2.y),
                        c * a.z + s * (std::cos(beta) * b1.z + std::sin(beta) * b2.z)};
        lines.push_back({std::atan2(v.y, v.x) * 180 / std::numbers::pi, std::asin(v.z) * 180 / std::numbers::pi});
    }
    return lines;
}

Line reversed(Line l) { return {l.trend + 180, -l.plunge}; }

double axialAngle(Line a, Line b) {
    const double d = test::degreesBetween(test::unitOf(a.trend, a.plunge), test::unitOf(b.trend, b.plunge));
    return std::min(d, 180 - d);
}

TEST(FisherStatisticsTest, HandWorkedRings) {
    // Hand-worked: n = 4 at 10 degrees: R = 4 cos 10 = 3.939231012, K = 3 / (4 - R) = 49.36728587,
    // cos a95 = 1 - (4 - R) / R (20^(1/3) - 1), a95 = 13.20666206 degrees.
    // n = 8 at 5 degrees: R = 7.969557585, K = 229.9423334, a95 = 3.660634555 degrees.
    const struct {
        Line axis;
        double angle;
        int n;
        double R, K, alpha95;
    } cases[] = {{{30, 60}, 10, 4, 3.939231012048832, 49.367285866447325, 13.206662060683511},
                 {{250, 15}, 5, 8, 7.969557584733964, 229.94233338015871, 3.66063455539246}};
    for (const auto& c : cases) {
        for (FisherData kind : {FisherData::Vectors, FisherData::Axes}) {
            const FisherStatistics s = fisherStatistics(ring(c.axis, c.angle, c.n), kind);
            EXPECT_EQ(s.n, static_cast<std::size_t>(c.n));
            EXPECT_NEAR(s.resultantLength, c.R, 1e-12);
            EXPECT_NEAR(*s.kappa, c.K, 1e-9 * c.K);
            EXPECT_NEAR(*s.alpha95, c.alpha95, 1e-9);
            EXPECT_NEAR(s.mean->trend, c.axis.trend, 1e-9);
            EXPECT_NEAR(s.mean->plunge, c.axis.plunge, 1e-9);
        }
    }
}

TEST(FisherStatisticsTest, AxesIgnoreTheSenseVectorsDoNot) {
    // Poles of near-vertical planes straddle the horizon: half are written with the opposite sense.
    std::vector<Line> poles = ring({90, 0}, 5, 8);
    for (std::size_t k = 0; k < poles.size(); k += 2) poles[k] = reversed(poles[k]);
    const FisherStatistics axes = fisherStatistics(poles, FisherData::Axes);
    EXPECT_NEAR(axes.resultantLength, 7.969557584733964, 1e-12);
    EXPECT_NEAR(*axes.alpha95, 3.66063455539246, 1e-9);
    EXPECT_LT(axialAngle(*axes.mean, {90, 0}), 1e-9);
    EXPECT_GE(axes.mean->plunge, 0);  // reported as the lower end of the axis
    const FisherStatistics vectors = fisherStatistics(poles, FisherData::Vectors);
    EXPECT_LT(vectors.resultantLength, 1);  // the reversed halves cancel
    // Upward vectors give an upward mean.
    const FisherStatistics up = fisherStatistics({{10, -30}, {10, -30}}, FisherData::Vectors);
    EXPECT_NEAR(up.mean->plunge, -30, 1e-12);
    EXPECT_NEAR(up.mean->trend, 10, 1e-12);
}

TEST(FisherStatisticsTest, EdgeCases) {
    // Two identical data (one alone is in the reports' test): infinite concentration, a cone of 0.
    FisherStatistics s;
    for (FisherData kind : {FisherData::Vectors, FisherData::Axes}) {
        s = fisherStatistics({{40, 20}, {40, 20}}, kind);
        EXPECT_EQ(*s.kappa, std::numeric_limits<double>::infinity());
        EXPECT_EQ(*s.alpha95, 0);
    }
    // Antipodal poles are one axis; as vectors they cancel.
    s = fisherStatistics({{0, 0}, {180, 0}}, FisherData::Axes);
    EXPECT_NEAR(s.resultantLength, 2, 1e-12);
    EXPECT_LT(axialAngle(*s.mean, {0, 0}), 1e-9);
    EXPECT_NEAR(*s.alpha95, 0, 1e-5);
    s = fisherStatistics({{0, 0}, {180, 0}}, FisherData::Vectors);
    EXPECT_EQ(s.resultantLength, 0);
    EXPECT_FALSE(s.mean);
    EXPECT_FALSE(s.kappa);
    // Three perpendicular lines: R = sqrt 3, K = 2 / (3 - sqrt 3); the cone's cosine falls below -1.
    s = fisherStatistics({{0, 0}, {90, 0}, {0, 90}}, FisherData::Vectors);
    EXPECT_NEAR(s.resultantLength, std::sqrt(3.0), 1e-12);
    EXPECT_NEAR(*s.kappa, 2 / (3 - std::sqrt(3.0)), 1e-12);
    EXPECT_FALSE(s.alpha95);
    EXPECT_NEAR(s.mean->plunge, std::asin(1 / std::sqrt(3.0)) * 180 / std::numbers::pi, 1e-9);
    // No data, and non-finite data left out.
    EXPECT_EQ(fisherStatistics({}, FisherData::Axes).n, 0u);
    EXPECT_EQ(fisherStatistics({{std::nan(""), 1}, {10, 10}}, FisherData::Axes).n, 1u);
}

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

TEST(ProjectionReportsTest, ReportsSayWhyAFigureIsMissing) {
    const std::string one = text(MeanOrientationReport(meanOf({{40, 30}}, FisherData::Vectors), 1, 0));
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
    EXPECT_TRUE(has(scattered, "Read as axes (a line and its opposite are one datum)"));
    EXPECT_TRUE(has(scattered,
                    "Cone of confidence \xCE\xB1"
                    "95 : - (data too scattered)"));
    EXPECT_NE(scattered.find("Mean plane (dip direction / dip) : "), std::string::npos);

    // Too many planes for the pairs to be analysed.
    KinematicPicture k;
    k.inputs = {{185, 65}, 30, 20};
    k.planes.assign(kMaxWedgePlanes + 1, Plane{185, 45});
    k.result = kinematicAnalysis(k.inputs, k.planes);
    const std::string skipped = text(KinematicReport(k));
    EXPECT_TRUE(k.result.wedgesSkipped);
    EXPECT_TRUE(has(skipped, "Planar sliding : 3001 of 3001 planes (100.0 %)"));
    EXPECT_TRUE(has(skipped, "Wedge sliding : not analysed (more than 3000 planes)"));
    EXPECT_EQ(skipped.find("Most critical wedge"), std::string::npos);
}

}  // namespace
}  // namespace ravelin
