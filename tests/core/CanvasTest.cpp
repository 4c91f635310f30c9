// The recording canvas: compact storage of many segments, the operations it
// shows tests, replay onto another canvas, and the area an overlay covers.

#include "core/Canvas.h"

#include <gtest/gtest.h>

#include "support/TestPlatform.h"

namespace ravelin {
namespace {

TEST(RecordingCanvasTest, SegmentsOfOnePenCostLittleMoreThanTheirPoints) {
    constexpr int kSegments = 20000;
    RecordingCanvas canvas(6000, 4000);
    canvas.setPen(Rgb::fromRgb(0, 0, 255));
    for (int i = 0; i < kSegments; ++i) canvas.line(i % 6000, i % 4000, (i * 7) % 6000, (i * 3) % 4000);
    // Two points of two doubles a segment; the records, pens and fonts are a fixed few hundred bytes.
    const std::size_t points = kSegments * 2 * 2 * sizeof(double);
    EXPECT_LE(canvas.storageBytes(), points + 512);

    const std::vector<DrawOp> lines = canvas.ofKind(DrawOp::Kind::Line);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kSegments));
    const DrawOp& last = lines.back();
    EXPECT_EQ(std::vector<double>({last.x1, last.y1, last.x2, last.y2}),
              std::vector<double>({19999 % 6000, 19999 % 4000, (19999 * 7) % 6000, (19999 * 3) % 4000}));
    EXPECT_EQ(last.color, Rgb::fromRgb(0, 0, 255));

    // A pen change between segments shows on each segment drawn after it.
    canvas.setPen({Rgb::fromRgb(255, 0, 0), 2, LineStyle::Dash});
    canvas.line(0, 0, 1, 1);
    canvas.setPen(Rgb::fromRgb(0, 0, 255));
    canvas.line(2, 2, 3, 3);
    const std::vector<DrawOp> ops = canvas.ops();
    ASSERT_EQ(ops.size(), kSegments + 2u);
    EXPECT_EQ(ops[kSegments].lineStyle, LineStyle::Dash);
    EXPECT_EQ(ops[kSegments].penWidth, 2);
    EXPECT_EQ(ops[kSegments + 1].lineStyle, LineStyle::Solid);
    EXPECT_EQ(ops[kSegments + 1].color, Rgb::fromRgb(0, 0, 255));
}

TEST(RecordingCanvasTest, ReplayDrawsEveryKindOfOperationScaled) {
    testing::TestPlatform platform;
    platform.addPicture("cliff.jpg", 640, 480);
    const PictureHandle photo = platform.loadPicture("cliff.jpg").picture;
    ASSERT_TRUE(photo);

    RecordingCanvas source(1000, 800);
    const DrawPoint path[] = {{10, 10}, {50, 10}, {50, 40}};
    source.clear(colors::White);
    source.picture(photo, 0, 0, 640, 480);
    source.setClip(5, 5, 600, 400);
    source.setPen({Rgb::fromRgb(0, 150, 150), 1, LineStyle::Dot});
    source.polyline(path);
    source.polygon(path);
    source.fillPolygon(path, Rgb::fromRgb(255, 0, 0));
    source.clearClip();
    source.setPen({colors::Black, 1, LineStyle::Solid, PenMode::Invert});
    source.line(100, 100, 300, 250);
    source.box(1, 2, 3, 4);
    source.fillBox(5, 6, 7, 8, Rgb::fromRgb(0, 200, 150));
    source.circle(60, 70, 30);
    source.setFont({"Arial", 9, true});
    source.text(20, 30, "Joint set J1");
    source.rotatedText(40, 500, "Frequency", 900);
    // An odd point at the end of a batch of segments has no partner.
    const DrawPoint ends[] = {{0, 0}, {10, 0}, {20, 0}};
    source.lines(ends);

    RecordingCanvas target(2000, 1600);
    source.replay(target, 2);
    const std::vector<DrawOp> before = source.ops();
    const std::vector<DrawOp> after = target.ops();
    ASSERT_EQ(after.size(), before.size());
    ASSERT_EQ(after.size(), 14u);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const DrawOp& a = before[i];
        const DrawOp& b = after[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(b.kind, a.kind);
        EXPECT_EQ(std::vector<double>({b.x1, b.y1, b.x2, b.y2}),
                  std::vector<double>({2 * a.x1, 2 * a.y1, 2 * a.x2, 2 * a.y2}));
        EXPECT_EQ(b.color, a.color);
        EXPECT_EQ(std::tuple(b.penWidth, b.lineStyle, b.penMode), std::tuple(a.penWidth, a.lineStyle, a.penMode));
        EXPECT_EQ(b.text, a.text);
        if (!a.text.empty()) {
            EXPECT_EQ(b.font.size, 2 * a.font.size);
        }
        EXPECT_EQ(b.angleTenths, a.angleTenths);
        EXPECT_EQ(b.picture, a.picture);
        ASSERT_EQ(b.points.size(), a.points.size());
        for (std::size_t k = 0; k < a.points.size(); ++k)
            EXPECT_EQ(b.points[k], (DrawPoint{2 * a.points[k].x, 2 * a.points[k].y}));
    }
    EXPECT_EQ(after[7].penMode, PenMode::Invert);
}

TEST(RecordingCanvasTest, BoundsCoverTheGeometryAndTurnedTexts) {
    RecordingCanvas canvas(1000, 800);
    EXPECT_FALSE(canvas.bounds());
    canvas.line(10, 20, 30, 5);
    EXPECT_EQ(*canvas.bounds(), (DrawRect{10, 5, 30, 20}));
    canvas.circle(100, 100, 15);
    EXPECT_EQ(*canvas.bounds(), (DrawRect{10, 5, 115, 115}));

    // A text turned a quarter counter-clockwise rises from its origin and reaches right by its height.
    RecordingCanvas turned(1000, 800);
    turned.setFont({"Arial", 9, true});
    turned.rotatedText(200, 600, "Frequency", 900);
    const TextSize size = measureText({"Arial", 9, true}, "Frequency");
    const DrawRect box = *turned.bounds();
    EXPECT_NEAR(box.left, 200, 1e-9);
    EXPECT_NEAR(box.right, 200 + size.height, 1e-9);
    EXPECT_NEAR(box.top, 600 - size.width, 1e-9);
    EXPECT_NEAR(box.bottom, 600, 1e-9);

    // A clear covers the whole surface (the text rises above it); reset forgets everything but the font.
    turned.clear(colors::White);
    EXPECT_EQ(*turned.bounds(), (DrawRect{0, 600 - size.width, 1000, 800}));
    turned.reset();
    EXPECT_TRUE(turned.empty());
    EXPECT_FALSE(turned.bounds());
    EXPECT_EQ(turned.font(), (FontSpec{"Arial", 9, true}));
}

}  // namespace
}  // namespace ravelin
