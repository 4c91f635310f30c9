// Trace classification against a window and the three estimators, with
// hand-worked figures and the report lines they produce.

#include "acquisition/WindowEstimators.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ravelin {
namespace {

// At scale 2001 a canvas unit is a metre.
constexpr double kMetre = 1;

const std::array<CanvasPoint, 4> kSquare{{{0, 0}, {100, 0}, {100, 100}, {0, 100}}};

TEST(ClassifyTracesTest, EachKindOfTraceAndItsLengthInside) {
    const struct {
        const char* what;
        Trace trace;
        long long n0, n1, n2;
        double length;
    } cases[] = {
        {"inside", {{10, 10}, {90, 90}}, 1, 0, 0, std::hypot(80, 80)},
        {"one end out", {{50, 50}, {150, 50}}, 0, 1, 0, 50},
        {"across", {{-50, 50}, {150, 50}}, 0, 0, 1, 100},
        {"across the top side at y = 0", {{50, -50}, {50, 150}}, 0, 0, 1, 100},
        // Cuts the bottom-left corner between two of its 19 test points: not counted, yet 2√2 inside.
        {"clipping a corner", {{-95, 3}, {105, 203}}, 0, 0, 0, std::hypot(2, 2)},
        {"outside", {{200, 200}, {300, 300}}, 0, 0, 0, 0},
        {"along the right side", {{100, 10}, {100, 90}}, 0, 0, 0, 0},  // right edges lie outside
        {"along the left side", {{0, 10}, {0, 90}}, 1, 0, 0, 80},
    };
    for (const auto& c : cases) {
        const std::vector<Trace> one{c.trace};
        const WindowCounts counts = ClassifyTraces(kSquare, one, kMetre);
        EXPECT_EQ(counts.contained, c.n0) << c.what;
        EXPECT_EQ(counts.dissecting, c.n1) << c.what;
        EXPECT_EQ(counts.transecting, c.n2) << c.what;
        EXPECT_NEAR(counts.traceLength, c.length, 1e-9) << c.what;
    }
    // A contour of fewer than three vertices holds nothing.
    const WindowCounts none =
        ClassifyTraces(std::vector<CanvasPoint>{{0, 0}, {100, 100}}, std::vector<Trace>{{{0, 100}, {100, 0}}}, kMetre);
    EXPECT_EQ(none.total(), 0);
    EXPECT_EQ(none.traceLength, 0);
}

// Each line stands whole in the report text.
void expectLines(const std::string& text, const std::vector<std::string>& lines) {
    const std::string framed = "\r\n" + text + "\r\n";
    for (const std::string& line : lines) EXPECT_NE(framed.find("\r\n" + line + "\r\n"), std::string::npos) << line;
}

AcquisitionGeometry pahlRectangle() {
    AcquisitionGeometry g;
    g.scaleText = "2001";
    g.rectangle = {{{0, 0}, {2001, 0}, {2001, 1000}, {0, 1000}}};
    return g;
}

TEST(PahlTest, OneTraceInsideAndOneAcrossGiveTheHeight) {
    AcquisitionGeometry g = pahlRectangle();
    g.traces = {{{500, 100}, {500, 900}}, {{1000, -100}, {1000, 1100}}};
    const RectangleEstimate e = EstimatePahl(g);
    // n0 = 1, n2 = 1, N = 2 and vertical traces (D = w): μ = h·w·2 / (w·2) = h.
    ASSERT_TRUE(e.means);
    EXPECT_DOUBLE_EQ(e.means->persistence, 1000);
    EXPECT_DOUBLE_EQ(e.means->spacing, 2001000.0 / 1800);  // L = 800 + 1000
    // The disc whose mean chord is μ: 4μ²/π; its volume that times the spacing.
    EXPECT_DOUBLE_EQ(e.means->surface, 4e6 / std::numbers::pi);
    EXPECT_DOUBLE_EQ(e.means->volume, 4e6 / std::numbers::pi * 2001000.0 / 1800);
    const std::vector<ReportBlock> report = PahlReport(e, g);
    ASSERT_EQ(report.size(), 2u);
    expectLines(report[1].text, {"Discontinuities that transect the rectangular window (neither end visible) = 1",
                                 "Total number of discontinuities within the rectangular window = 2",
                                 "Total surface of the rectangular window : 2001000",
                                 "Mean angle between the rectangle height and the discontinuities : 0\xC2\xB0",
                                 "Mean spacing : 1111.66", "Mean volume of a discontinuity : 1415417960.56"});
}

// A scale near the largest number: lengths stay finite, surfaces square beyond it and show "-", never "inf".
TEST(PahlTest, AScaleTooLargeToSquareShowsNoSurface) {
    AcquisitionGeometry g = pahlRectangle();
    g.scaleText = "1e200";  // 1e200 / 2001 m a unit: the 2001 x 1000 rectangle is 1e200 x 4.9975e199 m
    g.traces = {{{500, 100}, {500, 900}}, {{1000, -100}, {1000, 1100}}};
    const RectangleEstimate e = EstimatePahl(g);
    EXPECT_DOUBLE_EQ(e.base, 1e200);
    EXPECT_TRUE(std::isinf(e.surface));
    EXPECT_EQ(SurfaceText(e.surface), "-");
    const std::string body = PahlReport(e, g)[1].text;
    EXPECT_NE(body.find("Total surface of the rectangular window : -\r\n"), std::string::npos) << body;
    EXPECT_EQ(body.find("inf"), std::string::npos) << body;
}

TEST(PahlTest, LeaningTracesAndACornerDraggedPastItsNeighbour) {
    AcquisitionGeometry g = pahlRectangle();
    g.rectangle = {{{2001, 0}, {0, 0}, {0, 1000}, {2001, 1000}}};  // corner 2 dragged left of corner 1
    g.traces = {{{100, 100}, {200, 200}}, {{300, 100}, {400, 200}}, {{1000, 500}, {3000, 700}}};
    const RectangleEstimate e = EstimatePahl(g);
    EXPECT_EQ(e.base, 2001);  // absolute differences
    EXPECT_EQ(e.counts.contained, 2);
    EXPECT_EQ(e.counts.dissecting, 1);
    // θ: two traces at 45° and one at atan(2000/200); D = h·sin θ + w·cos θ.
    const double theta = (2 * std::atan(1.0) + std::atan(10.0)) / 3;
    EXPECT_NEAR(e.angle, theta * 180 / 3.14159265358979323846, 1e-9);
    const double d = 1000 * std::sin(theta) + 2001 * std::cos(theta);
    // μ = h·w·(N + n2 - n0) / (D·(N - n2 + n0)) = h·w·1 / (D·5).
    ASSERT_TRUE(e.means);
    EXPECT_NEAR(e.means->persistence, 1000.0 * 2001 / (d * 5), 1e-9);
    // The angles are signed: leaning either way they cancel; without traces there is none.
    EXPECT_NEAR(MeanTraceAngle(std::vector<Trace>{{{0, 0}, {100, 100}}, {{0, 0}, {-100, 100}}}), 0, 1e-12);
    EXPECT_EQ(MeanTraceAngle({}), 0);
}

// A 1000-unit square contour at a metre a unit, with the rectangle of pahlRectangle().
AcquisitionGeometry contoured(std::vector<Trace> traces) {
    AcquisitionGeometry g = pahlRectangle();
    g.contour = {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}};
    g.traces = std::move(traces);
    return g;
}

