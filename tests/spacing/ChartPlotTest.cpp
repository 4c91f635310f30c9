// The histogram and variogram drawings and the chart's legend (where it goes,
// what it names in which colour), checked through the recording canvas.

#include "spacing/ChartPlot.h"

#include <gtest/gtest.h>

#include "core/FontMetrics.h"
#include "spacing/ChartLegend.h"
#include "spacing/Histogram.h"

namespace ravelin {
namespace {

constexpr double kWidth = 6000;
constexpr double kHeight = 4000;

HistogramFigures settled(std::vector<double> data, double interval, long long classes) {
    return SettleHistogram(data, interval, classes);
}

std::vector<DrawOp> linesOf(const RecordingCanvas& canvas, Rgb color) {
    std::vector<DrawOp> lines;
    for (const DrawOp& op : canvas.ofKind(DrawOp::Kind::Line))
        if (op.color == color) lines.push_back(op);
    return lines;
}

TEST(ChartPlotTest, BarsAreFilledThenOutlinedWithHeightsInCounts) {
    RecordingCanvas canvas(kWidth, kHeight);
    PlotHistogramOn(canvas, settled({1, 2, 3}, 1, 4), {}, 1);  // counts 1, 1, 1, 0; ymax 1.3
    const auto fills = canvas.ofKind(DrawOp::Kind::FillBox);
    ASSERT_EQ(fills.size(), 4u);
    const double countHeight = (kHeight - 1600) / 1.3;
    for (int j = 0; j < 4; ++j) {
        const DrawOp& bar = fills[static_cast<std::size_t>(j)];
        EXPECT_DOUBLE_EQ(bar.x1, 1000 + j * 1200.0);  // the plotting area is 4800 wide: 1200 a class
        EXPECT_DOUBLE_EQ(bar.y2, kHeight - 800);      // on the axis, y downwards
        EXPECT_NEAR(bar.y2 - bar.y1, j < 3 ? countHeight : 0, 1e-9);
    }
    const auto boxes = canvas.ofKind(DrawOp::Kind::Box);
    ASSERT_EQ(boxes.size(), 5u);              // four outlines and the frame
    const DrawOp last = canvas.ops().back();  // the frame comes last, over everything
    EXPECT_EQ(last.kind, DrawOp::Kind::Box);
    EXPECT_EQ(last.x2, boxes[4].x2);
    EXPECT_EQ(last.y1, boxes[4].y1);
    EXPECT_EQ(canvas.texts(), (std::vector<std::string>{"0", "1", "0.0", "1.0", "2.0", "3.0", "4.0"}));
}

TEST(ChartPlotTest, LawCurvesHaveTheirColoursAndOneSegmentPerSample) {
    RecordingCanvas canvas(kWidth, kHeight);
    LawChoice laws{true, true, true, true, false};
    PlotHistogramOn(canvas, settled({1, 2, 3}, 1, 4), laws, 1);
    // 4 classes: 200 samples; the normal curve also rises from the axis.
    EXPECT_EQ(linesOf(canvas, chartcolors::Normal).size(), 201u);
    // Where the exponential and the triangle are cut is DensityLawsTest's: here each has its colour.
    EXPECT_FALSE(linesOf(canvas, chartcolors::Exponential).empty());
    EXPECT_GE(linesOf(canvas, chartcolors::Lognormal).size(), 199u);
    EXPECT_EQ(linesOf(canvas, chartcolors::Triangular).size(), 1u);
}

TEST(ChartPlotTest, RelativeFrequenciesScaleTheSampledCurvesButNotTheTriangle) {
    std::vector<double> twenty;
    for (int i = 1; i <= 20; ++i) twenty.push_back(i / 10.0);
    const HistogramFigures f = settled(twenty, 0.5, 5);
    RecordingCanvas counts(kWidth, kHeight);
    RecordingCanvas relative(kWidth, kHeight);
    PlotHistogramOn(counts, f, {false, true, false, true, false}, 1);
    PlotHistogramOn(relative, f, {false, true, false, true, true}, 1);
    const DrawOp a = linesOf(counts, chartcolors::Triangular)[0];
    const DrawOp b = linesOf(relative, chartcolors::Triangular)[0];
    EXPECT_EQ(a.y1, b.y1);
    EXPECT_EQ(a.x2, b.x2);
    // The normal curve's rise at x0: k = 100 / 20 = 5 instead of n = 20.
    const DrawOp riseCounts = linesOf(counts, chartcolors::Normal)[0];
    const DrawOp riseRelative = linesOf(relative, chartcolors::Normal)[0];
    EXPECT_NEAR((kHeight - 800 - riseRelative.y2) / (kHeight - 800 - riseCounts.y2), 0.25, 1e-9);
}

TEST(ChartPlotTest, FailedHistogramsDrawNothingOrStopAfterTheTicks) {
    RecordingCanvas canvas(kWidth, kHeight);
    std::vector<double> decreasing = {5, -3};
    PlotHistogramOn(canvas, SettleHistogram(decreasing, 0, 0), {true, true, true, true, false}, 1);
    EXPECT_TRUE(canvas.ops().empty());
    std::vector<double> overflowing = {1e308, 1.5e308};
    PlotHistogramOn(canvas, SettleHistogram(overflowing, 1e308, 3), {true, true, true, true, false}, 1);
    EXPECT_EQ(canvas.ofKind(DrawOp::Kind::FillBox).size(), 3u);
    EXPECT_EQ(canvas.ofKind(DrawOp::Kind::Box).size(), 3u);  // outlines only: no frame
    EXPECT_TRUE(linesOf(canvas, chartcolors::Exponential).empty());
}

TEST(ChartPlotTest, VariogramCurveTicksAndLabels) {
    RecordingCanvas canvas(kWidth, kHeight);
    PlotVariogramOn(canvas, {1.25, 0.5}, 1, 1);  // ymax 1.5
    const auto lines = canvas.ofKind(DrawOp::Kind::Line);
    ASSERT_FALSE(lines.empty());
    const double unit = (kHeight - 1600) / 1.5;
    EXPECT_DOUBLE_EQ(lines[0].x1, 1000 + 2400);  // lag 1 of 2 over a 4800-wide area
    EXPECT_NEAR(lines[0].y1, kHeight - 800 - 1.25 * unit, 1e-9);
    EXPECT_DOUBLE_EQ(lines[0].x2, kWidth - 200);
    // Ticks every 0.1; labels every 8th (N T exceeds a tenth of the plot height).
    EXPECT_EQ(canvas.texts(), (std::vector<std::string>{"0.0", "0.8", "0", "1", "2"}));
    EXPECT_EQ(canvas.ofKind(DrawOp::Kind::Box).size(), 1u);
}

// The last label under the horizontal axis is centred on the right edge of
// the plotting area, 200 twips from the picture's: a wide one used to be cut.
TEST(ChartPlotTest, EveryLabelLiesInsideThePicture) {
    for (const double width : {3000.0, 6000.0}) {
        for (const double scale : {1.0, 2.0}) {
            RecordingCanvas histogram(width * scale, kHeight * scale);
            PlotHistogramOn(histogram, settled({1, 2.5, 7, 11}, 1.25, 9), {}, scale);  // last label "11.25"
            RecordingCanvas variogram(width * scale, kHeight * scale);
            PlotVariogramOn(variogram, {0.5, 1, 1.5, 1.2, 1.1, 1.3, 1.25}, 112.5, scale);  // last label "787.5"
            for (const RecordingCanvas* canvas : {&histogram, &variogram}) {
                const auto texts = canvas->ofKind(DrawOp::Kind::Text);
                ASSERT_GE(texts.size(), 4u);
                for (const DrawOp& op : texts) {
                    const double textWidth = measureText(op.font, op.text).width;
                    EXPECT_GE(op.x1, 0) << op.text;
                    EXPECT_LE(op.x1 + textWidth, canvas->width() + 1e-9) << op.text << " at " << width << " x" << scale;
                }
            }
        }
    }
}

TEST(ChartPlotTest, VariogramTicksStopBelowTheTopEdgeAndStayFewForHugeValues) {
    RecordingCanvas canvas(kWidth, kHeight);
    PlotVariogramOn(canvas, {0.25, 0.1}, 0.5, 1);  // ymax 0.28: 0.3 would lie above the area
    EXPECT_EQ(canvas.texts(), (std::vector<std::string>{"0.0", "0.1", "0.2", "0", "0.5", "1"}));
    RecordingCanvas one(kWidth, kHeight);
    PlotVariogramOn(one, {0.4}, 1, 1);
    const auto dot = one.ofKind(DrawOp::Kind::Line)[0];
    EXPECT_EQ(std::pair(dot.x1, dot.y1), std::pair(dot.x2, dot.y2));  // a single lag shows as a dot
    RecordingCanvas huge(kWidth, kHeight);
    PlotVariogramOn(huge, {2e11, 1e11}, 1, 1);
    EXPECT_LT(huge.ofKind(DrawOp::Kind::Line).size(), 2100u);
    EXPECT_FALSE(huge.texts().empty());
}

// ---------------------------------------------------------------- the legend

// A 1000 x 800 area; a 200 x 100 legend kept 10 from its edges. The grid
// of places steps 97.5 across (from 790 leftwards) and 85 down (from 10).
const CanvasRect kArea{0, 0, 1000, 800};

std::vector<double> sides(const CanvasRect& r) { return {r.left, r.top, r.right, r.bottom}; }

std::optional<CanvasRect> place(const std::vector<CanvasRect>& solid, const std::vector<DrawPoint>& points,
                                const CanvasRect& area = kArea) {
    return PlaceLegend(area, 200, 100, 10, solid, points);
}

TEST(ChartLegendTest, PlacesAvoidSolidsThenPointsAndPreferTheUpperRight) {
    struct Case {
        const char* name;
        std::vector<CanvasRect> solid;
        std::vector<DrawPoint> points;
        CanvasRect expected;
    };
    const Case cases[] = {
        {"nothing in the way: the upper right corner", {}, {}, {790, 10, 990, 110}},
        {"statistics in the corner: the next place to the left", {{850, 0, 1000, 60}}, {}, {595, 10, 795, 110}},
        {"a curve through the corner: the next place clear of it", {}, {{900, 50}, {950, 80}}, {692.5, 10, 892.5, 110}},
        // Bars fill the upper three quarters and a curve runs through every free place: the first free
        // place crossing the fewest points wins over places hiding bars but no curve.
        {"bars weigh before curves",
         {{0, 0, 1000, 600}},
         {{100, 700}, {300, 700}, {500, 700}, {700, 700}, {900, 700}},
         {790, 605, 990, 705}},
        // Solid everywhere but thinner towards the bottom: the lowest row hides least.
        {"no free place: the least hidden", {{0, 0, 1000, 800}, {0, 0, 1000, 700}}, {}, {790, 690, 990, 790}},
    };
    for (const Case& c : cases) {
        const auto found = place(c.solid, c.points);
        ASSERT_TRUE(found) << c.name;
        EXPECT_EQ(sides(*found), sides(c.expected)) << c.name;
    }
    EXPECT_FALSE(place({}, {}, {0, 0, 210, 800}));  // too narrow or too low for a legend
    EXPECT_FALSE(place({}, {}, {0, 0, 1000, 110}));
    EXPECT_EQ(OverlapArea({0, 0, 10, 10}, {10, 0, 20, 10}), 0);  // touching is not hiding
    EXPECT_EQ(OverlapArea({0, 0, 10, 10}, {5, 5, 20, 20}), 25);
}

TEST(ChartLegendTest, OnlyDrawnLawsAreNamedAndNoLawsMeansNoLegend) {
    // One value has no spread: the normal and lognormal laws are not drawn, so not named.
    const HistogramFigures figures = settled({0.7}, 0, 0);
    const auto legend =
        HistogramLegend(RecordingCanvas(6000, 4000), figures, {true, true, true, true, false, true}, 1, {});
    ASSERT_TRUE(legend);
    ASSERT_EQ(legend->entries.size(), 2u);
    EXPECT_EQ(legend->entries[0].name, "Negative exponential");
    EXPECT_EQ(legend->entries[1].name, "Triangular");

    RecordingCanvas canvas(6000, 4000);
    PlotHistogramOn(canvas, figures, {false, false, false, false, false, true}, 1);
    EXPECT_FALSE(HistogramLegend(canvas, figures, {false, false, false, false, false, true}, 1, {}));
    EXPECT_EQ(canvas.ofKind(DrawOp::Kind::Box).size(), static_cast<std::size_t>(figures.classes) + 1);  // no frame
}

}  // namespace
}  // namespace ravelin
