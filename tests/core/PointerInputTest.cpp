// A drawing window driven by pointer events as the desktop view and the
// command line drive it: the rubber band on the overlay, committed segments
// on the static layer.

#include <gtest/gtest.h>

#include "support/SketchForm.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

// What the views would hear.
struct Listener : FormObserver {
    int statics = 0, overlays = 0;
    void drawingChanged(Form&, Control&, DrawingLayer layer) override {
        ++(layer == DrawingLayer::Static ? statics : overlays);
    }
};

TEST(PointerInputTest, TheRubberBandMovesOnTheOverlayAndTheReleaseCommitsTheSegment) {
    testing::TestSession t{false};
    testing::SketchForm form{t.session};
    const Drawing& sketch = form.sketch();
    Listener listener;
    form.addObserver(&listener);
    form.userPointerPress(form.canvas(), {100, 100, buttons::Left});
    for (const DrawPoint at : {DrawPoint{200, 150}, {300, 200}}) {
        form.userPointerMove(form.canvas(), {at.x, at.y, buttons::Left});
        const std::vector<DrawOp> band = sketch.overlay().ops();
        ASSERT_EQ(band.size(), 1u);
        EXPECT_EQ(std::vector<double>({band[0].x1, band[0].y1, band[0].x2, band[0].y2}),
                  std::vector<double>({100, 100, at.x, at.y}));
    }
    EXPECT_TRUE(sketch.staticLayer().empty());
    EXPECT_EQ(listener.statics, 0);  // moving the band never touches the cached layer
    EXPECT_EQ(listener.overlays, 2);

    form.userPointerRelease(form.canvas(), {320, 210, buttons::Left});
    const std::vector<DrawOp> committed = sketch.staticLayer().ofKind(DrawOp::Kind::Line);
    ASSERT_EQ(committed.size(), 1u);
    EXPECT_EQ(std::vector<double>({committed[0].x1, committed[0].y1, committed[0].x2, committed[0].y2}),
              std::vector<double>({100, 100, 320, 210}));
    EXPECT_TRUE(sketch.overlay().empty());
    EXPECT_EQ(listener.statics, 1);
    form.removeObserver(&listener);
}

}  // namespace
}  // namespace ravelin