TEST(TarvenozTest, TwoInsideAndTwoDissectingGiveThreeByBothMethods) {
    const AcquisitionGeometry g = contoured(
        {{{100, 100}, {100, 200}}, {{300, 100}, {300, 200}}, {{500, 900}, {500, 1100}}, {{700, 900}, {700, 1100}}});
    const EstimatorReport report = RunEstimators(g, "Acquisition Window - cliff.dgt*");
    ASSERT_EQ(report.blocks.size(), 8u);
    EXPECT_EQ(report.blocks[1], (ReportBlock{"\r\nFile name : cliff.dgt*", style::Bold | style::Italic, 11, ""}));
    // Y = n1/2 + n0 = 3; X = n1² / (2·(n1 + n2)) + n2 + n0 = 4/4 + 0 + 2 = 3; p = L / 3 with L = 400.
    EXPECT_EQ(report.blocks[5], report.blocks[3]);
    expectLines(report.blocks[3].text, {"Discontinuities that dissect the contoured window (one end visible) = 2",
                                        "Number of discontinuities per surface unit = 3",
                                        "Total discontinuity length within the contoured window : 400",
                                        "Mean persistance : 133.33", "Mean spacing : 2500"});
}

TEST(TarvenozTest, OnlyTransectingTracesSatisfyTheOlderMethodAlone) {
    const AcquisitionGeometry g = contoured({{{-100, 300}, {1100, 300}}, {{-100, 600}, {1100, 600}}});
    const EstimatorReport report = RunEstimators(g, "Digit 3");
    EXPECT_EQ(report.caption, "Acquisition Window - Digit 3");
    EXPECT_EQ(report.infoBoxName, "");  // the caption was too short to hold a name
    EXPECT_EQ(report.blocks[3].text,
              "\r\nNot enough data !\r\n  - there should be at least one discontinuity contained (n0) or that dissect "
              "(n1) the contoured window.");
    // X = n2 = 2, L = 2000.
    expectLines(report.blocks[5].text,
                {"Discontinuities that transect the contoured window (neither end visible) = 2",
                 "Number of discontinuities per surface unit = 2", "Mean persistance : 1000", "Mean spacing : 500"});
}

