// The acquisition window's drawing driven by pointer events in canvas units:
// traces, the scanline, the contour and its refusals, the rectangle and its
// corners, and the commands around them.

#include "acquisition/AcquisitionEditor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ravelin {
namespace {

using Corners = std::array<CanvasPoint, 4>;

TEST(CanvasUnitsTest, PositionsRoundHalvesToEvenWithinThe32BitRange) {
    const struct {
        double position;
        std::int32_t unit;
    } cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.5001, 3}, {-0.5, 0}, {1e12, 2147483647}, {-1e12, -2147483647 - 1},
    };
    for (const auto& c : cases) EXPECT_EQ(roundToCanvasUnit(c.position), c.unit) << c.position;
    EXPECT_EQ(roundToCanvasUnit(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(CanvasUnitsTest, TruncationToHundredthsGoesDownOnTheDecimalValue) {
    // 0.29 × 100 is 28.999999999999996 in binary. Beyond 1e15 there are no hundredths to cut;
    // near the largest double, × 100 would overflow.
    const struct {
        double value, truncated;
    } cases[] = {
        {1.239, 1.23}, {2.499, 2.49},        {-0.001, -0.01},    {199.999, 199.99},    {1, 1}, {0, 0}, {1e-17, 0},
        {0.29, 0.29},  {1e15 + 2, 1e15 + 2}, {1.7e308, 1.7e308}, {-1.7e308, -1.7e308},
    };
    for (const auto& c : cases) EXPECT_EQ(truncateToHundredths(c.value), c.truncated) << c.value;
}

TEST(RectangleTest, EachDraggedCornerTakesItsNeighboursAlong) {
    const Corners start{{{100, 100}, {300, 100}, {300, 200}, {100, 200}}};
    const struct {
        int corner;
        Corners after;
    } cases[] = {
        {0, {{{50, 60}, {300, 60}, {300, 200}, {50, 200}}}},
        {1, {{{100, 60}, {50, 60}, {50, 200}, {100, 200}}}},  // left of corner 1: no longer top-right
        {2, {{{100, 100}, {50, 100}, {50, 60}, {100, 60}}}},
        {3, {{{50, 100}, {300, 100}, {300, 60}, {50, 60}}}},
    };
    for (const auto& c : cases) {
        AcquisitionGeometry g;
        g.rectangle = start;
        g.dragCorner(c.corner, {50, 60});
        EXPECT_EQ(g.rectangle, c.after) << "corner " << c.corner + 1;
    }
}

class EditorTest : public ::testing::Test {
protected:
    AcquisitionEditor editor;

    EditorResponse click(double x, double y, PointerButton button = PointerButton::Left) {
        EditorResponse response = editor.press(x, y, button);
        response |= editor.release();
        return response;
    }
    const AcquisitionGeometry& g() const { return editor.geometry(); }

    void drawContour(const std::vector<CanvasPoint>& vertices) {
        editor.startContour();
        for (CanvasPoint v : vertices) click(v.x, v.y);
    }
};

TEST_F(EditorTest, TracesFollowOneAnotherWithARubberBandFromTheFirstEnd) {
    EXPECT_FALSE(click(10, 10).modified);  // no mode: nothing drawn
    editor.startDiscontinuities();
    EXPECT_TRUE(click(10.4, 20.6).modified);
    // The half-drawn trace counts, its second end (0, 0), but is not a finished trace.
    EXPECT_EQ(g().traces, (std::vector<Trace>{{{10, 21}, {0, 0}}}));
    EXPECT_TRUE(editor.completedTraces().empty());
    click(55, 60, PointerButton::Right);  // the trace waits for its end
    EXPECT_TRUE(click(100, 200).redraw);
    EXPECT_EQ(g().traces, (std::vector<Trace>{{{10, 21}, {100, 200}}}));
    EXPECT_EQ(editor.completedTraces().size(), 1u);
}

TEST_F(EditorTest, VerticesAndClosingEdgesThatWouldCrossTheContourAreRefusedWithABeep) {
    drawContour({{100, 100}, {300, 100}, {300, 300}});
    const struct {
        CanvasPoint vertex;
        bool refused;
    } cases[] = {
        {{-100, -100}, true},  // the new edge runs exactly through vertex 1
        {{200, 0}, true},      // it crosses edge 1-2
        {{300, 50}, true},     // back along the last edge, through vertex 2
        {{100, 300}, false},   // it meets the last edge only at their shared vertex, which is never tested
    };
    for (const auto& c : cases) {
        const long long before = g().contourCount();
        const EditorResponse response = click(c.vertex.x, c.vertex.y);
        EXPECT_EQ(response.beep, c.refused) << c.vertex.x << "," << c.vertex.y;
        EXPECT_EQ(response.modified, !c.refused);
        EXPECT_EQ(g().contourCount(), before + (c.refused ? 0 : 1));
    }
    click(0, 0, PointerButton::Right);  // closed
    // A bow: its last edge crosses nothing yet, but the closing edge would; the contour stays open.
    drawContour({{0, 0}, {100, 0}, {0, 100}, {100, 100}});
    EXPECT_EQ(g().contourCount(), 4);
    const EditorResponse refused = click(50, 50, PointerButton::Right);
    EXPECT_TRUE(refused.beep);
    EXPECT_FALSE(refused.releaseContourButton);
    EXPECT_EQ(editor.mode(), DrawingMode::Contour);
    EXPECT_TRUE(editor.segmentHalfDrawn());
}

TEST_F(EditorTest, CommandsWaitForAHalfDrawnSegmentAndClearingDropsIt) {
    editor.startDiscontinuities();
    click(10, 10);
    editor.startScanline();
    editor.startContour();
    editor.showRectangle(2001, 1500);
    EXPECT_EQ(editor.mode(), DrawingMode::Discontinuity);
    EXPECT_FALSE(g().hasRectangle());
    click(20, 20);
    EXPECT_TRUE(editor.startScanline().redraw);
    EXPECT_EQ(editor.mode(), DrawingMode::Scanline);

    // Clearing never leaves a segment that no click can finish.
    editor.startDiscontinuities();
    click(30, 30);  // half drawn
    EXPECT_TRUE(editor.clearDiscontinuities().modified);
    EXPECT_FALSE(editor.segmentHalfDrawn());
    click(40, 40);  // starts a new trace rather than ending a cleared one
    EXPECT_EQ(g().traces, (std::vector<Trace>{{{40, 40}, {0, 0}}}));

    drawContour({{0, 0}, {100, 0}});
    const EditorResponse cleared = editor.clearAll();
    EXPECT_TRUE(cleared.releaseAllButtons && cleared.modified && cleared.redraw);
    EXPECT_FALSE(editor.segmentHalfDrawn());
    EXPECT_EQ(editor.mode(), DrawingMode::None);
    editor.startScanline();
    EXPECT_EQ(editor.mode(), DrawingMode::Scanline);
}

TEST_F(EditorTest, RectangleCornersAreGrabbedWithin40UnitsAndDragged) {
    click(340, 260);  // no rectangle yet: nothing to grab
    EXPECT_EQ(editor.draggedCorner(), 0);
    EXPECT_TRUE(editor.showRectangle(2001, 1500).modified);  // the default one, corner 2 at (999, 250)
    EXPECT_FALSE(editor.showRectangle(100, 100).modified);   // an existing one is kept
    editor.press(999 + 40, 250, PointerButton::Left);
    EXPECT_EQ(editor.draggedCorner(), 0);
    editor.press(999 + 39.5, 250 - 39.5, PointerButton::Left);
    EXPECT_EQ(editor.draggedCorner(), 2);
    EXPECT_TRUE(editor.move(100.5, 400).modified);
    editor.release();
    EXPECT_EQ(g().rectangle, (Corners{{{333, 400}, {100, 400}, {100, 750}, {333, 750}}}));
    EXPECT_FALSE(editor.move(500, 500).modified);  // released: the corner stays
    // A trace started near a corner leaves the rectangle alone.
    editor.startDiscontinuities();
    const Corners before = g().rectangle;
    editor.press(110, 410, PointerButton::Left);
    EXPECT_EQ(editor.draggedCorner(), 0);
    editor.move(120, 420);
    EXPECT_EQ(g().rectangle, before);
    EXPECT_EQ(editor.rubberBand()->anchor, (CanvasPoint{110, 410}));
}

TEST_F(EditorTest, CountsGoBeyond32767Traces) {
    editor.startDiscontinuities();
    for (int i = 0; i < 40000; ++i) {
        editor.press(i % 2000, i / 2000, PointerButton::Left);
        editor.press(i % 2000 + 5, i / 2000 + 9, PointerButton::Left);
    }
    EXPECT_EQ(g().traceCount(), 40000);
    EXPECT_EQ(g().traces.back(), (Trace{{1999, 19}, {2004, 28}}));
}

}  // namespace
}  // namespace ravelin
