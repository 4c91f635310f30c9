// A drawing window driven by pointer events as the desktop view and the
// command line drive it: the rubber band on the overlay, committed segments
// on the static layer, and pointer shapes and views reaching observers.

#include <gtest/gtest.h>

#include "support/SketchForm.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

// What the views would hear.
struct Listener : FormObserver {
    int statics = 0, overlays = 0, pointers = 0, views = 0;
    void drawingChanged(Form&, Control&, DrawingLayer layer) override {
        ++(layer == DrawingLayer::Static ? statics : overlays);
    }
    void controlChanged(Form&, Control&, ControlProperty property) override {
        pointers += property == ControlProperty::Pointer;
        views += property == ControlProperty::View;
    }
};

struct PointerInputTest : ::testing::Test {
    testing::TestSession t{false};
    testing::SketchForm form{t.session};
    Listener listener;
    void SetUp() override { form.addObserver(&listener); }
    void TearDown() override { form.removeObserver(&listener); }
    const Drawing& sketch() { return form.sketch(); }
};

TEST_F(PointerInputTest, TheRubberBandMovesOnTheOverlayAndTheReleaseCommitsTheSegment) {
    form.userPointerPress(form.canvas(), {100, 100, buttons::Left});
    for (const DrawPoint at : {DrawPoint{200, 150}, {300, 200}}) {
        form.userPointerMove(form.canvas(), {at.x, at.y, buttons::Left});
        const std::vector<DrawOp> band = sketch().overlay().ops();
        ASSERT_EQ(band.size(), 1u);
        EXPECT_EQ(std::vector<double>({band[0].x1, band[0].y1, band[0].x2, band[0].y2}),
                  std::vector<double>({100, 100, at.x, at.y}));
    }
    EXPECT_TRUE(sketch().staticLayer().empty());
    EXPECT_EQ(listener.statics, 0);  // moving the band never touches the cached layer
    EXPECT_EQ(listener.overlays, 2);

    form.userPointerRelease(form.canvas(), {320, 210, buttons::Left});
    const std::vector<DrawOp> committed = sketch().staticLayer().ofKind(DrawOp::Kind::Line);
    ASSERT_EQ(committed.size(), 1u);
    EXPECT_EQ(std::vector<double>({committed[0].x1, committed[0].y1, committed[0].x2, committed[0].y2}),
              std::vector<double>({100, 100, 320, 210}));
    EXPECT_TRUE(sketch().overlay().empty());
    EXPECT_EQ(listener.statics, 1);
}

TEST_F(PointerInputTest, DisabledControlsHearNothingAndDefaultsFollowTheControlEvents) {
    form.userPointerPress(form.at("picOff"), {1, 1, buttons::Left});
    form.userPointerDoubleClick(form.at("picOff"), {1, 1, buttons::Left});
    EXPECT_FALSE(form.userPointerWheel(form.at("picOff"), {1, 1, 0, shift::Ctrl, 1}));
    EXPECT_TRUE(form.heard.empty());

    // A double click without a handler of its own is the control's double click.
    form.userPointerDoubleClick(form.canvas(), {5, 5, buttons::Left});
    ASSERT_EQ(form.heard.size(), 1u);
    EXPECT_EQ(form.heard[0].what, "double click picCanvas");
    EXPECT_TRUE(form.userPointerWheel(form.canvas(), {5, 5, 0, shift::Ctrl, -2}));  // the window's answer
}

TEST_F(PointerInputTest, PointerShapesAndViewsReachTheObserversOncePerChange) {
    EXPECT_EQ(form.canvas().pointer(), PointerShape::Arrow);
    form.setPointer(form.canvas(), PointerShape::CrossHair);
    form.setPointer(form.canvas(), PointerShape::CrossHair);
    EXPECT_EQ(form.canvas().pointer(), PointerShape::CrossHair);
    EXPECT_EQ(listener.pointers, 1);

    ViewTransform zoomed = sketch().view();
    zoomed.setScale(0.4);
    form.setView(form.canvas(), zoomed);
    form.setView(form.canvas(), zoomed);
    EXPECT_EQ(listener.views, 1);
    EXPECT_EQ(sketch().view(), zoomed);
}

}  // namespace
}  // namespace ravelin