TEST(EstimatorsTest, NotEnoughDataHintsOfEachMethod) {
    const std::string head = "\r\nNot enough data !\r\n";
    const std::string n0n1 = "  - there should be at least one discontinuity contained (n0) or that dissect (n1) the ";
    const std::string n2n1 =
        "\r\n  - there should be at least one discontinuity that transect (n2) or dissect (n1) the contoured window.";
    const std::string noContour = head + "\r\n   - add a contour", noTraces = "\r\n   - add discontinuities";
    const std::string noContour2001 = head + n0n1 + "contoured window.\r\n   - add a contour";
    const std::string noRectangle = head + "\r\n  - add a rectangular window";
    AcquisitionGeometry empty, outside = pahlRectangle(), inside = contoured({{{10, 10}, {20, 20}}});
    outside.traces = {{{3000, 0}, {3000, 500}}};
    inside.rectangle = AcquisitionGeometry::noRectangle();
    const struct {
        AcquisitionGeometry geometry;
        std::string text2001, text1996, pahl;
    } cases[] = {
        {empty, noContour2001 + noTraces, noContour + noTraces, noRectangle + "\r\n  - add discontinuities"},
        {outside, noContour2001, noContour, head + "\r\n" + n0n1 + "rectangular window."},
        // Inside the contour, but with nothing crossing it the contour methods have no data.
        {inside, head + n2n1, head + n2n1, noRectangle},
    };
    for (const auto& c : cases) {
        const EstimatorReport report = RunEstimators(c.geometry, "Acquisition Window - Digit 1");
        ASSERT_EQ(report.blocks.size(), 8u);
        EXPECT_EQ(report.blocks[3].text, c.text2001);
        EXPECT_EQ(report.blocks[5].text, c.text1996);
        EXPECT_EQ(report.blocks[7].text, c.pahl);
    }
}

TEST(TarvenozTest, ManyDissectingTracesOverflowNothing) {
    std::vector<Trace> traces;
    for (std::int32_t x = 1; x <= 200; ++x) traces.push_back({{x * 4, 500}, {x * 4, 1500}});
    const WindowCounts counts = ClassifyTraces(contoured({}).contour, traces, kMetre);
    EXPECT_EQ(counts.dissecting, 200);
    // n1² = 40000 does not fit 16 bits: X = 40000 / 400 = 100.
    EXPECT_EQ(EstimateTarvenoz1996(counts, 1e6).effectiveNumber, 100);
    EXPECT_EQ(EstimateTarvenoz2001(counts, 1e6).effectiveNumber, 100);
}

}  // namespace
}  // namespace ravelin
