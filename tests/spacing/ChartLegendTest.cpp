// The chart's legend: where it goes, and what it names in which colour.

#include "spacing/ChartLegend.h"

#include <gtest/gtest.h>

#include "spacing/ChartPlot.h"
#include "spacing/Histogram.h"

namespace ravelin {
namespace {

// A 1000 x 800 area; a 200 x 100 legend kept 10 from its edges. The grid
// of places steps 97.5 across (from 790 leftwards) and 85 down (from 10).
const CanvasRect kArea{0, 0, 1000, 800};
constexpr double kWidth = 200;
constexpr double kHeight = 100;
constexpr double kInset = 10;

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
    };
    for (const Case& c : cases) {
        const auto place = PlaceLegend(kArea, kWidth, kHeight, kInset, c.solid, c.points);
        ASSERT_TRUE(place) << c.name;
        EXPECT_DOUBLE_EQ(place->left, c.expected.left) << c.name;
        EXPECT_DOUBLE_EQ(place->top, c.expected.top) << c.name;
        EXPECT_DOUBLE_EQ(place->right, c.expected.right) << c.name;
        EXPECT_DOUBLE_EQ(place->bottom, c.expected.bottom) << c.name;
    }
}

TEST(ChartLegendTest, WithNoFreePlaceTheLeastHiddenIsTakenAndATooSmallAreaHasNoLegend) {
    // Solid everywhere but thinner towards the bottom: the lowest row hides least.
    const std::vector<CanvasRect> solid{{0, 0, 1000, 800}, {0, 0, 1000, 700}};
    const auto place = PlaceLegend(kArea, kWidth, kHeight, kInset, solid, {});
    ASSERT_TRUE(place);
    EXPECT_DOUBLE_EQ(place->bottom, 790);
    EXPECT_DOUBLE_EQ(place->left, 790);
    EXPECT_FALSE(PlaceLegend({0, 0, 210, 800}, kWidth, kHeight, kInset, {}, {}));
    EXPECT_FALSE(PlaceLegend({0, 0, 1000, 110}, kWidth, kHeight, kInset, {}, {}));
    EXPECT_EQ(OverlapArea({0, 0, 10, 10}, {10, 0, 20, 10}), 0);  // touching is not hiding
    EXPECT_EQ(OverlapArea({0, 0, 10, 10}, {5, 5, 20, 20}), 25);
}

std::vector<DrawOp> textsAfter(const std::vector<DrawOp>& ops, std::size_t first) {
    std::vector<DrawOp> texts;
    for (std::size_t i = first; i < ops.size(); ++i)
        if (ops[i].kind == DrawOp::Kind::Text) texts.push_back(ops[i]);
    return texts;
}

TEST(ChartLegendTest, TheHistogramsLegendNamesEachDrawnLawInItsColourClearOfBarsAndLabels) {
    // Counts 8, 4, 2, 1, 0, 0 of classes 800 twips wide on a range of 8.3 counts: room at the upper right.
    std::vector<double> data{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 1.2, 1.4, 1.6, 1.8, 2.3, 2.6, 3.5};
    const HistogramFigures figures = SettleHistogram(data, 1, 6);
    const LawChoice laws{true, true, true, true, false, true};
    const std::vector<CanvasRect> labels{{4500, 850, 5800, 1500}};  // statistics at the upper right
    RecordingCanvas canvas(6000, 4000);
    PlotHistogramOn(canvas, figures, laws, 1, labels);

    const auto legend = HistogramLegend(canvas, figures, laws, 1, labels);
    ASSERT_TRUE(legend);
    EXPECT_EQ(legend->hiddenArea, 0);
    EXPECT_EQ(OverlapArea(legend->frame, labels[0]), 0);
    // The frame: a white fill and a black outline after the plotting area's frame.
    const std::vector<DrawOp> ops = canvas.ops();
    std::size_t frame = 0;
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const DrawOp& op = ops[i];
        if (op.kind == DrawOp::Kind::FillBox && op.x1 == legend->frame.left && op.y1 == legend->frame.top) frame = i;
    }
    ASSERT_GT(frame, 0u);
    EXPECT_EQ(ops[frame].color, colors::White);
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const DrawOp& bar = ops[i];
        if (bar.kind != DrawOp::Kind::FillBox || i == frame) continue;
        EXPECT_EQ(OverlapArea(legend->frame, {bar.x1, bar.y1, bar.x2, bar.y2}), 0);
    }
    const auto texts = textsAfter(ops, frame);
    const std::pair<const char*, Rgb> expected[] = {{"Negative exponential", chartcolors::Exponential},
                                                    {"Normal", chartcolors::Normal},
                                                    {"Lognormal", chartcolors::Lognormal},
                                                    {"Triangular", chartcolors::Triangular}};
    ASSERT_EQ(texts.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(texts[i].text, expected[i].first);
        EXPECT_EQ(texts[i].color, expected[i].second);
        EXPECT_GT(texts[i].x1, legend->frame.left);
        EXPECT_LT(texts[i].y1, legend->frame.bottom);
    }
}

TEST(ChartLegendTest, OnlyDrawnLawsAreNamedAndNoLawsMeansNoLegend) {
    // One value has no spread: the normal and lognormal laws are not drawn, so not named.
    std::vector<double> single{0.7};
    const HistogramFigures figures = SettleHistogram(single, 0, 0);
    const LawChoice all{true, true, true, true, false, true};
    const auto legend = HistogramLegend(RecordingCanvas(6000, 4000), figures, all, 1, {});
    ASSERT_TRUE(legend);
    ASSERT_EQ(legend->entries.size(), 2u);
    EXPECT_EQ(legend->entries[0].name, "Negative exponential");
    EXPECT_EQ(legend->entries[1].name, "Triangular");

    RecordingCanvas canvas(6000, 4000);
    PlotHistogramOn(canvas, figures, {false, false, false, false, false, true}, 1);
    EXPECT_FALSE(HistogramLegend(canvas, figures, {false, false, false, false, false, true}, 1, {}));
    EXPECT_EQ(canvas.ofKind(DrawOp::Kind::Box).size(), static_cast<std::size_t>(figures.classes) + 1);  // no frame

    // At print scale 2 the legend is twice as large.
    const LawChoice exponential{true, false, false, false, false, true};
    const auto small = HistogramLegend(RecordingCanvas(6000, 4000), figures, exponential, 1, {});
    const auto large = HistogramLegend(RecordingCanvas(12000, 8000), figures, exponential, 2, {});
    ASSERT_TRUE(small && large);
    EXPECT_NEAR(large->frame.width(), 2 * small->frame.width(), 1e-9);
    EXPECT_NEAR(large->frame.height(), 2 * small->frame.height(), 1e-9);
}

}  // namespace
}  // namespace ravelin
