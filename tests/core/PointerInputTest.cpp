// A drawing window driven by pointer events as the desktop view and the
// command line drive it: the rubber band lives on the overlay, committed
// segments on the static layer; pointer shapes and views reach observers;
// pictures come from the scripted platform.

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
        EXPECT_EQ(band[0].penMode, PenMode::Invert);
    }
    EXPECT_TRUE(sketch().staticLayer().empty());
    EXPECT_EQ(listener.statics, 0);  // moving the band never touches the cached layer
    EXPECT_EQ(listener.overlays, 2);

    form.userPointerRelease(form.canvas(), {320, 210, buttons::Left});
    const std::vector<DrawOp> committed = sketch().staticLayer().ofKind(DrawOp::Kind::Line);
    ASSERT_EQ(committed.size(), 1u);
    EXPECT_EQ(std::vector<double>({committed[0].x1, committed[0].y1, committed[0].x2, committed[0].y2}),
              std::vector<double>({100, 100, 320, 210}));
    EXPECT_EQ(committed[0].penMode, PenMode::Normal);
    EXPECT_TRUE(sketch().overlay().empty());
    EXPECT_EQ(listener.statics, 1);

    // The right button drops a half-drawn segment: nothing more is committed.
    form.userPointerPress(form.canvas(), {10, 10, buttons::Left});
    form.userPointerMove(form.canvas(), {50, 50, buttons::Left});
    form.userPointerPress(form.canvas(), {50, 50, buttons::Right});
    form.userPointerRelease(form.canvas(), {50, 50, buttons::Left});
    EXPECT_TRUE(sketch().overlay().empty());
    EXPECT_EQ(form.segments.size(), 1u);
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
    // The wheel is the window's only when it says so; otherwise a view zooms with it.
    EXPECT_TRUE(form.userPointerWheel(form.canvas(), {5, 5, 0, shift::Ctrl, -2}));
    EXPECT_FALSE(form.userPointerWheel(form.canvas(), {5, 5, 0, 0, 1}));
}

TEST_F(PointerInputTest, PointerShapesAndViewsReachTheObserversOncePerChange) {
    EXPECT_EQ(form.canvas().pointer(), PointerShape::Arrow);
    form.setPointer(form.canvas(), PointerShape::CrossHair);
    form.setPointer(form.canvas(), PointerShape::CrossHair);
    EXPECT_EQ(form.canvas().pointer(), PointerShape::CrossHair);
    EXPECT_EQ(listener.pointers, 1);

    ViewTransform zoomed = sketch().view();
    zoomed.setViewport(800, 600);
    zoomed.fit({0, 0, 2000, 1500});
    form.setView(form.canvas(), zoomed);
    form.setView(form.canvas(), zoomed);
    EXPECT_EQ(listener.views, 1);
    EXPECT_DOUBLE_EQ(sketch().view().scale(), 0.4);  // 800 / 2000 and 600 / 1500 alike
}

TEST_F(PointerInputTest, ScriptedPicturesHaveTheirSizeOrTheirFailure) {
    testing::TestPlatform& platform = t.platform;
    platform.addPicture("cliff.jpg", 6000, 4000);
    platform.addPictureFailure("broken.png", "'broken.png' is damaged or incomplete.");
    platform.addPicture("huge.bmp", 20000, 20000);  // 400 million pixels
    platform.addPicture("empty.gif", 0, 10);
    const PictureLoad photo = platform.loadPicture("cliff.jpg");
    ASSERT_TRUE(photo.picture);
    EXPECT_EQ(std::pair(photo.picture->width(), photo.picture->height()), std::pair(6000, 4000));
    const struct {
        const char* path;
        const char* message;
    } failures[] = {
        {"broken.png", "'broken.png' is damaged or incomplete."},
        {"huge.bmp", "'huge.bmp' is too large to open: 20000 x 20000 pixels, more than 268435456."},
        {"empty.gif", "'empty.gif' is damaged or incomplete (no pixels)."},
        {"nowhere.tif", "Cannot open 'nowhere.tif': no such file."},
    };
    for (const auto& [path, message] : failures) {
        const PictureLoad failed = platform.loadPicture(path);
        EXPECT_FALSE(failed.picture) << path;
        EXPECT_EQ(failed.error, message);
    }
    EXPECT_EQ(platform.loadedPictures.size(), 5u);

    // The window draws the photograph scaled into its drawing's units.
    RecordingCanvas& background = form.drawing(form.canvas()).staticLayer();
    background.picture(photo.picture, 0, 0, 2000, 1500);
    const std::vector<DrawOp> drawn = background.ofKind(DrawOp::Kind::Picture);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].picture, photo.picture);
    EXPECT_EQ(drawn[0].x2, 2000);
}

}  // namespace
}  // namespace ravelin
